// SPDX-License-Identifier: GPL-3.0-or-later
// The surface manager through a real drawing: surfaces in the drawing and in files, the lists,
// the current surface, deleting, saving, and reading everything back.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <map>

#include "EngineTestSupport.h"
#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/UndoLog.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/DrawingStore.h"

namespace uv::engine::test {
namespace {

double slope(double x, double y) { return 50.0 + 0.2 * x - 0.1 * y; }

std::vector<std::wstring> names(const CStringArray& a) {
  std::vector<std::wstring> out;
  for (const auto& s : a) out.push_back(s.str());
  return out;
}

std::vector<std::wstring> existing(CKVLSurfaceManager& m) {
  CStringArray a;
  m.GetExistingSurfaceNames(a);
  return names(a);
}

std::vector<std::wstring> all(CKVLSurfaceManager& m) {
  CStringArray a;
  m.GetAllSurfaceNames(a);
  return names(a);
}

// The manager as a new session would see the drawing.
CKVLSurfaceManager& reread(AcDbDatabase* db) {
  CKVLSurfaceManager::Release(db);
  return *CKVLSurfaceManager::ForDatabase(db);
}

void fill(CKVLXsurface_Vantor2& s, std::uint64_t seed) {
  CUniquePointSet set = pointSet(randomPoints(200, seed, 0, 0, 50, slope));
  s.SetPoints(set);
}

TEST(SurfaceManager, InstanceIsTheCurrentDrawingsManager) {
  TestDrawing drawing;
  CKVLSurfaceManager* m = CKVLSurfaceManager::Instance(0);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Database(), drawing.db());
  EXPECT_EQ(CKVLSurfaceManager::Instance(1), m);
  TestDrawing other;
  EXPECT_NE(CKVLSurfaceManager::Instance(0), m);
}

TEST(SurfaceManager, DrawingAndFileSurfacesSurviveSaveAndReread) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* teren = m.CreateSurface(L"Teren", 0, nullptr, false);
  CKVLXsurface_Vantor2* cesta = m.CreateSurface(L"Cesta", 1, folder.wpath("cesta.kvb").c_str(), false);
  ASSERT_TRUE(teren && cesta);
  fill(*teren, 1);
  fill(*cesta, 2);
  teren->SetBreakLine(AcGePoint3d(5, 5, 52), AcGePoint3d(40, 30, 55));
  m.GetSurfaceDescription(L"Teren")->m_strDescription = L"survey of 2024";
  m.GetSurfaceDescription(L"Teren")->GetLayerManager()->GetLayer(6)->m_nColor = 3;
  EXPECT_EQ(m.SetCurrentSurface(L"Cesta"), 1);
  EXPECT_EQ(m.CreateSurface(L"Teren", 0, nullptr, false), nullptr);  // taken
  EXPECT_EQ(m.CreateSurface(L"", 0, nullptr, false), nullptr);
  EXPECT_EQ(m.CreateSurface(L"X", 1, L"", false), nullptr);  // a file surface needs a path
  double zBefore = 0;
  ASSERT_EQ(teren->Elevation(AcGePoint3d(20, 16, 0), zBefore), 1);
  EXPECT_FALSE(std::filesystem::exists(folder.path("cesta.kvb")));  // nothing before Save
  ASSERT_TRUE(m.Save()) << m.LastError();
  EXPECT_TRUE(std::filesystem::exists(folder.path("cesta.kvb")));

