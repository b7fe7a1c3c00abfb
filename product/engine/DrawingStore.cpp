// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/DrawingStore.h"

#include <algorithm>

#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbXrecord.h"
#include "db/resbuf.h"
#include "tin/LargeArrays.h"

namespace uv::engine {

namespace {

constexpr const wchar_t* kFolder = L"KVLX_VANTOR2";
constexpr const wchar_t* kSurfaces = L"SURFACES";
constexpr const wchar_t* kCurrent = L"CURRENT";
constexpr std::size_t kChunk = 127;  // the most a DXF binary line holds

// The sub-dictionary `key` of `parent`, made when missing and asked for.
AcDbObjectId subDictionary(AcDbObjectId parent, const wchar_t* key, bool create) {
  AcDbObjectId id;
  {
    AcDbDictionaryPointer dict(parent, AcDb::kForRead);
    if (dict.openStatus() != Acad::eOk) return {};
    if (dict->getAt(key, id) == Acad::eOk) return id;
  }
  if (!create) return {};
  AcDbDictionaryPointer dict(parent, AcDb::kForWrite);
  if (dict.openStatus() != Acad::eOk) return {};
  auto* sub = new AcDbDictionary();
  if (dict->setAt(key, sub, id) != Acad::eOk) {
    delete sub;
    return {};
  }
  sub->close();
  return id;
}

bool setItems(AcDbXrecord& record, ResItems items) {
  if (items.empty()) return record.clear() == Acad::eOk;
  return record.setItems(std::move(items)) == Acad::eOk;
}

}  // namespace

bool decodeRecord(const ResItems& items, SurfaceRecord& out, bool withBytes, std::string& error) {
  SurfaceRecord r;
  bool haveName = false, haveStorage = false;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ResItem& it = items[i];
    switch (it.code) {
      case 1: r.storage = it.text; haveStorage = true; break;
      case 2: r.name = it.text; haveName = true; break;
      case 3: r.description = it.text; break;
      case 4: r.path = it.text; break;
      case 90: r.points = static_cast<std::uint32_t>(it.integer); break;
      case 91: r.triangles = static_cast<std::uint32_t>(it.integer); break;
      case 70: r.layers.push_back({static_cast<int>(it.integer), L"", 7, L""}); break;
      case 300:
      case 71:
      case 301:
        if (r.layers.empty()) {
          error = "a layer value comes before its layer type (item " + std::to_string(i) + ")";
          return false;
        }
        if (it.code == 300) r.layers.back().name = it.text;
        else if (it.code == 71) r.layers.back().colour = static_cast<int>(it.integer);
        else r.layers.back().linetype = it.text;
        break;
      case 310:
        if (withBytes) r.bytes.insert(r.bytes.end(), it.bytes.begin(), it.bytes.end());
        break;
      default: break;  // values of later versions
    }
  }
  if (!haveName || !haveStorage || r.name.empty()) {
    error = "the record names no surface or no storage";
    return false;
  }
  out = std::move(r);
  return true;
}

ResItems encodeRecord(const SurfaceRecord& r) {
  ResItems items;
  items.reserve(8 + r.layers.size() * 4);
  items.push_back(ResItem::ofString(1, r.storage));
  items.push_back(ResItem::ofString(2, r.name));
  items.push_back(ResItem::ofString(3, r.description));
  items.push_back(ResItem::ofString(4, r.path));
  items.push_back(ResItem::ofInt(90, r.points));
  items.push_back(ResItem::ofInt(91, r.triangles));
  for (const auto& l : r.layers) {
    items.push_back(ResItem::ofInt(70, l.type));
    items.push_back(ResItem::ofString(300, l.name));
    items.push_back(ResItem::ofInt(71, l.colour));
    items.push_back(ResItem::ofString(301, l.linetype));
  }
  if (!r.bytes.empty()) {
    RecordChunks chunks(items);
    chunks.expect(r.bytes.size());
    chunks.put(r.bytes.data(), r.bytes.size());
  }
  return items;
}

void RecordChunks::expect(std::uint64_t size) {
  // A surface of a million points makes hundreds of thousands of chunks: their list at once.
  tin::detail::reserveLarge(m_items, m_items.size() + static_cast<std::size_t>(size / kChunk) + 1);
}

void RecordChunks::put(const unsigned char* data, std::size_t size) {
  while (size > 0) {
    if (!m_open || m_items.back().bytes.size() == kChunk) {
      m_items.push_back(ResItem::ofBytes(310, {}));
      m_items.back().bytes.reserve(kChunk);
      m_open = true;
    }
    std::vector<unsigned char>& chunk = m_items.back().bytes;
    const std::size_t n = std::min(kChunk - chunk.size(), size);
    chunk.insert(chunk.end(), data, data + n);
    data += n;
    size -= n;
  }
}

