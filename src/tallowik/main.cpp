// tallowik: generates a new class's files, from its sheet or from the command line.
#include <string>
#include <vector>

#include "tallowik/startup.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tallowik::RunTallowik(args);
}
