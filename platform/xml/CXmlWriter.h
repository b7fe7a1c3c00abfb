// Writes an element tree as UTF-8 XML, two spaces per level:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <CKVLPointerArray count="2">
//     <edge no="0" a="1" b="2"/>
//     <edge no="1" a="2" b="3">text &amp; more</edge>
//   </CKVLPointerArray>
//
// Text and attribute values are escaped so that reading gives them back
// exactly; names that XML does not allow throw uv::XmlError.
#pragma once

#include <string>

#include "xml/CXmlElement.h"

class CXmlWriter {
 public:
  static std::string Write(const CXmlElement& root, bool declaration = true);
  // Writes the file through a temporary beside it, so that a failed write
  // leaves the old file as it was. FALSE when the file cannot be written.
  static bool WriteFile(const std::wstring& path, const CXmlElement& root);
  static CString Escape(const CString& text, bool attribute);
  static bool IsName(const CString& name);
};