AcDbObjectId DrawingStore::folder(bool create) const {
  if (!m_db) return {};
  return subDictionary(m_db->namedObjectsDictionaryId(), kFolder, create);
}

AcDbObjectId DrawingStore::surfaces(bool create) const {
  const AcDbObjectId f = folder(create);
  return f.isNull() ? f : subDictionary(f, kSurfaces, create);
}

std::vector<std::pair<std::wstring, AcDbObjectId>> DrawingStore::records() const {
  std::vector<std::pair<std::wstring, AcDbObjectId>> out;
  const AcDbObjectId dictId = surfaces(false);
  if (dictId.isNull()) return out;
  AcDbDictionaryPointer dict(dictId, AcDb::kForRead);
  if (dict.openStatus() != Acad::eOk) return out;
  std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
  for (; it && !it->done(); it->next()) out.emplace_back(it->name(), it->objectId());
  return out;
}

bool DrawingStore::readItems(AcDbObjectId id, ResItems& items) const {
  AcDbObjectPointer<AcDbXrecord> record(id, AcDb::kForRead);
  if (record.openStatus() != Acad::eOk) return false;
  items = record->items();
  return true;
}

bool DrawingStore::write(const std::wstring& key, ResItems items, AcDbObjectId& id, std::string& error) {
  const AcDbObjectId dictId = surfaces(true);
  if (dictId.isNull()) {
    error = "cannot open or make the drawing's surface dictionary";
    return false;
  }
  AcDbObjectId existing;
  {
    AcDbDictionaryPointer dict(dictId, AcDb::kForRead);
    if (dict.openStatus() == Acad::eOk) dict->getAt(key.c_str(), existing);
  }
  if (!existing.isNull()) {
    AcDbObjectPointer<AcDbXrecord> record(existing, AcDb::kForWrite);
    if (record.openStatus() != Acad::eOk || !setItems(*record.object(), std::move(items))) {
      error = "cannot rewrite the surface record in the drawing";
      return false;
    }
    id = existing;
    return true;
  }
  auto* record = new AcDbXrecord();
  if (!setItems(*record, std::move(items))) {
    delete record;
    error = "the surface record holds a value the drawing cannot keep";
    return false;
  }
  AcDbDictionaryPointer dict(dictId, AcDb::kForWrite);
  if (dict.openStatus() != Acad::eOk || dict->setAt(key.c_str(), record, id) != Acad::eOk) {
    delete record;
    error = "cannot add the surface record to the drawing";
    return false;
  }
  record->close();
  return true;
}

bool DrawingStore::erase(AcDbObjectId id) {
  AcDbObjectPointer<AcDbXrecord> record(id, AcDb::kForWrite);
  return record.openStatus() == Acad::eOk && record->erase() == Acad::eOk;
}

std::wstring DrawingStore::current() const {
  const AcDbObjectId f = folder(false);
  if (f.isNull()) return {};
  AcDbObjectId id;
  {
    AcDbDictionaryPointer dict(f, AcDb::kForRead);
    if (dict.openStatus() != Acad::eOk || dict->getAt(kCurrent, id) != Acad::eOk) return {};
  }
  ResItems items;
  if (!readItems(id, items)) return {};
  for (const auto& it : items)
    if (it.code == 2) return it.text;
  return {};
}

bool DrawingStore::setCurrent(const std::wstring& name, std::string& error) {
  const AcDbObjectId f = folder(true);
  if (f.isNull()) {
    error = "cannot open or make the drawing's surface dictionary";
    return false;
  }
  ResItems items{ResItem::ofString(2, name)};
  AcDbObjectId id;
  {
    AcDbDictionaryPointer dict(f, AcDb::kForRead);
    if (dict.openStatus() == Acad::eOk) dict->getAt(kCurrent, id);
  }
  if (!id.isNull()) {
    AcDbObjectPointer<AcDbXrecord> record(id, AcDb::kForWrite);
    if (record.openStatus() == Acad::eOk && setItems(*record.object(), items)) return true;
    error = "cannot write the current surface into the drawing";
    return false;
  }
  auto* record = new AcDbXrecord();
  setItems(*record, std::move(items));
  AcDbDictionaryPointer dict(f, AcDb::kForWrite);
  if (dict.openStatus() != Acad::eOk || dict->setAt(kCurrent, record, id) != Acad::eOk) {
    delete record;
    error = "cannot write the current surface into the drawing";
    return false;
  }
  record->close();
  return true;
}

}  // namespace uv::engine
