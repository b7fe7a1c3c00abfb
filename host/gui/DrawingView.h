// The drawing view of the desktop program: the document's drawing painted
// in plan, the temporary vectors on top, and the rubber band, rectangle or
// selection window of the prompt being answered.
//
// Mouse: the middle button (or the left one with Space held) pans, the
// wheel zooms about the cursor, a double click of the middle button zooms
// to the extents. What the left and right buttons do depends on the mode:
// a click gives a point, a pick or a selection corner; a drag in the
// selection mode gives a window (to the right) or a crossing (to the left);
// a right click ends the input as Enter does.
//
// The drawing is painted once into a picture kept until the view or the
// drawing changes, so moving the mouse only repaints the overlays. It is
// painted through a spatial index of the drawing, kept while the view pans
// and zooms and brought up to date from what a command changed, so a view
// of a corner of a large drawing costs what that corner holds, a view of
// all of it about one pass over it, and a command what it touched.
#pragma once

#include <optional>

#include <QImage>
#include <QPointF>
#include <QWidget>

#include "ge/AcGePoint3d.h"
#include "host/render/DrawingIndex.h"
#include "host/render/ViewMapping.h"

class AcApDocument;
class AcDbDatabase;

namespace uv::gui {

class DrawingView : public QWidget {
  Q_OBJECT

 public:
  enum class Mode { kIdle, kPoint, kCorner, kEntity, kSelect };

  explicit DrawingView(QWidget* parent = nullptr);

  void setDocument(AcApDocument* document);
  AcApDocument* document() const { return m_document; }
  void setMode(Mode mode, const std::optional<AcGePoint3d>& base = std::nullopt);
  Mode mode() const { return m_mode; }
  void setDarkBackground(bool dark);
  bool darkBackground() const { return m_dark; }
  // Faces filled by their elevation, with the legend, as `shade elevation` in a job.
  void setShadeByElevation(bool shade);
  bool shadeByElevation() const { return m_shade; }
  QColor background() const;

  void zoomExtents();
  // Zooms by factor (above 1: in) keeping the drawing point under the pixel in place.
  void zoomAbout(const QPointF& pixel, double factor);
  void panByPixels(const QPointF& delta);
  // The drawing changed: paint it again.
  void drawingChanged();

  render::ViewMapping mapping() const;
  AcGePoint3d toDrawing(const QPointF& pixel) const;
  QPointF toPixel(const AcGePoint3d& p) const;
  // Pixels a click may miss an entity by.
  static constexpr int kPickPixels = 5;

 signals:
  void cursorMoved(const AcGePoint3d& at);
  void pointClicked(const AcGePoint3d& at);
  void windowDragged(const AcGePoint3d& first, const AcGePoint3d& second, bool crossing);
  void enterPressed();
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void viewMoved();
  void paintOverlay(QPainter& painter);
  QColor ink() const;

  AcApDocument* m_document = nullptr;
  Mode m_mode = Mode::kIdle;
  std::optional<AcGePoint3d> m_base;
  bool m_dark = false;
  bool m_shade = false;
  QImage m_picture;  // the drawing as last painted
  bool m_stale = true;
  render::DrawingIndex m_index;
  bool m_indexStale = true;  // the drawing changed since the index caught up
  bool m_panning = false, m_spaceHeld = false;
  QPointF m_panFrom;
  std::optional<QPointF> m_pressAt;  // left button down in the selection mode
  QPointF m_cursor;
  bool m_cursorInside = false;
};

}  // namespace uv::gui
