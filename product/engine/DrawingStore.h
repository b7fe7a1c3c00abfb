// SPDX-License-Identifier: GPL-3.0-or-later
// The surfaces' place in a drawing: named object dictionary -> "KVLX_VANTOR2" with the
// dictionary "SURFACES" (one xrecord per surface) and the xrecord "CURRENT".
//
// A surface's xrecord, in this order:
//   (1 storage "dict"/"file") (2 name) (3 description) (4 path) (90 points) (91 triangles)
//   per layer record: (70 type) (300 layer) (71 colour) (301 linetype)
//   drawing surfaces only: the surface file's bytes as (310 chunk of at most 127 bytes)...
// "CURRENT": (2 name of the current surface).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/AcDbObjectId.h"
#include "db/ResItem.h"
#include "product/engine/KvbFormat.h"

class AcDbDatabase;

namespace uv::engine {

struct SurfaceRecord {
  std::wstring storage;
  std::wstring name;
  std::wstring description;
  std::wstring path;
  std::uint32_t points = 0;
  std::uint32_t triangles = 0;
  std::vector<LayerData> layers;
  std::vector<unsigned char> bytes;  // drawing surfaces: their surface file
};

// The xrecord's items; `withBytes` false skips the (large) surface bytes. False with a message
// for items that do not form a record.
bool decodeRecord(const ResItems& items, SurfaceRecord& out, bool withBytes, std::string& error);
// The record's values; its bytes, when it has any, as (310) chunks.
ResItems encodeRecord(const SurfaceRecord& record);

// Appends bytes to a record's values as (310) chunks of at most 127 bytes (the most a DXF
// binary line holds), the first filling up the chunk this sink appended last: a surface file
// goes into the drawing as it is made, without a copy of it whole.
class RecordChunks : public ByteSink {
 public:
  explicit RecordChunks(ResItems& items) : m_items(items) {}
  void expect(std::uint64_t size) override;
  void put(const unsigned char* data, std::size_t size) override;

 private:
  ResItems& m_items;
  bool m_open = false;  // the last value is this sink's chunk
};

class DrawingStore {
 public:
  explicit DrawingStore(AcDbDatabase* db) : m_db(db) {}

  // Key and xrecord id of each surface, in key order; empty when the drawing has none.
  std::vector<std::pair<std::wstring, AcDbObjectId>> records() const;
  bool readItems(AcDbObjectId record, ResItems& items) const;
  // Writes the record under the key (replacing its items, or adding it). False with a message.
  bool write(const std::wstring& key, ResItems items, AcDbObjectId& id, std::string& error);
  bool erase(AcDbObjectId record);

  std::wstring current() const;
  bool setCurrent(const std::wstring& name, std::string& error);

 private:
  AcDbObjectId folder(bool create) const;
  AcDbObjectId surfaces(bool create) const;

  AcDbDatabase* m_db;
};

}  // namespace uv::engine
