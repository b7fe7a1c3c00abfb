#include "ui/CImageList.h"

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
  if (cx <= 0 || cy <= 0) return FALSE;
  m_created = true;
  m_cx = cx;
  m_cy = cy;
  m_images.clear();
  return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int, COLORREF mask) {
  CBitmap strip;
  if (!strip.LoadBitmap(bitmapId) || cx <= 0) return FALSE;
  const uv::ImageInfo* info = uv::Images::info(strip.GetSafeHandle());
  Create(cx, info->height, 0, 0, 0);
  m_mask = mask;
  return addStrip(info) >= 0 ? TRUE : FALSE;
}

BOOL CImageList::DeleteImageList() {
  m_created = false;
  m_images.clear();
  return TRUE;
}

int CImageList::addStrip(const uv::ImageInfo* strip) {
  if (!m_created || !strip || strip->width < m_cx) return -1;
  const int first = GetImageCount();
  for (int x = 0; x + m_cx <= strip->width; x += m_cx) m_images.push_back({strip, x});
  return first;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
  if (!bitmap) return -1;
  m_mask = mask;
  return addStrip(uv::Images::info(bitmap->GetSafeHandle()));
}

int CImageList::Add(CBitmap* bitmap, CBitmap*) {
  return bitmap ? addStrip(uv::Images::info(bitmap->GetSafeHandle())) : -1;
}

int CImageList::Add(HICON icon) {
  const uv::ImageInfo* info = uv::Images::info(icon);
  if (!m_created || !info) return -1;
  m_images.push_back({info, 0});
  return GetImageCount() - 1;
}

BOOL CImageList::Remove(int index) {
  if (index == -1) {
    m_images.clear();
    return TRUE;
  }
  if (index < 0 || index >= GetImageCount()) return FALSE;
  m_images.erase(m_images.begin() + index);
  return TRUE;
}

const CImageList::Image* CImageList::image(int index) const {
  return index >= 0 && index < GetImageCount() ? &m_images[size_t(index)] : nullptr;
}
