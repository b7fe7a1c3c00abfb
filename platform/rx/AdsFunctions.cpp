#include "AdsFunctions.h"

#include "db/adscodes.h"
#include "AdsFunctionTable.h"
#include "ModuleLoader.h"

struct resbuf* acedGetArgs() { return uv::AdsFunctionTable::instance().currentArguments(); }

int acedDefun(const wchar_t* name, int functionCode) {
  bool ok = name && uv::AdsFunctionTable::instance().define(name, functionCode,
                                                            uv::ModuleLoader::instance().dispatchingInstance());
  return ok ? RTNORM : RTERROR;
}

int acedUndef(const wchar_t* name, int functionCode) {
  bool ok = name && uv::AdsFunctionTable::instance().undefine(name, functionCode,
                                                              uv::ModuleLoader::instance().dispatchingInstance());
  return ok ? RTNORM : RTERROR;
}

int acedGetFunCode() { return uv::AdsFunctionTable::instance().currentCode(); }

namespace uv {
int invokeFunction(const wchar_t* name, resbuf* args) {
  const AdsFunctionTable::Function* f = name ? AdsFunctionTable::instance().find(name) : nullptr;
  if (!f || !f->owner) return RTERROR;
  HINSTANCE owner = f->owner;
  AdsFunctionTable::CallScope call(f->code, args);
  return ModuleLoader::instance().sendMessage(owner, AcRx::kInvkSubrMsg, nullptr) == AcRx::kRetOK ? RTNORM : RTERROR;
}
}  // namespace uv
