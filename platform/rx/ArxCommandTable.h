// A module's table of commands: one static record per command, kept in the
// order in which they were declared. AcRxArxApp registers them on
// kInitAppMsg and removes them on kUnloadAppMsg, in that order.
//
// The table must exist before the first record adds itself; a function-local
// static in the module gives that:
//
//   uv::ArxCommandTable& commandTable() { static uv::ArxCommandTable t; return t; }
//   static uv::ArxCommandTable::Record points(commandTable(),
//       {L"KVLXUIVantor2", L"POINTS", L"POINTS", ACRX_CMD_TRANSPARENT, &cmdPoints});
#pragma once

#include <vector>

#include "AcEdCommand.h"

namespace uv {

struct ArxCommandEntry {
  const wchar_t* group;
  const wchar_t* globalName;
  const wchar_t* localName;
  Adesk::Int32 flags;
  AcRxFunctionPtr function;
  AcEdUIContext* uiContext = nullptr;
};

class ArxCommandTable {
 public:
  void add(const ArxCommandEntry& entry) { m_entries.push_back(entry); }
  const std::vector<ArxCommandEntry>& entries() const { return m_entries; }

  // Adds its entry to the table when constructed (at static initialisation).
  class Record {
   public:
    Record(ArxCommandTable& table, const ArxCommandEntry& entry) { table.add(entry); }
  };

 private:
  std::vector<ArxCommandEntry> m_entries;
};

}  // namespace uv
