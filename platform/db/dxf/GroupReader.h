// Reads a DXF text stream as (group code, value) pairs, each with the line
// of the file its code is on:
//
//      0        <- line 7: code 0
//   LINE        <- line 8: its value
//      8
//   ROADS
//
// Refuses what is not DXF text with a DxfError naming the line: binary DXF,
// a code line that is not a number, NUL bytes, a code without its value
// line. Values keep their bytes; only the line end (LF or CR LF) is removed.
// A value's text lives as long as its reader: a file of millions of groups
// then costs no allocation per group.
#pragma once

#include <cstdint>
#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/dxf/PackedBlocks.h"

namespace uv::dxf {

// Sixteen bytes: a drawing of millions of faces holds tens of millions of
// these while it is read. The text is NUL-terminated (a value never holds a
// NUL: the reader refuses one), so its length need not be kept.
struct Group {
  const char* text = "";  // held by the reader that read it
  int line = 0;           // line of the code; the value is on line + 1
  std::int16_t code = 0;  // -10..1071

  std::string_view value() const { return text; }
};

class GroupReader {
 public:
  // `linesBefore`: the lines of the file before the stream's position, for
  // a reader that starts in the middle of a file (see offset()).
  explicit GroupReader(std::istream& in, int linesBefore = 0);

  // The next pair; false at the end of the input between two pairs.
  bool next(Group& group);
  // The last line read (for "file ends at line N").
  int line() const { return m_line; }
  // Where in the stream the next pair starts, -1 for a stream that cannot
  // tell (a pipe): seeking there and reading on with a new reader gives the
  // same pairs again.
  long long offset() const { return m_base < 0 ? -1 : m_base + static_cast<long long>(m_pos); }
  std::istream& stream() const { return m_in; }

  // The values read are kept until the reader goes; a reader that takes a
  // file a record at a time drops them record by record instead.
  using ValueMark = PackedBlocks<char>::Mark;
  ValueMark valueMark() const { return m_values.mark(); }
  void rewindValues(const ValueMark& m) { m_values.rewind(m); }
  const char* keepValue(std::string_view text) { return m_values.keepTerminated(text); }

 private:
  // The next line, valid until the next read; false at the end.
  bool readLine(std::string_view& text);
  // The code of a plainly written code line lying whole in the buffer,
  // taking the line; false (taking nothing) for any other.
  bool quickCode(int& code);
  // Reads on into the buffer, keeping what is not taken yet; false at the end.
  bool refill();
  std::istream& m_in;
  int m_line = 0;
  long long m_base = -1;  // the stream's offset of m_buf[0], -1 when unknown
  // The file is read a megabyte at a time and cut into lines here, rather
  // than line by line through the stream.
  std::string m_buf;
  size_t m_pos = 0;
  size_t m_nul = std::string::npos;  // the first NUL in m_buf not passed yet
  bool m_end = false;
  PackedBlocks<char> m_values;  // the text of the values read
};

}  // namespace uv::dxf
