// brkclip: the shell's door to the suite's clipboard store, so that an editor or a
// script can hand text to quorvan and take its result back.
//
//   brkclip copy [--column]   standard input becomes the clipboard text (with
//                             --column marked as a column selection)
//   brkclip paste             the clipboard text to standard output, each CR LF
//                             turned into LF unless the text last copied with
//                             brkclip copy used CR LF
//   brkclip formats           the formats on the clipboard, one per line
//
// It works with the clipboard of the desktop that BRACKWATER_DESKTOP chooses.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/copied_line_ends.h"
#include "platform/desktop_choice.h"
#include "platform/line_ends.h"
#include "platform/runtime_dir.h"

namespace {

constexpr char kUsage[] = "usage: brkclip copy [--column] | brkclip paste | brkclip formats\n";

int Fail(const char* message) {
  std::fprintf(stderr, "brkclip: %s\n", message);
  return 1;
}

// The chosen desktop; its problem, if any, is told once.
platform::Desktop OpenDesktop() {
  platform::Desktop desktop =
      platform::MakeDesktop(nullptr, {.desktop_line_ends = false, .module_directory = ""});
  if (!desktop.error.empty()) std::fprintf(stderr, "brkclip: %s\n", desktop.error.c_str());
  return desktop;
}

int Copy(bool column) {
  std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  platform::Desktop desktop = OpenDesktop();
  platform::Clipboard& clipboard = *desktop.clipboard;
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
  platform::Desktop desktop = OpenDesktop();
  platform::Clipboard& clipboard = *desktop.clipboard;
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
  platform::Desktop desktop = OpenDesktop();
  if (desktop.kind != platform::DesktopKind::kSocket) {
    if (!desktop.transport) return 1;
    for (const std::string& target :
         desktop.transport->Targets().value_or(std::vector<std::string>{})) {
      std::printf("%s\n", target.c_str());
    }
    return 0;
  }
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
