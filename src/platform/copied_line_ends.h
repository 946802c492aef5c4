// What `brkclip paste` needs to know about the text that `brkclip copy` put on the
// clipboard store: whether it used CR LF line ends. The actions turn that text into
// a result whose line ends follow their templates (CR LF); a result going back to a
// shell keeps CR LF only when the copied text had them.
#pragma once

#include <string>

namespace platform {

// The note beside the clipboard store in `directory` (RuntimeDirectoryPath()).
std::string CopiedLineEndsPath(const std::string& directory);

// Notes whether the text just copied used CR LF; false when the note cannot be kept.
bool NoteCopiedLineEnds(const std::string& directory, bool crlf);

// Whether the last noted copy used CR LF; false without a note.
bool CopiedTextUsedCrLf(const std::string& directory);

}  // namespace platform
