// An image list: images of one size, cut from bitmap strips or taken from
// icons. List views and tab controls show images from it by index.
#pragma once

#include <vector>

#include "ui/CBitmap.h"

class CImageList {
 public:
  struct Image {
    const uv::ImageInfo* source = nullptr;
    int offset = 0;  // the image's left edge in a bitmap strip, pixels
  };

  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // The strip of the bitmap resource, cut into images `cx` pixels wide.
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL DeleteImageList();
  // The images of a strip; returns the index of the first, or -1.
  int Add(CBitmap* bitmap, COLORREF mask);
  int Add(CBitmap* bitmap, CBitmap* mask);
  int Add(HICON icon);
  BOOL Remove(int index);
  int GetImageCount() const { return int(m_images.size()); }
  HIMAGELIST GetSafeHandle() const { return m_created ? reinterpret_cast<HIMAGELIST>(const_cast<CImageList*>(this)) : nullptr; }
  operator HIMAGELIST() const { return GetSafeHandle(); }  // NOLINT: as in MFC

  // The model, for front ends.
  int imageWidth() const { return m_cx; }
  int imageHeight() const { return m_cy; }
  COLORREF maskColour() const { return m_mask; }
  const Image* image(int index) const;

 private:
  int addStrip(const uv::ImageInfo* strip);

  bool m_created = false;
  int m_cx = 0;
  int m_cy = 0;
  COLORREF m_mask = 0xFFFFFFFF;
  std::vector<Image> m_images;
};
