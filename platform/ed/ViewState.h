// What the drawing view shows: its centre and height in drawing units and
// its size in pixels. VIEWCTR, VIEWSIZE and SCREENSIZE read it; the host's
// view verb, zooms and the front end's window set it.
#pragma once

#include "ge/AcGePoint3d.h"

namespace uv {

class ViewState {
 public:
  const AcGePoint3d& centre() const { return m_centre; }
  double height() const { return m_height; }
  int screenWidth() const { return m_screenWidth; }
  int screenHeight() const { return m_screenHeight; }
  // Width in drawing units, from the height and the pixels' aspect.
  double width() const { return m_height * double(m_screenWidth) / double(m_screenHeight); }

  // False (and no change) for a height that is not positive and finite.
  bool set(const AcGePoint3d& centre, double height);
  // False for sizes below one pixel.
  bool setScreenSize(int widthPixels, int heightPixels);
  // Shows the box from min to max whole, with a margin of a twentieth.
  void zoomToExtents(const AcGePoint3d& min, const AcGePoint3d& max);

 private:
  AcGePoint3d m_centre{0, 0, 0};
  double m_height = 100;
  int m_screenWidth = 1024;
  int m_screenHeight = 768;
};

}  // namespace uv
