#include "platform/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool EscapableInDoubleQuotes(char c) {
  return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n';
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;  // also true for a word that so far is only "" or ''
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (IsBlank(c)) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
      ++i;
    } else if (c == '\\') {
      if (i + 1 == line.size()) {
        word += '\\';
        in_word = true;
        ++i;
      } else if (line[i + 1] == '\n') {
        i += 2;
      } else {
        word += line[i + 1];
        in_word = true;
        i += 2;
      }
    } else if (c == '\'') {
      std::size_t close = line.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(line.substr(i + 1, close - i - 1));
      in_word = true;
      i = close + 1;
    } else if (c == '"') {
      in_word = true;
      ++i;
      for (;;) {
        if (i == line.size()) return std::nullopt;
        char d = line[i];
        if (d == '"') {
          ++i;
          break;
        }
        if (d == '\\' && i + 1 < line.size() && EscapableInDoubleQuotes(line[i + 1])) {
          if (line[i + 1] != '\n') word += line[i + 1];
          i += 2;
        } else {
          word += d;
          ++i;
        }
      }
    } else {
      word += c;
      in_word = true;
      ++i;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

bool PosixProcessRunner::RunAndWait(std::string_view command_line, int show_state) {
  std::optional<std::vector<std::string>> words = SplitCommandLine(command_line);
  if (!words || words->empty() || words->front().empty()) return false;
  std::vector<char*> argv;
  for (std::string& word : *words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  bool prepared = true;
  if (show_state == kShowHidden) {
    prepared = posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
  }
  pid_t pid = 0;
  int error = prepared ? posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) : -1;
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace platform
