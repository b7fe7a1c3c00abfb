// Drawing of new entities into the current space of the working database.
// Each entity takes the drawing's current layer, linetype, colour (ByLayer)
// and line weight. Every function returns the new entity's id, or a null id
// when nothing was drawn (lastStatus() then says why). When a pointer is
// given, it receives the new entity open for write; otherwise the entity is
// closed before the function returns.
#pragma once

#include "base/CString.h"
#include "base/CStringArray.h"
#include "db/AcDbObjectId.h"
#include "ge/AcGePointArrays.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"

class CKVLCDraw {
 public:
  static AcDbObjectId line(const AcGePoint3d& p1, const AcGePoint3d& p2, CKVLCLinePtr* pointer = nullptr);

  // A triangle: the flags are the visibilities of its sides p1-p2, p2-p3 and
  // p3-p1. (The face repeats p3 as its fourth corner; the third flag covers
  // both edges that end at that corner.)
  static AcDbObjectId face(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, bool visible1,
                           bool visible2, bool visible3, CKVLCFacePtr* pointer = nullptr);
  // A quadrilateral: the flags are the visibilities of the edges p1-p2,
  // p2-p3, p3-p4 and p4-p1.
  static AcDbObjectId face(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                           const AcGePoint3d& p4, bool visible1, bool visible2, bool visible3, bool visible4,
                           CKVLCFacePtr* pointer = nullptr);

  // A lightweight polyline through the x and y of the points, at the
  // elevation of the first point. `width` is the constant width of every
  // segment (0: a plain line); `closed` non-zero closes it. Fewer than two
  // points draw nothing (eInvalidInput); a negative width too.
  static AcDbObjectId polylineLW(const AcGePoint3dArray& points, double width, int closed,
                                 CKVLCPolylineLWPtr* pointer = nullptr);

  // A 3D polyline through the points; `closed` non-zero closes it. Fewer
  // than two points draw nothing (eInvalidInput).
  static AcDbObjectId polyline3d(const AcGePoint3dArray& points, int closed, CKVLC3dPolylinePtr* pointer = nullptr);

  // The block definition `name` of the working database, read from a drawing
  // file when the drawing does not have it yet; its id, or null.
  //
  // The file is found as acedFindFile finds it (a bare name in the drawing's
  // folder, the current folder and the support folders; a ".dwg" name as its
  // ".dxf" twin, the host reading DXF). From the file the block of that name
  // is taken, or, when the file has no such block, the file's model space,
  // as inserting a whole drawing as a block does. Layers, linetypes and text
  // styles the block uses are added when the drawing lacks them. A block the
  // drawing has already is returned as it is, without reading the file.
  // A file that cannot be read is reported on the command line with its name
  // and line; lastError() keeps the message.
  static AcDbObjectId insertBlockDefinition(const wchar_t* name, const wchar_t* file);

  // A reference to `block` at `position`, scaled by `scale` in x, y and z.
  // The block's attribute definitions become attributes in definition order
  // (constant definitions give none, as the host shows their text from the
  // block itself); the i-th attribute gets texts[i], or the definition's
  // default text when the array is shorter. A scale of 0 or a null or
  // unknown block draws nothing.
  static AcDbObjectId insertBlockReference(AcDbObjectId block, const AcGePoint3d& position, const CStringArray& texts,
                                           double scale, CKVLCBlockReferencePtr* pointer = nullptr);

  // Why the last function drew nothing (eOk after a success), and for a file
  // that could not be read, the message.
  static Acad::ErrorStatus lastStatus();
  static const CString& lastError();
};
