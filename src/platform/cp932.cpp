// Code page 932 <-> UTF-8 through glibc iconv, substituting "?" for whatever does not convert.
#include "platform/cp932.h"

#include <iconv.h>
#include <cerrno>
#include <cstddef>

namespace platform {

namespace {

constexpr char kSubstitute = '?';

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// How many bytes a rejected code page 932 character spans. A lead byte with a valid trail byte is an
// unassigned pair and goes as a whole, so the trail is not misread as a character of its own; a lead
// byte followed by anything else (NUL, CR, LF, ...) goes alone, so the following byte survives.
std::size_t RejectedCp932Length(const unsigned char* p, std::size_t left) {
  if (left >= 2 && IsLeadByte(p[0]) && IsTrailByte(p[1])) return 2;
  return 1;
}

bool InRange(unsigned char c, unsigned char lo, unsigned char hi) { return c >= lo && c <= hi; }

// The length of the UTF-8 character at p when it is well formed, else the length of its maximal
// well-formed prefix (at least 1): each such piece is replaced by one "?", as Unicode recommends.
std::size_t RejectedUtf8Length(const unsigned char* p, std::size_t left) {
  // Each row: first-byte range, then the allowed range of the second byte; later bytes are 80-BF.
  struct Form {
    unsigned char FirstLo, FirstHi, SecondLo, SecondHi;
    std::size_t Length;
  };
  static constexpr Form kForms[] = {
      {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
      {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
      {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
  };
  for (const Form& form : kForms) {
    if (!InRange(p[0], form.FirstLo, form.FirstHi)) continue;
    if (left < 2 || !InRange(p[1], form.SecondLo, form.SecondHi)) return 1;
    std::size_t n = 2;
    while (n < form.Length && n < left && InRange(p[n], 0x80, 0xBF)) ++n;
    return n;
  }
  return 1;
}

std::size_t WholeInput(const unsigned char*, std::size_t left) { return left; }

// A character iconv cannot encode fails in its second step, and glibc then converts the piece it was
// given again up to that character: fed whole, a text full of emoji takes quadratic time. Small pieces,
// cut where a character starts, keep each such failure cheap and cost clean text nothing measurable.
std::size_t Utf8Piece(const unsigned char* p, std::size_t left) {
  constexpr std::size_t kPiece = 128;
  if (left <= kPiece) return left;
  std::size_t size = kPiece;
  for (int back = 0; back < 3 && (p[size] & 0xC0) == 0x80; ++back) --size;
  return size;
}

// Runs the input through one iconv descriptor, `piece` bytes at a time. Wherever iconv stops at input
// it cannot convert, one "?" is written and `rejected` tells how many bytes to step over, so nothing
// after it is lost. `ratio` bounds the output bytes per input byte, so the buffer is sized once.
template <typename Rejected, typename Piece>
std::string Convert(const char* to, const char* from, std::string_view input, std::size_t ratio, Rejected rejected,
                    Piece piece) {
  std::string out;
  if (input.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without the converter only ASCII can be carried over safely.
    out.reserve(input.size());
    for (char c : input) out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : kSubstitute);
    return out;
  }
  out.resize(input.size() * ratio + 16);
  // iconv's interface takes non-const input pointers but never writes through them.
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  std::size_t used = 0;
  while (inLeft > 0) {
    char* dst = out.data() + used;
    std::size_t dstLeft = out.size() - used;
    std::size_t pieceSize = piece(reinterpret_cast<const unsigned char*>(in), inLeft);
    std::size_t pieceLeft = pieceSize;
    std::size_t result = iconv(cd, &in, &pieceLeft, &dst, &dstLeft);
    inLeft -= pieceSize - pieceLeft;
    used = out.size() - dstLeft;
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ (cannot convert) or EINVAL (incomplete at the end): substitute and step over it.
    if (used == out.size()) out.resize(out.size() * 2);
    out[used++] = kSubstitute;
    std::size_t skip = rejected(reinterpret_cast<const unsigned char*>(in), inLeft);
    in += skip;
    inLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  out.resize(used);
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
  // A code page 932 byte or pair never needs more than three UTF-8 bytes per input byte. Decoding
  // fails in iconv's first step, which is cheap, so the input goes in whole (a cut could split a pair).
  return Convert("UTF-8", "CP932", bytes, 3, RejectedCp932Length, WholeInput);
}

std::string Utf8ToCp932(std::string_view utf8) {
  // No UTF-8 character grows when written in code page 932.
  return Convert("CP932", "UTF-8", utf8, 1, RejectedUtf8Length, Utf8Piece);
}

}  // namespace platform
