// SPDX-License-Identifier: GPL-3.0-or-later
#include "LandXml.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/TextCase.h"
#include "product/engine/SimpleXml.h"

namespace uv::kvbtool {

namespace {

std::string attr(const std::wstring& text) { return uv::toUtf8(uv::engine::xmlEscape(text)); }

std::string number(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", v);
  return buffer;
}

}  // namespace

void writeLandXml(std::ostream& out, const tin::Surface& surface, const std::wstring& name,
                  const std::wstring& description) {
  const tin::Mesh& mesh = surface.mesh();
  const tin::Extents e = surface.extents();
  double area = 0.0;
  for (const auto& t : mesh.triangles) {
    const auto &a = mesh.vertices[t.v[0]], &b = mesh.vertices[t.v[1]], &c = mesh.vertices[t.v[2]];
    area += 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
  }
  const std::time_t now = std::time(nullptr);
  char date[16] = "", time[16] = "";
  std::tm tm{};
  if (gmtime_r(&now, &tm)) {
    std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
    std::strftime(time, sizeof time, "%H:%M:%S", &tm);
  }
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\" date=\"" << date
      << "\" time=\"" << time << "\">\n"
      << "  <Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
         "angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\"/></Units>\n"
      << "  <Application name=\"kvbtool\" desc=\"KVLX Vantor2 surface tool\"/>\n"
      << "  <Surfaces>\n"
      << "    <Surface name=\"" << attr(name) << "\" desc=\"" << attr(description) << "\">\n"
      << "      <Definition surfType=\"TIN\" area2DSurf=\"" << number(area) << "\"";
  if (!e.empty) out << " elevMin=\"" << number(e.min.z) << "\" elevMax=\"" << number(e.max.z) << "\"";
  out << ">\n        <Pnts>\n";
  for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
    const auto& p = mesh.vertices[i];
    out << "          <P id=\"" << i + 1 << "\">" << number(p.y) << ' ' << number(p.x) << ' ' << number(p.z)
        << "</P>\n";
  }
  out << "        </Pnts>\n        <Faces>\n";
  for (const auto& t : mesh.triangles)
    out << "          <F>" << t.v[0] + 1 << ' ' << t.v[1] + 1 << ' ' << t.v[2] + 1 << "</F>\n";
  out << "        </Faces>\n      </Definition>\n    </Surface>\n  </Surfaces>\n</LandXML>\n";
}

}  // namespace uv::kvbtool
