// Running awk over one file into another: `awk -f SCRIPT` with its standard input
// read from the input file and its standard output written to the output file. No
// shell takes part, so names with blanks, quotes or leading dashes stay whole.
#pragma once

#include <string>
#include <vector>

namespace ferrul {

enum class AwkResult {
  kRan,               // awk ran to its end; its exit status does not count
  kCannotStart,       // no awk on PATH, or it could not be started
  kInputUnreadable,   // the input file cannot be opened for reading
  kOutputUnwritable,  // the output file cannot be made or written
};

// The argument vector: `program` -f `script_file`.
std::vector<std::string> AwkArguments(const std::string& program, const std::string& script_file);

class AwkRunner {
 public:
  virtual ~AwkRunner() = default;
  virtual AwkResult Run(const std::string& script_file, const std::string& input_file,
                        const std::string& output_file) = 0;
};

// Starts `program` (looked up on PATH) and waits without a time limit. Awk writes to a
// temporary file beside the output file that replaces the output when awk has
// ended, so an output that names the input file does not destroy the input before
// awk reads it, and an awk that cannot start leaves the output as it was. Where no
// temporary file can be made beside it, the output file is written directly.
class PosixAwkRunner : public AwkRunner {
 public:
  explicit PosixAwkRunner(std::string program = "awk") : program_(std::move(program)) {}
  AwkResult Run(const std::string& script_file, const std::string& input_file,
                const std::string& output_file) override;

 private:
  std::string program_;
};

}  // namespace ferrul