  CKVLSurfaceManager& again = reread(drawing.db());
  EXPECT_EQ(all(again), (std::vector<std::wstring>{L"Teren", L"Cesta"}));
  EXPECT_EQ(existing(again), all(again));
  EXPECT_EQ(again.IsCurrent(L"Cesta"), 1);
  auto* desc = again.GetSurfaceDescription(L"Teren");
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->m_strDescription, L"survey of 2024");
  EXPECT_EQ(desc->m_strStorage, L"dict");
  EXPECT_EQ(desc->GetLayerManager()->GetLayer(6)->m_nColor, 3);
  EXPECT_EQ(desc->GetLayerManager()->GetLayer(1)->m_strName, L"Teren_TIN");
  EXPECT_EQ(again.GetSurfaceDescription(L"Cesta")->m_strStorage, L"file");
  EXPECT_EQ(again.GetSurfaceDescription(L"Cesta")->m_strInfo, CString(folder.wpath("cesta.kvb")));
  CKVLXsurface_Vantor2* t = again.OpenSurface(L"Teren");
  ASSERT_NE(t, nullptr);
  double zAfter = 0;
  ASSERT_EQ(t->Elevation(AcGePoint3d(20, 16, 0), zAfter), 1);
  EXPECT_DOUBLE_EQ(zAfter, zBefore);
  EXPECT_EQ(t->Name(), L"Teren");
  ASSERT_NE(again.OpenSurface(L"Cesta"), nullptr);
  EXPECT_EQ(again.OpenSurface(L"cesta"), nullptr);  // names compare exactly
}

TEST(SurfaceManager, RenameDeleteAndCurrentAreWrittenAtSave) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"A", 0, nullptr, false), 3);
  fill(*m.CreateSurface(L"B", 0, nullptr, false), 4);
  m.SetCurrentSurface(L"A");
  ASSERT_TRUE(m.Save());
  m.GetSurfaceDescription(L"A")->m_strName = L"A2";
  EXPECT_NE(m.OpenSurface(L"A2"), nullptr);
  EXPECT_EQ(m.OpenSurface(L"A2")->Name(), L"A2");
  EXPECT_EQ(m.IsCurrent(L"A2"), 1);
  EXPECT_TRUE(m.DeleteSurface(L"B"));
  EXPECT_FALSE(m.DeleteSurface(L"B"));
  EXPECT_EQ(all(reread(drawing.db())), (std::vector<std::wstring>{L"A", L"B"}));  // not saved: nothing changed

  CKVLSurfaceManager& m2 = *CKVLSurfaceManager::ForDatabase(drawing.db());
  m2.GetSurfaceDescription(L"A")->m_strName = L"A2";
  m2.DeleteSurface(L"B");
  ASSERT_TRUE(m2.Save());
  CKVLSurfaceManager& m3 = reread(drawing.db());
  EXPECT_EQ(all(m3), (std::vector<std::wstring>{L"A2"}));
  EXPECT_EQ(m3.IsCurrent(L"A2"), 1);
  ASSERT_NE(m3.OpenSurface(L"A2"), nullptr);
  EXPECT_GT(m3.OpenSurface(L"A2")->TriangleCount(), 100);
}

TEST(SurfaceManager, AMissingFileMakesItsSurfaceUnavailableButListed) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"F", 1, folder.wpath("f.kvb").c_str(), false), 5);
  ASSERT_TRUE(m.Save());
  std::filesystem::rename(folder.path("f.kvb"), folder.path("away.kvb"));

  CKVLSurfaceManager& again = reread(drawing.db());
  EXPECT_EQ(all(again), std::vector<std::wstring>{L"F"});
  EXPECT_TRUE(existing(again).empty());
  EXPECT_EQ(again.OpenSurface(L"F"), nullptr);
  EXPECT_EQ(again.SetCurrentSurface(L"F"), 0);
  ASSERT_NE(again.GetSurfaceDescription(L"F"), nullptr);
  EXPECT_NE(again.GetSurfaceDescription(L"F")->m_strInfo.Find(L"not found"), -1);
  // Saving while the file is away writes no file and keeps the record.
  again.GetSurfaceDescription(L"F")->m_strDescription = L"edited";
  EXPECT_TRUE(again.Save());
  EXPECT_FALSE(std::filesystem::exists(folder.path("f.kvb")));

  std::filesystem::rename(folder.path("away.kvb"), folder.path("f.kvb"));
  EXPECT_TRUE(existing(again).empty());
  CKVLSurfaceManager* refreshed = CKVLSurfaceManager::Instance(1);
  ASSERT_EQ(refreshed, &again);
  EXPECT_EQ(existing(again), std::vector<std::wstring>{L"F"});
  EXPECT_NE(again.OpenSurface(L"F"), nullptr);
}

