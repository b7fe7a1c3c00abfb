// SPDX-License-Identifier: GPL-3.0-or-later
// An array of element pointers (CKVLTriangle, CKVLEdge) that may own its elements.
//
// m_bOwner 1: the array deletes its non-null elements when it is cleared or destroyed. Arrays
// that the surface hands out of its own (GetAllTriangles, GetAllEdges) keep 0 and stay the
// surface's; arrays that a query fills for the caller (GetContainedTriangles, ...) and arrays
// filled by reading get 1.
//
// Forms (see CKVLIndexElement.h for the elements' own):
//   text    the elements' texts joined by "@": "0,1,2@1,3,2"
//   XML     <CKVLPointerArray count="3"><CKVLTriangle no="0" a="0" b="1" c="2"/>...</...>,
//           one child per non-null entry, "no" its index; reading restores the null entries
//   binary  u32 number of non-null entries, then each of them; null entries are not kept
// Reading replaces the content only when the whole input was read; otherwise the array is
// left as it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/AcArray.h"
#include "base/CString.h"
#include "product/engine/CBin.h"
#include "product/engine/CKVLIndexElement.h"
#include "product/engine/CText.h"
#include "product/engine/SimpleXml.h"

template <class T>
class CKVLPointerArray : public AcArray<T*>, public CText, public CBin {
 public:
  CKVLPointerArray() = default;
  ~CKVLPointerArray() override { Clear(); }
  CKVLPointerArray(const CKVLPointerArray&) = delete;
  CKVLPointerArray& operator=(const CKVLPointerArray&) = delete;

  int m_bOwner = 0;
  CString m_strName = L"CKVLPointerArray";

  void Clear() {
    if (m_bOwner == 1 && this->length() > 0)
      for (T* element : *this) delete element;
    this->removeAll();
  }

  CString WriteText() const override {
    std::wstring s;
    bool first = true;
    for (const T* element : *this) {
      if (!element) continue;
      if (!first) s += L'@';
      s += element->WriteText().str();
      first = false;
    }
    return CString(s);
  }

  bool ReadText(const CString& text) override {
    std::vector<std::unique_ptr<T>> read;
    const std::wstring& s = text.str();
    std::size_t start = 0;
    while (!s.empty() && start <= s.size()) {
      const std::size_t at = s.find(L'@', start);
      auto element = std::make_unique<T>();
      if (!element->ReadText(CString(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start))))
        return false;
      read.push_back(std::move(element));
      if (at == std::wstring::npos) break;
      start = at + 1;
    }
    adopt(read);
    return true;
  }

  CString WriteXml() const override {
    std::wstring s = L"<" + uv::engine::xmlEscape(m_strName.str()) + L" count=\"" + std::to_wstring(this->length()) + L"\">";
    for (int i = 0; i < this->length(); ++i)
      if (const T* element = (*this)[i]) s += element->WriteXmlNumbered(i).str();
    s += L"</" + uv::engine::xmlEscape(m_strName.str()) + L">";
    return CString(s);
  }

  bool ReadXml(const CString& xml) override {
    const auto root = uv::engine::parseXml(xml.str());
    if (!root || root->name != m_strName.str()) return false;
    const std::wstring* countText = root->attribute(L"count");
    if (!countText) return false;
    const long count = std::wcstol(countText->c_str(), nullptr, 10);
    if (count < 0 || static_cast<std::size_t>(count) < root->children.size()) return false;
    std::vector<std::unique_ptr<T>> read(static_cast<std::size_t>(count));
    for (const auto& child : root->children) {
      const std::wstring* noText = child.attribute(L"no");
      if (!noText) return false;
      const long no = std::wcstol(noText->c_str(), nullptr, 10);
      if (no < 0 || no >= count || read[static_cast<std::size_t>(no)]) return false;
      auto element = std::make_unique<T>();
      if (!element->ReadXmlNode(child)) return false;
      read[static_cast<std::size_t>(no)] = std::move(element);
    }
    adopt(read);
    return true;
  }

  bool WriteBin(std::streambuf& out) const override {
    std::int32_t n = 0;
    for (const T* element : *this) n += element ? 1 : 0;
    if (!uv::engine::writeIndicesBin(out, &n, 1)) return false;
    for (const T* element : *this)
      if (element && !element->WriteBin(out)) return false;
    return true;
  }

  bool ReadBin(std::streambuf& in) override {
    std::int32_t n = 0;
    if (!uv::engine::readIndicesBin(in, &n, 1) || n < 0) return false;
    std::vector<std::unique_ptr<T>> read;
    for (std::int32_t i = 0; i < n; ++i) {
      auto element = std::make_unique<T>();
      if (!element->ReadBin(in)) return false;
      read.push_back(std::move(element));
    }
    adopt(read);
    return true;
  }

 private:
  // Replaces the content with elements this array now owns.
  void adopt(std::vector<std::unique_ptr<T>>& elements) {
    Clear();
    m_bOwner = 1;
    for (auto& element : elements) this->append(element.release());
  }
};
