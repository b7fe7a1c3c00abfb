// Internal to the DXF reader: the records of a list of entities (a block's,
// or an ENTITIES section's), handed to the loader one at a time, either
// from a parsed document or read again from the stream so that a drawing of
// millions of entities is never held whole as groups.
#pragma once

#include <deque>
#include <istream>
#include <string_view>
#include <vector>

#include "db/dxf/DxfDocument.h"
#include "db/dxf/PairStream.h"

namespace uv::dxf {

class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The next record, null after the last; valid until letGo().
  virtual const DxfRecord* next() = 0;
  // The kind of the record next() gives next, empty after the last.
  virtual std::string_view peekType() const = 0;
  // The records handed out so far are no longer needed.
  virtual void letGo() {}
};

class HeldRecords : public RecordSource {
 public:
  explicit HeldRecords(const std::vector<DxfRecord>& records) : m_records(records) {}
  const DxfRecord* next() override { return m_at < m_records.size() ? &m_records[m_at++] : nullptr; }
  std::string_view peekType() const override {
    return m_at < m_records.size() ? std::string_view(m_records[m_at].type) : std::string_view();
  }

 private:
  const std::vector<DxfRecord>& m_records;
  size_t m_at = 0;
};

// The records of an ENTITIES section, read again from where the document
// noted it starts.
class StreamedRecords : public RecordSource {
 public:
  StreamedRecords(std::istream& in, const StreamedSection& section);
  const DxfRecord* next() override;
  std::string_view peekType() const override;
  void letGo() override;

 private:
  GroupReader m_reader;
  PairStream m_pairs;
  PackedBlocks<Group> m_groups;
  std::deque<DxfRecord> m_records;
  GroupReader::ValueMark m_values;
  bool m_done = false;
};

}  // namespace uv::dxf
