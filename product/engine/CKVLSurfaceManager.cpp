// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CKVLSurfaceManager.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <filesystem>

#include "db/AcDbDatabase.h"
#include "db/UndoLog.h"
#include "base/TextCase.h"
#include "db/AcDbHostApplicationServices.h"
#include "ed/AcApDocManager.h"
#include "product/engine/BinaryIo.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/DrawingStore.h"
#include "base/SafeFileWriter.h"

using uv::engine::DrawingStore;
using uv::engine::SurfaceRecord;

struct CKVLSurfaceManager::Entry {
  std::unique_ptr<CSurfaceDesc> desc = std::make_unique<CSurfaceDesc>();
  std::unique_ptr<CKVLXsurface_Vantor2> surface;  // once opened
  std::wstring key;
  AcDbObjectId record;       // the drawing's record, null until first saved
  bool available = true;
  bool fileWritten = true;   // file surfaces: the file holds this surface
  std::uint64_t savedRevision = 0;
  SurfaceRecord saved;       // what the drawing's record holds, without the bytes
};

namespace {

std::vector<std::unique_ptr<CKVLSurfaceManager>>& registry() {
  static std::vector<std::unique_ptr<CKVLSurfaceManager>> managers;
  return managers;
}

// The record the drawing should hold for a surface now (without bytes).
SurfaceRecord recordOf(const CKVLSurfaceManager::CSurfaceDesc& desc, const CKVLXsurface_Vantor2* surface,
                       const SurfaceRecord& saved, const std::wstring& recordPath) {
  SurfaceRecord r;
  r.storage = desc.m_strStorage.str();
  r.name = desc.m_strName.str();
  r.description = desc.m_strDescription.str();
  r.path = recordPath;
  r.points = surface ? static_cast<std::uint32_t>(surface->PointCount()) : saved.points;
  r.triangles = surface ? static_cast<std::uint32_t>(surface->TriangleCount()) : saved.triangles;
  r.layers = desc.GetLayerManager()->Records();
  return r;
}

bool sameRecord(const SurfaceRecord& a, const SurfaceRecord& b) {
  return a.storage == b.storage && a.name == b.name && a.description == b.description && a.path == b.path &&
         a.points == b.points && a.triangles == b.triangles && a.layers == b.layers;
}

// The surface file's bytes kept in a drawing record.
std::vector<unsigned char> recordBytes(const uv::ResItems& items) {
  std::vector<unsigned char> bytes;
  for (const auto& it : items)
    if (it.code == 310) bytes.insert(bytes.end(), it.bytes.begin(), it.bytes.end());
  return bytes;
}

void setFileInfo(CKVLSurfaceManager::CSurfaceDesc& desc, const std::string& problem) {
  desc.m_strInfo = desc.m_strPath;
  if (!problem.empty()) desc.m_strInfo += CString(" (" + problem + ")");
}

}  // namespace

CKVLSurfaceManager* CKVLSurfaceManager::Instance(int refresh) {
  AcApDocument* doc = curDoc();
  AcDbDatabase* db = doc ? doc->database() : acdbCurDwg();
  CKVLSurfaceManager* manager = ForDatabase(db);
  if (manager && refresh == 1) manager->Refresh();
  return manager;
}

CKVLSurfaceManager* CKVLSurfaceManager::ForDatabase(AcDbDatabase* db) {
  auto& managers = registry();
  // A manager whose drawing is gone (or whose address a new drawing took) goes with it, and so
  // does one whose drawing was taken back or forward by Undo or Redo: the next one reads what the
  // drawing says now.
  std::erase_if(managers, [](const auto& m) {
    return !AcDbDatabase::isLive(m->m_db) || m->m_db->namedObjectsDictionaryId() != m->m_nod ||
           m->m_db->undoLog().restores() != m->m_restores;
  });
  if (!db || !AcDbDatabase::isLive(db)) return nullptr;
  for (auto& m : managers)
    if (m->m_db == db) return m.get();
  managers.push_back(std::unique_ptr<CKVLSurfaceManager>(new CKVLSurfaceManager(db)));
  return managers.back().get();
}

