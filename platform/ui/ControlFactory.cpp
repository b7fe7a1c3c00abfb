#include "ui/ControlFactory.h"

#include "ui/CBitmapButton.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CListBox.h"
#include "ui/CListCtrl.h"
#include "ui/CStatic.h"
#include "ui/CTabCtrl.h"
#include "ui/DialogUnits.h"
#include "ui/Images.h"

namespace uv {

namespace {

std::unique_ptr<CWnd> makeWindow(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
    case ControlKind::kFrame:
    case ControlKind::kLine: return std::make_unique<CStatic>();
    case ControlKind::kGroupBox:
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton: return std::make_unique<CButton>();
    case ControlKind::kBitmapButton: return std::make_unique<CBitmapButton>();
    case ControlKind::kEdit: return std::make_unique<CEdit>();
    case ControlKind::kComboBox: return std::make_unique<CComboBox>();
    case ControlKind::kListBox: return std::make_unique<CListBox>();
    case ControlKind::kListView: return std::make_unique<CListCtrl>();
    case ControlKind::kTabControl: return std::make_unique<CTabCtrl>();
  }
  return std::make_unique<CWnd>();
}

}  // namespace

CWnd* createControl(CWnd& parent, const ControlTemplate& c) {
  std::unique_ptr<CWnd> window = makeWindow(c.kind);
  CWnd* raw = window.get();
  WindowAccess::attach(*raw, &parent, UINT(c.id), c.caption.resolve(), c.style,
                       DialogUnits::standard().toPixels(c.rect));
  WindowAccess::adopt(parent, std::move(window));
  raw->setControlName(c.name);
  if (!c.toolTip.empty()) raw->setToolTip(c.toolTip.resolve());
  if (auto* list = dynamic_cast<CListCtrl*>(raw)) list->SetExtendedStyle(c.exStyle);
  if (auto* button = dynamic_cast<CButton*>(raw)) {
    if (c.image.type == ImageRef::Type::kBitmap) button->SetBitmap(Images::bitmapResource(c.image.id));
    if (c.image.type == ImageRef::Type::kIcon) button->SetIcon(Images::iconResource(c.image.id, c.image.cx, c.image.cy));
  }
  return raw;
}

}  // namespace uv
