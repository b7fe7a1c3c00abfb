// A hatch read from a drawing file: its boundary loops (closed rings of
// world points: arcs, elliptic arcs and splines cut into short pieces), its
// pattern and whether it is a solid fill. The file's record is kept whole
// and written back as it came (pattern lines, seed points, gradients and
// associations included, which the database does not model), under the
// hatch's current layer; the hatch is therefore not made or changed by
// commands, only read, drawn and selected.
#pragma once

#include <string>
#include <vector>

#include "AcDbRawEntity.h"

class AcDbHatch : public AcDbRawEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbHatch);
  UV_DECLARE_CLONE(AcDbHatch);
  enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
  // Loop flags as files give them (group 92).
  enum HatchLoopType { kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 16 };
  struct Loop {
    int type = kDefault;
    std::vector<AcGePoint3d> points;  // world coordinates; the last joins the first
  };
  struct Pattern {
    std::wstring name;
    HatchPatternType type = kPreDefined;
    bool solid = false;
    double angle = 0;  // radians
    double scale = 1;
  };

  AcDbHatch() = default;
  AcDbHatch(uv::RawGroups record, Pattern pattern, double elevation, const AcGeVector3d& normal,
            std::vector<Loop> loops)
      : AcDbRawEntity("HATCH", std::move(record)), m_pattern(std::move(pattern)), m_elevation(elevation),
        m_normal(normal), m_loops(std::move(loops)) {}

  const std::wstring& patternName() const { return m_pattern.name; }
  HatchPatternType patternType() const { return m_pattern.type; }
  bool isSolidFill() const { return m_pattern.solid; }
  double patternAngle() const { return m_pattern.angle; }
  double patternScale() const { return m_pattern.scale; }
  double elevation() const { return m_elevation; }
  AcGeVector3d normal() const { return m_normal; }
  int numLoops() const { return int(m_loops.size()); }
  int loopTypeAt(int index) const;
  Acad::ErrorStatus getLoopAt(int index, std::vector<AcGePoint3d>& points) const;

  // The boundary as closed rings of straight pieces.
  bool getCurvePath(uv::CurvePath& path) const override;

 private:
  Pattern m_pattern;
  double m_elevation = 0;
  AcGeVector3d m_normal{0, 0, 1};
  std::vector<Loop> m_loops;
};
