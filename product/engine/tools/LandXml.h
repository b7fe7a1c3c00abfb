// SPDX-License-Identifier: GPL-3.0-or-later
// A surface as LandXML 1.2, the TIN interchange format of civil software:
//
//   <LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" ...>
//     <Units><Metric linearUnit="meter" .../></Units>
//     <Surfaces><Surface name="Teren" desc="...">
//       <Definition surfType="TIN" area2DSurf="..." elevMin="..." elevMax="...">
//         <Pnts><P id="1">northing easting elevation</P>...</Pnts>
//         <Faces><F>1 2 3</F>...</Faces>
//     </Definition></Surface></Surfaces>
//   </LandXML>
//
// Point ids are the surface's point indices plus one; faces run counter-clockwise in plan.
#pragma once

#include <ostream>
#include <string>

#include "tin/Surface.h"

namespace uv::kvbtool {

void writeLandXml(std::ostream& out, const tin::Surface& surface, const std::wstring& name,
                  const std::wstring& description);

}  // namespace uv::kvbtool