// Damaged files: cut short at several places, one byte flipped in header and body (a file
// without the triangles' section, so that the last bytes are the body's).
class DamagedFile : public ::testing::TestWithParam<int> {};

TEST_P(DamagedFile, IsRefusedAndNothingChanges) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLXsurface_Vantor2 source(nullptr);
  fill(source, 6);
  source.SetName(L"Damaged");
  {
    uv::engine::SurfaceFileContent content = source.FileContent();
    content.triangulation.reset();
    std::ofstream out(folder.path("good.kvb"), std::ios::binary);
    ASSERT_TRUE(uv::engine::writeSurfaceFile(*out.rdbuf(), content));
  }
  std::vector<unsigned char> bytes = readBytes(folder.path("good.kvb"));
  const int where = GetParam();
  if (where >= 0) {
    bytes.resize(std::min<std::size_t>(bytes.size() - 1, static_cast<std::size_t>(where)));  // truncated
  } else {
    bytes[bytes.size() + static_cast<std::size_t>(where)] ^= 0x40;  // one byte from the end flipped
  }
  writeBytes(folder.path("bad.kvb"), bytes);

  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"Keep", 0, nullptr, false), 7);
  ASSERT_TRUE(m.Save());
  EXPECT_EQ(m.CreateSurface(L"Damaged", 1, folder.wpath("bad.kvb").c_str(), true), nullptr);
  EXPECT_FALSE(m.LastError().empty());
  EXPECT_EQ(all(m), std::vector<std::wstring>{L"Keep"});
  EXPECT_EQ(readBytes(folder.path("bad.kvb")), bytes);

  // Read into an existing surface: refused, the surface as it was.
  CKVLXsurface_Vantor2* keep = m.OpenSurface(L"Keep");
  const int triangles = keep->TriangleCount();
  std::ifstream in(folder.path("bad.kvb"), std::ios::binary);
  EXPECT_EQ(keep->ImportFromBin(*in.rdbuf(), CKVLXsurface_Vantor2::kReadAll), 0);
  EXPECT_EQ(keep->TriangleCount(), triangles);
}

INSTANTIATE_TEST_SUITE_P(Places, DamagedFile, ::testing::Values(0, 7, 15, 30, 60, 200, 1000, 4000, -2, -100, -3000));

// Damaged triangles (cut short, a byte flipped, checksum made right over wrong numbers) never
// give a wrong surface: the definition, checked on its own, makes the surface again.
TEST(DamagedTriangles, FallBackToTheDefinition) {
  CKVLXsurface_Vantor2 source(nullptr);
  fill(source, 6);
  source.SetBreakLine(AcGePoint3d(1.5, 1.25, 3.0), AcGePoint3d(4.5, 3.75, 4.0));
  std::stringbuf good;
  ASSERT_EQ(source.ExportToBin(good), 1);
  const std::string bytes = good.str();
  const int triangles = source.TriangleCount();
  const std::size_t section = uv::engine::encodeSurfaceFile([&] {
                                auto c = source.FileContent();
                                c.triangulation.reset();
                                return c;
                              }()).size();
  ASSERT_GT(bytes.size(), section + 12);
  auto load = [&](const std::string& file) {
    std::stringbuf in(file);
    CKVLXsurface_Vantor2 loaded(nullptr);
    EXPECT_EQ(loaded.ImportFromBin(in, CKVLXsurface_Vantor2::kReadAll), 1) << loaded.LastError();
    EXPECT_EQ(loaded.TriangleCount(), triangles);
    EXPECT_TRUE(loaded.Triangulation().Surface().isValid());
  };
  load(bytes);
  load(bytes.substr(0, section + 5));
  load(bytes.substr(0, bytes.size() - 3));
  for (std::size_t at : {section + 9, section + 20, bytes.size() - 30, bytes.size() - 5}) {
    std::string flipped = bytes;
    flipped[at] ^= 0x40;
    load(flipped);
  }
  // A triangle that names another point, under a checksum made right: caught by the checks.
  uv::engine::SurfaceFileContent content;
  std::string error;
  ASSERT_TRUE(uv::engine::decodeSurfaceFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                            uv::engine::KvbDepth::Whole, content, error));
  ASSERT_TRUE(content.triangulation);
  std::swap(content.triangulation->triangles[0].v[1], content.triangulation->triangles[0].v[2]);
  const auto rewritten = uv::engine::encodeSurfaceFile(content);
  load(std::string(rewritten.begin(), rewritten.end()));
}

