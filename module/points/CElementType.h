// The list of entity types beside a dialog's layer list: one checked row
// per type the dialog's mask allows, and one row per block definition that
// has attribute definitions. Texts and those blocks carry an option in
// column 1: where their elevation comes from ("<<-->>" means nowhere, the
// entity's own Z).
//
// The checked rows give the entity-type part of the selection filter:
//
//   (-4 . "<OR")
//     (0 . "POINT") (0 . "TEXT") ...                      one per type row
//     (-4 . "<AND") (0 . "INSERT") (66 . 0) (-4 . "AND>")       general block row
//     (-4 . "<AND") (0 . "INSERT") (2 . "KOTA") (-4 . "AND>")   one block's row
//   (-4 . "OR>")
//
// and the dialog appends its layer clause (uv::BuildLayerClause).
#pragma once

#include <map>
#include <set>

#include "base/CString.h"
#include "db/resbuf.h"
#include "module/controls/CTreeListCtrl.h"

class CElementType : public CTreeListCtrl {
 public:
  // Bits of the type mask, one per kind of entity the list may offer.
  enum : unsigned {
    kLine = 0x01,
    kArc = 0x02,
    kLwPolyline = 0x04,
    k2dPolyline = 0x08,
    k3dPolyline = 0x10,
    kCircle = 0x20,
    kBlockReference = 0x40,
    kPoint = 0x80,
    kText = 0x100,
    kFace = 0x200,
    kAllTypes = 0xFFFFFFFFu,
  };
  // The id and script name of the list in its dialog.
  static constexpr UINT kControlId = 229;
  static constexpr const wchar_t* kControlName = L"IDC_TYPES";
  // The option that chooses nothing.
  static constexpr const wchar_t* kNoChoice = L"<<-->>";

  // What a row stands for: a type name of the selection filter and, on
  // the rows of single blocks, the block's name.
  class CRowData : public CTreeListRowData {
   public:
    CRowData(const CString& type, const CString& block) : m_strType(type), m_strBlock(block) {}
    CString m_strType;
    CString m_strBlock;
  };

  CElementType() = default;

  // Which rows CreateTree makes; every bit is set until the dialog says
  // otherwise.
  void SetTypeMask(unsigned mask) { m_nTypeMask = mask; }
  unsigned GetTypeMask() const { return m_nTypeMask; }

  // Makes the list over `rect` of `owner` (client coordinates) and adds
  // the rows; the block rows come from the working drawing.
  BOOL CreateTree(CWnd* owner, const RECT& rect);

  void CheckAll();
  void UncheckAll();
  // Checks the rows of the sampled types; a block's row only when its
  // block was sampled. Unchecks nothing.
  void CheckFromSample(const std::set<CString>& types, const std::set<CString>& blocks);

  // A new chain, released by the caller with acutRelRb.
  resbuf* BuildSelectionFilter() const;
  // Whether texts take their elevation from their text: the option of the
  // first "TEXT" row, checked or not.
  bool TakesTextElevation() const;
  // Block name to attribute tag, for each checked block row ("" when its
  // option chooses nothing). Returns the map's size.
  int GetBlockAttributeMap(std::map<CString, CString>& map) const;

  // The row's data; null for a row of another owner.
  const CRowData* RowData(int row) const;

 private:
  void addTypeRow(UINT labelId, const wchar_t* type);
  void addTypeRow(const CString& label, const wchar_t* type);
  void addBlockRows();

  unsigned m_nTypeMask = kAllTypes;
};
