// A bitmap object holding a bitmap handle (see uv::Images).
#pragma once

#include "ui/Images.h"

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 32;
  void* bmBits = nullptr;
};

class CBitmap {
 public:
  HBITMAP m_hObject = nullptr;

  // From the bitmap resource with this id.
  BOOL LoadBitmap(UINT id) {
    m_hObject = uv::Images::bitmapResource(id);
    return m_hObject ? TRUE : FALSE;
  }
  BOOL Attach(HBITMAP bitmap) {
    m_hObject = bitmap;
    return bitmap ? TRUE : FALSE;
  }
  HBITMAP Detach() {
    HBITMAP b = m_hObject;
    m_hObject = nullptr;
    return b;
  }
  BOOL DeleteObject() {
    m_hObject = nullptr;
    return TRUE;
  }
  HBITMAP GetSafeHandle() const { return m_hObject; }
  operator HBITMAP() const { return m_hObject; }  // NOLINT: as in MFC
  int GetBitmap(BITMAP* info) const {
    const uv::ImageInfo* image = uv::Images::info(m_hObject);
    if (!image) return 0;
    *info = BITMAP{};
    info->bmWidth = image->width;
    info->bmHeight = image->height;
    info->bmWidthBytes = image->width * 4;
    return int(sizeof(BITMAP));
  }
};
