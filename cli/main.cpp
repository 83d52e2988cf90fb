// mirukaze-cli: the command-line face of the furigana engine.
#include <iostream>

#include "cli/run.h"

int main(int argc, char** argv) { return cli::Run(argc, argv, std::cout, std::cerr); }
