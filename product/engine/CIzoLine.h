// SPDX-License-Identifier: GPL-3.0-or-later
// One contour line, open in the drawing while it is labelled.
//
// A label is the contour's level as text, centred on the picked point, turned along the contour
// and never upside down (its angle kept within -90..+90 degrees). The drawing has no masking
// entity, so the contour is kept out from behind the text by a gap: the stretch of the contour
// under the text (plus a margin) is cut out. An open contour cut in its middle becomes two
// polylines (the second a copy of the first's properties and tag), a closed one becomes open at
// the gap. LoadWipeout() switches this masking on for the labels drawn after it.
#pragma once

#include <boost/shared_ptr.hpp>
#include <vector>

#include "db/AcDb.h"
#include "db/AcDbObjectId.h"
#include "ge/AcGePoint3d.h"
#include "product/engine/CIzoLineLabelDefinition.h"

class AcDbEntity;
class AcDbPolyline;

class CIzoLine {
 public:
  CIzoLine() = default;
  explicit CIzoLine(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForWrite) { Open(id, mode); }
  ~CIzoLine() { Close(); }
  CIzoLine(const CIzoLine&) = delete;
  CIzoLine& operator=(const CIzoLine&) = delete;

  Acad::ErrorStatus Open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForWrite);
  void Close();
  bool IsOpen() const { return m_pEntity != nullptr; }
  AcDbEntity* Entity() const { return m_pEntity; }

  // Draws one label at the point (on or near the contour; the nearest stretch of the contour
  // gives the direction) and appends the ids of what it made to ids. 1 on success, 0 when
  // the contour is not open or not a lightweight polyline.
  int DrawLabel(const AcGePoint3d& point,
                boost::shared_ptr<Vantor2_Configurations::CIzoLineLabelDefinition> definition,
                AcDbObjectIdArray& ids);

  // Makes the masking of labels available; 1 when it is.
  static int LoadWipeout();
  static bool MaskingLoaded();

 private:
  AcDbPolyline* PieceNear(const AcGePoint3d& point, AcDbPolyline*& opened);
  void CutGap(AcDbPolyline& piece, const AcGePoint3d& point, double halfLength);

  AcDbEntity* m_pEntity = nullptr;
  std::vector<AcDbObjectId> m_pieces;  // parts cut off this contour by earlier labels
};
