#pragma once

#include "base/AcArray.h"
#include "AcGePoint2d.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"

using AcGePoint3dArray = AcArray<AcGePoint3d>;
using AcGePoint2dArray = AcArray<AcGePoint2d>;
using AcGeVector3dArray = AcArray<AcGeVector3d>;
