// The commands and the entry functions run in the test's process: each
// opens its dialog with the module's resources current, the entry
// functions with the document locked, and the preselected surface name goes
// where it should.
#include "ModuleFixture.h"
#include "base/TextCase.h"
#include "module/entry/Commands.h"
#include "module/entry/PreselectedSurface.h"
#include "module/entry/VantorUIInterface.h"
#include "product/giscore/CModuleConfiguration.h"
#include "user/ScriptError.h"

namespace uvtest {
namespace {

using EntryTest = ModuleFixture;
namespace m = uv::module;

struct CommandCase {
  const wchar_t* name;
  void (*run)();
  void (*call)(const wchar_t*);  // the entry function with a name, or null
  void (*callPlain)();           // the entry function without one, or null
  UINT templateId;
  UINT titleId;
  const wchar_t* closeLine;  // how the script ends the dialog
  INT_PTR result;
};

// In table order.
const std::vector<CommandCase>& commands() {
  static const std::vector<CommandCase> cases = {
      {L"POINTS", m::cmdPoints, CVantorUIInterface::CallLoadPoints, nullptr, 200, 5005, L"click IDCANCEL", 2},
      // The drawing holds no surface: break lines, the show-surface dialog, the projection and
      // swaps say so and end.
      {L"BREAKLINE", m::cmdBreakLine, CVantorUIInterface::CallBreakLine, nullptr, 205, 4983, L"answer ok", 8},
      {L"SHOW", m::cmdShow, CVantorUIInterface::CallShowSurface, nullptr, 206, 61100, L"answer ok", 8},
      {L"PROJECTION", m::cmdProjection, CVantorUIInterface::CallSurfaceProjection, nullptr, 207, 5003, L"answer ok", 8},
      {L"SURFMAN", m::cmdSurfMan, nullptr, CVantorUIInterface::CallSurfaceManager, 209, 5008, L"click IDCLOSE", 8},
      {L"CONVERT", m::cmdConvert, nullptr, CVantorUIInterface::CallConversion, 225, 5030, L"click IDCANCEL", 2},
      {L"SLOJNICE", m::cmdSlojnice, CVantorUIInterface::CallDrawContourLines, nullptr, 226, 5148, L"click IDCANCEL", 2},
      {L"slojniceoznake", m::cmdSlojniceOznake, CVantorUIInterface::CallContourLineLabels, nullptr, 227, 6235, L"click IDOK", 1},
      {L"swap", m::cmdSwap, CVantorUIInterface::CallTurnTriangles, nullptr, 204, 6274, L"answer ok", 8},
  };
  return cases;
}

// Each command, typed and then called through its entry function: the
// dialog runs with the module's resources current; the command takes no
// lock and hands on the stored name, the entry function locks the
// document and stores the name it is given. (The trace records:
// FunctionTraceTest and e2e_uivantor2_commands.)
TEST_F(EntryTest, EachCommandAndItsEntryFunctionRunTheDialog) {
  for (const CommandCase& c : commands()) {
    SCOPED_TRACE(uv::toUtf8(c.name));
    user.seen.clear();
    user.appendLines({c.closeLine, c.closeLine});
    g_strPreselectedSurface = L"Teren";
    c.run();
    const std::wstring name = std::wstring(L"Surface of ") + c.name;  // no such surface: stored all the same
    g_strPreselectedSurface = L"before";
    if (c.call) c.call(name.c_str());
    else c.callPlain();
    ASSERT_EQ(user.seen.size(), 2u);
    const SeenDialog& typed = user.seen[0];
    EXPECT_EQ(typed.title, CModuleConfiguration::GetMsg(c.titleId).str());
    EXPECT_EQ(typed.resourceDepth, 1);
    EXPECT_EQ(typed.lockCount, 0) << "a command takes no lock of its own";
    // The single-page dialogs keep the focus; the frame of pages does not ask to.
    EXPECT_EQ(typed.keepsFocus, c.templateId == 200 ? 0 : TRUE);
    EXPECT_EQ(typed.surfaceName, c.call ? std::optional<CString>(L"Teren") : std::nullopt);
    const SeenDialog& called = user.seen[1];
    EXPECT_EQ(called.lockCount, 1);
    EXPECT_EQ(called.surfaceName, c.call ? std::optional<CString>(name.c_str()) : std::nullopt);
    EXPECT_EQ(g_strPreselectedSurface, c.call ? name.c_str() : L"before");
    for (const SeenDialog& s : user.seen) {
      EXPECT_EQ(s.templateId, c.templateId);
      EXPECT_EQ(s.result, c.result);
      EXPECT_EQ(s.resources, testModuleInstance());
    }
    EXPECT_EQ(doc->lockCount(), 0);
    EXPECT_EQ(acDocManager->resourceStackDepth(), 0) << "the resources are restored";
  }
  EXPECT_TRUE(user.empty());
  // A null name stores an empty one, which the next command hands on.
  user.appendLines({L"click IDCANCEL", L"answer ok"});
  CVantorUIInterface::CallLoadPoints(nullptr);
  m::cmdShow();
  EXPECT_EQ(*user.seen.back().surfaceName, L"");
  EXPECT_TRUE(g_strPreselectedSurface.IsEmpty());
}

// (Its trace records, also when an exception leaves: FunctionTraceTest and
// e2e_uivantor2_commands.)
TEST_F(EntryTest, ADialogLeftByAnExceptionReleasesResourcesAndLock) {
  // The script has no answer for the dialog: the scripted user throws.
  EXPECT_THROW(CVantorUIInterface::CallShowSurface(L"Teren"), uv::ScriptError);
  EXPECT_EQ(g_strPreselectedSurface, L"Teren");
  EXPECT_EQ(doc->lockCount(), 0);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
  EXPECT_THROW(m::cmdSwap(), uv::ScriptError);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
}

}  // namespace
}  // namespace uvtest
