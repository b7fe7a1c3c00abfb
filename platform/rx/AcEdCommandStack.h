// The registered commands, in registration order, grouped by group name.
// Names compare ignoring letter case, as at the command line.
#pragma once

#include <memory>
#include <vector>

#include "base/ErrorStatus.h"
#include "AcEdCommand.h"
#include "OdRxObject.h"

class AcEdCommandStack : public OdRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommandStack);

  // eDuplicateKey when the global name is taken in any group, or the local
  // name is another command's name; eInvalidInput for an empty or blank name,
  // or no function.
  Acad::ErrorStatus addCommand(const wchar_t* groupName, const wchar_t* globalName, const wchar_t* localName,
                               Adesk::Int32 commandFlags, AcRxFunctionPtr function,
                               AcEdUIContext* uiContext = nullptr, int functionCode = -1,
                               HINSTANCE resourceHandle = nullptr, AcEdCommand** commandOut = nullptr);

  // A name as typed: matched against global and local names. A leading "_"
  // asks for the global name only; a leading "." is ignored.
  AcEdCommand* lookupCmd(const wchar_t* name) const;
  // Matched against one kind of name only.
  AcEdCommand* lookupCmd(const wchar_t* name, bool globalFlag) const;

  // eKeyNotFound when the group has no command of that global name.
  Acad::ErrorStatus removeCmd(const wchar_t* groupName, const wchar_t* globalName);
  // eKeyNotFound when no command belongs to the group.
  Acad::ErrorStatus removeGroup(const wchar_t* groupName);
  // Drops what a module left registered when it goes away; returns how many.
  int removeCommandsOf(HINSTANCE owner);

  std::vector<const AcEdCommand*> commands() const;
  std::vector<const AcEdCommand*> commandsOfGroup(const wchar_t* groupName) const;

 private:
  AcEdCommand* find(const wchar_t* name, bool global, bool local) const;
  std::vector<std::unique_ptr<AcEdCommand>> m_commands;
};
