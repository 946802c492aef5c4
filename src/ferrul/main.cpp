// ferrul: transforms one text file into another with an awk script.
#include <string>
#include <vector>

#include "ferrul/ferrul_program.h"

int main(int argc, char** argv) {
  return ferrul::RunFerrulProgram(std::vector<std::string>(argv + 1, argv + argc));
}
