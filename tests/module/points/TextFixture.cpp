#include "TextFixture.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "ModuleResources.h"
#include "base/TextCase.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace uvtest {

void TextFilesFixture::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() /
           ("uv_text_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
}

void TextFilesFixture::TearDown() { std::filesystem::remove_all(folder); }

CString TextFilesFixture::writeFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return CString(uv::fromUtf8(path.string()));
}

std::vector<std::wstring> toVector(const CStringArray& fields) {
  std::vector<std::wstring> v;
  for (const CString& f : fields) v.push_back(f.str());
  return v;
}

BEGIN_MESSAGE_MAP(TextPageHost, CAcUiTabMainDialog)
  ON_BN_CLICKED(IDCLOSE, &TextPageHost::OnClose)
END_MESSAGE_MAP()

TextPageHost::TextPageHost(CKVLSurfaceManager* manager, const CString& surfaceName) : CAcUiTabMainDialog(200) {
  page.SetSurfaceManager(manager, surfaceName);
}

void TextPageHost::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, 204, m_tabs); }

BOOL TextPageHost::OnInitDialog() {
  CAcUiTabMainDialog::OnInitDialog();
  SetAcadTabPointer(&m_tabs);
  m_tabs.AddTab(0, L"Text", dlg_UcitavanjeTocaka_Txt::IDD, &page);
  if (afterOpen) afterOpen(*this);
  return TRUE;
}

void TextPageHost::replace() {
  page.SendMessage(WM_COMMAND, MAKEWPARAM(209, BN_CLICKED), 0);
}

void TextPageFixture::SetUp() {
  TextFilesFixture::SetUp();
  registerModuleResources();
  doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"/drawings/site.dxf");
  manager = CKVLSurfaceManager::Instance(1);
  ASSERT_NE(manager, nullptr);
  m_scope = std::make_unique<uv::UserScope>(user);
}

void TextPageFixture::TearDown() {
  m_scope.reset();
  CKVLSurfaceManager::Release(doc->database());
  EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  TextFilesFixture::TearDown();
}

void TextPageFixture::run(const CString& surfaceName, std::initializer_list<const wchar_t*> lines,
                          std::function<void(TextPageHost&)> afterOpen) {
  TextPageHost host(manager, surfaceName);
  host.afterOpen = std::move(afterOpen);
  user.appendLines(lines);
  user.appendLines({L"click IDCLOSE"});
  EXPECT_EQ(host.DoModal(), IDCLOSE);
}

std::vector<std::string> TextPageFixture::pointsOf(const wchar_t* surfaceName) {
  std::vector<std::string> out;
  CKVLXsurface_Vantor2* surface = manager->OpenSurface(surfaceName);
  if (!surface) return out;
  for (long i = 0; i < surface->PointCount(); ++i) {
    AcGePoint3d p;
    if (surface->GetPointAtIndex(i, p) != 1) continue;
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", p.x, p.y, p.z);
    out.push_back(text);
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace uvtest
