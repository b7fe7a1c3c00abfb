// Text values of DXF files. Files of AC1021 (R2007) and later hold UTF-8.
// Older files hold their code page ($DWGCODEPAGE) and write other
// characters as \U+XXXX escapes; as many writers put UTF-8 into such files
// all the same, bytes that form valid UTF-8 are taken as UTF-8 and only the
// rest as Windows-1252 (the code page of nearly all such files).
//
// We write AC1021 files in UTF-8 (what ezdxf and other current readers
// expect of that version), with control characters escaped as \U+XXXX so
// that a text never breaks the line structure.
#pragma once

#include <string>
#include <string_view>

namespace uv::dxf {

class TextCodec {
 public:
  // utf8: the file is AC1021 or later.
  explicit TextCodec(bool utf8 = true) : m_utf8(utf8) {}
  std::wstring decode(std::string_view raw) const;
  static std::string encode(std::wstring_view text);

 private:
  bool m_utf8;
};

// Whether the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view s);

}  // namespace uv::dxf
