// Functions a module defines for the host's script language (acedDefun),
// and the state of the call in progress: the function code the module asks
// for with acedGetFunCode and the arguments it reads with acedGetArgs.
#pragma once

#include <string>
#include <vector>

#include "base/WinTypes.h"

struct resbuf;

namespace uv {

class AdsFunctionTable {
 public:
  static AdsFunctionTable& instance();

  struct Function {
    std::wstring name;
    int code;
    HINSTANCE owner;
  };

  // False when the name is empty or another module already defined it.
  bool define(const std::wstring& name, int code, HINSTANCE owner);
  // False when no function of that name and code belongs to the owner.
  bool undefine(const std::wstring& name, int code, HINSTANCE owner);
  void removeAllOf(HINSTANCE owner);
  const Function* find(const std::wstring& name) const;  // letter case ignored
  const std::vector<Function>& functions() const { return m_functions; }

  // Code of the function being invoked (kInvkSubrMsg), -1 outside a call.
  int currentCode() const { return m_currentCode; }
  // Arguments of the command or function running now; null when it has none.
  resbuf* currentArguments() const { return m_currentArgs; }

  // Sets the current code and arguments for the length of one invocation.
  class CallScope {
   public:
    CallScope(int code, resbuf* args);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

   private:
    int m_savedCode;
    resbuf* m_savedArgs;
  };

 private:
  std::vector<Function> m_functions;
  int m_currentCode = -1;
  resbuf* m_currentArgs = nullptr;
};

}  // namespace uv
