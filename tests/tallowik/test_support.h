// Fakes and helpers shared by tallowik's tests.
#pragma once

#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ide_link.h"

namespace tallowik_testing {

// Records each execute transaction as "service|topic|data".
class FakeDdeClient : public platform::DdeClient {
 public:
  bool Execute(std::string_view service, std::string_view topic, std::string_view data) override {
    executed.push_back(std::string(service) + "|" + std::string(topic) + "|" + std::string(data));
    return answer;
  }
  std::vector<std::string> executed;
  bool answer = true;
};

// Makes `directory` the current directory for the guard's lifetime.
class CurrentDirectoryGuard {
 public:
  explicit CurrentDirectoryGuard(const std::string& directory) {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer)) saved_ = buffer;
    changed_ = chdir(directory.c_str()) == 0;
  }
  ~CurrentDirectoryGuard() {
    if (!saved_.empty() && chdir(saved_.c_str()) != 0) {
      // Nothing sensible is left to do; the next test starts elsewhere.
    }
  }
  bool changed() const { return changed_; }

 private:
  std::string saved_;
  bool changed_ = false;
};

// The current directory as the process sees it.
inline std::string CurrentDirectory() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

}  // namespace tallowik_testing
