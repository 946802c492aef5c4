#include "quorvan/filter_mode.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

#include "config/registry_file.h"
#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/line_ends.h"
#include "quorvan/action_table.h"
#include "quorvan/app.h"
#include "quorvan/clipboard_exchange.h"
#include "quorvan/startup.h"
#include "quorvan/ui_loader.h"

namespace quorvan {
namespace {

constexpr char kNotAFilterMessage[] =
    "quorvan: filter mode (--filter) runs one of the actions /0, /1, /2, /4, /5, /7 or /9;\n"
    "the others have no text to give.\n";

constexpr int kColumnInsertAction = 7;
constexpr int kRtfAsTextAction = 9;

// The editor is the caller: there is no window to copy from or paste into, and the
// open request is never made by a filter action.
class NoIdeLink : public platform::IdeLink {
 public:
  void CopySelection() override {}
  void PasteResult() override {}
  void PositionForPaste(int) override {}
  bool OpenFileInIde(std::string_view) override { return false; }
};

// A started command (the external filter) would otherwise write into our standard
// output, which carries the result alone; its output goes to standard error instead.
class StandardOutputShieldingRunner : public platform::ProcessRunner {
 public:
  explicit StandardOutputShieldingRunner(platform::ProcessRunner& inner) : inner_(inner) {}

  bool RunAndWait(std::string_view command_line, int show_state) override {
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    if (saved < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
      if (saved >= 0) close(saved);
      return inner_.RunAndWait(command_line, platform::kShowHidden);
    }
    bool started = inner_.RunAndWait(command_line, show_state);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    return started;
  }

 private:
  platform::ProcessRunner& inner_;
};

// All of `fd` up to its end; false on a read error.
bool ReadAll(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool IsOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

// `text` with every line end CR LF. The templates' lines end in LF, the actions'
// own separators in CR LF; for a selection with CR LF line ends the result follows
// it throughout instead of mixing the two.
std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

bool IsFilterAction(int action) {
  switch (action) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 5:
    case 7:
    case 9:
      return true;
    default:
      return false;
  }
}

FilterOutcome RunFilterAction(config::Settings& settings, platform::ProcessRunner& processes,
                              UserInterface& ui, const CommandLineValues& command_line,
                              const std::string& program_directory, std::string_view input) {
  FilterOutcome failed{kExitActionFailed, std::string(input)};
  if (!IsFilterAction(command_line.action)) return {kExitUsage, std::string(input)};
  const int action = command_line.action;
  if (input.find('\0') != std::string_view::npos && action != 1 && action != 5) {
    // Text stops at a zero byte, so the result would silently drop the rest.
    ui.Beep();
    return failed;
  }

  platform::MemoryClipboard clipboard;
  std::string text(input);
  // Column insert makes one line per line end of the selection; a selection whose
  // last line has no line end still means that line.
  const bool completed_last_line =
      action == kColumnInsertAction && !text.empty() && text.back() != '\n';
  if (completed_last_line) text += '\n';
  if (action == kRtfAsTextAction) {
    clipboard.Put(kRichTextFormatName, std::move(text));
  } else {
    clipboard.Put(platform::kTextFormatName, std::move(text));
  }
  // The editor's selection is the column to insert into.
  if (action == kColumnInsertAction) clipboard.Put(kColumnFormatName, std::string(1, '\1'));

  NoIdeLink ide;
  App app{settings, clipboard, ide, processes, ui, command_line, program_directory};
  if (!RunAction(app, action)) return failed;

  std::optional<std::string> result = clipboard.Get(platform::kTextFormatName);
  // Success without a new text (the external filter over an empty selection) leaves
  // the selection as it was.
  if (!result || *result == input) return {kExitSuccess, std::string(input)};
  if (completed_last_line) {
    if (result->ends_with("\r\n")) {
      result->resize(result->size() - 2);
    } else if (result->ends_with('\n')) {
      result->pop_back();
    }
  }
  if (platform::UsesCrLf(input)) return {kExitSuccess, WithCrLfLineEnds(*result)};
  return {kExitSuccess, platform::ToDesktopLineEnds(*result, false)};
}

int RunFilterMode(const CommandLineValues& command_line, const std::string& program_directory) {
  // With standard output closed, the next file opened would take its place and
  // receive the result; there is nowhere to give the text.
  if (!IsOpen(STDOUT_FILENO)) return kExitActionFailed;

  std::string input;
  if (!ReadAll(STDIN_FILENO, input)) return kExitActionFailed;

  FilterOutcome outcome;
  if (!IsFilterAction(command_line.action)) {
    std::fputs(kNotAFilterMessage, stderr);
    outcome = {kExitUsage, input};
  } else {
    config::RegistryFileStore store(config::DefaultRegistryPath());
    config::Settings settings(store);
    platform::PosixProcessRunner posix_processes;
    StandardOutputShieldingRunner processes(posix_processes);
    std::unique_ptr<UserInterface> ui =
        MakeUserInterface(program_directory, AnswerSource::kTerminalOnly);
    outcome = RunFilterAction(settings, processes, *ui, command_line, program_directory, input);
  }
  // A reader that has gone away is a failed write, not the end of the program. Set
  // only now, so that the filters started before do not inherit it.
  std::signal(SIGPIPE, SIG_IGN);
  if (!platform::WriteAll(STDOUT_FILENO, outcome.output)) return kExitActionFailed;
  return outcome.exit_status;
}

}  // namespace quorvan
