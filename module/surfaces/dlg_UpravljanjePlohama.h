// The surface manager: the surfaces of the current drawing and the
// operations on them (make current, new, edit, delete, attach a surface
// file, read one into the drawing, write one out). The current surface's
// row is yellow, a surface whose data cannot be read is red and cannot be
// made current. The engine's surfaces are saved however the dialog ends,
// when it is destroyed.
#pragma once

#include <optional>
#include <vector>

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CImageList.h"
#include "ui/CListCtrl.h"

class dlg_NovaPloha;

class dlg_UpravljanjePlohama : public CModuleDialog {
 public:
  enum { IDD = 209 };

  static constexpr COLORREF kCurrentColour = 0x00FFFF;
  static constexpr COLORREF kUnavailableColour = 0x0000FF;
  static constexpr COLORREF kPlainColour = 0xFFFFFF;

  dlg_UpravljanjePlohama();
  ~dlg_UpravljanjePlohama() override;

  BOOL OnInitDialog() override;

  // -1 when no row is current.
  int CurrentRow() const { return m_nCurrentRow; }
  // The row's background: its colour once it was given one, else white.
  COLORREF RowColour(int row) const;
  bool IsRowUnavailable(int row) const;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

  afx_msg void OnSetCurrent();
  afx_msg void OnNew();
  afx_msg void OnEdit();
  afx_msg void OnDelete();
  afx_msg void OnDeleteFile();
  afx_msg void OnAttach();
  afx_msg void OnReadFile();
  afx_msg void OnWriteFile();
  afx_msg void OnItemChanged(NMHDR* header, LRESULT* result);
  afx_msg void OnCustomDraw(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  // Made the first time a row is given a colour.
  struct RowRecord {
    COLORREF background = kPlainColour;
    bool unavailable = false;
  };

  int AddRow(const CKVLSurfaceManager::CSurfaceDesc& desc, bool available);
  void ColourRow(int row, COLORREF colour);
  bool MakeCurrent(int row);
  void DeleteSelected(UINT questionId);
  void ChooseSuccessor(int removedRow);
  CString SelectedName() const;
  // Appends the row of a surface just made and makes it current.
  void ShowNewSurface(const CString& name, const CString& description);
  // The name and description a surface file holds; false (after telling
  // the user) when the file cannot be read as one.
  bool ReadFileHeader(const CString& path, CString& name, CString& description);
  CString UniqueNameForFile(const CString& fileName) const;
  // The open-file dialog, then the chosen file's header and the unique name
  // its surface gets; false when cancelled or refused.
  bool ChooseSurfaceFile(CString& path, CString& name, CString& description);
  void Report(UINT formatId, const CString& first, const CString& second);
  // In a message box over `owner` (this dialog or the new-surface dialog above it).
  static void Report(CWnd& owner, UINT formatId, const CString& first, const CString& second);
  // Buttons 215, 217, 218, 220 and 222 for a row that is (or is not) selected.
  void ShowButtonsFor(int row, bool selected);
  // OK in the new-surface dialog: checks its file and makes the surface; false (after telling
  // the user) keeps that dialog open.
  bool CreateFromDialog(dlg_NovaPloha& dialog);
  bool AcceptNewSurfaceFile(dlg_NovaPloha& dialog);

  int m_nCurrentRow = -1;
  std::vector<std::optional<RowRecord>> m_rowRecords;
  HINSTANCE m_hResources = nullptr;

  CListCtrl m_list;
  CImageList m_images;
  CKVLBitmapButton m_btnSetCurrent;
  CKVLBitmapButton m_btnNew;
  CKVLBitmapButton m_btnEdit;
  CKVLBitmapButton m_btnDelete;
  CKVLBitmapButton m_btnAttach;
  CKVLBitmapButton m_btnDeleteFile;
  CKVLBitmapButton m_btnReadFile;
  CKVLBitmapButton m_btnWriteFile;
};
