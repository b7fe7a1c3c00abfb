// The mark of a picture this program drew: a PNG's "Software" text, an SVG's
// description. A picture that bears it may be drawn again in its place
// without a question (a job run once more); a file without it (a photo, a
// plan from elsewhere) is someone's work, replaced only when they agree.
#pragma once

#include <string>

class QImage;
class QSvgGenerator;

namespace uv::render {

void markPicture(QImage& image);
void markPicture(QSvgGenerator& svg);
// True for a PNG or SVG file that bears the mark; false for anything else,
// a file that cannot be read included.
bool isPictureDrawnHere(const std::wstring& path);

}  // namespace uv::render
