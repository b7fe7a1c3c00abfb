// SPDX-License-Identifier: GPL-3.0-or-later
// What the engine tests share: an independent Delaunay triangulation to check the engine
// against, point sets, a drawing to work in and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"

class AcApDocument;
class AcDbDatabase;
class CKVLXsurface_Vantor2;
class CUniquePointSet;

namespace uv::engine::test {

// A plain Bowyer-Watson triangulation with floating-point tests, O(n^2): slow and simple, and
// written apart from the engine, so agreement means something. It works in coordinates taken
// relative to the first point, which keeps survey-sized coordinates exact enough. For points
// in general position the Delaunay triangulation is unique, so both must give the same
// surface.
class ReferenceTin {
 public:
  explicit ReferenceTin(const std::vector<AcGePoint3d>& points);

  std::optional<double> elevation(double x, double y) const;
  // Total plan length of the level's crossings (a vertex at the level counts as above it).
  double contourLength(double level) const;
  double area() const;
  std::size_t triangleCount() const { return m_triangles.size(); }

 private:
  struct Tri {
    int v[3];
  };
  std::vector<AcGePoint3d> m_p;  // relative to m_origin
  AcGePoint3d m_origin;
  std::vector<Tri> m_triangles;
};

using Height = std::function<double(double, double)>;
std::vector<AcGePoint3d> randomPoints(std::size_t n, std::uint64_t seed, double x0, double y0, double size,
                                      const Height& z);
CUniquePointSet pointSet(const std::vector<AcGePoint3d>& points);

// A document with a new drawing, current while the object lives.
class TestDrawing {
 public:
  TestDrawing();
  ~TestDrawing();
  AcDbDatabase* db() const { return m_db; }

 private:
  AcApDocument* m_doc = nullptr;
  AcDbDatabase* m_db = nullptr;
};

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::filesystem::path path(const std::string& name) const { return m_path / name; }
  std::wstring wpath(const std::string& name) const { return path(name).wstring(); }

 private:
  std::filesystem::path m_path;
};

std::vector<unsigned char> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

}  // namespace uv::engine::test
