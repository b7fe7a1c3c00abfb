#include "xml/CXmlElement.h"

#include <cwchar>

CXmlElement::CXmlElement(const CString& name) : m_name(name) {}

CXmlElement::CXmlElement(const CXmlElement& other)
    : m_name(other.m_name), m_attributes(other.m_attributes), m_text(other.m_text) {
  for (const auto& child : other.m_children) m_children.push_back(std::make_unique<CXmlElement>(*child));
}

CXmlElement& CXmlElement::operator=(const CXmlElement& other) {
  if (this != &other) {
    CXmlElement copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void CXmlElement::SetAttribute(const CString& name, const CString& value) {
  for (auto& a : m_attributes)
    if (a.first == name) {
      a.second = value;
      return;
    }
  m_attributes.emplace_back(name, value);
}

void CXmlElement::SetAttribute(const CString& name, int value) {
  CString text;
  text.Format(L"%d", value);
  SetAttribute(name, text);
}

bool CXmlElement::HasAttribute(const CString& name) const {
  for (const auto& a : m_attributes)
    if (a.first == name) return true;
  return false;
}

CString CXmlElement::GetAttribute(const CString& name, const CString& missing) const {
  for (const auto& a : m_attributes)
    if (a.first == name) return a.second;
  return missing;
}

int CXmlElement::GetIntAttribute(const CString& name, int missing) const {
  if (!HasAttribute(name)) return missing;
  CString text = GetAttribute(name);
  text.Trim();
  if (text.IsEmpty()) return missing;
  wchar_t* end = nullptr;
  long value = std::wcstol(text.GetString(), &end, 10);
  return *end ? missing : int(value);
}

CXmlElement& CXmlElement::AddChild(const CString& name) { return AddChild(CXmlElement(name)); }

CXmlElement& CXmlElement::AddChild(CXmlElement child) {
  m_children.push_back(std::make_unique<CXmlElement>(std::move(child)));
  return *m_children.back();
}

const CXmlElement* CXmlElement::FindChild(const CString& name) const {
  for (const auto& c : m_children)
    if (c->m_name == name) return c.get();
  return nullptr;
}

std::vector<const CXmlElement*> CXmlElement::FindChildren(const CString& name) const {
  std::vector<const CXmlElement*> found;
  for (const auto& c : m_children)
    if (c->m_name == name) found.push_back(c.get());
  return found;
}
