#include "platform/copied_line_ends.h"

#include "platform/atomic_file.h"
#include "platform/runtime_dir.h"

namespace platform {
namespace {

constexpr char kCrLfNote[] = "crlf\n";
constexpr char kLfNote[] = "lf\n";

}  // namespace

std::string CopiedLineEndsPath(const std::string& directory) {
  return directory + "/copied-line-ends";
}

bool NoteCopiedLineEnds(const std::string& directory, bool crlf) {
  if (!MakePrivateDirectory(directory)) return false;
  return ReplaceFileAtomically(CopiedLineEndsPath(directory), crlf ? kCrLfNote : kLfNote);
}

bool CopiedTextUsedCrLf(const std::string& directory) {
  return ReadWholeFile(CopiedLineEndsPath(directory)).bytes == kCrLfNote;
}

}  // namespace platform
