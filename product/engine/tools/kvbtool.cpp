// SPDX-License-Identifier: GPL-3.0-or-later
// kvbtool: surface files (.kvb) from the command line, for pipelines.
//
//   kvbtool build OUT.kvb POINTS.xyz [--breaklines SEGMENTS] [--name NAME] [--description TEXT] [--replace]
//   kvbtool info FILE.kvb
//   kvbtool export FILE.kvb --format landxml|csv|csv-triangles [--output OUT] [--replace]
//   kvbtool elevation FILE.kvb POINTS.xy [--output OUT] [--replace]
//
// A file already at OUT is replaced only with --replace; without it, it is kept and the
// command fails (exit code 3). OUT is never one of the command's own input files, --replace
// or not: that would lose the input to a typing slip.
//
// Exit codes: 0 done, 1 wrong usage, 2 bad or missing input, 3 the output could not be written.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/TextCase.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/engine/KvbFormat.h"
#include "base/SafeFileWriter.h"
#include "LandXml.h"
#include "TextColumns.h"

namespace {

using uv::kvbtool::InputError;

constexpr int kUsage = 1;
constexpr int kInput = 2;
constexpr int kOutput = 3;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const char* const kUsageText =
    "usage:\n"
    "  kvbtool build OUT.kvb POINTS.xyz [--breaklines SEGMENTS] [--name NAME] [--description TEXT]\n"
    "                [--edge-limit LENGTH] [--replace]\n"
    "  kvbtool info FILE.kvb\n"
    "  kvbtool export FILE.kvb --format landxml|csv|csv-triangles [--output OUT] [--replace]\n"
    "  kvbtool elevation FILE.kvb POINTS.xy [--output OUT] [--replace]\n"
    "A file already at OUT is kept (and the command fails) unless --replace is given.\n"
    "POINTS.xyz: one point a line, x y z; SEGMENTS: x1 y1 z1 x2 y2 z2; POINTS.xy: x y.\n"
    "Fields may be separated by blanks, tabs, commas or semicolons; '#' starts a comment.\n";

// Positional arguments and --options of one command.
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  bool replace = false;  // --replace: the output may replace a file already there

  // `known`: the options that take a value; --replace, which takes none, goes with any command that writes.
  static Arguments parse(int argc, char** argv, int first, const std::vector<std::string>& known,
                         bool writes = true) {
    Arguments a;
    for (int i = first; i < argc; ++i) {
      std::string arg = argv[i];
      if (writes && arg == "--replace") {
        a.replace = true;
      } else if (arg.rfind("--", 0) == 0) {
        bool ok = false;
        for (const auto& k : known) ok = ok || k == arg;
        if (!ok) throw UsageError("unknown option " + arg);
        if (i + 1 >= argc) throw UsageError(arg + " needs a value");
        a.options[arg] = argv[++i];
      } else {
        a.positional.push_back(arg);
      }
    }
    return a;
  }
  std::string option(const std::string& key, const std::string& fallback = "") const {
    const auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
  }
};

std::string number(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", v);
  return buffer;
}

// The whole file, checked, rebuilt into a surface.
std::unique_ptr<CKVLXsurface_Vantor2> loadSurface(const std::string& path,
                                                  uv::engine::SurfaceFileContent* contentOut = nullptr) {
  uv::engine::SurfaceFileContent content;
  std::string error;
  if (!uv::engine::readSurfaceFile(uv::fromUtf8(path), uv::engine::KvbDepth::Whole, content, error))
    throw InputError(path + ": " + error);
  auto surface = std::make_unique<CKVLXsurface_Vantor2>(nullptr);
  if (!surface->LoadContent(content)) throw InputError(path + ": " + surface->LastError());
  if (contentOut) *contentOut = std::move(content);
  return surface;
}

