#include "quorvan/actions/filter_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "engine/templates.h"
#include "platform/atomic_file.h"
#include "platform/command_template.h"
#include "platform/interrupt_guard.h"

namespace quorvan {
namespace {

// A temporary file made by mkstemp; removed when this object goes, whatever the path.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    CloseDescriptor();
    Remove();
  }

  // Creates a new file `directory`/`prefix`XXXXXX (mode 0600, open for writing).
  bool Create(const std::string& directory, std::string_view prefix) {
    std::string pattern = directory;
    if (pattern.empty() || pattern.back() != '/') pattern += '/';
    pattern.append(prefix);
    pattern += "XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return false;
    path_ = std::move(pattern);
    return true;
  }

  bool WriteAll(std::string_view bytes) { return platform::WriteAll(fd_, bytes); }

  bool CloseDescriptor() {
    if (fd_ < 0) return true;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

  void Remove() {
    if (path_.empty()) return;
    unlink(path_.c_str());
    path_.clear();
  }

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

// The whole regular file at `path`; nullopt when it cannot be opened or read, is not
// a regular file (a FIFO put there would block us) or is empty.
std::optional<std::string> ReadOutputFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> text;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        bytes.clear();
        break;
      }
      if (n == 0) {
        if (!bytes.empty()) text = std::move(bytes);
        break;
      }
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  return text;
}

}  // namespace

std::string TemporaryDirectory() {
  const char* directory = std::getenv("TMPDIR");
  return directory && *directory ? directory : "/tmp";
}

std::string FilterCommandLine(const config::Settings& settings, const FilterRequest& request,
                              std::string_view input_name, std::string_view output_name) {
  std::string line;
  if (request.type == kRedirectFilter) {
    line = settings.ReadSetting(engine::kDefaultsSection, kRedirectCommandLine,
                                kDefaultRedirectCommandLine);
  } else if (request.type == kFileFilter) {
    line =
        settings.ReadSetting(engine::kDefaultsSection, kFileCommandLine, kDefaultFileCommandLine);
  } else {
    line = request.command;
  }
  const platform::TemplateValue values[] = {
      {"$_Input", input_name, true},
      {"$_Output", output_name, true},
      {"$_Filter", request.command, false},
  };
  return platform::ExpandCommandTemplate(line, values);
}

std::optional<std::string> RunFilter(const config::Settings& settings,
                                     platform::ProcessRunner& processes,
                                     const FilterRequest& request, std::string_view input) {
  // Declared first so that it ends last: a signal during the run ends the filter,
  // and both files are removed before the process may end.
  platform::InterruptGuard interrupts;
  const std::string directory = TemporaryDirectory();
  // The output file is made here too, so its name stays ours until the filter runs;
  // the filter writes over it.
  TemporaryFile input_file;
  TemporaryFile output_file;
  if (!input_file.Create(directory, "quorvan-in-") ||
      !output_file.Create(directory, "quorvan-out-")) {
    return std::nullopt;
  }
  if (!output_file.CloseDescriptor()) return std::nullopt;
  if (!input_file.WriteAll(input) || !input_file.CloseDescriptor()) return std::nullopt;

  const std::string command_line =
      FilterCommandLine(settings, request, input_file.path(), output_file.path());
  if (!processes.RunAndWait(command_line, request.show_state)) return std::nullopt;
  input_file.Remove();

  std::optional<std::string> text = ReadOutputFile(output_file.path());
  output_file.Remove();
  if (text) text->resize(text->find('\0') == std::string::npos ? text->size() : text->find('\0'));
  return text;
}

}  // namespace quorvan