TEST(SurfaceManager, AttachingAndReadingAFileWrittenByExport) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLXsurface_Vantor2 source(nullptr);
  fill(source, 8);
  source.SetName(L"Teren");
  source.SetDescription(L"from the field");
  {
    std::ofstream out(folder.path("t.kvb"), std::ios::binary);
    ASSERT_EQ(source.ExportToBin(*out.rdbuf()), 1);
  }
  CKVLXsurface_Vantor2 header(nullptr);
  {
    std::ifstream in(folder.path("t.kvb"), std::ios::binary);
    ASSERT_EQ(header.ImportFromBin(*in.rdbuf(), CKVLXsurface_Vantor2::kReadHeader), 1);
  }
  EXPECT_EQ(header.Name(), L"Teren");
  EXPECT_EQ(header.Description(), L"from the field");
  EXPECT_EQ(header.TriangleCount(), 0);  // the header alone brings no geometry

  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* attached = m.CreateSurface(L"Teren", 1, folder.wpath("t.kvb").c_str(), true);
  ASSERT_NE(attached, nullptr) << m.LastError();
  EXPECT_EQ(attached->TriangleCount(), source.TriangleCount());
  EXPECT_EQ(m.GetSurfaceDescription(L"Teren")->m_strDescription, L"from the field");

  CKVLXsurface_Vantor2* copy = m.CreateSurface(L"Teren_1", 0, nullptr, false);
  std::ifstream in(folder.path("t.kvb"), std::ios::binary);
  ASSERT_EQ(copy->ImportFromBin(*in.rdbuf(), CKVLXsurface_Vantor2::kReadAll), 1);
  EXPECT_EQ(copy->Name(), L"Teren_1");  // the record's name, not the file's
  EXPECT_EQ(copy->TriangleCount(), source.TriangleCount());
  const auto before = readBytes(folder.path("t.kvb"));
  ASSERT_TRUE(m.Save());
  EXPECT_EQ(readBytes(folder.path("t.kvb")), before);  // an unchanged attached file is not rewritten
  EXPECT_EQ(reread(drawing.db()).OpenSurface(L"Teren_1")->TriangleCount(), source.TriangleCount());
}

// Two surfaces in one file would write over each other at every save: however the path is
// spelt, a file that holds a surface of the drawing is refused for another.
TEST(SurfaceManager, TwoSurfacesNeverShareAFile) {
  TestDrawing drawing;
  ScratchFolder folder;
  std::filesystem::create_directory(folder.path("sub"));
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"F", 1, folder.wpath("f.kvb").c_str(), false), 6);
  ASSERT_TRUE(m.Save()) << m.LastError();
  std::filesystem::create_symlink(folder.path("f.kvb"), folder.path("link.kvb"));
  for (const std::wstring& path : {folder.wpath("f.kvb"), folder.wpath("sub/../f.kvb"), folder.wpath("link.kvb")})
    for (bool existingFile : {false, true}) {
      EXPECT_EQ(m.CreateSurface(L"G", 1, path.c_str(), existingFile), nullptr) << uv::toUtf8(path);
      EXPECT_NE(m.LastError().find("surface F"), std::string::npos) << m.LastError();
      EXPECT_EQ(m.SurfaceOfFile(path.c_str()), L"F");
    }
  EXPECT_EQ(m.SurfaceOfFile(folder.wpath("g.kvb").c_str()), L"");
  EXPECT_NE(m.CreateSurface(L"G", 1, folder.wpath("g.kvb").c_str(), false), nullptr);
}

