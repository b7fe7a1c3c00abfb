#include "db/dxf/RecordSource.h"

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

const std::string kWhere = "the ENTITIES section";

std::istream& seekTo(std::istream& in, const StreamedSection& section) {
  in.clear();
  in.seekg(std::streamoff(section.offset));
  if (!in) throw DxfError(section.linesBefore + 1, "the file cannot be read again from its ENTITIES section");
  return in;
}

}  // namespace

StreamedRecords::StreamedRecords(std::istream& in, const StreamedSection& section)
    : m_reader(seekTo(in, section), section.linesBefore), m_pairs(m_reader), m_values(m_reader.valueMark()) {}

const DxfRecord* StreamedRecords::next() {
  if (m_done) return nullptr;
  DxfRecord rec = readRecord(m_pairs, m_groups, kWhere);
  if (rec.type == "ENDSEC") {
    m_done = true;
    return nullptr;
  }
  // The document read the same bytes once already; a file changed since may differ.
  if (rec.type == "EOF" || rec.type == "SECTION") throw DxfError(rec.line, kWhere + " has no ENDSEC");
  return &m_records.emplace_back(std::move(rec));
}

std::string_view StreamedRecords::peekType() const {
  if (m_done || m_pairs.atEnd() || m_pairs.peek().code != 0) return {};
  return m_pairs.peek().value();
}

void StreamedRecords::letGo() {
  m_records.clear();
  m_groups.rewind({});
  m_pairs.rewindValues(m_values);
}

}  // namespace uv::dxf
