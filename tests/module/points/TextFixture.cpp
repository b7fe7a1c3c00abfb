#include "TextFixture.h"

#include "product/engine/CKVLSurfaceManager.h"

namespace uvtest {

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

void TextPageHost::replace() { page.SendMessage(WM_COMMAND, MAKEWPARAM(209, BN_CLICKED), 0); }

void TextPageFixture::SetUp() {
  DrawingFixture::SetUp();
  manager = CKVLSurfaceManager::Instance(1);
  ASSERT_NE(manager, nullptr);
}

void TextPageFixture::run(const CString& surfaceName, std::initializer_list<const wchar_t*> lines,
                          std::function<void(TextPageHost&)> afterOpen) {
  TextPageHost host(manager, surfaceName);
  host.afterOpen = std::move(afterOpen);
  user.appendLines(lines);
  user.appendLines({L"click IDCLOSE"});
  EXPECT_EQ(host.DoModal(), IDCLOSE);
}

}  // namespace uvtest
