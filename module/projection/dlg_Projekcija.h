// Projection of drawing entities onto a surface. The user chooses the
// entity types and layers a selection may take and presses Project: each
// selected entity is projected by its kind. Lines, arcs and polylines are
// draped over the surface as new 3D polylines; circles, points, texts and
// block references get an elevation marker (the block "KVX_ELEV" with the
// surface elevation in its attribute); texts and chosen attributes may take
// the elevation into their own text instead; 3D faces have their corners
// moved onto the surface. The dialog stays open for more until Close; it
// changes no surface and saves nothing.
//
// Whatever lies off the surface or cannot be draped is left alone without
// a word, as are the markers when their drawing cannot be found. The
// selected entities themselves keep everything but a text's string, an
// attribute's text or a face's corners.
#pragma once

#include <map>

#include "base/CString.h"
#include "db/AcDbObjectId.h"
#include "db/adsdef.h"
#include "ge/AcGePointArrays.h"
#include "module/components/CModuleDialog.h"
#include "module/points/EntityFilterPanel.h"
#include "ui/CComboBox.h"
#include "ui/CXTButton.h"

class CKVLXsurface_Vantor2;
class CKVLCLinePtr;
class CKVLCArcPtr;
class CKVLCPolylineLWPtr;
class CKVLC2dPolylinePtr;
class CKVLC3dPolylinePtr;
class CKVLCCirclePtr;
class CKVLCBlockReferencePtr;
class CKVLCPointPtr;
class CKVLCTextPtr;
class CKVLCFacePtr;

class dlg_Projekcija : public CModuleDialog {
 public:
  enum { IDD = 207 };

  dlg_Projekcija();

  BOOL OnInitDialog() override;

  // The surface projected onto.
  CString m_strSurfaceName;

  // Apply: selects entities with the dialog's filter and projects them.
  void ProjectSelection();
  // Projects the entities of a selection set, in set order, onto the
  // surface; the new entities' ids are appended to the two arrays.
  void ProjectEntities(const ads_name selection, const CKVLXsurface_Vantor2& surface, AcDbObjectIdArray& draped,
                       AcDbObjectIdArray& markers);

  CElementType& ElementTypes() { return m_filter.Types(); }
  // The marker block once loaded; null before (or while it cannot be found).
  AcDbObjectId ElevationMarkerBlock() const { return m_elevationMarkerBlock; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnTypesFromSample();
  afx_msg void OnLayersFromSample();
  afx_msg void OnCheckAll();
  afx_msg void OnUncheckAll();
  afx_msg void OnApply();
  DECLARE_MESSAGE_MAP()

 private:
  // Each returns the new entity's id, or a null id when it made none.
  AcDbObjectId ProjectLine(const CKVLXsurface_Vantor2& surface, const CKVLCLinePtr& line);
  AcDbObjectId ProjectArc(const CKVLXsurface_Vantor2& surface, const CKVLCArcPtr& arc);
  AcDbObjectId ProjectLwPolyline(const CKVLXsurface_Vantor2& surface, const CKVLCPolylineLWPtr& polyline);
  AcDbObjectId Project2dPolyline(const CKVLXsurface_Vantor2& surface, const CKVLC2dPolylinePtr& polyline);
  AcDbObjectId Project3dPolyline(const CKVLXsurface_Vantor2& surface, const CKVLC3dPolylinePtr& polyline);
  AcDbObjectId ProjectCircle(const CKVLXsurface_Vantor2& surface, const CKVLCCirclePtr& circle);
  AcDbObjectId ProjectBlockReference(const CKVLXsurface_Vantor2& surface, CKVLCBlockReferencePtr& reference);
  AcDbObjectId ProjectPoint(const CKVLXsurface_Vantor2& surface, const CKVLCPointPtr& point);
  AcDbObjectId ProjectText(const CKVLXsurface_Vantor2& surface, CKVLCTextPtr& text);
  AcDbObjectId ProjectFace(const CKVLXsurface_Vantor2& surface, CKVLCFacePtr& face);

  // The draped 3D polyline of the points and bulges; null when the drape
  // fails.
  AcDbObjectId DrapeOnSurface(const CKVLXsurface_Vantor2& surface, const AcGePoint3dArray& points,
                              const AcGeDoubleArray& bulges);
  // A marker at p reading p.z; null without a marker block.
  AcDbObjectId InsertElevationMarker(const AcGePoint3d& p);
  // Loads the marker block on first success and keeps it.
  AcDbObjectId GetElevationMarkerBlock();
  // z as elevation text ("%.2f").
  CString ElevationText(double z);

  uv::EntityFilterPanel m_filter{uv::SampleKinds::kAll};
  CComboBox m_surfaces;
  CXTButton m_apply;

  AcDbObjectId m_elevationMarkerBlock;
  CString m_strElevationFormat;
  int m_bTextTakesElevation = 0;
  std::map<CString, CString> m_blockAttributeMap;
};
