#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const TCliArgs args(argv + 1, argv + argc);
  return CliMain(args, std::cout, std::cerr);
}
