// Enumerations of the drawing database, under the host's names. They have
// a fixed underlying type, so that any number read from a file can be held
// (and then refused) without undefined behaviour.
#pragma once

#include "base/WinTypes.h"

namespace Adesk {
// Graphics-system marker of a sub-entity; only 0 ("the whole entity") is used.
using GsMarker = IntPtr;
}  // namespace Adesk

namespace AcDb {

enum OpenMode : int { kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Line weights in hundredths of a millimetre, plus the three symbolic values.
enum LineWeight : int {
  kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
  kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
  kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
  kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200, kLnWt211 = 211,
  kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3
};

// Which operands of intersectWith may be extended beyond their ends.
enum Intersect : int { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

enum Poly2dType : int { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
enum Poly3dType : int { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
enum Vertex2dType : int { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
enum Vertex3dType : int { k3dSimpleVertex = 0, k3dControlVertex = 1, k3dFitVertex = 2 };

enum Visibility : int { kVisible = 0, kInvisible = 1 };

enum TextHorzMode : int { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode : int { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

// The DXF group codes that selection filters and extended data name most often.
enum DxfCode {
  kDxfInvalid = -9999,
  kDxfXDictionary = -6,
  kDxfPReactors = -5,
  kDxfOperator = -4,
  kDxfXDataStart = -3,
  kDxfHeaderId = -2,
  kDxfFirstEntId = -2,
  kDxfEnd = -1,
  kDxfStart = 0,
  kDxfText = 1,
  kDxfXRefPath = 1,
  kDxfShapeName = 2,
  kDxfBlockName = 2,
  kDxfAttributeTag = 2,
  kDxfSymbolTableName = 2,
  kDxfAttributePrompt = 3,
  kDxfHandle = 5,
  kDxfLinetypeName = 6,
  kDxfTextStyleName = 7,
  kDxfLayerName = 8,
  kDxfXCoord = 10,
  kDxfYCoord = 20,
  kDxfZCoord = 30,
  kDxfElevation = 38,
  kDxfThickness = 39,
  kDxfReal = 40,
  kDxfTxtSize = 40,
  kDxfAngle = 50,
  kDxfVisibility = 60,
  kDxfColor = 62,
  kDxfHasSubentities = 66,
  kDxfInt16 = 70,
  kDxfInt32 = 90,
  kDxfSubclass = 100,
  kDxfNormalX = 210,
  kDxfSoftPointerId = 330,
  kDxfHardPointerId = 340,
  kDxfLineWeight = 370,
  kDxfComment = 999,
  kDxfXdAsciiString = 1000,
  kDxfRegAppName = 1001,
  kDxfXdControlString = 1002,
  kDxfXdLayerName = 1003,
  kDxfXdBinaryChunk = 1004,
  kDxfXdHandle = 1005,
  kDxfXdXCoord = 1010,
  kDxfXdWorldXCoord = 1011,
  kDxfXdWorldXDisp = 1012,
  kDxfXdWorldXDir = 1013,
  kDxfXdReal = 1040,
  kDxfXdDist = 1041,
  kDxfXdScale = 1042,
  kDxfXdInteger16 = 1070,
  kDxfXdInteger32 = 1071
};

}  // namespace AcDb
