#include "host/gui/DrawingView.h"

#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "db/AcDbDatabase.h"
#include "ed/AcApDocument.h"
#include "ed/EdGraphics.h"
#include "host/render/DrawingPainter.h"
#include "host/render/DrawingRenderer.h"

namespace uv::gui {

namespace {
constexpr double kDragPixels = 4;       // a press that moves less is a click
constexpr double kWheelStep = 1.25;     // zoom of one notch of the wheel
}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("drawingView"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

void DrawingView::setDocument(AcApDocument* document) {
  m_document = document;
  if (m_document) m_document->view().setScreenSize(std::max(width(), 1), std::max(height(), 1));
  m_index = render::DrawingIndex();  // another drawing, perhaps where the last one lived
  drawingChanged();
}

void DrawingView::setMode(Mode mode, const std::optional<AcGePoint3d>& base) {
  m_mode = mode;
  m_base = base;
  m_pressAt.reset();
  update();
}

void DrawingView::setDarkBackground(bool dark) {
  if (m_dark == dark) return;
  m_dark = dark;
  drawingChanged();
}

void DrawingView::setShadeByElevation(bool shade) {
  if (m_shade == shade) return;
  m_shade = shade;
  drawingChanged();
}

QColor DrawingView::background() const { return m_dark ? QColor(33, 40, 48) : QColor(255, 255, 255); }
QColor DrawingView::ink() const { return m_dark ? QColor(240, 240, 240) : QColor(20, 20, 20); }

render::ViewMapping DrawingView::mapping() const {
  const QSize size(std::max(width(), 1), std::max(height(), 1));
  if (!m_document) return render::ViewMapping(AcGePoint3d(0, 0, 0), 100, size);
  return render::ViewMapping(m_document->view().centre(), m_document->view().height(), size);
}

AcGePoint3d DrawingView::toDrawing(const QPointF& pixel) const { return mapping().toDrawing(pixel); }
QPointF DrawingView::toPixel(const AcGePoint3d& p) const { return mapping().toPixel(p); }

void DrawingView::drawingChanged() {
  m_stale = true;
  m_indexStale = true;
  update();
}

void DrawingView::viewMoved() {
  regenerate();  // a new view clears the temporary vectors, as in batch
  m_stale = true;  // the drawing is as it was: its index holds
  update();
  emit viewChanged();
}

void DrawingView::zoomExtents() {
  if (!m_document) return;
  const AcDbExtents box = render::DrawingPainter::visibleExtents(*m_document->database());
  if (box.isEmpty()) return;
  m_document->view().setScreenSize(std::max(width(), 1), std::max(height(), 1));
  m_document->view().zoomToExtents(box.minPoint(), box.maxPoint());
  viewMoved();
}

void DrawingView::zoomAbout(const QPointF& pixel, double factor) {
  if (!m_document || !(factor > 0)) return;
  ViewState& view = m_document->view();
  const AcGePoint3d fixed = toDrawing(pixel);
  const double height = view.height() / factor;
  // The point under the cursor stays there: the centre moves towards it.
  const AcGePoint3d c = view.centre();
  const AcGePoint3d centre(fixed.x + (c.x - fixed.x) / factor, fixed.y + (c.y - fixed.y) / factor, c.z);
  if (view.set(centre, height)) viewMoved();
}

void DrawingView::panByPixels(const QPointF& delta) {
  if (!m_document) return;
  ViewState& view = m_document->view();
  const double perPixel = view.height() / std::max(height(), 1);
  const AcGePoint3d c = view.centre();
  if (view.set(AcGePoint3d(c.x - delta.x() * perPixel, c.y + delta.y() * perPixel, c.z), view.height())) {
    m_stale = true;
    update();
  }
}

void DrawingView::resizeEvent(QResizeEvent*) {
  if (m_document) m_document->view().setScreenSize(std::max(width(), 1), std::max(height(), 1));
  m_stale = true;
  update();
}

void DrawingView::paintEvent(QPaintEvent*) {
  const QSize size(std::max(width(), 1), std::max(height(), 1));
  const qreal ratio = devicePixelRatioF();
  if (m_stale || m_picture.size() != size * ratio) {
    m_picture = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    m_picture.setDevicePixelRatio(ratio);
    QPainter p(&m_picture);
    if (m_document) {
      if (m_indexStale) {
        m_index.update(*m_document->database());
        m_indexStale = false;
      }
      render::DrawingRenderer renderer(*m_document->database());
      renderer.setIndex(&m_index);
      renderer.setView(m_document->view().centre(), m_document->view().height());
      renderer.setBackground(background());
      renderer.setShadeByElevation(m_shade);
      renderer.paint(p, size);
    } else {
      p.fillRect(QRect(QPoint(0, 0), size), background());
    }
    m_stale = false;
  }
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), m_picture);
  paintOverlay(painter);
}

