// The surface manager over the real engine: rows, colours and images,
// which buttons a selection enables, the successor of a deleted current
// surface, names of surfaces read from files, bad files, and saving.
#include <gtest/gtest.h>

#include <fstream>

#include "SurfacesFixture.h"
#include "base/TextCase.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

// "A 0 yellow" per row and the enabled ones of the five selection buttons.
struct Snapshot {
  std::vector<std::wstring> rows;
  std::vector<UINT> enabled;
  bool operator==(const Snapshot&) const = default;
};

std::wstring colourName(COLORREF c) {
  switch (c) {
    case 0x00FFFF: return L"yellow";
    case 0x0000FF: return L"red";
    case 0xFFFFFF: return L"white";
    default: return std::to_wstring(c);
  }
}

Snapshot snapshot(CDialog& d) {
  Snapshot s;
  auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(248));
  for (int row = 0; list && row < list->GetItemCount(); ++row)
    s.rows.push_back(list->GetItemText(row, 0).str() + L" " + std::to_wstring(list->imageOf(row)) + L" " +
                     colourName(list->itemColours(row, 0).background));
  for (UINT id : {215u, 217u, 218u, 220u, 222u})
    if (d.GetDlgItem(id)->IsWindowEnabled()) s.enabled.push_back(id);
  return s;
}

class ManagerDialogTest : public SurfacesFixture {
 protected:
  std::vector<Snapshot> seen;

  // Runs the manager with the script, keeping a snapshot after each action.
  void run(std::initializer_list<const wchar_t*> lines) {
    seen.clear();
    surfacesUser.probe = [this](CDialog& d) {
      if (dynamic_cast<dlg_UpravljanjePlohama*>(&d)) seen.push_back(snapshot(d));
    };
    script(lines);
    dlg_UpravljanjePlohama dlg;
    dlg.DoModal();
  }

  std::vector<std::wstring> allNames() {
    CStringArray names;
    manager()->GetAllSurfaceNames(names);
    std::vector<std::wstring> out;
    for (int i = 0; i < names.GetSize(); ++i) out.push_back(names[i].str());
    return out;
  }

  std::wstring current() {
    auto* c = manager()->GetCurrentSurface();
    return c ? c->m_strName.str() : L"";
  }

