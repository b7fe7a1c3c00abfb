// SPDX-License-Identifier: GPL-3.0-or-later
// Just enough XML for the element arrays: elements with attributes and child elements; text
// content is skipped. Reading refuses anything malformed rather than guessing.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace uv::engine {

struct XmlNode {
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
  std::vector<XmlNode> children;

  const std::wstring* attribute(const std::wstring& key) const;
};

// The one root element of the text; nothing when it is not well formed.
std::optional<XmlNode> parseXml(const std::wstring& text);
// &, <, >, " and ' written as entities.
std::wstring xmlEscape(const std::wstring& text);

}  // namespace uv::engine