// A file in the drawing's folder (or below) is recorded relative to the drawing, so the
// project folder can be moved whole; a file elsewhere is recorded as it is.
TEST(SurfaceManager, RelativePathsFollowTheDrawing) {
  TestDrawing drawing;
  ScratchFolder folder;
  namespace fs = std::filesystem;
  fs::create_directories(folder.path("project/sub"));
  fs::create_directories(folder.path("elsewhere"));
  const std::wstring dwg = folder.wpath("project/site.dxf");
  drawing.db()->setFilename(dwg.c_str());
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"Near", 1, L"sub/near.kvb", false), 7);
  fill(*m.CreateSurface(L"Far", 1, folder.wpath("elsewhere/far.kvb").c_str(), false), 8);
  EXPECT_EQ(m.GetSurfaceDescription(L"Near")->m_strPath, CString(folder.wpath("project/sub/near.kvb")));
  ASSERT_TRUE(m.Save()) << m.LastError();
  EXPECT_TRUE(fs::exists(folder.path("project/sub/near.kvb")));

  std::map<std::wstring, std::wstring> recorded;
  DrawingStore store(drawing.db());
  for (const auto& [key, id] : store.records()) {
    uv::ResItems items;
    SurfaceRecord record;
    std::string error;
    ASSERT_TRUE(store.readItems(id, items) && decodeRecord(items, record, false, error)) << error;
    recorded[record.name] = record.path;
  }
  EXPECT_EQ(recorded[L"Near"], L"sub/near.kvb");
  EXPECT_EQ(recorded[L"Far"], folder.wpath("elsewhere/far.kvb"));

  // The project moves; the drawing finds its surface file in the new place.
  fs::rename(folder.path("project"), folder.path("moved"));
  drawing.db()->setFilename(folder.wpath("moved/site.dxf").c_str());
  CKVLSurfaceManager& again = reread(drawing.db());
  EXPECT_EQ(again.GetSurfaceDescription(L"Near")->m_strPath, CString(folder.wpath("moved/sub/near.kvb")));
  EXPECT_EQ(existing(again), (std::vector<std::wstring>{L"Near", L"Far"}));
}

// Bytes handed over piece by piece fill the record's chunks as one array cut into 127-byte
// chunks would: no chunk short but the last, the values before them untouched.
TEST(RecordChunks, PiecesOfAnySizeMakeTheChunksOfTheWholeArray) {
  const std::vector<std::vector<std::size_t>> cases = {
      {}, {1}, {127}, {128}, {126, 1, 1}, {1, 126, 1, 300, 0, 127, 5}, {254, 254}, {1000, 3, 3, 3}};
  for (const auto& pieces : cases) {
    SCOPED_TRACE(::testing::PrintToString(pieces));
    SurfaceRecord record;
    record.storage = L"dict";
    record.name = L"Teren";
    record.layers = {{1, L"Teren_TIN", 8, L"Continuous"}};
    std::size_t total = 0;
    for (std::size_t n : pieces) total += n;
    std::vector<unsigned char> bytes(total);
    for (std::size_t i = 0; i < total; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);

    uv::ResItems items = encodeRecord(record);
    RecordChunks chunks(items);
    chunks.expect(total);
    std::size_t at = 0;
    for (std::size_t n : pieces) {
      chunks.put(bytes.data() + at, n);
      at += n;
    }
    record.bytes = bytes;
    EXPECT_EQ(items, encodeRecord(record));
    SurfaceRecord back;
    std::string error;
    ASSERT_TRUE(decodeRecord(items, back, true, error)) << error;
    EXPECT_EQ(back.bytes, bytes);
    for (std::size_t k = 0; k + 1 < items.size(); ++k)
      if (items[k].code == 310) {
        EXPECT_EQ(items[k].bytes.size(), 127u) << k;
      }
  }
}