void CKVLSurfaceManager::Release(AcDbDatabase* db) {
  std::erase_if(registry(), [db](const auto& m) { return m->m_db == db; });
}

CKVLSurfaceManager::CKVLSurfaceManager(AcDbDatabase* db)
    : m_db(db), m_nod(db->namedObjectsDictionaryId()), m_restores(db->undoLog().restores()) {
  ReadDrawing();
}

CKVLSurfaceManager::~CKVLSurfaceManager() = default;

void CKVLSurfaceManager::ReadDrawing() {
  DrawingStore store(m_db);
  for (const auto& [key, id] : store.records()) {
    uv::ResItems items;
    SurfaceRecord record;
    std::string problem;
    // A record that names no surface is left in the drawing untouched: it may be a later
    // version's, and nothing here may lose it.
    if (!store.readItems(id, items) || !uv::engine::decodeRecord(items, record, false, problem)) continue;
    auto entry = std::make_unique<Entry>();
    CSurfaceDesc& desc = *entry->desc;
    desc.m_strName = CString(record.name);
    desc.m_strDescription = CString(record.description);
    desc.m_strStorage = CString(record.storage);
    desc.m_strPath = CString(record.path.empty() ? record.path : ResolvePath(record.path));
    if (record.layers.empty()) desc.GetLayerManager()->SetDefaults(desc.m_strName);
    else desc.GetLayerManager()->SetRecords(record.layers);
    entry->key = key;
    entry->record = id;
    entry->saved = record;
    if (desc.IsInDrawing()) {
      uv::engine::SurfaceFileContent header;
      const std::vector<unsigned char> bytes = recordBytes(items);
      entry->available = uv::engine::decodeSurfaceFile(bytes.data(), bytes.size(), uv::engine::KvbDepth::Header,
                                                       header, problem);
      desc.m_strInfo.Format(L"%u points, %u triangles", record.points, record.triangles);
      if (!entry->available) desc.m_strInfo += CString(" (unreadable: " + problem + ")");
    } else {
      CheckFile(*entry);
    }
    const std::wstring digits = key.size() > 1 ? key.substr(1) : L"";
    if (!digits.empty() && std::all_of(digits.begin(), digits.end(), iswdigit))
      m_nextKey = std::max<std::uint32_t>(m_nextKey, static_cast<std::uint32_t>(std::stoul(digits)) + 1);
    m_entries.push_back(std::move(entry));
  }
  const std::wstring current = store.current();
  m_current = current.empty() ? nullptr : Find(current.c_str());
}

void CKVLSurfaceManager::CheckFile(Entry& entry) {
  CSurfaceDesc& desc = *entry.desc;
  std::string problem;
  if (!uv::fileExists(desc.m_strPath.str())) {
    problem = "not found";
  } else {
    uv::engine::SurfaceFileContent header;
    std::string error;
    if (!uv::engine::readSurfaceFile(desc.m_strPath.str(), uv::engine::KvbDepth::Header, header, error))
      problem = "unreadable: " + error;
  }
  entry.available = problem.empty();
  setFileInfo(desc, problem);
}

void CKVLSurfaceManager::Refresh() {
  for (auto& entry : m_entries)
    if (!entry->surface && !entry->desc->IsInDrawing() && entry->fileWritten) CheckFile(*entry);
}

std::wstring CKVLSurfaceManager::NextKey() {
  wchar_t key[16];
  std::swprintf(key, 16, L"S%06u", m_nextKey++);
  return key;
}

CKVLSurfaceManager::Entry* CKVLSurfaceManager::Find(const wchar_t* name) const {
  if (!name) return nullptr;
  for (const auto& entry : m_entries)
    if (entry->desc->m_strName == name) return entry.get();
  return nullptr;
}

