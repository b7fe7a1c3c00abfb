// SPDX-License-Identifier: GPL-3.0-or-later
// The element arrays' view of XML, over the one XML reader of platform/xml.
#include "product/engine/SimpleXml.h"

#include "base/TextCase.h"
#include "xml/CXmlReader.h"
#include "xml/CXmlWriter.h"
#include "xml/XmlError.h"

namespace uv::engine {

namespace {

// Text content is not kept: the element arrays carry everything in attributes.
XmlNode toNode(const CXmlElement& e) {
  XmlNode node;
  node.name = e.GetName().str();
  for (const auto& [key, value] : e.GetAttributes()) node.attributes.emplace_back(key.str(), value.str());
  node.children.reserve(static_cast<std::size_t>(e.GetChildCount()));
  for (int i = 0; i < e.GetChildCount(); ++i) node.children.push_back(toNode(e.GetChild(i)));
  return node;
}

}  // namespace

const std::wstring* XmlNode::attribute(const std::wstring& key) const {
  for (const auto& [k, v] : attributes)
    if (k == key) return &v;
  return nullptr;
}

std::optional<XmlNode> parseXml(const std::wstring& text) {
  try {
    return toNode(CXmlReader::Parse(toUtf8(text)));
  } catch (const XmlError&) {
    return std::nullopt;
  }
}

std::wstring xmlEscape(const std::wstring& text) { return CXmlWriter::Escape(CString(text), true).str(); }

}  // namespace uv::engine
