#include "ui/CStatic.h"

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"Static", text, style, rect, parent, id);
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
  HBITMAP old = m_bitmap;
  m_bitmap = bitmap;
  changed(uv::WindowChange::kImage);
  return old;
}

HICON CStatic::SetIcon(HICON icon) {
  HICON old = m_icon;
  m_icon = icon;
  changed(uv::WindowChange::kImage);
  return old;
}

void CStatic::takeOver(CWnd& from) {
  if (auto* s = dynamic_cast<CStatic*>(&from)) {
    m_bitmap = s->m_bitmap;
    m_icon = s->m_icon;
  }
}

uv::WidgetKind CStatic::kind() const {
  switch (GetStyle() & SS_TYPEMASK) {
    case SS_ETCHEDHORZ: return uv::WidgetKind::kLine;
    case SS_ETCHEDFRAME:
    case SS_BLACKFRAME: return uv::WidgetKind::kFrame;
    default: return uv::WidgetKind::kStatic;
  }
}
