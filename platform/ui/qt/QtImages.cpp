#include "ui/qt/QtImages.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

#include "base/TextCase.h"
#include "ui/Images.h"

namespace uv::qt {

namespace {

QImage load(const ImageInfo* info) {
  if (!info) return QImage();
  return QImage(QString::fromStdWString(info->path));
}

}  // namespace

QColor colourOf(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

QPixmap pixmapOf(const void* imageHandle) {
  const ImageInfo* info = Images::info(imageHandle);
  QImage image = load(info);
  if (image.isNull()) return QPixmap();
  if (image.width() != info->width || image.height() != info->height)
    image = image.scaled(info->width, info->height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QPixmap::fromImage(image);
}

QPixmap pixmapOf(const CImageList& list, int index) {
  const CImageList::Image* entry = list.image(index);
  if (!entry) return QPixmap();
  QImage image = load(entry->source);
  if (image.isNull()) return QPixmap();
  QImage piece = image.copy(entry->offset, 0, list.imageWidth(), list.imageHeight())
                     .convertToFormat(QImage::Format_ARGB32);
  if (list.maskColour() != 0xFFFFFFFF) {
    const QRgb mask = colourOf(list.maskColour()).rgb();
    for (int y = 0; y < piece.height(); ++y)
      for (int x = 0; x < piece.width(); ++x)
        if ((piece.pixel(x, y) & 0xFFFFFF) == (mask & 0xFFFFFF)) piece.setPixel(x, y, 0);
  }
  return QPixmap::fromImage(piece);
}

QIcon swatch(COLORREF colour) {
  QPixmap p(12, 12);
  p.fill(colourOf(colour));
  QPainter painter(&p);
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 11, 11);
  return QIcon(p);
}

}  // namespace uv::qt