int CKVLSurfaceManager::GetExistingSurfaceNames(CStringArray& names) const {
  names.RemoveAll();
  for (const auto& entry : m_entries)
    if (entry->available) names.Add(entry->desc->m_strName);
  return names.GetSize();
}

int CKVLSurfaceManager::GetAllSurfaceNames(CStringArray& names) const {
  names.RemoveAll();
  for (const auto& entry : m_entries) names.Add(entry->desc->m_strName);
  return names.GetSize();
}

CKVLSurfaceManager::CSurfaceDesc* CKVLSurfaceManager::GetCurrentSurface() {
  return m_current ? m_current->desc.get() : nullptr;
}

CKVLSurfaceManager::CSurfaceDesc* CKVLSurfaceManager::GetSurfaceDescription(const wchar_t* name) {
  Entry* entry = Find(name);
  return entry ? entry->desc.get() : nullptr;
}

bool CKVLSurfaceManager::Load(Entry& entry) {
  CSurfaceDesc& desc = *entry.desc;
  uv::engine::SurfaceFileContent content;
  std::string problem;
  if (desc.IsInDrawing()) {
    uv::ResItems items;
    const std::vector<unsigned char> bytes =
        DrawingStore(m_db).readItems(entry.record, items) ? recordBytes(items) : std::vector<unsigned char>();
    if (!uv::engine::decodeSurfaceFile(bytes.data(), bytes.size(), uv::engine::KvbDepth::Whole, content, problem)) {
      entry.available = false;
      desc.m_strInfo += CString(" (unreadable: " + problem + ")");
    }
  } else {
    if (!uv::fileExists(desc.m_strPath.str())) problem = "not found";
    else uv::engine::readSurfaceFile(desc.m_strPath.str(), uv::engine::KvbDepth::Whole, content, problem);
    if (!problem.empty()) {
      entry.available = false;
      setFileInfo(desc, problem == "not found" ? problem : "unreadable: " + problem);
    }
  }
  if (!entry.available) {
    m_error = uv::toUtf8(desc.m_strName.str()) + ": " + problem;
    return false;
  }
  auto surface = std::make_unique<CKVLXsurface_Vantor2>(nullptr);
  if (!surface->LoadContent(content)) {
    entry.available = false;
    m_error = uv::toUtf8(desc.m_strName.str()) + ": " + surface->LastError();
    return false;
  }
  // The drawing's record, not the bytes, holds the name, description and layers in force.
  surface->Attach(this, &desc);
  entry.savedRevision = surface->Revision();
  entry.surface = std::move(surface);
  return true;
}

CKVLXsurface_Vantor2* CKVLSurfaceManager::OpenSurface(const wchar_t* name) {
  Entry* entry = Find(name);
  if (!entry || !entry->available) return nullptr;
  if (!entry->surface && !Load(*entry)) return nullptr;
  return entry->surface.get();
}

