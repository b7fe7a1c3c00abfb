// Internal to the DXF reader: the pairs of a GroupReader one ahead, so that
// a record ends where the next 0 group starts, and the records cut from
// them.
#pragma once

#include <string>

#include "db/dxf/DxfRecord.h"
#include "db/dxf/GroupReader.h"
#include "db/dxf/PackedBlocks.h"

namespace uv::dxf {

class PairStream {
 public:
  explicit PairStream(GroupReader& reader) : m_reader(reader) { advance(); }
  bool atEnd() const { return !m_has; }
  const Group& peek() const { return m_current; }
  Group take() {
    Group g = m_current;
    advance();
    return g;
  }
  int lastLine() const { return m_reader.line(); }
  // Where the pair peek() shows starts in the stream (-1 when the stream
  // cannot tell), and the lines of the file before it.
  long long peekOffset() const { return m_peekOffset; }
  int linesBeforePeek() const { return m_linesBeforePeek; }
  GroupReader& reader() const { return m_reader; }
  // Drops the values read since the mark, keeping the one peek() shows.
  void rewindValues(const GroupReader::ValueMark& mark);

 private:
  void advance();
  GroupReader& m_reader;
  Group m_current;
  bool m_has = false;
  long long m_peekOffset = -1;
  int m_linesBeforePeek = 0;
};

[[noreturn]] void endsEarly(const PairStream& in, const std::string& where);

// A record from its 0 group up to (not including) the next 0 group, its
// groups copied into `store`; `where` names the part of the file in errors.
// Without a store the groups stay in a buffer that the next record reuses.
DxfRecord readRecord(PairStream& in, PackedBlocks<Group>* store, const std::string& where);
inline DxfRecord readRecord(PairStream& in, PackedBlocks<Group>& store, const std::string& where) {
  return readRecord(in, &store, where);
}

}  // namespace uv::dxf
