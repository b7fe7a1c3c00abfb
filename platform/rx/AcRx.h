// Application message codes and results exchanged between the host and a
// loaded module through its acrxEntryPoint.
#pragma once

namespace AcRx {

enum AppMsgCode {
  kNullMsg = 0,
  kInitAppMsg = 1,
  kUnloadAppMsg = 2,
  kLoadDwgMsg = 3,
  kUnloadDwgMsg = 4,
  kInvkSubrMsg = 5,
  kCfgMsg = 6,
  kEndMsg = 7,
  kQuitMsg = 8,
  kSaveMsg = 9,
  kDependencyMsg = 10,
  kNoDependencyMsg = 11,
  kOleUnloadAppMsg = 12,
  kPreQuitMsg = 13,
  kInitDialogMsg = 14,
  kEndDialogMsg = 15,
  kSuspendMsg = 16,
};

constexpr int kLastAppMsgCode = kSuspendMsg;

enum AppRetCode {
  kRetOK = 0,
  kRetError = 3,
};

}  // namespace AcRx

// A module's exported entry points, as the loader looks them up.
class OdRxModule;
using AcrxEntryPointFn = AcRx::AppRetCode (*)(AcRx::AppMsgCode msg, void* pkt);
