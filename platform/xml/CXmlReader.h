// Reads UTF-8 XML into an element tree: elements, attributes, text (with
// the five named entities, numeric character references and CDATA
// sections), comments and the XML declaration. Text that is only blanks
// between child elements is dropped. Document types are not read.
// Errors throw uv::XmlError with the source, line and column. Elements nest
// at most kMaxDepth levels deep (the element arrays use two).
#pragma once

#include <string>
#include <string_view>

#include "xml/CXmlElement.h"

class CXmlReader {
 public:
  static constexpr int kMaxDepth = 256;
  static CXmlElement Parse(std::string_view utf8, const std::wstring& source = std::wstring());
  static CXmlElement ParseFile(const std::wstring& path);
};
