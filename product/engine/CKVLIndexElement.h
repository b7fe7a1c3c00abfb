// SPDX-License-Identifier: GPL-3.0-or-later
// An element of a surface named by N point indices (an edge has 2, a triangle 3), with its
// position in the surface's list. The forms:
//   text    "12,15,40"                                  (the point indices)
//   XML     <CKVLTriangle a="12" b="15" c="40"/>        (no="7" added by an array)
//   binary  N x i32, little-endian
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/CString.h"
#include "product/engine/CBin.h"
#include "product/engine/CText.h"

namespace uv::engine {

struct XmlNode;

bool readIndexList(const CString& text, std::int32_t* out, int n);
CString writeIndexList(const std::int32_t* v, int n);
bool writeIndicesBin(std::streambuf& out, const std::int32_t* v, int n);
bool readIndicesBin(std::streambuf& in, std::int32_t* out, int n);
CString writeIndicesXml(const wchar_t* element, const std::int32_t* v, int n, int no);
bool readIndicesXml(const XmlNode& node, const wchar_t* element, std::int32_t* out, int n);
bool readIndicesXml(const CString& xml, const wchar_t* element, std::int32_t* out, int n);

}  // namespace uv::engine

template <int N>
class CKVLIndexElement : public CText, public CBin {
 public:
  static constexpr int kPoints = N;

  CKVLIndexElement() = default;
  // Position in the surface's list of such elements; -1 when not known.
  Adesk::Int32 m_nIndex = -1;
  Adesk::Int32 m_nPoint[N] = {};

  Adesk::Int32 Point(int i) const { return m_nPoint[i]; }

  CString WriteText() const override { return uv::engine::writeIndexList(m_nPoint, N); }
  bool ReadText(const CString& text) override { return uv::engine::readIndexList(text, m_nPoint, N); }
  CString WriteXml() const override { return WriteXmlNumbered(-1); }
  bool ReadXml(const CString& xml) override { return uv::engine::readIndicesXml(xml, ElementName(), m_nPoint, N); }
  bool ReadXmlNode(const uv::engine::XmlNode& node) {
    return uv::engine::readIndicesXml(node, ElementName(), m_nPoint, N);
  }
  // The XML form with the attribute no="..." when no >= 0.
  CString WriteXmlNumbered(int no) const { return uv::engine::writeIndicesXml(ElementName(), m_nPoint, N, no); }
  bool WriteBin(std::streambuf& out) const override { return uv::engine::writeIndicesBin(out, m_nPoint, N); }
  bool ReadBin(std::streambuf& in) override { return uv::engine::readIndicesBin(in, m_nPoint, N); }

  virtual const wchar_t* ElementName() const = 0;
};
