// tally: echo standard input line by line, then count its lines and words.
// BSD-2-Clause; see LICENSE.
#include <cerrno>
#include <cstring>
#include <iostream>

static int fail(const char *what, int err) {
  std::cerr << "tally: " << what << " error: " << std::strerror(err) << '\n';
  return 1;
}

int main(int, char **) {
  // The per-line flush already costs a system call; keep the streams from adding more.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);

  char line[100];
  const std::streamsize max = 80; // a read stores at most 79 bytes and a NUL
  long long lines = 0, words = 0;
  bool more = false; // the current line did not fit and is being read in pieces
  bool inword = false;
  int rerr = 0;

  for (;;) {
    std::cin.getline(line, max);
    std::ios::iostate st = std::cin.rdstate();
    std::streamsize len = std::cin.gcount();
    if (st == std::ios::goodbit)
      --len; // the line feed: consumed, not stored
    else if (st & std::ios::badbit)
      rerr = errno ? errno : EIO;
    if (st != std::ios::goodbit && len == 0 && !more)
      break;

    std::cout.write(line, len);
    for (std::streamsize i = 0; i < len; i++) {
      if (line[i] == ' ')
        inword = false;
      else if (!inword)
        inword = true, words++;
    }
    // A full buffer with no line feed yet: the rest of the line follows.
    if (st == std::ios::failbit) {
      std::cin.clear();
      more = true;
      if (!std::cout)
        return fail("write", errno);
      continue;
    }

    std::cout << std::endl;
    lines++;
    if (more)
      std::cout << "line " << lines << " too long" << std::endl;
    if (!std::cout)
      return fail("write", errno);
    more = inword = false;
    if (st != std::ios::goodbit)
      break;
  }

  std::cout << "lines " << lines << std::endl;
  std::cout << "words " << words << std::endl;
  if (!std::cout)
    return fail("write", errno);
  if (rerr)
    return fail("read", rerr);
  return 0;
}
