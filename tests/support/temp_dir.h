// A fresh directory under $TMPDIR for one test, removed with everything in it.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string File(std::string_view name) const;
  // Writes `contents` to File(name) (bytes as given) and returns its path.
  std::string Write(std::string_view name, std::string_view contents) const;

 private:
  std::string path_;
};

// The whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace testing_support
