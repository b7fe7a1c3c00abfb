// The drawing database: owns every object added to it, hands out handles,
// and holds the symbol tables, the named object dictionary with its group
// dictionary, and the current layer, linetype, text style and line weight.
//
// A new database always holds the default drawing: the block table with
// *Model_Space and *Paper_Space, layer "0", linetypes ByBlock, ByLayer and
// Continuous, text style Standard, application ACAD, the named object
// dictionary and its ACAD_GROUP dictionary. (buildDefaultDrawing is taken for
// the host's call shape; every database here starts sound.)
#pragma once

#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "AcDb.h"
#include "AcDbExtents.h"
#include "AcDbObjectId.h"
#include "ObjectSlot.h"
#include "RawGroups.h"

class AcDbObject;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbRegAppTable;
class AcDbDictionary;

namespace uv {
class UndoLog;
struct DbAccess;
}  // namespace uv

class AcDbDatabase {
 public:
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~AcDbDatabase();
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  // Adds an object without owner; it stays open for write (close it). The
  // object's preset handle is used when given (eHandleExists if taken).
  Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* obj);
  Acad::ErrorStatus addAcDbObject(AcDbObject* obj);

  AcDbObjectId blockTableId() const { return m_blockTable; }
  AcDbObjectId layerTableId() const { return m_layerTable; }
  AcDbObjectId linetypeTableId() const { return m_linetypeTable; }
  AcDbObjectId textStyleTableId() const { return m_textStyleTable; }
  AcDbObjectId regAppTableId() const { return m_regAppTable; }
  AcDbObjectId namedObjectsDictionaryId() const { return m_nod; }
  AcDbObjectId groupDictionaryId() const { return m_groupDictionary; }

  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const { return getBlockTable(table, mode); }
  Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const { return getLayerTable(table, mode); }
  Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const { return getLinetypeTable(table, mode); }
  Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const { return getTextStyleTable(table, mode); }
  Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const { return getRegAppTable(table, mode); }
  Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode = AcDb::kForRead) const;
  Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode = AcDb::kForRead) const;

  AcDbObjectId modelSpaceId() const { return m_modelSpace; }
  AcDbObjectId paperSpaceId() const { return m_paperSpace; }
  AcDbObjectId currentSpaceId() const { return m_modelSpace; }
  AcDbObjectId byLayerLinetype() const { return m_byLayer; }
  AcDbObjectId byBlockLinetype() const { return m_byBlock; }
  AcDbObjectId continuousLinetype() const { return m_continuous; }
  AcDbObjectId layerZero() const { return m_layerZero; }

  AcDbObjectId clayer() const { return m_clayer; }
  // A live layer of this database, not frozen.
  Acad::ErrorStatus setClayer(AcDbObjectId layer);
  AcDbObjectId celtype() const { return m_celtype; }
  Acad::ErrorStatus setCeltype(AcDbObjectId linetype);
  AcDbObjectId textstyle() const { return m_textstyle; }
  Acad::ErrorStatus setTextstyle(AcDbObjectId style);
  AcDb::LineWeight celweight() const { return m_celweight; }
  Acad::ErrorStatus setCelweight(AcDb::LineWeight weight);

  // Handles stay below this (the last 64-bit value stays free so that a
  // seed above every handle exists): adding an object past it gives
  // eOutOfMemory, presetting or reserving such a handle is refused.
  static constexpr std::uint64_t kHandleLimit = 0xFFFFFFFFFFFFFFFFull;
  // The next handle to be given out; it can only be raised, up to kHandleLimit.
  AcDbHandle handseed() const { return AcDbHandle(m_handseed); }
  Acad::ErrorStatus setHandseed(const AcDbHandle& seed);
  // For readers, once a file is in: the seed the file gives, lowered or
  // raised, as long as it stays above every handle in use or reserved
  // (eInvalidInput otherwise), so that reading does not move it.
  Acad::ErrorStatus resetHandseed(const AcDbHandle& seed);
  // The id of a handle. With createIfNotFound an unknown handle is reserved
  // (a forward reference of a file reader): the id is valid for comparing,
  // and the object added later with that preset handle fills it.
  Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                    Adesk::UInt32 xRefId = 0);
  // Gives an object another handle (for readers keeping the handles of a
  // file): eHandleExists when the handle is in use or reserved.
  Acad::ErrorStatus setObjectHandle(AcDbObjectId id, const AcDbHandle& handle);

  // Every object (erased ones on request) in handle order, and the handles
  // reserved but never filled; for the checker and file writers.
  std::vector<AcDbObjectId> objectIds(bool includeErased = false) const;
  std::vector<AcDbObjectId> reservedIds() const;

  // The objects a user may not erase or rename: the tables and dictionaries
  // above, the spaces, layer 0, the three basic linetypes, Standard, ACAD,
  // and the current layer, linetype and style.
  bool isBuiltInObject(AcDbObjectId id) const;

  // The file this database was read from or saved to ("" for none).
  Acad::ErrorStatus getFilename(const ACHAR*& name) const;
  void setFilename(const ACHAR* name) { m_filename = name ? name : L""; }

  // What the file the drawing was read from held beyond its objects
  // (version, header variables, classes), for writing it back.
  const uv::KeptFileParts& keptFileParts() const { return m_kept; }
  uv::KeptFileParts& keptFileParts() { return m_kept; }

  // For readers that build a file straight into a new database: deletes
  // every object and builds the default drawing again in the slots of
  // `fresh` (the ids and handles the new database had), so that a failed
  // read leaves the database as it was and ids taken before stay valid.
  void restoreNew(const std::vector<std::pair<AcDbObjectId, AcDbHandle>>& fresh);

  // Extents of the model space, updated by updateExt (empty without entities).
  AcGePoint3d extmin() const { return m_extents.minPoint(); }
  AcGePoint3d extmax() const { return m_extents.maxPoint(); }
  Acad::ErrorStatus updateExt(bool doBestFit = false);

  // Whether db names a database that exists now.
  static bool isLive(const AcDbDatabase* db);

  // The record of what each command changed, for Undo and Redo (UndoLog.h);
  // it records nothing until enabled.
  uv::UndoLog& undoLog();
  const uv::UndoLog& undoLog() const;

 private:
  friend class uv::UndoLog;
  friend struct uv::DbAccess;
  // Before the object of the slot changes (see UndoLog).
  void aboutToChange(uv::ObjectSlot& slot) {
    if (m_undoStep && slot.step != m_undoStep) keepForUndo(slot);
  }
  void keepForUndo(uv::ObjectSlot& slot);
  // The undo log takes the places of handles out of the drawing and puts
  // them back; a place retired stays with the database, empty, so that ids
  // of it stay safe to ask.
  using SlotSet = std::set<uv::ObjectSlot, uv::SlotOrder, uv::PoolAllocator<uv::ObjectSlot>>;
 public:
  using SlotNode = SlotSet::node_type;  // a slot out of the index, still at its address

 private:
  SlotNode takeSlot(uv::ObjectSlot* slot);
  void putSlot(SlotNode slot);
  void retireSlot(SlotNode slot);
  // A slot of the index, as ids hold it (the index orders by handle only).
  static uv::ObjectSlot* held(const uv::ObjectSlot& slot) { return const_cast<uv::ObjectSlot*>(&slot); }

  void buildDefaultDrawing();
  uv::ObjectSlot* findSlot(std::uint64_t handle) const;

  SlotSet m_slots;
  std::uint64_t m_handseed = 1;
  AcDbObjectId m_blockTable, m_layerTable, m_linetypeTable, m_textStyleTable, m_regAppTable;
  AcDbObjectId m_nod, m_groupDictionary, m_modelSpace, m_paperSpace;
  AcDbObjectId m_layerZero, m_byLayer, m_byBlock, m_continuous, m_standard, m_acadApp;
  AcDbObjectId m_clayer, m_celtype, m_textstyle;
  AcDb::LineWeight m_celweight = AcDb::kLnWtByLayer;
  std::wstring m_filename;
  AcDbExtents m_extents;
  uv::KeptFileParts m_kept;
  std::uint32_t m_undoStep = 0;  // the step the undo log records, 0: none
  std::unique_ptr<uv::UndoLog> m_undo;
  std::vector<SlotNode> m_retired;
};
