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
  // Echoes go straight to the buffer: a sentry per call costs more than the copy.
  std::streambuf *out = std::cout.rdbuf();

  char line[100] = {};            // zeroed: the word count reads past the line
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

    // A word starts at a non-space after a space. The loop covers all a read can fill and
    // masks off what lies past the line, so that it compiles to a few vector operations
    // and no branch that depends on the line's length.
    if (len > 0) {
      unsigned char n = !inword && line[0] != ' ', end = static_cast<unsigned char>(len);
      for (unsigned char i = 1; i <= max; i++) // 80 steps: whole vectors, no scalar tail
        n += (i < end) & (line[i - 1] == ' ') & (line[i] != ' ');
      words += n;
      inword = line[len - 1] != ' ';
    }

    // A full buffer with no line feed yet: the rest of the line follows.
    if (st == std::ios::failbit) {
      std::cin.clear();
      more = true;
      if (out->sputn(line, len) != len)
        return fail("write", errno);
      continue;
    }

    line[len] = '\n'; // over the NUL; a whole line is at most 79 bytes
    if (out->sputn(line, len + 1) != len + 1 || out->pubsync() != 0)
      return fail("write", errno);
    lines++;
    if (more) {
      std::cout << "line " << lines << " too long" << std::endl;
      if (!std::cout)
        return fail("write", errno);
    }
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
