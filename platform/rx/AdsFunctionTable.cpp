#include "AdsFunctionTable.h"

#include <algorithm>

#include "base/TextCase.h"

namespace uv {

AdsFunctionTable& AdsFunctionTable::instance() {
  static AdsFunctionTable* table = new AdsFunctionTable();
  return *table;
}

bool AdsFunctionTable::define(const std::wstring& name, int code, HINSTANCE owner) {
  if (name.empty()) return false;
  if (const Function* f = find(name)) {
    if (f->owner != owner) return false;
    std::erase_if(m_functions, [&](const Function& g) { return equalsNoCase(g.name, name); });
  }
  m_functions.push_back({name, code, owner});
  return true;
}

bool AdsFunctionTable::undefine(const std::wstring& name, int code, HINSTANCE owner) {
  return std::erase_if(m_functions, [&](const Function& f) {
           return equalsNoCase(f.name, name) && f.code == code && f.owner == owner;
         }) > 0;
}

void AdsFunctionTable::removeAllOf(HINSTANCE owner) {
  std::erase_if(m_functions, [&](const Function& f) { return f.owner == owner; });
}

const AdsFunctionTable::Function* AdsFunctionTable::find(const std::wstring& name) const {
  for (const auto& f : m_functions)
    if (equalsNoCase(f.name, name)) return &f;
  return nullptr;
}

AdsFunctionTable::CallScope::CallScope(int code, resbuf* args)
    : m_savedCode(instance().m_currentCode), m_savedArgs(instance().m_currentArgs) {
  instance().m_currentCode = code;
  instance().m_currentArgs = args;
}

AdsFunctionTable::CallScope::~CallScope() {
  instance().m_currentCode = m_savedCode;
  instance().m_currentArgs = m_savedArgs;
}

}  // namespace uv
