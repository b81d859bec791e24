// tally(1). BSD-2-Clause; see LICENSE.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

// Messages go to C's stderr, which is unbuffered: one write each. std::cerr, unsynced from
// stdio, would keep a message that failed to go out and send it again with the next.
[[noreturn]] static void fail(const char *what, int err) {
#ifdef _WIN32
  // The C runtime takes a pipe whose reader has gone for a bad argument; the system's own
  // error says which: 232 on Windows, 233 under Wine.
  if (err == EINVAL && (_doserrno == 232 || _doserrno == 233))
    err = EPIPE;
#endif
  char msg[256];
  std::snprintf(msg, sizeof msg, "tally: %s error: %s\n", what, std::strerror(err ? err : EIO));
  std::fputs(msg, stderr);
  std::_Exit(1); // exit would flush standard output again, and send the failed bytes twice
}

int main(int argc, char **) {
  if (argc > 1) // `tally file` would otherwise wait at a terminal, and look right
    std::fputs("tally: ignoring arguments; reading standard input (usage: tally < file)\n", stderr);
  // The per-line flush already costs a system call; keep the streams from adding more.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  std::streambuf *out = std::cout.rdbuf(); // a sentry per echo costs more than the copy

  const std::streamsize limit = 80; // getline's: a read stores at most 79 bytes and a NUL
  char line[100] = {};
  static_assert(sizeof line > limit, "the word count reads line[limit]");
  long long lines = 0, words = 0; // past 2^32
  bool inword = false;            // a word runs on from the piece before
  int rerr = 0;

  for (;;) {
    std::cin.getline(line, limit);
    std::ios::iostate st = std::cin.rdstate();
    std::streamsize len = std::cin.gcount();
    // A library that reads through C stdio takes a read error for end of file.
    if ((st & std::ios::badbit) || ((st & std::ios::eofbit) && std::ferror(stdin)))
      rerr = errno ? errno : EIO;
    if (st == std::ios::goodbit)
      --len; // the line feed: consumed, not stored
    // A full buffer sets failbit only once a byte other than a line feed follows, so a read
    // that takes nothing never leaves a line unfinished.
    if (st != std::ios::goodbit && len == 0)
      break;

    // A word starts at a non-space after a space. Spaces past the piece let the loop take a
    // fixed 80 steps, which compile to whole vectors; the steps past the piece add 0.
    if (len > 0) {
      std::memset(line + len, ' ', limit + 1 - len);
      static_assert((limit + 1) / 2 <= UCHAR_MAX, "n holds the words of a piece");
      unsigned char n = !inword && line[0] != ' ';
      for (int i = 1; i <= limit; i++)
        n += (line[i - 1] == ' ') & (line[i] != ' ');
      words += n;
    }

    // A full buffer with no line feed yet: the rest of the line follows.
    if (st == std::ios::failbit) {
      std::cin.clear();
      inword = line[len - 1] != ' ';
      if (out->sputn(line, len) != len)
        fail("write", errno);
      continue;
    }
    line[len] = '\n';
    if (out->sputn(line, len + 1) != len + 1 || out->pubsync() != 0)
      fail("write", errno);
    lines++;
    inword = false;
    if (st != std::ios::goodbit) // the input ended with this line
      break;
  }

  std::cout << "lines " << lines << std::endl;
  std::cout << "words " << words << std::endl;
  if (!std::cout)
    fail("write", errno);
  if (rerr)
    fail("read", rerr);
  return 0;
}