void DrawingView::paintOverlay(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (m_document && !m_document->temporaryGraphics().vectors().empty()) {
    const render::ViewMapping view = mapping();
    render::DrawingPainter(*m_document->database(), painter, view).paintTemporary(m_document->temporaryGraphics().vectors());
  }
  if (!m_cursorInside) return;
  QPen pen(ink(), 1, Qt::DashLine);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  switch (m_mode) {
    case Mode::kPoint:
      if (m_base) painter.drawLine(toPixel(*m_base), m_cursor);
      break;
    case Mode::kCorner:
      if (m_base) painter.drawRect(QRectF(toPixel(*m_base), m_cursor).normalized());
      break;
    case Mode::kEntity: {
      painter.setPen(QPen(ink(), 1));
      painter.drawRect(QRectF(m_cursor - QPointF(kPickPixels, kPickPixels), QSizeF(2 * kPickPixels, 2 * kPickPixels)));
      break;
    }
    case Mode::kSelect:
      if (m_pressAt && std::hypot(m_cursor.x() - m_pressAt->x(), m_cursor.y() - m_pressAt->y()) >= kDragPixels) {
        // Window to the right, solid and blue; crossing to the left, dashed and green.
        const bool crossing = m_cursor.x() < m_pressAt->x();
        const QColor colour = crossing ? QColor(40, 160, 70) : QColor(40, 90, 220);
        QPen edge(colour, 1, crossing ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(edge);
        QColor fill = colour;
        fill.setAlpha(40);
        painter.setBrush(fill);
        painter.drawRect(QRectF(*m_pressAt, m_cursor).normalized());
      } else {
        painter.setPen(QPen(ink(), 1));
        painter.drawRect(QRectF(m_cursor - QPointF(kPickPixels, kPickPixels), QSizeF(2 * kPickPixels, 2 * kPickPixels)));
      }
      break;
    case Mode::kIdle: break;
  }
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const QPointF at = event->position();
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceHeld)) {
    m_panning = true;
    m_panFrom = at;
    setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (event->button() == Qt::RightButton) {
    emit enterPressed();
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (m_mode == Mode::kSelect) {
    m_pressAt = at;
    return;
  }
  if (m_mode != Mode::kIdle) emit pointClicked(toDrawing(at));
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  m_cursor = event->position();
  m_cursorInside = true;
  if (m_panning) {
    panByPixels(m_cursor - m_panFrom);
    m_panFrom = m_cursor;
  }
  emit cursorMoved(toDrawing(m_cursor));
  update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (m_panning && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
    m_panning = false;
    setCursor(Qt::CrossCursor);
    viewMoved();
    return;
  }
  if (event->button() != Qt::LeftButton || m_mode != Mode::kSelect || !m_pressAt) return;
  const QPointF from = *m_pressAt;
  m_pressAt.reset();
  update();
  if (std::hypot(at.x() - from.x(), at.y() - from.y()) < kDragPixels) {
    emit pointClicked(toDrawing(from));
    return;
  }
  emit windowDragged(toDrawing(from), toDrawing(at), at.x() < from.x());
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    zoomExtents();
    return;
  }
  mousePressEvent(event);  // a quick second click is a click of its own
}

void DrawingView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) return;
  zoomAbout(event->position(), std::pow(kWheelStep, notches));
  event->accept();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    m_spaceHeld = true;
    setCursor(Qt::OpenHandCursor);
    return;
  }
  QWidget::keyPressEvent(event);
}

void DrawingView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    m_spaceHeld = false;
    if (!m_panning) setCursor(Qt::CrossCursor);
    return;
  }
  QWidget::keyReleaseEvent(event);
}

}  // namespace uv::gui
