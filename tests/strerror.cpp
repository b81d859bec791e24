// Prints the C library's words for the errors the tests pose, one a line, in this order: the
// tests expect tally's reasons in the words of the library it runs on, which differ.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

int main() {
  for (int e : {EIO, ENOSPC, EBADF, EISDIR, EAGAIN, EPIPE})
    std::printf("%s\n", std::strerror(e));
  return std::fflush(stdout) == 0 ? 0 : 1;
}