// A drawing surface's record holds its file's bytes, written into the chunks as they are made,
// after each save of a changed surface.
TEST(SurfaceManager, TheDrawingsRecordHoldsTheSurfaceFile) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* surface = m.CreateSurface(L"Teren", 0, nullptr, false);
  ASSERT_NE(surface, nullptr);
  auto recorded = [&] {
    DrawingStore store(drawing.db());
    SurfaceRecord record;
    for (const auto& [key, id] : store.records()) {
      uv::ResItems items;
      std::string error;
      EXPECT_TRUE(store.readItems(id, items) && decodeRecord(items, record, true, error)) << error;
    }
    return record.bytes;
  };
  fill(*surface, 3);
  ASSERT_TRUE(m.Save()) << m.LastError();
  EXPECT_EQ(recorded(), encodeSurfaceFile(surface->FileContent()));
  surface->SetBreakLine(AcGePoint3d(5, 5, 1), AcGePoint3d(40, 30, 2));
  fill(*surface, 4);
  ASSERT_TRUE(m.Save()) << m.LastError();
  EXPECT_EQ(recorded(), encodeSurfaceFile(surface->FileContent()));
  EXPECT_EQ(recorded(), surface->FileBytes());
}

// A file that cannot be written keeps its old bytes; the error names the file once and says
// why, and a later save, once the cause is gone, writes it.
TEST(SurfaceManager, AFailedSaveKeepsTheOldFileAndCanBeRepeated) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m.CreateSurface(L"F", 1, folder.wpath("f.kvb").c_str(), false), 9);
  ASSERT_TRUE(m.Save()) << m.LastError();
  const auto before = readBytes(folder.path("f.kvb"));
  ::chmod(folder.path("f.kvb").c_str(), 0444);
  fill(*m.OpenSurface(L"F"), 10);
  EXPECT_FALSE(m.Save());
  const std::string path = folder.path("f.kvb").string();
  const std::string& error = m.LastError();
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(error.find(path, error.find(path) + 1), std::string::npos) << "named twice: " << error;
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
  EXPECT_EQ(readBytes(folder.path("f.kvb")), before);
  ::chmod(folder.path("f.kvb").c_str(), 0644);
  EXPECT_TRUE(m.Save()) << m.LastError();
  EXPECT_NE(readBytes(folder.path("f.kvb")), before);
}

}  // namespace
}  // namespace uv::engine::test

namespace uv::engine::test {
namespace {

// Undo and Redo of the drawing: the manager reads what the drawing says
// again. A surface file written by the undone step stays on disk as the
// step left it (undo changes the drawing, never files).
TEST(SurfaceManager, UndoAndRedoOfTheDrawingAreReadAgain) {
  TestDrawing drawing;
  ScratchFolder folder;
  drawing.db()->undoLog().enable();
  drawing.db()->undoLog().begin(L"SURFMAN");
  CKVLSurfaceManager* m = CKVLSurfaceManager::ForDatabase(drawing.db());
  fill(*m->CreateSurface(L"InDrawing", 0, nullptr, false), 3);
  fill(*m->CreateSurface(L"InFile", 1, folder.wpath("f.kvb").c_str(), false), 4);
  ASSERT_TRUE(m->SetCurrentSurface(L"InFile"));
  const int points = m->OpenSurface(L"InFile")->PointCount();
  ASSERT_TRUE(m->Save());
  const auto bytes = std::filesystem::file_size(folder.path("f.kvb"));

  ASSERT_EQ(drawing.db()->undoLog().undo(), Acad::eOk);
  CKVLSurfaceManager* undone = CKVLSurfaceManager::ForDatabase(drawing.db());
  EXPECT_TRUE(all(*undone).empty());
  EXPECT_EQ(undone->GetCurrentSurface(), nullptr);
  EXPECT_EQ(std::filesystem::file_size(folder.path("f.kvb")), bytes);

  ASSERT_EQ(drawing.db()->undoLog().redo(), Acad::eOk);
  CKVLSurfaceManager* redone = CKVLSurfaceManager::ForDatabase(drawing.db());
  EXPECT_EQ(all(*redone), (std::vector<std::wstring>{L"InDrawing", L"InFile"}));
  ASSERT_NE(redone->OpenSurface(L"InDrawing"), nullptr);
  ASSERT_NE(redone->OpenSurface(L"InFile"), nullptr);
  EXPECT_EQ(redone->OpenSurface(L"InFile")->PointCount(), points);
  EXPECT_EQ(redone->IsCurrent(L"InFile"), 1);
}

}  // namespace
}  // namespace uv::engine::test
