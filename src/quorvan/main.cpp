// quorvan: runs the one clipboard action its command line selects and ends.
#include <string>
#include <vector>

#include "quorvan/startup.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return quorvan::RunQuorvan(args);
}
