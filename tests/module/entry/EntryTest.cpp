// The commands and the entry functions run in the test's process: each
// opens its dialog with the module's resources current, the entry
// functions with the document locked, and the preselected surface name goes
// where it should.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "ModuleFixture.h"
#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "module/entry/CFunctionTrace.h"
#include "module/entry/Commands.h"
#include "module/entry/PreselectedSurface.h"
#include "module/entry/VantorUIInterface.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/giscore/CModuleConfiguration.h"
#include "tests/product/logging/ScopedEnv.h"
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
  const char* entry;             // the entry function's name
  UINT templateId;
  UINT titleId;
  const wchar_t* closeLine;  // how the script ends the dialog
  INT_PTR result;
};

// In table order.
const std::vector<CommandCase>& commands() {
  static const std::vector<CommandCase> cases = {
      {L"POINTS", m::cmdPoints, CVantorUIInterface::CallLoadPoints, nullptr, "CallLoadPoints", 200, 5005, L"click IDCANCEL", 2},
      // The drawing holds no surface: break lines, the show-surface dialog, the projection and
      // swaps say so and end.
      {L"BREAKLINE", m::cmdBreakLine, CVantorUIInterface::CallBreakLine, nullptr, "CallBreakLine", 205, 4983, L"answer ok", 8},
      {L"SHOW", m::cmdShow, CVantorUIInterface::CallShowSurface, nullptr, "CallShowSurface", 206, 61100, L"answer ok", 8},
      {L"PROJECTION", m::cmdProjection, CVantorUIInterface::CallSurfaceProjection, nullptr, "CallSurfaceProjection", 207, 5003,
       L"answer ok", 8},
      {L"SURFMAN", m::cmdSurfMan, nullptr, CVantorUIInterface::CallSurfaceManager, "CallSurfaceManager", 209, 5008, L"click IDCLOSE", 8},
      {L"CONVERT", m::cmdConvert, nullptr, CVantorUIInterface::CallConversion, "CallConversion", 225, 5030, L"click IDCANCEL", 2},
      {L"SLOJNICE", m::cmdSlojnice, CVantorUIInterface::CallDrawContourLines, nullptr, "CallDrawContourLines", 226, 5148, L"click IDCANCEL",
       2},
      {L"slojniceoznake", m::cmdSlojniceOznake, CVantorUIInterface::CallContourLineLabels, nullptr, "CallContourLineLabels", 227, 6235,
       L"click IDOK", 1},
      {L"swap", m::cmdSwap, CVantorUIInterface::CallTurnTriangles, nullptr, "CallTurnTriangles", 204, 6274, L"answer ok", 8},
  };
  return cases;
}

// Logging switched on into a file of its own for the life of a test.
class TraceLog {
 public:
  TraceLog()
      : m_path(std::filesystem::temp_directory_path() / ("uv_entry_" + std::to_string(::getpid()) + ".log")),
        m_logging("KVLX_LOGGING", "1"),
        m_file("KVLX_LOG_FILE", m_path.c_str()) {
    CFunctionTrace::CloseLog();
  }
  ~TraceLog() { std::filesystem::remove(m_path); }
  // The records written so far; the log is closed first.
  std::vector<std::string> lines() const {
    CFunctionTrace::CloseLog();
    std::ifstream in(m_path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }

 private:
  std::filesystem::path m_path;
  uv::test::ScopedEnv m_logging, m_file;
};

// Each command, typed and then called through its entry function: the
// dialog runs with the module's resources current; the command takes no
// lock and hands on the stored name, the entry function locks the
// document, stores the name it is given and writes its trace records.
TEST_F(EntryTest, EachCommandAndItsEntryFunctionRunTheDialog) {
  TraceLog log;
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
  // Which function each record names; their layout: FunctionTraceTest and e2e_uivantor2_commands.
  const std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 2 * commands().size());
  for (size_t i = 0; i < commands().size(); ++i) {
    const std::string qualified = std::string("CVantorUIInterface::") + commands()[i].entry;
    EXPECT_NE(lines[2 * i].find("[" + qualified + "], Entering function , " + qualified), std::string::npos)
        << lines[2 * i];
    EXPECT_NE(lines[2 * i + 1].find("[" + qualified + "], Exiting function , " + qualified), std::string::npos)
        << lines[2 * i + 1];
  }
  // A null name stores an empty one, which the next command hands on.
  user.appendLines({L"click IDCANCEL", L"answer ok"});
  CVantorUIInterface::CallLoadPoints(nullptr);
  m::cmdShow();
  EXPECT_EQ(*user.seen.back().surfaceName, L"");
  EXPECT_TRUE(g_strPreselectedSurface.IsEmpty());
}

TEST_F(EntryTest, ADialogLeftByAnExceptionReleasesResourcesLockAndTrace) {
  TraceLog log;
  // The script has no answer for the dialog: the scripted user throws.
  EXPECT_THROW(CVantorUIInterface::CallShowSurface(L"Teren"), uv::ScriptError);
  EXPECT_EQ(g_strPreselectedSurface, L"Teren");
  EXPECT_EQ(doc->lockCount(), 0);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
  EXPECT_THROW(m::cmdSwap(), uv::ScriptError);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
  const std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find("Exiting function , CVantorUIInterface::CallShowSurface"), std::string::npos) << lines[1];
}

// Whether the drawing holds the engine's saved surfaces.
bool drawingHoldsSurfaces(AcDbDatabase* db) {
  AcDbDictionary* nod = nullptr;
  if (db->getNamedObjectsDictionary(nod) != Acad::eOk) return false;
  const bool has = nod->has(L"KVLX_VANTOR2");
  nod->close();
  return has;
}

TEST_F(EntryTest, CloseSavesTheEnginesSurfacesAndCancelDoesNot) {
  struct Case {
    void (*run)();
    const wchar_t* line;
    bool saves;
  };
  for (const Case& c : std::vector<Case>{{m::cmdConvert, L"click IDCANCEL", false},
                                         {m::cmdBreakLine, L"click IDCANCEL", false},
                                         {m::cmdSwap, L"click IDCANCEL", false},
                                         {m::cmdPoints, L"click IDCANCEL", false},
                                         {m::cmdProjection, L"click IDCLOSE", false},
                                         {m::cmdShow, L"click IDOK", false},
                                         {m::cmdConvert, L"click IDCLOSE", true},
                                         {m::cmdBreakLine, L"click IDCLOSE", true},
                                         {m::cmdSwap, L"click IDCLOSE", true},
                                         {m::cmdPoints, L"click IDCLOSE", true},
                                         {m::cmdSurfMan, L"cancel", true}}) {
    AcApDocument* fresh = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"");
    CKVLSurfaceManager* manager = CKVLSurfaceManager::Instance(0);
    ASSERT_NE(manager->CreateSurface(L"Teren", 0, nullptr, false), nullptr);
    user.appendLines({c.line});
    c.run();
    EXPECT_EQ(drawingHoldsSurfaces(fresh->database()), c.saves) << uv::toUtf8(c.line) << " " << user.seen.back().templateId;
    CKVLSurfaceManager::Release(fresh->database());
    ASSERT_EQ(acDocManager->closeDocument(fresh), Acad::eOk);
    ASSERT_EQ(acDocManager->setCurDocument(doc), Acad::eOk);
  }
}

}  // namespace
}  // namespace uvtest
