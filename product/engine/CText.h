// SPDX-License-Identifier: GPL-3.0-or-later
// Text serialisation of engine objects: a plain text form and an XML form.
#pragma once

#include "base/CString.h"

namespace uv::engine {
struct XmlNode;
}

class CText {
 public:
  virtual ~CText() = default;
  virtual CString WriteText() const = 0;
  // False, with the object unchanged, when the text is not of this object's form.
  virtual bool ReadText(const CString& text) = 0;
  virtual CString WriteXml() const = 0;
  virtual bool ReadXml(const CString& xml) = 0;
};
