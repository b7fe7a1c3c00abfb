// SPDX-License-Identifier: GPL-3.0-or-later
// One contour line, open in the drawing while it is labelled.
//
// A label is the contour's level as text, centred on the picked point, turned along the contour
// and never upside down (its angle kept within -90..+90 degrees). Beneath the text lies a
// wipeout, a box a little larger than the text that masks the contour there, so the contour
// stays one whole polyline and the text reads on a clear ground:
//
//         ----------+---------------+----------      contour (one polyline)
//                   | wipeout 102.5 |                text on top of its wipeout
//         ----------+---------------+----------
//
// LoadWipeout() makes wipeouts available in the working drawing (its wipeout settings) and
// switches the masking on for the labels drawn after it.
#pragma once

#include <boost/shared_ptr.hpp>

#include "base/CString.h"
#include "db/AcDb.h"
#include "db/AcDbObjectId.h"
#include "ge/AcGePoint3d.h"
#include "product/engine/CIzoLineLabelDefinition.h"

class AcDbEntity;

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
  // gives the direction) and appends the ids of what it made to ids: the wipeout (when the
  // definition masks and masking is loaded), then the text. 1 on success, 0 when the contour
  // is not open or not a lightweight polyline.
  int DrawLabel(const AcGePoint3d& point,
                boost::shared_ptr<Vantor2_Configurations::CIzoLineLabelDefinition> definition,
                AcDbObjectIdArray& ids);

  // Makes wipeouts available in the working drawing; 1 when they are.
  static int LoadWipeout();
  static bool MaskingLoaded();
  // The length the text takes at that height, a little more than the fonts it is drawn in.
  static double LabelLength(const CString& text, double height, double widthFactor);

 private:
  AcDbEntity* m_pEntity = nullptr;
};
