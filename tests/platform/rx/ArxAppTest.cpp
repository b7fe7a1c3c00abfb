#include <gtest/gtest.h>

#include <string>

#include "rx/AcRxArxApp.h"
#include "rx/SystemRegistry.h"

namespace {

// Records which handler a message reached.
class RecordingApp : public AcRxArxApp {
 public:
  using AcRxArxApp::AcRxArxApp;
  std::string last;
#define UV_RECORD(name)                                  \
  AcRx::AppRetCode name(void* pkt) override {            \
    last = #name;                                        \
    return AcRxArxApp::name(pkt);                        \
  }
  UV_RECORD(On_kNullMsg)
  UV_RECORD(On_kInitAppMsg)
  UV_RECORD(On_kUnloadAppMsg)
  UV_RECORD(On_kLoadDwgMsg)
  UV_RECORD(On_kUnloadDwgMsg)
  UV_RECORD(On_kInvkSubrMsg)
  UV_RECORD(On_kCfgMsg)
  UV_RECORD(On_kEndMsg)
  UV_RECORD(On_kQuitMsg)
  UV_RECORD(On_kSaveMsg)
  UV_RECORD(On_kDependencyMsg)
  UV_RECORD(On_kNoDependencyMsg)
  UV_RECORD(On_kOleUnloadAppMsg)
  UV_RECORD(On_kPreQuitMsg)
  UV_RECORD(On_kInitDialogMsg)
  UV_RECORD(On_kEndDialogMsg)
  UV_RECORD(On_kSuspendMsg)
#undef UV_RECORD
  int serverHooks = 0;
  void RegisterServerComponents() override { ++serverHooks; }
};

TEST(ArxApp, EachMessageReachesItsOwnHandler) {
  const char* handlers[] = {"On_kNullMsg",       "On_kInitAppMsg",      "On_kUnloadAppMsg", "On_kLoadDwgMsg",
                            "On_kUnloadDwgMsg",  "On_kInvkSubrMsg",     "On_kCfgMsg",       "On_kEndMsg",
                            "On_kQuitMsg",       "On_kSaveMsg",         "On_kDependencyMsg", "On_kNoDependencyMsg",
                            "On_kOleUnloadAppMsg", "On_kPreQuitMsg",    "On_kInitDialogMsg", "On_kEndDialogMsg",
                            "On_kSuspendMsg"};
  static_assert(sizeof handlers / sizeof *handlers == AcRx::kLastAppMsgCode + 1);
  RecordingApp app;
  for (int code = 0; code <= AcRx::kLastAppMsgCode; ++code) {
    app.last.clear();
    EXPECT_EQ(app.acrxEntryPoint(AcRx::AppMsgCode(code), nullptr), AcRx::kRetOK);
    EXPECT_EQ(app.last, handlers[code]) << "code " << code;
  }
  for (int code : {17, 100, -1}) {
    app.last.clear();
    EXPECT_EQ(app.acrxEntryPoint(AcRx::AppMsgCode(code), nullptr), AcRx::kRetOK);
    EXPECT_EQ(app.last, "") << "code " << code;
  }
}

void cmdA() {}
void cmdB() {}

TEST(ArxApp, InitRegistersTheTableAndUnloadRemovesExactlyIt) {
  uv::ArxCommandTable table;
  RecordingApp app(table);  // the table may fill after the application object exists
  table.add({L"ARXAPPTEST", L"ArxA", L"ArxA", ACRX_CMD_TRANSPARENT, &cmdA});
  table.add({L"ARXAPPTEST", L"ArxB", L"ArxBLocal", ACRX_CMD_MODAL, &cmdB});
  HINSTANCE me = reinterpret_cast<HINSTANCE>(std::uintptr_t(0x1234560));
  app.SetModuleInstance(me);
  // A host command of another group must survive the module's unload.
  ASSERT_EQ(acedRegCmds->addCommand(L"HOSTGRP", L"ArxHost", L"ArxHost", 0, &cmdA), Acad::eOk);

  EXPECT_EQ(app.acrxEntryPoint(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
  EXPECT_EQ(app.serverHooks, 1);
  auto group = acedRegCmds->commandsOfGroup(L"ARXAPPTEST");
  ASSERT_EQ(group.size(), 2u);
  EXPECT_STREQ(group[0]->globalName(), L"ArxA");
  EXPECT_STREQ(group[1]->localName(), L"ArxBLocal");
  EXPECT_EQ(group[1]->commandFlags(), ACRX_CMD_MODAL);
  EXPECT_EQ(group[0]->functionCode(), -1);
  EXPECT_EQ(group[0]->resourceHandle(), me);
  EXPECT_EQ(group[0]->commandUIContext(), nullptr);

  EXPECT_EQ(app.acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
  EXPECT_TRUE(acedRegCmds->commandsOfGroup(L"ARXAPPTEST").empty());
  EXPECT_NE(acedRegCmds->lookupCmd(L"ArxHost"), nullptr);
  acedRegCmds->removeGroup(L"HOSTGRP");

  // Loading again registers them again, in the same order.
  app.acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
  group = acedRegCmds->commandsOfGroup(L"ARXAPPTEST");
  ASSERT_EQ(group.size(), 2u);
  EXPECT_STREQ(group[0]->globalName(), L"ArxA");
  app.acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
}

}  // namespace
