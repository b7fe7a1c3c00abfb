#include "AcEdCommandStack.h"

#include <algorithm>
#include <cwctype>

#include "base/TextCase.h"
#include "ModuleLoader.h"

UV_DEFINE_RX_MEMBERS(AcEdCommandStack, OdRxObject, nullptr)

namespace {
bool validName(const wchar_t* name) {
  if (!name || !*name) return false;
  for (const wchar_t* p = name; *p; ++p)
    if (std::iswspace(wint_t(*p))) return false;
  return true;
}
}  // namespace

Acad::ErrorStatus AcEdCommandStack::addCommand(const wchar_t* groupName, const wchar_t* globalName,
                                               const wchar_t* localName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr function, AcEdUIContext* uiContext,
                                               int functionCode, HINSTANCE resourceHandle,
                                               AcEdCommand** commandOut) {
  if (!validName(groupName) || !validName(globalName) || !function) return Acad::eInvalidInput;
  if (!localName || !*localName) localName = globalName;
  if (!validName(localName)) return Acad::eInvalidInput;
  // Either name standing for another command would make the command line ambiguous.
  if (find(globalName, true, true) || find(localName, true, true)) return Acad::eDuplicateKey;
  m_commands.push_back(std::make_unique<AcEdCommand>(groupName, globalName, localName, commandFlags, function,
                                                     uiContext, functionCode, resourceHandle,
                                                     uv::ModuleLoader::instance().dispatchingInstance()));
  if (commandOut) *commandOut = m_commands.back().get();
  return Acad::eOk;
}

AcEdCommand* AcEdCommandStack::find(const wchar_t* name, bool global, bool local) const {
  if (!name) return nullptr;
  for (const auto& c : m_commands) {
    if (global && uv::equalsNoCase(c->globalName(), name)) return c.get();
    if (local && uv::equalsNoCase(c->localName(), name)) return c.get();
  }
  return nullptr;
}

AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* name) const {
  if (!name) return nullptr;
  bool globalOnly = false;
  // "._LINE", "_.LINE", "_LINE" and ".LINE" all occur in scripts and menus.
  while (*name == L'_' || *name == L'.') {
    if (*name == L'_') globalOnly = true;
    ++name;
  }
  return find(name, true, !globalOnly);
}

AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* name, bool globalFlag) const {
  return find(name, globalFlag, !globalFlag);
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const wchar_t* groupName, const wchar_t* globalName) {
  if (!groupName || !globalName) return Acad::eInvalidInput;
  auto it = std::find_if(m_commands.begin(), m_commands.end(), [&](const auto& c) {
    return uv::equalsNoCase(c->groupName(), groupName) && uv::equalsNoCase(c->globalName(), globalName);
  });
  if (it == m_commands.end()) return Acad::eKeyNotFound;
  m_commands.erase(it);
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const wchar_t* groupName) {
  if (!groupName) return Acad::eInvalidInput;
  auto removed = std::erase_if(m_commands, [&](const auto& c) { return uv::equalsNoCase(c->groupName(), groupName); });
  return removed ? Acad::eOk : Acad::eKeyNotFound;
}

int AcEdCommandStack::removeCommandsOf(HINSTANCE owner) {
  if (!owner) return 0;
  return int(std::erase_if(m_commands, [&](const auto& c) { return c->ownerInstance() == owner; }));
}

std::vector<const AcEdCommand*> AcEdCommandStack::commands() const {
  std::vector<const AcEdCommand*> out;
  for (const auto& c : m_commands) out.push_back(c.get());
  return out;
}

std::vector<const AcEdCommand*> AcEdCommandStack::commandsOfGroup(const wchar_t* groupName) const {
  std::vector<const AcEdCommand*> out;
  for (const auto& c : m_commands)
    if (groupName && uv::equalsNoCase(c->groupName(), groupName)) out.push_back(c.get());
  return out;
}
