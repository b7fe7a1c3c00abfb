// Turning the bytes of a text file into UTF-8 and UTF-8 into wide text, for
// the point file reader. Everything that is not valid in its encoding reads
// as U+FFFD, so what comes out is always valid UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace uv::text {

enum class Encoding { kCp1250, kUtf8, kUtf16LE, kUtf16BE, kUtf32LE, kUtf32BE, kScsu };

// The encoding that the first bytes announce with a byte-order mark, and the
// mark's length; kCp1250 and 0 when there is none. Longer marks are tried
// first, so FF FE 00 00 is UTF-32, not UTF-16.
Encoding encodingFromMark(const unsigned char* bytes, size_t count, size_t& markLength);
bool isUnicodeMark(Encoding encoding);

// Decodes a file's bytes after its mark, block by block. A sequence cut by
// the end of a block is kept for the next one; finish() ends a truncated
// one with U+FFFD.
class Decoder {
 public:
  explicit Decoder(Encoding encoding) : m_encoding(encoding) {}
  // Appends the UTF-8 of `bytes` to `out`.
  void decode(const char* bytes, size_t count, std::string& out);
  void finish(std::string& out);

 private:
  void decodeUtf8(const unsigned char* p, const unsigned char* end, std::string& out);
  void decodeCp1250(const unsigned char* p, const unsigned char* end, std::string& out);
  void decodeUtf16(const unsigned char* p, const unsigned char* end, std::string& out);
  void decodeUtf32(const unsigned char* p, const unsigned char* end, std::string& out);

  Encoding m_encoding;
  std::string m_pending;        // bytes of a sequence the block cut
  char32_t m_highSurrogate = 0;  // UTF-16: a high surrogate waiting for its pair
};

void appendUtf8(char32_t code, std::string& out);
// Appends the wide text of valid UTF-8 (the decoder's output).
void appendWide(std::string_view utf8, std::wstring& out);
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);
// The first character of valid UTF-8 text, 0 for the empty text.
char32_t firstCharacter(std::string_view utf8);
// True when every byte of the text is below 0x80.
bool isAscii(std::string_view text);
// The number of characters of valid UTF-8 text.
size_t characterCount(std::string_view utf8);
// The byte offset behind the first `characters` characters (the text's
// size when it has fewer).
size_t offsetOfCharacter(std::string_view utf8, size_t characters);

}  // namespace uv::text
