#include "OldSurfaceWriter.h"

#include "db/ResbufChain.h"
#include "db/resbuf.h"
#include "product/cadwrapper/CKVLCDictionaryPtr.h"

namespace uv::samples {

namespace {

// Appends items in order, keeping the tail at hand.
class ChainBuilder {
 public:
  void add(resbuf* item) {
    if (!m_chain) m_chain.reset(item);
    else m_tail->rbnext = item;
    m_tail = item;
  }
  const resbuf* get() const { return m_chain.get(); }

 private:
  ResbufChain m_chain;
  resbuf* m_tail = nullptr;
};

bool writeLayer(CKVLCDictionaryPtr& d, const std::wstring& dictionary, const wchar_t* suffix,
                const std::optional<OldLayer>& layer) {
  if (!layer) return true;
  const std::wstring s(suffix);
  return d.dctWrite(dictionary.c_str(), (L"C_" + s).c_str(), layer->colour) &&
         d.dctWrite(dictionary.c_str(), (L"L_" + s).c_str(), layer->layer.c_str()) &&
         d.dctWrite(dictionary.c_str(), (L"LT_" + s).c_str(), layer->linetype.c_str());
}

}  // namespace

bool writeOldSurfaces(const std::vector<OldSurface>& surfaces, const std::wstring& active) {
  CKVLCDictionaryPtr d(AcDb::kForWrite);
  ChainBuilder names;
  for (const OldSurface& s : surfaces) {
    resbuf* item = acutNewRb(RTSTR);
    item->resval.rstring = newResString(s.name.c_str());
    names.add(item);
  }
  bool ok = d.dctWrite(L"KVX_SURFACE", L"PLOHE", names.get()) && d.dctWrite(L"KVX_SURFACE", L"AKTIVNA", active.c_str());
  for (const OldSurface& s : surfaces) {
    const std::wstring dictionary = L"KVX_SURFACE." + s.name;
    ChainBuilder points;
    for (const AcGePoint3d& p : s.points) {
      resbuf* item = acutNewRb(RT3DPOINT);
      item->resval.rpoint[0] = p.x;
      item->resval.rpoint[1] = p.y;
      item->resval.rpoint[2] = p.z;
      points.add(item);
    }
    if (!s.points.empty()) ok = ok && d.dctWrite(dictionary.c_str(), L"TOCKE", points.get());
    ok = ok && writeLayer(d, dictionary, L"MNT", s.triangles) && writeLayer(d, dictionary, L"MREZA", s.grid) &&
         writeLayer(d, dictionary, L"PROJEKCIJE", s.projection);
    if (s.description) ok = ok && d.dctWrite(dictionary.c_str(), L"DESCRIPTION", s.description->c_str());
  }
  return ok;
}

}  // namespace uv::samples