  // A file surface whose file has gone: listed but unavailable.
  void makeUnavailable(const wchar_t* name) {
    const std::wstring file = writeSurfaceFile("gone.kvb", name, L"");
    ASSERT_NE(manager()->CreateSurface(name, CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
    ASSERT_TRUE(manager()->Save()) << manager()->LastError();
    std::filesystem::remove(file);
    reread();
  }
};

TEST_F(ManagerDialogTest, RowsShowWhereEachSurfaceLivesAndButtonsFollowTheSelection) {
  makeSurface(L"A");
  makeSurface(L"B");
  const std::wstring file = writeSurfaceFile("f.kvb", L"F", L"from a file");
  ASSERT_NE(manager()->CreateSurface(L"F", CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  ASSERT_EQ(manager()->SetCurrentSurface(L"B"), 1);
  makeUnavailable(L"U");

  run({L"select-row IDC_SURFACES \"A\"", L"select-row IDC_SURFACES \"F\"", L"select-row IDC_SURFACES \"U\"",
       L"click IDC_SETCURRENT", L"select-row IDC_SURFACES \"A\"", L"click IDC_SETCURRENT", L"click IDCLOSE"});
  const std::vector<std::wstring> start = {L"A 0 white", L"B 0 yellow", L"F 1 white", L"U 1 red"};
  const std::vector<std::wstring> aCurrent = {L"A 0 yellow", L"B 0 white", L"F 1 white", L"U 1 red"};
  const std::vector<Snapshot> expected = {
      {start, {}},                                     // nothing selected
      {start, {215, 217, 218, 222}},                   // a drawing surface
      {start, {215, 217, 220}},                        // a file surface
      {start, {215, 217, 220}},                        // the unavailable file surface
      {start, {215, 217, 220}},                        // ... cannot be made current
      {start, {215, 217, 218, 222}},
      {aCurrent, {215, 217, 218, 222}},
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(current(), L"A");
}

TEST_F(ManagerDialogTest, DeletingTheCurrentLastRowMakesTheRowAboveCurrent) {
  makeSurface(L"A");
  makeSurface(L"B");
  makeSurface(L"C");
  ASSERT_EQ(manager()->SetCurrentSurface(L"C"), 1);
  run({L"select-row IDC_SURFACES \"C\"", L"click IDC_DELETE", L"answer no", L"click IDC_DELETE", L"answer yes",
       L"click IDCLOSE"});
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[2].rows, (std::vector<std::wstring>{L"A 0 white", L"B 0 white", L"C 0 yellow"}));  // No
  EXPECT_EQ(seen[3].rows, (std::vector<std::wstring>{L"A 0 white", L"B 0 yellow"}));
  // The deleted row was the selection: nothing is selected, so no button of a selection works.
  EXPECT_EQ(seen[2].enabled, (std::vector<UINT>{215, 217, 218, 222}));
  EXPECT_TRUE(seen[3].enabled.empty());
  EXPECT_EQ(surfacesUser.messages.back(), L"Delete the surface \"C\" from the drawing?");
  EXPECT_EQ(allNames(), (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(current(), L"B");
}

TEST_F(ManagerDialogTest, WhenTheRowBelowCannotBeCurrentTheRowAboveIs) {
  makeSurface(L"A");
  makeSurface(L"B");
  ASSERT_EQ(manager()->SetCurrentSurface(L"B"), 1);
  makeUnavailable(L"U");
  run({L"select-row IDC_SURFACES \"B\"", L"click IDC_DELETE", L"answer yes", L"click IDCLOSE"});
  EXPECT_EQ(seen.back().rows, (std::vector<std::wstring>{L"A 0 yellow", L"U 1 red"}));
  EXPECT_EQ(current(), L"A");
}

TEST_F(ManagerDialogTest, DeletingAFileSurfaceAsksItsOwnQuestionAndKeepsTheFile) {
  makeSurface(L"A");
  const std::wstring file = writeSurfaceFile("f.kvb", L"F", L"");
  ASSERT_NE(manager()->CreateSurface(L"F", CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  run({L"select-row IDC_SURFACES \"F\"", L"click IDC_DELETE_FILE", L"answer yes", L"click IDCLOSE"});
  EXPECT_EQ(surfacesUser.messages, std::vector<std::wstring>{L"Remove the file surface \"F\" from the drawing?"});
  EXPECT_EQ(allNames(), std::vector<std::wstring>{L"A"});
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(ManagerDialogTest, SurfacesReadFromFilesGetUniqueNames) {
  makeSurface(L"A");
  makeSurface(L"A_1");
  const std::wstring file = writeSurfaceFile("a.kvb", L"A", L"surveyed in 2014");
  const std::wstring line = L"file \"" + file + L"\"";
  run({L"click IDC_READ_FILE", line.c_str(), L"click IDC_ATTACH", line.c_str(), L"click IDCLOSE"});
  EXPECT_EQ(seen.back().rows, (std::vector<std::wstring>{L"A 0 white", L"A_1 0 white", L"A_2 0 white", L"A_3 1 yellow"}));
  EXPECT_EQ(current(), L"A_3");
  auto* read = manager()->GetSurfaceDescription(L"A_2");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->m_strDescription, CString(L"surveyed in 2014"));
  EXPECT_EQ(read->m_strStorage, CString(L"dict"));
  ASSERT_NE(manager()->OpenSurface(L"A_2"), nullptr);
  EXPECT_EQ(manager()->OpenSurface(L"A_2")->PointCount(), 5);
  EXPECT_EQ(manager()->GetSurfaceDescription(L"A_3")->m_strPath, CString(file));
}

TEST_F(ManagerDialogTest, AFileNameNotTakenStaysAsItIs) {
  makeSurface(L"A_1");
  const std::wstring line = L"file \"" + writeSurfaceFile("a.kvb", L"A", L"") + L"\"";
  run({L"click IDC_ATTACH", line.c_str(), L"click IDCLOSE"});
  EXPECT_EQ(allNames(), (std::vector<std::wstring>{L"A_1", L"A"}));
}

TEST_F(ManagerDialogTest, BadFilesChangeNothingAndTheUserLearnsWhy) {
  makeSurface(L"A");
  ASSERT_EQ(manager()->SetCurrentSurface(L"A"), 1);
  const std::wstring good = writeSurfaceFile("good.kvb", L"G", L"");
  std::ifstream in(std::filesystem::path(good), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Cut in the body (past the header, which alone still reads; the body ends 28 bytes and the
  // header's and body's lengths after the file's start) and in the header.
  auto u32At = [&bytes](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return v;
  };
  const std::size_t header = u32At(12), bodyEnd = 28 + header + u32At(20 + header);
  for (const auto& [name, content] : std::vector<std::pair<std::string, std::string>>{
           {"text.kvb", "X,Y,Z\n1,2,3\n"}, {"body.kvb", bytes.substr(0, bodyEnd - 20)},
           {"header.kvb", bytes.substr(0, 30)}, {"empty.kvb", ""}}) {
    std::ofstream(folder / name, std::ios::binary) << content;
    surfacesUser.messages.clear();
    const std::wstring line = L"file \"" + path(name) + L"\"";
    run({L"click IDC_ATTACH", line.c_str(), L"answer ok", L"click IDC_READ_FILE", line.c_str(), L"answer ok",
         L"click IDCLOSE"});
    EXPECT_EQ(seen.back().rows, std::vector<std::wstring>{L"A 0 yellow"}) << name;
    EXPECT_EQ(allNames(), std::vector<std::wstring>{L"A"}) << name;
    ASSERT_EQ(surfacesUser.messages.size(), 2u) << name;
    for (const std::wstring& m : surfacesUser.messages) {
      EXPECT_NE(m.find(path(name)), std::wstring::npos) << uv::toUtf8(m);
      EXPECT_NE(m.find(L"cannot be read as a surface file"), std::wstring::npos) << uv::toUtf8(m);
    }
  }
}

TEST_F(ManagerDialogTest, WritingAsksBeforeReplacingAFileAndAFailedWriteLeavesNothingBehind) {
  makeSurface(L"A");
  std::ofstream(folder / "out.kvb") << "old content";
  const std::wstring out = L"file \"" + path("out.kvb") + L"\"";
  const std::wstring nowhere = L"file \"" + path("missing/out.kvb") + L"\"";
  std::filesystem::create_directory(folder / "dir.kvb");
  const std::wstring directory = L"file \"" + path("dir.kvb") + L"\"";
  // No to the question, then cancel: the file keeps its content.
  run({L"select-row IDC_SURFACES \"A\"", L"click IDC_WRITE_FILE", out.c_str(), L"answer no", L"file cancel",
       L"click IDCLOSE"});
  std::ifstream kept(folder / "out.kvb");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old content");
  surfacesUser.messages.clear();
  run({L"select-row IDC_SURFACES \"A\"", L"click IDC_WRITE_FILE", out.c_str(), L"answer yes",
       L"click IDC_WRITE_FILE", nowhere.c_str(), L"answer ok", L"click IDC_WRITE_FILE", directory.c_str(),
       L"answer yes", L"answer ok", L"click IDCLOSE"});

  CKVLXsurface_Vantor2 written(nullptr);
  std::ifstream in(folder / "out.kvb", std::ios::binary);
  ASSERT_EQ(written.ImportFromBin(*in.rdbuf(), CKVLXsurface_Vantor2::kReadAll), 1) << written.LastError();
  EXPECT_EQ(written.Name(), CString(L"A"));
  EXPECT_EQ(written.PointCount(), 5);
  ASSERT_EQ(surfacesUser.messages.size(), 4u);
  EXPECT_EQ(surfacesUser.messages[0], path("out.kvb") + L" already exists.\nDo you want to replace it?");
  EXPECT_EQ(surfacesUser.messages[1], L"The surface could not be written to " + path("missing/out.kvb") +
                                          L": its folder does not exist. The file was left as it was.");
  EXPECT_NE(surfacesUser.messages[3].find(L"dir.kvb: it is a folder, not a file."), std::wstring::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.kvb"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2)
      << "a temporary file was left behind";
}

TEST_F(ManagerDialogTest, NewAndEditShowTheirResultsAndEscapeSavesLikeClose) {
  run({L"click IDC_NEW", L"set IDC_NAME \"Teren\"", L"set IDC_DESCRIPTION \"Survey\"", L"click IDOK",
       L"select-row IDC_SURFACES \"Teren\"", L"click IDC_EDIT", L"set IDC_NAME \"Teren2\"",
       L"set IDC_DESCRIPTION \"Survey 2\"", L"click IDOK", L"cancel"});
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[1].rows, std::vector<std::wstring>{L"Teren 0 yellow"});
  EXPECT_EQ(seen[3].rows, std::vector<std::wstring>{L"Teren2 0 yellow"});
  // Escape ended the dialog; what it did was saved all the same.
  reread();
  EXPECT_EQ(allNames(), std::vector<std::wstring>{L"Teren2"});
  EXPECT_EQ(current(), L"Teren2");
  EXPECT_EQ(manager()->GetSurfaceDescription(L"Teren2")->m_strDescription, CString(L"Survey 2"));
}

TEST_F(ManagerDialogTest, ASurfaceWrittenToAFileAndReadIntoAnotherDrawingIsEqual) {
  CKVLXsurface_Vantor2* a = makeSurface(L"Teren");
  a->SetBreakLine(AcGePoint3d(1, 1, 100), AcGePoint3d(9, 9, 102));
  auto* desc = manager()->GetSurfaceDescription(L"Teren");
  desc->m_strDescription = L"Survey 2014";
  desc->GetLayerManager()->GetLayer(1)->m_strName = L"TIN_LAYER";
  desc->GetLayerManager()->GetLayer(6)->m_nColor = 3;
  const std::wstring out = L"file \"" + path("teren.kvb") + L"\"";
  run({L"select-row IDC_SURFACES \"Teren\"", L"click IDC_WRITE_FILE", out.c_str(), L"click IDCLOSE"});

  AcApDocument* other = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"/drawings/other.dxf");
  ASSERT_EQ(acDocManager->setCurDocument(other), Acad::eOk);
  run({L"click IDC_READ_FILE", out.c_str(), L"click IDCLOSE"});
  CKVLSurfaceManager* second = CKVLSurfaceManager::Instance(0);
  ASSERT_NE(second, nullptr);
  CKVLXsurface_Vantor2* b = second->OpenSurface(L"Teren");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Description(), CString(L"Survey 2014"));
  EXPECT_EQ(b->PointCount(), a->PointCount());
  EXPECT_EQ(b->TriangleCount(), a->TriangleCount());
  EXPECT_TRUE(b->Triangulation().Surface().definition() == a->Triangulation().Surface().definition());
  EXPECT_EQ(b->LayerRecords(), a->LayerRecords());
  EXPECT_EQ(second->GetSurfaceDescription(L"Teren")->GetLayerManager()->GetLayer(1)->m_strName, CString(L"TIN_LAYER"));
  CKVLSurfaceManager::Release(other->database());
  EXPECT_EQ(acDocManager->setCurDocument(doc), Acad::eOk);
  EXPECT_EQ(acDocManager->closeDocument(other), Acad::eOk);
}

}  // namespace
}  // namespace uvtest
