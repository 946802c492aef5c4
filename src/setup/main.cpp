// setup: installs the suite from the directory that holds this program.
#include "setup/setup_program.h"

int main() { return setup::RunSetup(); }
