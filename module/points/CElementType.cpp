#include "module/points/CElementType.h"

#include <algorithm>
#include <vector>

#include "base/CStringArray.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbBlockTableRecordIterator.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbObjectPointer.h"
#include "db/ResItem.h"
#include "module/points/CTextFile.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

constexpr const wchar_t* kInsert = L"INSERT";

// Tags of the attribute definitions of each block that has any, by block
// name in code-unit order; the tags of one block in drawing order.
std::multimap<CString, CString> attributedBlocks(AcDbDatabase* db) {
  std::multimap<CString, CString> blocks;
  if (!db) return blocks;
  AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId());
  if (table.openStatus() != Acad::eOk) return blocks;
  AcDbBlockTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Acad::eOk) return blocks;
  std::unique_ptr<AcDbBlockTableIterator> records(raw);

  std::vector<CString> found;
  for (records->start(); !records->done(); records->step()) {
    AcDbObjectId id;
    if (records->getRecordId(id) != Acad::eOk) continue;
    AcDbObjectPointer<AcDbBlockTableRecord> block(id);
    if (block.openStatus() != Acad::eOk || !block->hasAttributeDefinitions()) continue;
    CString name;
    block->getName(name);
    AcDbBlockTableRecordIterator* rawEntities = nullptr;
    if (block->newIterator(rawEntities) != Acad::eOk) continue;
    std::unique_ptr<AcDbBlockTableRecordIterator> entities(rawEntities);
    for (entities->start(); !entities->done(); entities->step()) {
      AcDbEntity* entity = nullptr;
      if (entities->getEntity(entity) != Acad::eOk) continue;
      // Exactly the definition class: nothing derived from it counts.
      if (entity->isA() == AcDbAttributeDefinition::desc()) {
        CString record;
        record.Format(L"%s@%s", static_cast<AcDbAttributeDefinition*>(entity)->tagConst(), name.GetString());
        found.push_back(record);
      }
      entity->close();
    }
  }
  // A tag or block name holding "@" could be cut wrongly; such a record
  // does not give two fields and is left out.
  for (const CString& record : found) {
    CStringArray fields;
    if (SplitByDelimiter(record, L"@", fields) == 2) blocks.emplace(fields[1], fields[0]);
  }
  return blocks;
}

void addItem(uv::ResItems& items, int code, const wchar_t* text) { items.push_back(uv::ResItem::ofString(code, text)); }

}  // namespace

BOOL CElementType::CreateTree(CWnd* owner, const RECT& rect) {
  if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, owner, kControlId)) return FALSE;
  setControlName(kControlName);
  InsertColumn(0, CModuleConfiguration::GetMsg(22090), LVCFMT_LEFT, 150);
  InsertColumn(1, CModuleConfiguration::GetMsg(288));
  SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);

  const unsigned mask = m_nTypeMask;
  if (mask & kPoint) addTypeRow(312, L"POINT");
  if (mask & kCircle) addTypeRow(972, L"CIRCLE");
  if (mask & kText) {
    addTypeRow(821, L"TEXT");
    CString choices;
    choices.Format(L"%s|%s", kNoChoice, CModuleConfiguration::GetMsg(1257).GetString());
    SetRowOption(GetItemCount() - 1, choices, kNoChoice);
  }
  if (mask & kLine) addTypeRow(4191, L"LINE");
  if (mask & kArc) addTypeRow(5023, L"ARC");
  if (mask & kLwPolyline) addTypeRow(221, L"LWPOLYLINE");
  if (mask & (k2dPolyline | k3dPolyline)) addTypeRow(CString(L"2D / 3D") + CModuleConfiguration::GetMsg(221), L"POLYLINE");
  if (mask & kFace) addTypeRow(4995, L"3DFACE");
  if (mask & kBlockReference) {
    addTypeRow(5024, kInsert);
    addBlockRows();
  }
  return TRUE;
}

void CElementType::addTypeRow(UINT labelId, const wchar_t* type) { addTypeRow(CModuleConfiguration::GetMsg(labelId), type); }

void CElementType::addTypeRow(const CString& label, const wchar_t* type) {
  int row = AddRow(label, TRUE);
  SetRowData(row, std::make_unique<CRowData>(type, CString()));
}

void CElementType::addBlockRows() {
  const std::multimap<CString, CString> blocks = attributedBlocks(acdbCurDwg());
  for (auto it = blocks.begin(); it != blocks.end();) {
    const CString name = it->first;
    CString choices(kNoChoice);
    for (; it != blocks.end() && it->first == name; ++it) choices += L"|" + it->second;
    CString label;
    label.Format(CModuleConfiguration::GetMsg(5025), name.GetString());
    int row = AddRow(label, TRUE);
    SetRowData(row, std::make_unique<CRowData>(kInsert, name));
    SetRowOption(row, choices, kNoChoice);
  }
}

const CElementType::CRowData* CElementType::RowData(int row) const {
  return dynamic_cast<const CRowData*>(GetRowData(row));
}

void CElementType::CheckAll() { SetAllChecks(TRUE); }

void CElementType::UncheckAll() { SetAllChecks(FALSE); }

void CElementType::CheckFromSample(const std::set<CString>& types, const std::set<CString>& blocks) {
  for (int row = 0; row < GetItemCount(); ++row) {
    const CRowData* data = RowData(row);
    if (!data || !types.count(data->m_strType)) continue;
    if (data->m_strBlock.IsEmpty() || blocks.count(data->m_strBlock)) SetCheck(row, TRUE);
  }
}

resbuf* CElementType::BuildSelectionFilter() const {
  uv::ResItems items;
  addItem(items, -4, L"<OR");
  for (int row = 0; row < GetItemCount(); ++row) {
    const CRowData* data = RowData(row);
    if (!data || !GetCheck(row)) continue;
    if (data->m_strType != kInsert) {
      addItem(items, 0, data->m_strType);
      continue;
    }
    addItem(items, -4, L"<AND");
    addItem(items, 0, kInsert);
    // A block's own row takes its references; the general row the
    // references whose attributes-follow flag is 0.
    if (data->m_strBlock.IsEmpty()) items.push_back(uv::ResItem::ofInt(66, 0));
    else addItem(items, 2, data->m_strBlock);
    addItem(items, -4, L"AND>");
  }
  addItem(items, -4, L"OR>");
  return uv::chainFromItems(items);
}

bool CElementType::TakesTextElevation() const {
  for (int row = 0; row < GetItemCount(); ++row) {
    const CRowData* data = RowData(row);
    if (data && data->m_strType == L"TEXT") return GetRowOption(row) != kNoChoice;
  }
  return false;
}

int CElementType::GetBlockAttributeMap(std::map<CString, CString>& map) const {
  map.clear();
  for (int row = 0; row < GetItemCount(); ++row) {
    const CRowData* data = RowData(row);
    if (!data || data->m_strBlock.IsEmpty() || !GetCheck(row)) continue;
    const CString option = GetRowOption(row);
    map[data->m_strBlock] = option == kNoChoice ? CString() : option;
  }
  return int(map.size());
}
