// brkclip: the shell's door to the suite's clipboard store, so that an editor or a
// script can hand text to quorvan and take its result back.
//
//   brkclip copy [--column]   standard input becomes the clipboard text (with
//                             --column marked as a column selection)
//   brkclip paste             the clipboard text to standard output, each CR LF
//                             turned into LF unless the text last copied with
//                             brkclip copy used CR LF
//   brkclip formats           the formats on the clipboard, one per line
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/copied_line_ends.h"
#include "platform/line_ends.h"
#include "platform/runtime_dir.h"

namespace {

constexpr char kUsage[] =
    "usage: brkclip copy [--column] | brkclip paste | brkclip formats\n";

int Fail(const char* message) {
  std::fprintf(stderr, "brkclip: %s\n", message);
  return 1;
}

int Copy(bool column) {
  std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  platform::FileClipboard clipboard;
  platform::Clipboard::Format column_format = clipboard.RegisterFormat("MSVCColumnSelect");
  if (!clipboard.Open()) return Fail("the clipboard is busy");
  clipboard.Empty();
  if (column) clipboard.SetData(column_format, std::string(1, '\1'));
  const bool crlf = platform::UsesCrLf(text);
  clipboard.SetData(platform::Clipboard::kText, std::move(text));
  if (!clipboard.Close()) return Fail("the clipboard cannot be stored");
  // Without the note a later paste gives LF line ends, which a shell expects anyway.
  platform::NoteCopiedLineEnds(platform::RuntimeDirectoryPath(), crlf);
  return 0;
}

int Paste() {
  platform::FileClipboard clipboard;
  if (!clipboard.Open()) return Fail("the clipboard is busy");
  std::optional<std::string> text = clipboard.GetData(platform::Clipboard::kText);
  clipboard.Close();
  if (!text) return Fail("the clipboard holds no text");
  const std::string out = platform::ToDesktopLineEnds(
      *text, platform::CopiedTextUsedCrLf(platform::RuntimeDirectoryPath()));
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int Formats() {
  platform::FileClipboard clipboard;
  platform::FileContents file = platform::ReadWholeFile(clipboard.StorePath());
  platform::ClipboardContents contents =
      platform::ParseClipboard(file.bytes).value_or(platform::ClipboardContents{});
  for (const auto& [name, bytes] : contents) {
    std::printf("%s (%zu bytes)\n", name.c_str(), bytes.size());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "copy" && argc == 2) return Copy(false);
  if (command == "copy" && argc == 3 && std::string_view(argv[2]) == "--column") return Copy(true);
  if (command == "paste" && argc == 2) return Paste();
  if (command == "formats" && argc == 2) return Formats();
  std::fputs(kUsage, stderr);
  return 2;
}