CKVLXsurface_Vantor2* CKVLSurfaceManager::CreateSurface(const wchar_t* name, int storage, const wchar_t* path,
                                                        bool existingFile) {
  const CString surfaceName(name ? name : L"");
  const CString filePath(path ? path : L"");
  if (surfaceName.IsEmpty()) {
    m_error = "a surface needs a name";
    return nullptr;
  }
  if (Find(surfaceName)) {
    m_error = "the drawing has a surface named " + surfaceName.toUtf8() + " already";
    return nullptr;
  }
  if (storage != kDrawingStorage && storage != kFileStorage) {
    m_error = "unknown storage " + std::to_string(storage);
    return nullptr;
  }
  if (storage == kFileStorage && filePath.IsEmpty()) {
    m_error = "a surface kept in a file needs the file's path";
    return nullptr;
  }
  // Two surfaces in one file would write over each other at every save.
  if (storage == kFileStorage)
    if (const Entry* owner = FileOwner(filePath.str())) {
      m_error = "the surface " + owner->desc->m_strName.toUtf8() + " of this drawing is kept in that file";
      return nullptr;
    }
  auto entry = std::make_unique<Entry>();
  CSurfaceDesc& desc = *entry->desc;
  desc.m_strName = surfaceName;
  desc.m_strStorage = storage == kDrawingStorage ? CSurfaceDesc::kStorageDrawing : CSurfaceDesc::kStorageFile;
  desc.GetLayerManager()->SetDefaults(surfaceName);
  auto surface = std::make_unique<CKVLXsurface_Vantor2>(nullptr);
  if (storage == kFileStorage) {
    desc.m_strPath = CString(ResolvePath(filePath.str()));
    if (existingFile) {
      uv::engine::SurfaceFileContent content;
      std::string problem;
      // The message that reports this names the file; the reason alone goes here.
      if (!uv::engine::readSurfaceFile(desc.m_strPath.str(), uv::engine::KvbDepth::Whole, content, problem) ||
          !surface->LoadContent(content)) {
        m_error = problem.empty() ? surface->LastError() : problem;
        return nullptr;
      }
      desc.m_strDescription = CString(content.header.description);
      if (!content.layers.empty()) desc.GetLayerManager()->SetRecords(content.layers);
    } else {
      entry->fileWritten = false;
    }
    setFileInfo(desc, "");
  }
  surface->Attach(this, &desc);
  if (storage == kDrawingStorage) desc.m_strInfo.Format(L"%d points, %d triangles", surface->PointCount(), 0);
  // A new drawing surface or new file counts as changed until saved; an attached file does not.
  entry->savedRevision = existingFile && storage == kFileStorage ? surface->Revision() : surface->Revision() + 1;
  entry->key = NextKey();
  entry->surface = std::move(surface);
  m_entries.push_back(std::move(entry));
  return m_entries.back()->surface.get();
}

std::wstring CKVLSurfaceManager::DrawingFolder() const {
  const ACHAR* name = nullptr;
  if (m_db->getFilename(name) != Acad::eOk || !name || !*name) return {};
  std::error_code ec;
  const std::filesystem::path drawing = std::filesystem::absolute(uv::toUtf8(name), ec);
  return ec ? std::wstring() : uv::fromUtf8(drawing.lexically_normal().parent_path().string());
}

std::wstring CKVLSurfaceManager::ResolvePath(const std::wstring& path) const {
  namespace fs = std::filesystem;
  if (path.empty()) return path;
  fs::path p(uv::toUtf8(path));
  if (p.is_relative()) {
    const std::wstring folder = DrawingFolder();
    std::error_code ec;
    p = folder.empty() ? fs::absolute(p, ec) : fs::path(uv::toUtf8(folder)) / p;
  }
  return uv::fromUtf8(p.lexically_normal().string());
}

std::wstring CKVLSurfaceManager::RecordPath(const std::wstring& path) const {
  namespace fs = std::filesystem;
  const std::wstring folder = DrawingFolder();
  if (folder.empty() || path.empty()) return path;
  const fs::path relative = fs::path(uv::toUtf8(path)).lexically_relative(uv::toUtf8(folder));
  // Only a file in the drawing's folder or below moves with it; others stay absolute.
  if (relative.empty() || *relative.begin() == "..") return path;
  return uv::fromUtf8(relative.string());
}

const CKVLSurfaceManager::Entry* CKVLSurfaceManager::FileOwner(const std::wstring& path) const {
  const std::wstring resolved = ResolvePath(path);
  for (const auto& entry : m_entries)
    if (!entry->desc->IsInDrawing() && uv::sameFile(entry->desc->m_strPath.str(), resolved))
      return entry.get();
  return nullptr;
}

CString CKVLSurfaceManager::SurfaceOfFile(const wchar_t* path) const {
  const Entry* owner = path ? FileOwner(path) : nullptr;
  return owner ? owner->desc->m_strName : CString();
}

