// Builds a drawing from a parsed DXF file into a database that holds only
// the default drawing. The objects keep the handles of the file: the
// default records (layer 0, Continuous, *Model_Space, the tables, the
// named object dictionary...) are first moved to the handles the file gives
// them, and every other object joins with its own handle preset. What the
// drawing does not model is kept as it came: entities and objects of other
// kinds (meshes, dimensions, layouts, the VPORT, VIEW, UCS and DIMSTYLE
// tables...) as raw entities and objects, the groups of modelled records
// the database has no value for as each object's kept groups, and header
// variables, classes and other sections as the database's kept file parts.
//
// Limits, stated in the errors that enforce them: handles below
// 8000000000000000 (room for new objects), dictionaries nested at most
// 10000 deep, no block that holds itself, blocks nested at most 64 deep.
//
// Throws a DxfError naming the line of the file for anything that cannot be
// taken as it stands; the database is then half built (the public load
// functions then put it back as it was with AcDbDatabase::restoreNew).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/AcDbDatabase.h"
#include "db/dxf/DxfDocument.h"
#include "db/dxf/DxfResult.h"
#include "db/dxf/EntityReader.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

class RecordSource;

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
  void loadEntities(AcDbObjectId defaultOwner, RecordSource& records, bool entitiesSection);
  AcDbObjectId addEntity(AcDbObjectId owner, const DxfRecord& rec, std::unique_ptr<AcDbEntity> entity);
  void addSequence(AcDbObjectId ownerEntity, const std::vector<const DxfRecord*>& children, const DxfRecord* end,
                   bool is3d);
  void loadObjects();
  void loadDictionaryEntries(AcDbObjectId dictId, const DxfRecord& rec, int depth,
                             std::vector<std::tuple<AcDbObjectId, const DxfRecord*, int>>& todo);
  void addRawObjects();
  void loadRawTables();
  AcDbObjectId addRawObject(const DxfRecord& rec, AcDbObjectId owner);
  AcDbObjectId addRawEntity(AcDbObjectId owner, const DxfRecord& rec);
  void checkBlockNesting();
  void keepFileParts();
  void applyHeader();
  // The record's unmodelled groups and its extended data, on the object.
  void keepFileData(AcDbObjectId id, const DxfRecord& rec);
  void applyXData(AcDbObjectId id, const DxfRecord& rec);
  void rehandle(AcDbObjectId id, std::uint64_t handle, int line);
  void mend(const std::string& what) { ++m_result.mended[what]; }

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
  std::wstring blockName(const DxfRecord& rec) const;

  const DxfDocument& m_doc;
  AcDbDatabase& m_db;
  Result& m_result;
  TextCodec m_codec;
  bool m_r12 = false;
  EntityReader m_entities;
  // The line of the record of a file handle, 0 for a handle the file lacks.
  int fileHandleLine(std::uint64_t handle) const;

  // Vectors sorted by handle rather than trees: files hold millions of handles.
  std::vector<std::pair<std::uint64_t, int>> m_fileHandles;  // handle -> line
  std::map<std::uint64_t, const DxfRecord*> m_objectsByHandle;
  std::vector<std::pair<std::uint64_t, AcDbObjectId>> m_loaded;  // entities loaded, for groups; sorted by loadObjects
  std::set<std::uint64_t> m_placed;                 // OBJECTS records filed in a dictionary
  std::vector<std::pair<AcDbObjectId, std::uint64_t>> m_rawOwners;  // raw objects and their file owners
  std::vector<std::uint64_t> m_objectOrder;          // the handles of the OBJECTS records, in file order
  std::vector<std::pair<std::wstring, const DxfRecord*>> m_frozenLayers;
  std::wstring m_lastLayer;  // the name layerNamed() was last asked for, and its answer
  AcDbObjectId m_lastLayerId;
  std::wstring m_lastLinetype;  // the same for linetypeNamed()
  AcDbObjectId m_lastLinetypeId;
  // Application names of extended data as the file spells them, decoded, and
  // registered by now.
  std::map<std::string, std::wstring, std::less<>> m_appNames;
};

}  // namespace uv::dxf
