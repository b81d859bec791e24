// Prints the C library's wording of each error named, one a line: the tests expect tally's
// reasons in the words of the library it runs on, which differ from one to the next.
// Usage: strerror EIO ENOSPC ...
#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  static const struct {
    const char *name;
    int code;
  } known[] = {{"EAGAIN", EAGAIN}, {"EBADF", EBADF},   {"EIO", EIO},
               {"EISDIR", EISDIR}, {"ENOSPC", ENOSPC}, {"EPIPE", EPIPE}};
  for (int i = 1; i < argc; i++) {
    const char *words = nullptr;
    for (const auto &k : known)
      if (std::strcmp(argv[i], k.name) == 0)
        words = std::strerror(k.code);
    if (!words) {
      std::fprintf(stderr, "strerror: unknown error name %s\n", argv[i]);
      return 2;
    }
    std::printf("%s\n", words);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
