// One registered command: its names, flags, function and the module that
// registered it.
#pragma once

#include <string>

#include "base/WinTypes.h"

// Command flags.
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NONEWSTACK 0x00010000
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_INTERRUPTIBLE 0x00400000
#define ACRX_CMD_NOHISTORY 0x00800000
#define ACRX_CMD_NO_UNDO_MARKER 0x01000000
#define ACRX_CMD_NOBEDIT 0x02000000

using AcRxFunctionPtr = void (*)();
class AcEdUIContext;

class AcEdCommand {
 public:
  AcEdCommand(std::wstring group, std::wstring globalName, std::wstring localName, Adesk::Int32 flags,
              AcRxFunctionPtr function, AcEdUIContext* uiContext, int functionCode, HINSTANCE resourceHandle,
              HINSTANCE owner)
      : m_group(std::move(group)), m_globalName(std::move(globalName)), m_localName(std::move(localName)),
        m_flags(flags), m_function(function), m_uiContext(uiContext), m_functionCode(functionCode),
        m_resourceHandle(resourceHandle), m_owner(owner) {}

  const wchar_t* groupName() const { return m_group.c_str(); }
  const wchar_t* globalName() const { return m_globalName.c_str(); }
  const wchar_t* localName() const { return m_localName.c_str(); }
  Adesk::Int32 commandFlags() const { return m_flags; }
  AcRxFunctionPtr functionAddr() const { return m_function; }
  AcEdUIContext* commandUIContext() const { return m_uiContext; }
  int functionCode() const { return m_functionCode; }
  // The resources the command expects to be current while it runs (may be null).
  HINSTANCE resourceHandle() const { return m_resourceHandle; }
  // The module whose code registered the command; null for the host.
  HINSTANCE ownerInstance() const { return m_owner; }
  bool isTransparent() const { return (m_flags & ACRX_CMD_TRANSPARENT) != 0; }

 private:
  std::wstring m_group;
  std::wstring m_globalName;
  std::wstring m_localName;
  Adesk::Int32 m_flags;
  AcRxFunctionPtr m_function;
  AcEdUIContext* m_uiContext;
  int m_functionCode;
  HINSTANCE m_resourceHandle;
  HINSTANCE m_owner;
};
