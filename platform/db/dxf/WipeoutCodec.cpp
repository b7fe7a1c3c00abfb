#include "db/dxf/WipeoutCodec.h"

#include <string>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

void check(Acad::ErrorStatus es, const DxfRecord& rec, const char* what) {
  if (es != Acad::eOk)
    throw DxfError(rec.line, rec.type + " has an invalid " + what + " (" + Acad::statusText(es) + ")");
}

AcGeVector3d vectorOf(const DxfRecord& rec, int code) { return {rec.real(code), rec.real(code + 10), rec.real(code + 20)}; }

}  // namespace

void writeWipeoutBody(GroupWriter& o, const AcDbWipeout& w) {
  AcGePoint3d origin;
  AcGeVector3d u, v;
  w.getOrientation(origin, u, v);
  const std::vector<AcGePoint2d>& boundary = w.clipBoundary();
  o.text(100, std::string("AcDbWipeout"));
  o.integer(90, 0);
  o.point(10, origin);
  o.vector(11, u);
  o.vector(12, v);
  o.point2d(13, w.imageSize().x, w.imageSize().y);
  o.handle(340, 0);
  o.integer(70, w.displayFlags());
  o.integer(280, w.isClipped() ? 1 : 0);
  o.integer(281, w.brightness());
  o.integer(282, w.contrast());
  o.integer(283, w.fade());
  o.handle(360, 0);
  o.integer(71, boundary.size() == 2 ? 1 : 2);
  o.integer(91, static_cast<long long>(boundary.size()));
  for (const AcGePoint2d& p : boundary) o.point2d(14, p.x, p.y);
  // The clip mode came with R2010; a file that has no mode keeps none.
  if (w.isClipInverted()) {
    o.dropKept(290);
    o.integer(290, 1);
  } else {
    o.keptHere(290);
  }
}

std::unique_ptr<AcDbWipeout> readWipeout(const DxfRecord& rec) {
  auto w = std::make_unique<AcDbWipeout>();
  const AcGePoint3d origin(rec.real(10), rec.real(20), rec.real(30));
  check(w->setOrientation(origin, vectorOf(rec, 11), vectorOf(rec, 12)), rec, "image frame");
  check(w->setImageSize(AcGePoint2d(rec.real(13, 1), rec.real(23, 1))), rec, "image size");
  std::vector<AcGePoint2d> boundary;
  for (const Group& g : rec.groups) {
    if (g.code == 14) boundary.emplace_back(parseReal(g), 0.0);
    else if (g.code == 24 && !boundary.empty()) boundary.back().y = parseReal(g);
  }
  // Without a boundary the whole frame is masked.
  if (boundary.size() < 2) {
    const AcGePoint2d size = w->imageSize();
    boundary = {AcGePoint2d(-0.5, -0.5), AcGePoint2d(size.x - 0.5, size.y - 0.5)};
  }
  check(w->setClipBoundary(boundary), rec, "clipping boundary");
  check(w->setDisplayFlags(int(rec.integer(70, AcDbWipeout::kShow | AcDbWipeout::kShowUnAligned | AcDbWipeout::kClip))),
        rec, "display flags");
  check(w->setClipped(rec.integer(280, 1) != 0), rec, "clipping state");
  check(w->setBrightness(int(rec.integer(281, 50))), rec, "brightness");
  check(w->setContrast(int(rec.integer(282, 50))), rec, "contrast");
  check(w->setFade(int(rec.integer(283, 0))), rec, "fade");
  check(w->setClipInverted(rec.integer(290, 0) != 0), rec, "clip mode");
  return w;
}

void writeWipeoutVariablesBody(GroupWriter& o, const AcDbWipeoutVariables& vars) {
  o.text(100, std::string("AcDbWipeoutVariables"));
  o.integer(70, vars.showFrame() ? 1 : 0);
}

void readWipeoutVariables(const DxfRecord& rec, AcDbWipeoutVariables& vars) {
  vars.setShowFrame(rec.integer(70, 0) != 0);
}

void writeWipeoutClasses(GroupWriter& o) {
  struct Class {
    const char *dxfName, *cppName;
    int flags, isEntity;
  };
  for (const Class& c : {Class{"WIPEOUT", "AcDbWipeout", 127, 1}, Class{"WIPEOUTVARIABLES", "AcDbWipeoutVariables", 0, 0}}) {
    o.start("CLASS");
    o.text(1, std::string(c.dxfName));
    o.text(2, std::string(c.cppName));
    o.text(3, std::string("WipeOut"));
    o.integer(90, c.flags);
    o.integer(91, 0);
    o.integer(280, 0);
    o.integer(281, c.isEntity);
  }
}

}  // namespace uv::dxf
