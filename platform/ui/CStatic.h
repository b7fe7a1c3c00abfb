// Static text, etched frames and lines, and static pictures.
#pragma once

#include "ui/CWnd.h"

class CStatic : public CWnd {
 public:
  BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const { return m_bitmap; }
  HICON SetIcon(HICON icon);
  HICON GetIcon() const { return m_icon; }
  const wchar_t* windowClassName() const override { return L"Static"; }

 protected:
  uv::WidgetKind kind() const override;
  void takeOver(CWnd& from) override;

 private:
  HBITMAP m_bitmap = nullptr;
  HICON m_icon = nullptr;
};
