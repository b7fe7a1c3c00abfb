#include "ModuleFixture.h"

#include "module/breaklines/dlg_LinijaLomaTerena.h"
#include "module/contours/dlg_Slojnice.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "module/display/dlg_PrikazPlohe.h"
#include "module/display/dlg_PromjenaDiagonale.h"
#include "module/entry/CExtensionModule.h"
#include "module/entry/PreselectedSurface.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "module/projection/dlg_Projekcija.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "ui/DialogRunner.h"
#include "tests/module/WatchedDialog.h"

namespace uvtest {

namespace {

template <class Dialog>
bool nameOf(CDialog& dialog, std::optional<CString>& name) {
  auto* d = dynamic_cast<Dialog*>(&dialog);
  if (d) name = d->m_strSurfaceName;
  return d != nullptr;
}

template <class... Dialogs>
std::optional<CString> surfaceNameOf(CDialog& dialog) {
  std::optional<CString> name;
  (nameOf<Dialogs>(dialog, name) || ...);
  return name;
}

}  // namespace

HINSTANCE testModuleInstance() { return reinterpret_cast<HINSTANCE>(0x7E570000); }

INT_PTR RecordingUser::runDialog(uv::ModalDialog& modal) {
  SeenDialog s;
  CDialog& dialog = dynamic_cast<uv::DialogRunner&>(modal).dialog();
  s.templateId = dialog.templateId();
  s.surfaceName = surfaceNameOf<dlg_UcitavanjeTocaka, dlg_LinijaLomaTerena, dlg_PrikazPlohe, dlg_Projekcija,
                                dlg_Slojnice, dlg_SlojniceOznacavanje, dlg_PromjenaDiagonale>(dialog);
  s.lockCount = curDoc() ? curDoc()->lockCount() : -1;
  s.resourceDepth = acDocManager->resourceStackDepth();
  s.resources = acDocManager->currentResourceHandle();
  seen.push_back(s);
  // The host asks each dialog, as soon as it is open, whether it keeps the focus.
  LRESULT keepsFocus = 0;
  WatchedDialog asking(modal, [&](CDialog& d) { keepsFocus = d.SendMessage(WM_ACAD_KEEPFOCUS, 0, 0); });
  const INT_PTR result = ScriptedUser::runDialog(asking);
  seen.back().keepsFocus = keepsFocus;
  seen.back().result = result;
  if (dialog.dialogTemplate()) seen.back().title = dialog.dialogTemplate()->caption.resolve();
  return result;
}

void ModuleFixture::SetUp() {
  // Once for the whole program, as the library's attach step does when the
  // host loads the module.
  static const bool attached = g_extensionModule.Attach(testModuleInstance());
  ASSERT_TRUE(attached) << "the module's resources did not load (see standard error)";
  doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"/drawings/site.dxf");
  m_scope = std::make_unique<uv::UserScope>(user);
  g_strPreselectedSurface.Empty();
}

void ModuleFixture::TearDown() {
  m_scope.reset();
  CKVLSurfaceManager::Release(doc->database());
  EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
}

}  // namespace uvtest
