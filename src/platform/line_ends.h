// Line ends where text leaves for the desktop or a shell. The actions build text with
// CR LF line ends where their templates say so; Linux programs expect LF.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Whether `text` holds a CR LF pair.
bool UsesCrLf(std::string_view text);

// `text` with each CR LF turned into LF, unless `keep_crlf` (the text the action read
// used CR LF line ends, so its result keeps them too). A lone CR or LF stays.
std::string ToDesktopLineEnds(std::string_view text, bool keep_crlf);

}  // namespace platform
