#include "db/dxf/PairStream.h"

#include <vector>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

void PairStream::advance() {
  m_peekOffset = m_reader.offset();
  m_linesBeforePeek = m_reader.line();
  m_has = m_reader.next(m_current);
  // Comments may stand anywhere; they carry nothing for the drawing.
  while (m_has && m_current.code == 999) m_has = m_reader.next(m_current);
}

void PairStream::rewindValues(const GroupReader::ValueMark& mark) {
  const std::string kept = m_has ? std::string(m_current.value()) : std::string();
  m_reader.rewindValues(mark);
  if (m_has) m_current.text = m_reader.keepValue(kept);
}

void endsEarly(const PairStream& in, const std::string& where) {
  throw DxfError(in.lastLine(), "the file ends at line " + std::to_string(in.lastLine()) + " inside " + where +
                                    " (it is cut short: no ENDSEC/EOF)");
}

DxfRecord readRecord(PairStream& in, PackedBlocks<Group>* store, const std::string& where) {
  if (in.atEnd()) endsEarly(in, where);
  const Group start = in.take();
  if (start.code != 0)
    throw DxfError(start.line, "expected group code 0 to start an object in " + where + ", found code " +
                                   std::to_string(start.code));
  DxfRecord rec;
  rec.type = std::string(start.value());
  rec.line = start.line + 1;  // the line naming the kind, after its 0
  // Gathered in a buffer kept between records, then copied to the store.
  thread_local std::vector<Group> groups;
  groups.clear();
  while (!in.atEnd() && in.peek().code != 0) groups.push_back(in.take());
  rec.setGroups(store ? store->keep(groups) : std::span<const Group>(groups));
  return rec;
}

}  // namespace uv::dxf
