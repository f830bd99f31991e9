#include "cli/decode.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return mojihyo::RunDecode(args, std::cout, std::cerr);
}
