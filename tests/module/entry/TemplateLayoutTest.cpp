// The module's dialog templates: no two visible controls cover each other.
#include <gtest/gtest.h>

#include "ModuleFixture.h"
#include "base/TextCase.h"
#include "ui/Resources.h"

namespace uvtest {
namespace {

using TemplateLayoutTest = ModuleFixture;

const std::vector<UINT> kDialogs = {200, 201, 202, 204, 205, 206, 207, 209, 220, 221, 225, 226, 227};

// The part of a control that a person sees: a combo box's rectangle
// includes its drop-down list, which covers nothing while closed.
CRect visiblePart(const uv::ControlTemplate& c) {
  CRect r = c.rect;
  if (c.kind == uv::ControlKind::kComboBox) r.bottom = std::min(r.bottom, r.top + 14);
  return r;
}

bool overlaps(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Group boxes, frames and lines are drawn behind what they enclose.
bool isBackground(uv::ControlKind kind) {
  return kind == uv::ControlKind::kGroupBox || kind == uv::ControlKind::kFrame || kind == uv::ControlKind::kLine;
}

TEST_F(TemplateLayoutTest, NoTwoVisibleControlsCoverEachOther) {
  for (UINT id : kDialogs) {
    const uv::DialogTemplate* d = uv::Resources::instance().dialog(id);
    ASSERT_NE(d, nullptr) << "template " << id;
    std::vector<const uv::ControlTemplate*> shown;
    for (const uv::ControlTemplate& c : d->controls)
      if ((c.style & WS_VISIBLE) && !isBackground(c.kind)) shown.push_back(&c);
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(overlaps(visiblePart(*shown[i]), visiblePart(*shown[j])))
            << uv::toUtf8(d->describe()) << ": " << uv::toUtf8(shown[i]->name) << " (line " << shown[i]->line
            << ") and " << uv::toUtf8(shown[j]->name) << " (line " << shown[j]->line << ")";
  }
}

}  // namespace
}  // namespace uvtest
