// Contour lines of a surface in a major and a minor class, each with its
// colour, linetype, line weight and levels. OK merges the levels of both
// classes (a level in both stays major), has the engine trace each level
// in ascending order, styles every contour polyline by its class, puts all
// of them on the surface's contour layer and, if asked, into one group.
//
// The line weight of a class reaches each polyline as the entity's line
// weight property (DXF group 370), as a CAD user sets it by hand.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "module/contours/CContourClass.h"
#include "module/contours/ContourLevels.h"
#include "ui/CComboBox.h"

class CKVLXsurface_Vantor2;

class dlg_Slojnice : public CModuleDialog {
 public:
  enum { IDD = 226 };

  dlg_Slojnice();

  BOOL OnInitDialog() override;

  // The surface contoured.
  CString m_strSurfaceName;
  CString m_strMinHeight;
  CString m_strMaxHeight;
  // Levels of each class: 0 by interval over a range, 1 as a list.
  int m_nMajorMode = 0;
  int m_nMinorMode = 0;
  int m_bDrawAtZero = 0;
  int m_bGroup = 0;
  int m_bDrawMinor = 0;

  // The heights of the surface and the ranges of both classes; nothing
  // when no surface is selected or it does not open.
  void UpdateRangesFromSurface();
  // The enabling rules, from the members.
  void ApplyEnabling();
  // The levels of each class (the minor class's only when it is drawn).
  std::vector<double> CollectMajorLevels() const;
  std::vector<double> CollectMinorLevels() const;

  CContourClass& MajorClass() { return m_major; }
  CContourClass& MinorClass() { return m_minor; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

  afx_msg void OnModeClicked();
  afx_msg void OnSurfaceChanged();
  afx_msg void OnMajorAdd();
  afx_msg void OnMajorDelete();
  afx_msg void OnMinorAdd();
  afx_msg void OnMinorDelete();
  DECLARE_MESSAGE_MAP()

 private:
  // False, after telling the user, when an interval of a class that will
  // be drawn by interval cannot make levels.
  bool CheckIntervals();
  // Traces the merged levels and styles, files and groups what was drawn.
  void DrawContours();

  CComboBox m_surfaces;
  CContourClass m_major;
  CContourClass m_minor;
};
