// An entity or layer colour as a colour index: 0 ByBlock, 1-255 the ACI
// palette, 256 ByLayer.
#pragma once

#include "base/ErrorStatus.h"
#include "base/WinTypes.h"

class AcCmColor {
 public:
  AcCmColor() = default;
  Adesk::UInt16 colorIndex() const { return m_index; }
  Acad::ErrorStatus setColorIndex(Adesk::UInt16 index) {
    if (index > 256) return Acad::eInvalidInput;
    m_index = index;
    return Acad::eOk;
  }
  bool isByLayer() const { return m_index == 256; }
  bool isByBlock() const { return m_index == 0; }
  bool isByACI() const { return m_index >= 1 && m_index <= 255; }
  void setByLayer() { m_index = 256; }
  void setByBlock() { m_index = 0; }
  friend bool operator==(const AcCmColor& a, const AcCmColor& b) { return a.m_index == b.m_index; }
  friend bool operator!=(const AcCmColor& a, const AcCmColor& b) { return a.m_index != b.m_index; }

 private:
  Adesk::UInt16 m_index = 256;
};
