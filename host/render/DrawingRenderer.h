// A picture of a drawing in plan: into any QPainter, a QImage, or a PNG or
// SVG file. The picture shows the drawing's extents with a margin, or the
// view given with setView, on a white background (or the one set), with the
// temporary vectors on top. When asked, 3D faces are filled by their
// elevation and a legend of elevations stands at the right edge. A file is
// replaced as a drawing is (base/SafeFileWriter.h): whole or not at all,
// through a link, keeping its permissions, never when read-only.
//
//   uv::render::DrawingRenderer r(*db);
//   r.setTemporaryVectors(doc->temporaryGraphics().vectors());
//   RenderResult done = r.writeFile(L"out/site.png", QSize(1600, 1200));
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <optional>
#include <string>
#include <vector>

#include "ed/TemporaryGraphics.h"
#include "ge/AcGePoint3d.h"
#include "host/render/ViewMapping.h"

class AcDbDatabase;
class QPainter;

namespace uv::render {

class DrawingIndex;

struct RenderResult {
  bool ok = true;
  std::wstring message;  // why not, naming the file
  explicit operator bool() const { return ok; }
};

// Writes a picture's bytes to `path` as every picture is written (see writeFile); the message names the file.
RenderResult writePicture(const std::wstring& path, const QByteArray& bytes);

class DrawingRenderer {
 public:
  explicit DrawingRenderer(const AcDbDatabase& db) : m_db(db) {}

  // The view centre and height (drawing units); without one the drawing's
  // extents fill the picture.
  void setView(const AcGePoint3d& centre, double height) { m_view = View{centre, height}; }
  void clearView() { m_view.reset(); }
  void setTemporaryVectors(std::vector<TemporaryVector> vectors) { m_temporary = std::move(vectors); }
  void setBackground(const QColor& colour) { m_background = colour; }
  void setShadeByElevation(bool shade) { m_shadeByElevation = shade; }
  // Paint through this index of the drawing, skipping what is off the
  // picture or smaller than a pixel (see DrawingPainter). Not owned.
  void setIndex(const DrawingIndex* index) { m_index = index; }

  // The backgrounds a CAD user knows: paper white and the dark of model space.
  static QColor lightBackground() { return QColor(255, 255, 255); }
  static QColor darkBackground() { return QColor(33, 40, 48); }

  // The mapping a picture of this size uses.
  ViewMapping mapping(const QSize& size) const;
  // Fills the painter's area of this size with the background and paints.
  void paint(QPainter& painter, const QSize& size) const;
  QImage image(const QSize& size) const;
  // A .png or .svg (by the extension, letter case ignored). The file is
  // replaced only once the picture is complete.
  RenderResult writeFile(const std::wstring& path, const QSize& size) const;

  // Margin around the extents, in pixels, for a picture of this size.
  static double marginFor(const QSize& size);

 private:
  struct View {
    AcGePoint3d centre;
    double height;
  };
  const AcDbDatabase& m_db;
  std::optional<View> m_view;
  std::vector<TemporaryVector> m_temporary;
  QColor m_background{255, 255, 255};
  bool m_shadeByElevation = false;
  const DrawingIndex* m_index = nullptr;
};

}  // namespace uv::render
