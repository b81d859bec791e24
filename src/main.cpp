// tally: echo standard input line by line, then count its lines and words.
// BSD-2-Clause; see LICENSE.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>

// C's standard error, not std::cerr: unsynced from stdio, std::cerr gets a buffer of its
// own, and would send what failed to go out again with the next message. C's is unbuffered:
// format first, so that a message is one write.
#if defined(__GNUC__)
#define printflike __attribute__((format(printf, 1, 2)))
#else
#define printflike
#endif
printflike static void say(const char *fmt, ...) {
  char msg[256];
  va_list ap;
  va_start(ap, fmt);
  int n = std::vsnprintf(msg, sizeof msg, fmt, ap);
  va_end(ap);
  if (n > 0)
    std::fwrite(msg, 1, n < int(sizeof msg) ? n : sizeof msg - 1, stderr);
}

[[noreturn]] static void fail(const char *what, int err) {
  say("tally: %s error: %s\n", what, std::strerror(err ? err : EIO));
  // Not exit: it would flush standard output again and send the failed bytes twice.
  std::_Exit(1);
}

int main(int argc, char **) {
  // Ignored, but not in silence: `tally file` would otherwise wait at a terminal, or count an
  // empty input in a script, and look right.
  if (argc > 1)
    say("tally: ignoring arguments; reading standard input\n");
  // The per-line flush already costs a system call; keep the streams from adding more.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  // Echoes go straight to the buffer: a sentry per call costs more than the copy.
  std::streambuf *out = std::cout.rdbuf();

  const std::streamsize max = 80; // a read stores at most 79 bytes and a NUL
  char line[100] = {};
  static_assert(sizeof line > max, "the word count reads the buffer up to line[max]");
  static_assert(max / 2 < 256, "a read's words are counted in a byte");
  long long lines = 0, words = 0; // at a word per 2 bytes, 2^63 is beyond any input
  bool inword = false;
  int rerr = 0;
  // The long test takes words past 2^32 but cannot take lines there: that is 2^32 writes.
  static_assert(std::numeric_limits<decltype(lines)>::digits >= 63 &&
                    std::numeric_limits<decltype(words)>::digits >= 63,
                "lines and words count in 64 bits: no test reaches 2^32 lines");

  for (;;) {
    std::cin.getline(line, max);
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

    // A word starts at a non-space after a space. The loop covers all a read can fill, so
    // that it compiles to a few vector operations and no branch on the line's length; what
    // lies past the line (left over from longer lines before) is made spaces, which start
    // no word.
    if (len > 0) {
      std::memset(line + len, ' ', max + 1 - len);
      unsigned char n = !inword && line[0] != ' ';
      for (int i = 1; i <= max; i++) // 80 steps: whole vectors, no scalar tail
        n += (line[i - 1] == ' ') & (line[i] != ' ');
      words += n;
      inword = line[len - 1] != ' ';
    }

    // A full buffer with no line feed yet: the rest of the line follows.
    if (st == std::ios::failbit) {
      std::cin.clear();
      if (out->sputn(line, len) != len)
        fail("write", errno);
      continue;
    }

    line[len] = '\n'; // just past the piece, which is at most 79 bytes
    if (out->sputn(line, len + 1) != len + 1 || out->pubsync() != 0)
      fail("write", errno);
    lines++;
    inword = false;
    // The input ended with this line.
    if (st != std::ios::goodbit)
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
