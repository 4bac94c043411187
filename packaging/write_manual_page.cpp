// Writes the manual page to the file named by the one argument; the build
// runs it and compresses the page for installing.
#include <cstdio>
#include <fstream>

#include "cli/manual_page.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_manual_page FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << tovalia::ManualPage();
  out.close();
  if (!out) {
    std::fprintf(stderr, "write_manual_page: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
