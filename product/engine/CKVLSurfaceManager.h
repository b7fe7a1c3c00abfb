// SPDX-License-Identifier: GPL-3.0-or-later
// The surfaces of one drawing: one manager per drawing (per AcDbDatabase).
//
// Instance(int refresh): the manager of the current document's drawing, made on first use from
// what the drawing holds. refresh 1 (the load-points dialog, which is about to add data) also
// looks again at the files of file surfaces, so a file that was missing and is now back makes
// its surface available (and one that vanished makes an unopened surface unavailable); 0 takes
// the manager as it stands.
//
// Where surfaces live:
// - "dict" surfaces in the drawing: named object dictionary -> "KVLX_VANTOR2" -> "SURFACES" ->
//   one xrecord per surface (key "S000001", ...) holding its name, description, storage, path,
//   counts and layer records, and, for a drawing surface, its surface file's bytes in binary
//   chunks of 127 bytes (group 310). "KVLX_VANTOR2" -> "CURRENT" names the current surface.
//   They travel with the drawing's DXF file.
// - "file" surfaces in their own .kvb file (KvbFormat.h); the drawing keeps the record only.
// Nothing is written to the drawing or to files before Save().
//
// A surface whose data cannot be read (its file missing, damaged or of a newer version) is
// unavailable, not lost: GetAllSurfaceNames still lists it, GetSurfaceDescription still gives
// its record, but GetExistingSurfaceNames leaves it out and OpenSurface gives null; Save()
// never writes over its file or its bytes.
//
// Names compare exactly (letter case counts). Results: 1 is success for the integer
// operations, null pointers mean "no such surface".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/CStringArray.h"
#include "db/AcDbObjectId.h"

class AcDbDatabase;
class CKVLXsurface_Vantor2;

class CKVLSurfaceManager {
 public:
  class CKVLLayer;
  class CSurfaceDesc;

  static constexpr int kDrawingStorage = 0;
  static constexpr int kFileStorage = 1;

  // The current document's manager; null when there is no current drawing.
  static CKVLSurfaceManager* Instance(int refresh = 0);
  // The manager of a given drawing (made on first use).
  static CKVLSurfaceManager* ForDatabase(AcDbDatabase* db);
  // Forgets the manager of a drawing, unsaved changes included (the drawing was closed, or a
  // test wants to read the drawing afresh).
  static void Release(AcDbDatabase* db);

  ~CKVLSurfaceManager();
  CKVLSurfaceManager(const CKVLSurfaceManager&) = delete;
  CKVLSurfaceManager& operator=(const CKVLSurfaceManager&) = delete;

  // Names in the order the surfaces were made; both return their count.
  int GetExistingSurfaceNames(CStringArray& names) const;
  int GetAllSurfaceNames(CStringArray& names) const;

  CSurfaceDesc* GetCurrentSurface();
  CSurfaceDesc* GetSurfaceDescription(const wchar_t* name);
  // The surface, read from the drawing or its file on first use; null for an unknown or
  // unavailable surface.
  CKVLXsurface_Vantor2* OpenSurface(const wchar_t* name);

  // storage 0: a new empty surface kept in the drawing (path and existingFile not used).
  // storage 1, existingFile false: a new empty surface whose file (path) is written at Save(),
  //   replacing a file of that name (the caller asks the user first).
  // A relative path is taken in the drawing's folder (ResolvePath). A file that another surface
  // of the drawing is kept in is refused.
  // storage 1, existingFile true: attaches the surface file at path; it is read at once and a
  //   damaged or missing file is refused.
  // Null when the name is empty or taken, the storage unknown, the path empty for storage 1,
  // or the file refused; LastError() then says why. Does not make the surface current.
  CKVLXsurface_Vantor2* CreateSurface(const wchar_t* name, int storage, const wchar_t* path, bool existingFile);

  // 1 when made current (an available surface); 0 otherwise.
  int SetCurrentSurface(const wchar_t* name);
  int IsCurrent(const wchar_t* name) const;
  // Removes the surface from the drawing at the next Save(); a surface file itself is kept.
  bool DeleteSurface(const wchar_t* name);

  // Writes every changed surface: drawing surfaces into the drawing's dictionaries, file
  // surfaces to their files (each replaced only once its new content is complete), and the
  // list and current surface. True when everything was written; otherwise LastError() names
  // what failed and the rest was still written.
  bool Save();

  // Looks at the files of unopened file surfaces again (see Instance).
  void Refresh();

  // A relative path taken in the drawing's folder, or in the working folder while the drawing
  // has no file; normalised. The drawing's records hold a file in the drawing's folder (or
  // below) relative to it, so a project folder can be moved whole; other files absolute.
  std::wstring ResolvePath(const std::wstring& path) const;
  // The surface of this drawing that is kept in the file, or empty.
  CString SurfaceOfFile(const wchar_t* path) const;

  AcDbDatabase* Database() const { return m_db; }
  const std::string& LastError() const { return m_error; }

 private:
  struct Entry;
  explicit CKVLSurfaceManager(AcDbDatabase* db);

  void ReadDrawing();
  Entry* Find(const wchar_t* name) const;
  bool Load(Entry& entry);
  bool SaveEntry(Entry& entry);
  void CheckFile(Entry& entry);
  std::wstring DrawingFolder() const;
  std::wstring RecordPath(const std::wstring& path) const;
  const Entry* FileOwner(const std::wstring& path) const;
  std::wstring NextKey();

  AcDbDatabase* m_db;
  AcDbObjectId m_nod;  // to tell a new drawing at the address of a closed one
  std::uint64_t m_restores;  // the drawing's undos and redos when it was read
  std::vector<std::unique_ptr<Entry>> m_entries;
  std::vector<AcDbObjectId> m_deletedRecords;
  Entry* m_current = nullptr;
  bool m_currentChanged = false;
  std::uint32_t m_nextKey = 1;
  std::string m_error;
};

// The nested classes, so that one include gives the whole manager.
#include "product/engine/CKVLLayer.h"
#include "product/engine/CSurfaceDesc.h"
#include "product/engine/CKVLLayerManager.h"
