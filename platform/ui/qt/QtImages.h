// Pictures of the model's image handles and image lists, for widgets.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

#include "ui/CImageList.h"

namespace uv::qt {

// Null for a handle that is not an image or a file Qt cannot read.
QPixmap pixmapOf(const void* imageHandle);
// One image of a list, with the list's mask colour made transparent.
QPixmap pixmapOf(const CImageList& list, int index);
QColor colourOf(COLORREF colour);
// A small square of the colour, for colour pickers.
QIcon swatch(COLORREF colour);

}  // namespace uv::qt
