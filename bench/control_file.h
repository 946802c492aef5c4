// A control file in $TMPDIR for the life of a benchmark.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class ControlFile {
 public:
  explicit ControlFile(const std::string& text) {
    const char* tmp = std::getenv("TMPDIR");
    path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/brk-bench-XXXXXX";
    int fd = mkstemp(path_.data());
    if (fd < 0) return;
    std::FILE* file = fdopen(fd, "wb");
    ok_ = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok_ = std::fclose(file) == 0 && ok_;
  }
  ~ControlFile() { std::remove(path_.c_str()); }
  ControlFile(const ControlFile&) = delete;
  ControlFile& operator=(const ControlFile&) = delete;

  const std::string& path() const { return path_; }
  // Whether the text was written whole.
  bool ok() const { return ok_; }

 private:
  std::string path_;
  bool ok_ = false;
};