int CKVLSurfaceManager::SetCurrentSurface(const wchar_t* name) {
  Entry* entry = Find(name);
  if (!entry || !entry->available) return 0;
  m_current = entry;
  return 1;
}

int CKVLSurfaceManager::IsCurrent(const wchar_t* name) const {
  return m_current && name && m_current->desc->m_strName == name ? 1 : 0;
}

bool CKVLSurfaceManager::DeleteSurface(const wchar_t* name) {
  Entry* entry = Find(name);
  if (!entry) return false;
  if (!entry->record.isNull()) m_deletedRecords.push_back(entry->record);
  if (m_current == entry) m_current = nullptr;
  std::erase_if(m_entries, [entry](const auto& e) { return e.get() == entry; });
  return true;
}

bool CKVLSurfaceManager::SaveEntry(Entry& entry) {
  CSurfaceDesc& desc = *entry.desc;
  CKVLXsurface_Vantor2* surface = entry.surface.get();
  const bool geometryChanged = surface && surface->Revision() != entry.savedRevision;
  SurfaceRecord record = recordOf(desc, surface, entry.saved, RecordPath(desc.m_strPath.str()));
  const bool recordChanged = entry.record.isNull() || !sameRecord(record, entry.saved);
  std::string error;

  if (!desc.IsInDrawing()) {
    // The file holds name, description and layers too, so any of them changing rewrites it;
    // an unavailable file is never written over.
    const bool fileChanged = geometryChanged || !entry.fileWritten || (recordChanged && !entry.record.isNull() &&
                             (record.name != entry.saved.name || record.description != entry.saved.description ||
                              record.layers != entry.saved.layers));
    if (fileChanged && entry.available && (surface || Load(entry))) {
      surface = entry.surface.get();
      if (!surface->WriteFileAt(desc.m_strPath.str(), error)) {
        m_error = "the file " + desc.m_strPath.toUtf8() + " of the surface " + desc.m_strName.toUtf8() + ": " + error;
        return false;
      }
      entry.fileWritten = true;
      entry.savedRevision = surface->Revision();
      setFileInfo(desc, "");
    }
  } else if ((geometryChanged || recordChanged) && !surface) {
    // Not opened since the drawing was read: its bytes stay as they are, readable or not.
    uv::ResItems items;
    if (DrawingStore(m_db).readItems(entry.record, items)) record.bytes = recordBytes(items);
  }
  if (!geometryChanged && !recordChanged) return true;
  uv::ResItems items = uv::engine::encodeRecord(record);
  if (desc.IsInDrawing() && surface) {
    // The surface file goes into the record's chunks as it is made.
    uv::engine::RecordChunks chunks(items);
    surface->WriteFile(chunks);
  }
  if (!DrawingStore(m_db).write(entry.key, std::move(items), entry.record, error)) {
    m_error = uv::toUtf8(desc.m_strName.str()) + ": " + error;
    return false;
  }
  std::vector<unsigned char>().swap(record.bytes);  // the record kept for comparison needs no bytes
  entry.saved = std::move(record);
  if (surface) entry.savedRevision = surface->Revision();
  return true;
}

bool CKVLSurfaceManager::Save() {
  if (!AcDbDatabase::isLive(m_db)) {
    m_error = "the drawing of these surfaces is closed";
    return false;
  }
  bool ok = true;
  DrawingStore store(m_db);
  for (const AcDbObjectId& id : m_deletedRecords)
    if (!store.erase(id)) ok = false;
  m_deletedRecords.clear();
  for (auto& entry : m_entries)
    if (!SaveEntry(*entry)) ok = false;
  const std::wstring current = m_current ? m_current->desc->m_strName.str() : std::wstring();
  std::string error;
  if (store.current() != current && !store.setCurrent(current, error)) {
    m_error = error;
    ok = false;
  }
  return ok;
}