// Writes the file through a temporary one; a file already there is someone's work, replaced
// only when the command line says so, and never when it is one of the command's inputs.
void writeOutput(const std::string& path, const std::vector<unsigned char>& bytes, bool replace,
                 const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (std::filesystem::equivalent(path, input, ec))
      throw OutputError(path + ": it is the input file " + input + ", which was kept; choose another output");
  }
  if (!replace && uv::checkWriteTarget(uv::fromUtf8(path)).state == uv::WriteTarget::State::kExisting)
    throw OutputError(path + ": the file exists already and was kept; --replace replaces it");
  std::string error;
  if (!uv::replaceFile(uv::fromUtf8(path), bytes, error)) throw OutputError(path + ": " + error);
}

// To the file --output names, or to standard output.
void emit(const Arguments& a, const std::string& text) {
  const std::string output = a.option("--output");
  if (output.empty() || output == "-") {
    std::cout << text;
    if (!std::cout.flush()) throw OutputError("cannot write to standard output");
    return;
  }
  writeOutput(output, std::vector<unsigned char>(text.begin(), text.end()), a.replace, a.positional);
}

int build(const Arguments& a) {
  if (a.positional.size() != 2) throw UsageError("build needs OUT.kvb and POINTS.xyz");
  const std::string out = a.positional[0], pointsPath = a.positional[1];
  CUniquePointSet points;
  for (const auto& r : uv::kvbtool::readColumns(pointsPath, 3, true)) points.AddPoint(AcGePoint3d(r[0], r[1], r[2]));
  CKVLXsurface_Vantor2 surface(nullptr);
  surface.SetPoints(points);
  std::size_t refused = 0;
  if (const std::string lines = a.option("--breaklines"); !lines.empty())
    for (const auto& r : uv::kvbtool::readColumns(lines, 6, false))
      if (surface.SetBreakLine(AcGePoint3d(r[0], r[1], r[2]), AcGePoint3d(r[3], r[4], r[5])) != 1) ++refused;
  std::string name = a.option("--name");
  if (name.empty()) {
    name = out.substr(out.find_last_of('/') + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  }
  surface.SetName(CString(name));
  surface.SetDescription(CString(a.option("--description")));
  // Outer triangles with a side longer than the limit are peeled away: the
  // gaps between separate parts of a survey stay open.
  if (const std::string limit = a.option("--edge-limit"); !limit.empty()) {
    char* end = nullptr;
    const double length = std::strtod(limit.c_str(), &end);
    if (*end || !(length >= 0) || !std::isfinite(length))
      throw UsageError("--edge-limit needs a length of 0 or more (0: no limit), not \"" + limit + "\"");
    uv::engine::SurfaceFileContent content = surface.FileContent();
    content.definition.settings.maxEdgeLength = length;
    if (!surface.LoadContent(content)) throw InputError(pointsPath + ": " + surface.LastError());
  }
  std::vector<std::string> inputs = {pointsPath};
  if (const std::string lines = a.option("--breaklines"); !lines.empty()) inputs.push_back(lines);
  writeOutput(out, uv::engine::encodeSurfaceFile(surface.FileContent()), a.replace, inputs);
  std::cerr << "kvbtool: " << out << ": " << surface.PointCount() << " points, " << surface.TriangleCount()
            << " triangles";
  if (refused) std::cerr << "; " << refused << " break lines of no length skipped";
  std::cerr << '\n';
  return 0;
}

int info(const Arguments& a) {
  if (a.positional.size() != 1) throw UsageError("info needs FILE.kvb");
  uv::engine::SurfaceFileContent content;
  const auto loaded = loadSurface(a.positional[0], &content);
  const CKVLXsurface_Vantor2& surface = *loaded;
  std::ostringstream s;
  const auto& h = content.header;
  s << "name: " << uv::toUtf8(h.name) << '\n'
    << "description: " << uv::toUtf8(h.description) << '\n'
    << "points: " << content.definition.points.size() << '\n'
    << "vertices: " << surface.PointCount() << '\n'
    << "break lines: " << content.definition.breakLines.size() << '\n'
    << "swaps: " << content.definition.swaps.size() << '\n'
    << "triangles: " << surface.TriangleCount() << '\n';
  const AcDbExtents e = surface.Boundary();
  if (e.isEmpty()) {
    s << "extents: none\n";
  } else {
    const auto lo = e.minPoint(), hi = e.maxPoint();
    s << "extents: " << number(lo.x) << ' ' << number(lo.y) << ' ' << number(lo.z) << " .. " << number(hi.x) << ' '
      << number(hi.y) << ' ' << number(hi.z) << '\n';
  }
  std::cout << s.str();
  if (!std::cout.flush()) throw OutputError("cannot write to standard output");
  return 0;
}

int exportSurface(const Arguments& a) {
  if (a.positional.size() != 1) throw UsageError("export needs FILE.kvb");
  const std::string format = a.option("--format");
  if (format != "landxml" && format != "csv" && format != "csv-triangles")
    throw UsageError("export needs --format landxml, csv or csv-triangles");
  uv::engine::SurfaceFileContent content;
  const auto surface = loadSurface(a.positional[0], &content);
  const tin::Surface& tin = surface->Triangulation().Surface();
  std::ostringstream s;
  if (format == "landxml") {
    uv::kvbtool::writeLandXml(s, tin, content.header.name, content.header.description);
  } else if (format == "csv") {
    s << "id,x,y,z\n";
    const auto& vertices = tin.mesh().vertices;
    for (std::size_t i = 0; i < vertices.size(); ++i)
      s << i << ',' << number(vertices[i].x) << ',' << number(vertices[i].y) << ',' << number(vertices[i].z) << '\n';
  } else {
    s << "id,a,b,c\n";
    const auto& triangles = tin.triangles();
    for (std::size_t i = 0; i < triangles.size(); ++i)
      s << i << ',' << triangles[i].v[0] << ',' << triangles[i].v[1] << ',' << triangles[i].v[2] << '\n';
  }
  emit(a, s.str());
  return 0;
}

int elevation(const Arguments& a) {
  if (a.positional.size() != 2) throw UsageError("elevation needs FILE.kvb and POINTS.xy");
  const auto surface = loadSurface(a.positional[0]);
  AcGePoint3dArray points;
  for (const auto& r : uv::kvbtool::readColumns(a.positional[1], 2, true)) points.append(AcGePoint3d(r[0], r[1], 0.0));
  AcGeDoubleArray z;
  AcArray<int> found;
  surface->Elevations(points, z, found);
  std::ostringstream s;
  for (int i = 0; i < points.length(); ++i) {
    s << number(points[i].x) << ' ' << number(points[i].y) << ' ';
    if (found[i] == 1) s << number(z[i]) << '\n';
    else s << "off-surface\n";
  }
  emit(a, s.str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsageText;
    return kUsage;
  }
  const std::string command = argv[1];
  try {
    if (command == "build")
      return build(Arguments::parse(argc, argv, 2, {"--breaklines", "--name", "--description", "--edge-limit"}));
    if (command == "info") return info(Arguments::parse(argc, argv, 2, {}, false));
    if (command == "export") return exportSurface(Arguments::parse(argc, argv, 2, {"--format", "--output"}));
    if (command == "elevation") return elevation(Arguments::parse(argc, argv, 2, {"--output"}));
    if (command == "--help" || command == "help") {
      std::cout << kUsageText;
      return 0;
    }
    throw UsageError("unknown command " + command);
  } catch (const UsageError& e) {
    std::cerr << "kvbtool: " << e.what() << '\n' << kUsageText;
    return kUsage;
  } catch (const InputError& e) {
    std::cerr << "kvbtool: " << e.what() << '\n';
    return kInput;
  } catch (const OutputError& e) {
    std::cerr << "kvbtool: " << e.what() << '\n';
    return kOutput;
  }
}
