// Functions a module offers the host's script language, and the arguments
// of the command or function running now.
#pragma once

struct resbuf;

// The arguments of the running command or function; null when it has none.
// The chain belongs to the caller of the command: do not release it.
struct resbuf* acedGetArgs();
// Defines name (letter case ignored) for the module whose code calls it,
// with the code acedGetFunCode will report. RTNORM, or RTERROR when the name
// is empty or another module defined it.
int acedDefun(const wchar_t* name, int functionCode);
int acedUndef(const wchar_t* name, int functionCode);
// The code of the function being invoked (kInvkSubrMsg); -1 outside a call.
int acedGetFunCode();

namespace uv {
// Calls a defined function: its module gets kInvkSubrMsg with the code and
// arguments in place. RTERROR for a name nobody defined, or kRetError.
int invokeFunction(const wchar_t* name, resbuf* args);
}  // namespace uv
