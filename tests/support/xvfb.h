// A private X server for one test: Xvfb on a display number it picks itself, without
// TCP, stopped (with every client's connection) when the object goes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class Xvfb {
 public:
  // `extra_args` e.g. {"-extension", "XTEST"} for a server without XTEST.
  explicit Xvfb(const std::vector<std::string>& extra_args = {});
  ~Xvfb();
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  bool running() const { return pid_ > 0; }
  // ":N"
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A display name that no server answers.
std::string UnusedDisplay();

}  // namespace testing_support
