#include "host/render/DrawingRenderer.h"

#include <QPainter>
#include <QBuffer>
#include <QSvgGenerator>
#include <algorithm>
#include <optional>

#include "base/SafeFileWriter.h"
#include "host/render/DrawingPainter.h"
#include "host/render/ElevationShading.h"
#include "host/render/OffscreenApplication.h"
#include "host/render/PictureMark.h"

namespace uv::render {

namespace {

RenderResult failure(const std::wstring& path, const QString& why) {
  return {false, L"cannot write " + path + L": " + why.toStdWString()};
}

bool endsWithNoCase(const QString& s, const char* suffix) { return s.endsWith(QLatin1String(suffix), Qt::CaseInsensitive); }

}  // namespace

double DrawingRenderer::marginFor(const QSize& size) {
  return std::max(8.0, 0.03 * std::min(size.width(), size.height()));
}

ViewMapping DrawingRenderer::mapping(const QSize& size) const {
  if (m_view) return ViewMapping(m_view->centre, m_view->height, size);
  return ViewMapping::fitting(DrawingPainter::visibleExtents(m_db), size, marginFor(size));
}

void DrawingRenderer::paint(QPainter& painter, const QSize& size) const {
  OffscreenApplication::ensure();
  const ViewMapping view = mapping(size);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setBackground(m_background);
  painter.fillRect(QRect(QPoint(0, 0), size), m_background);
  painter.setClipRect(QRect(QPoint(0, 0), size));
  DrawingPainter drawing(m_db, painter, view);
  std::optional<ElevationShading> shading;
  if (double low = 0, high = 0; m_shadeByElevation && ElevationShading::rangeOfFaces(m_db, low, high))
    shading.emplace(low, high);
  drawing.setShading(shading ? &*shading : nullptr);
  drawing.setIndex(m_index);
  drawing.paintModelSpace();
  drawing.paintTemporary(m_temporary);
  if (shading) shading->paintLegend(painter, size, m_background);
  painter.restore();
}

QImage DrawingRenderer::image(const QSize& size) const {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  paint(painter, size);
  painter.end();
  return image;
}

RenderResult DrawingRenderer::writeFile(const std::wstring& path, const QSize& size) const {
  const QString name = QString::fromStdWString(path);
  const bool svg = endsWithNoCase(name, ".svg");
  if (!svg && !endsWithNoCase(name, ".png"))
    return {false, L"cannot write " + path + L": a picture is a .png or .svg file"};
  if (size.width() < 1 || size.height() < 1) return failure(path, QStringLiteral("the picture has no pixels"));
  // The picture is made in memory and replaces the file as a drawing does: whole or not at all,
  // through a link to its target, keeping the file's permissions, never over a read-only file.
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (svg) {
    OffscreenApplication::ensure();
    QSvgGenerator generator;
    generator.setOutputDevice(&bytes);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Drawing"));
    markPicture(generator);
    QPainter painter;
    if (!painter.begin(&generator)) return failure(path, QStringLiteral("the SVG writer did not start"));
    paint(painter, size);
    painter.end();
  } else {
    QImage picture = image(size);
    markPicture(picture);
    if (!picture.save(&bytes, "PNG")) return failure(path, QStringLiteral("the PNG writer failed"));
  }
  return writePicture(path, bytes.data());
}

RenderResult writePicture(const std::wstring& path, const QByteArray& bytes) {
  std::string why;
  if (!replaceFile(path, std::vector<unsigned char>(bytes.begin(), bytes.end()), why))
    return failure(path, QString::fromStdString(why));
  return {};
}

}  // namespace uv::render
