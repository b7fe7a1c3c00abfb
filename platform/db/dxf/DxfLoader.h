// Builds a drawing from a parsed DXF file into a database that holds only
// the default drawing. The objects keep the handles of the file: the
// default records (layer 0, Continuous, *Model_Space, the tables, the
// named object dictionary...) are first moved to the handles the file gives
// them, and every other object joins with its own handle preset. What the
// drawing does not model (other entity and object kinds, meshes, layouts,
// viewports, dimension styles) is counted in the result's `skipped` and
// read past.
//
// Throws a DxfError naming the line of the file for anything that cannot be
// taken as it stands; the database is then half built and must be dropped
// (the public load functions build into a scratch database first).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "db/AcDbDatabase.h"
#include "db/dxf/DxfDocument.h"
#include "db/dxf/DxfResult.h"
#include "db/dxf/EntityReader.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

class DxfLoader {
 public:
  DxfLoader(const DxfDocument& doc, AcDbDatabase& db, Result& result);
  void run();

 private:
  void readVersion();
  void collectHandles();
  void moveDefaultObjects();
  void loadLinetypes();
  void loadLayers();
  void loadTextStyles();
  void loadRegApps();
  void loadBlockRecords();
  void loadBlocks();
  void loadEntities(AcDbObjectId defaultOwner, const std::vector<DxfRecord>& records, bool entitiesSection);
  AcDbObjectId addEntity(AcDbObjectId owner, const DxfRecord& rec, std::unique_ptr<AcDbEntity> entity);
  void addSequence(AcDbObjectId ownerEntity, const std::vector<const DxfRecord*>& children, const DxfRecord* end,
                   bool is3d);
  void loadObjects();
  void loadDictionary(AcDbObjectId dictId, const DxfRecord& rec, std::set<std::uint64_t>& path);
  bool isSkippedTree(const DxfRecord& rec, std::set<std::uint64_t>& path) const;
  void applyHeader();
  void applyXData(AcDbObjectId id, const DxfRecord& rec);
  void rehandle(AcDbObjectId id, std::uint64_t handle, int line);
  void skip(const std::string& kind) { ++m_result.skipped[kind]; }

  AcDbObjectId symbol(AcDbObjectId tableId, const std::wstring& name) const;
  // The record of the name, added (as a record of `type` at `line`, for
  // messages) when the table lacks it.
  template <class Rec>
  AcDbObjectId namedOrNew(AcDbObjectId tableId, const std::wstring& name, const char* type, int line);
  AcDbObjectId layerNamed(const std::wstring& name, int line);
  AcDbObjectId linetypeNamed(const std::wstring& name, int line);
  AcDbObjectId styleNamed(const std::wstring& name, int line);
  AcDbObjectId blockNamed(const std::wstring& name, int line);
  AcDbObjectId resolve(std::uint64_t handle);
  std::wstring name(const DxfRecord& rec) const { return m_codec.decode(rec.text(2)); }

  const DxfDocument& m_doc;
  AcDbDatabase& m_db;
  Result& m_result;
  TextCodec m_codec;
  EntityReader m_entities;
  std::map<std::uint64_t, int> m_fileHandles;  // handle -> line
  std::map<std::uint64_t, const DxfRecord*> m_objectsByHandle;
  std::map<std::uint64_t, AcDbObjectId> m_loaded;  // handles of entities loaded, for groups
  std::vector<std::pair<std::wstring, const DxfRecord*>> m_frozenLayers;
};

}  // namespace uv::dxf
