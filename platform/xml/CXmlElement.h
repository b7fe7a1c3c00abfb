// An XML element: a name, attributes in the order they were set, the text
// it holds and its child elements. The element arrays of the terrain
// engine write themselves as such elements and read themselves back.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "base/CString.h"

class CXmlElement {
 public:
  explicit CXmlElement(const CString& name = CString());
  CXmlElement(const CXmlElement& other);
  CXmlElement& operator=(const CXmlElement& other);
  CXmlElement(CXmlElement&&) noexcept = default;
  CXmlElement& operator=(CXmlElement&&) noexcept = default;

  const CString& GetName() const { return m_name; }
  void SetName(const CString& name) { m_name = name; }

  // Sets or replaces the attribute.
  void SetAttribute(const CString& name, const CString& value);
  void SetAttribute(const CString& name, int value);
  bool HasAttribute(const CString& name) const;
  CString GetAttribute(const CString& name, const CString& missing = CString()) const;
  // `missing` also when the text is not a whole integer.
  int GetIntAttribute(const CString& name, int missing = 0) const;
  const std::vector<std::pair<CString, CString>>& GetAttributes() const { return m_attributes; }

  void SetText(const CString& text) { m_text = text; }
  const CString& GetText() const { return m_text; }

  CXmlElement& AddChild(const CString& name);
  CXmlElement& AddChild(CXmlElement child);
  int GetChildCount() const { return int(m_children.size()); }
  CXmlElement& GetChild(int index) { return *m_children.at(size_t(index)); }
  const CXmlElement& GetChild(int index) const { return *m_children.at(size_t(index)); }
  // The first child of that name, or null.
  const CXmlElement* FindChild(const CString& name) const;
  std::vector<const CXmlElement*> FindChildren(const CString& name) const;

 private:
  CString m_name;
  std::vector<std::pair<CString, CString>> m_attributes;
  CString m_text;
  std::vector<std::unique_ptr<CXmlElement>> m_children;
};
