#include "ScriptVocabulary.h"

#include <sstream>

#include "base/TextCase.h"
#include "ScriptError.h"
#include "ScriptValues.h"

namespace uv {

namespace {

std::vector<std::wstring> split(const std::wstring& s, const std::wstring& sep) {
  std::vector<std::wstring> out;
  size_t start = 0;
  while (true) {
    size_t at = s.find(sep, start);
    out.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) break;
    start = at + sep.size();
  }
  return out;
}

std::vector<std::wstring> words(const std::wstring& s) {
  std::vector<std::wstring> out;
  std::wistringstream in(s);
  for (std::wstring w; in >> w;) out.push_back(w);
  return out;
}

bool fits(const std::wstring& kind, const ScriptToken& t) {
  if (kind == L"S") return true;
  if (t.quoted) return false;
  if (kind == L"P") return parseScriptPoint(t.text).has_value();
  if (kind == L"N") return parseScriptNumber(t.text).has_value();
  if (kind == L"I") return parseScriptInteger(t.text).has_value();
  if (kind == L"W" || kind == L"C") return !t.text.empty();
  if (kind.size() > 2 && kind.front() == L'{' && kind.back() == L'}') {
    for (const auto& choice : split(kind.substr(1, kind.size() - 2), L"|"))
      if (equalsNoCase(choice, t.text)) return true;
  }
  return false;
}

// One form of a pattern against the arguments.
bool matches(const std::wstring& form, const std::vector<ScriptToken>& args) {
  if (form == L"...") return true;
  size_t a = 0;
  for (std::wstring kind : words(form)) {
    wchar_t mod = 0;
    if (kind.size() > 1 && (kind.back() == L'*' || kind.back() == L'?')) {
      mod = kind.back();
      kind.pop_back();
    }
    if (mod == L'*') {
      while (a < args.size() && fits(kind, args[a])) ++a;
    } else if (mod == L'?') {
      if (a < args.size() && fits(kind, args[a])) ++a;
    } else {
      if (a >= args.size() || !fits(kind, args[a])) return false;
      ++a;
    }
  }
  return a == args.size();
}

std::wstring describeKind(std::wstring kind) {
  std::wstring suffix;
  if (kind.size() > 1 && (kind.back() == L'*' || kind.back() == L'?')) {
    suffix = kind.back() == L'*' ? L"..." : L"";
    bool optional = kind.back() == L'?';
    kind.pop_back();
    if (optional) return L"[" + describeKind(kind) + L"]";
  }
  std::wstring d;
  if (kind == L"P") d = L"x,y";
  else if (kind == L"N") d = L"number";
  else if (kind == L"I") d = L"integer";
  else if (kind == L"S") d = L"\"text\"";
  else if (kind == L"W") d = L"word";
  else if (kind == L"C") d = L"control";
  else if (kind.size() > 2 && kind.front() == L'{') d = kind.substr(1, kind.size() - 2);
  else d = kind;
  return d + suffix;
}

}  // namespace

ScriptVocabulary& ScriptVocabulary::instance() {
  static ScriptVocabulary vocabulary;
  return vocabulary;
}

ScriptVocabulary::ScriptVocabulary() {
  using K = ActionKind;
  // Answers to the program's questions.
  add(L"point", K::kAnswer, L"P");
  add(L"corner", K::kAnswer, L"P");
  add(L"string", K::kAnswer, L"S");
  add(L"number", K::kAnswer, L"N");
  add(L"keyword", K::kAnswer, L"W");
  add(L"enter", K::kAnswer, L"");
  add(L"cancel", K::kAnswer, L"");
  add(L"select", K::kAnswer,
      L"{all|last|previous|none} / {window|crossing} P P / {handles} W W*");
  add(L"entity", K::kAnswer, L"P / {handle} W");
  // The text, when given, must be part of the message: a job checks what it was told.
  add(L"answer", K::kAnswer, L"{yes|no|ok|cancel|abort|retry|ignore} S?");
  add(L"color", K::kAnswer, L"I / {bylayer|byblock}");
  add(L"linetype", K::kAnswer, L"S");
  add(L"file", K::kAnswer, L"{cancel} / S");
  // Actions on the open dialog, carried out by the dialog itself.
  // Rows and items are named by index (2 or #2) or by text ("Teren").
  add(L"click", K::kDialog, L"C");
  add(L"double-click", K::kDialog, L"C S?");
  add(L"set", K::kDialog, L"C S");
  add(L"type", K::kDialog, L"C S");
  add(L"check", K::kDialog, L"C {on|off}");
  add(L"choose", K::kDialog, L"C S");
  add(L"select-row", K::kDialog, L"C S S*");
  add(L"add-row", K::kDialog, L"C S S*");
  add(L"tick", K::kDialog, L"C S {on|off}");
  add(L"option", K::kDialog, L"C S S");
  // Without a value the cell opens its dialog (a colour cell).
  add(L"edit-cell", K::kDialog, L"C I I S / C I I");
  add(L"close", K::kDialog, L"");
  // What a person sees of a control; the job stops when it is otherwise.
  // "expect dialog hidden", "expect drawing enabled" and "expect progress ..."
  // look at the program whenever it asks next, also at a prompt (ScriptChecks.h).
  add(L"expect", K::kDialog,
      L"C {enabled|disabled|shown|hidden|focused} / C {text} S / C {rows|selected|ticked|colours} S* / "
      L"{progress} S I {of} I");
  // A picture of the open dialog as it is now, written to a PNG file.
  add(L"picture", K::kDialog, L"S");
  // Done by the host between commands.
  add(L"open", K::kHost, L"S");
  add(L"save", K::kHost, L"S");
  add(L"render", K::kHost, L"S");
  add(L"view", K::kHost, L"P N");
  add(L"regen", K::kHost, L"");
  add(L"background", K::kHost, L"{dark|light}");
  add(L"shade", K::kHost, L"{elevation|none}");
  add(L"call", K::kHost, L"W S*");
  add(L"load", K::kHost, L"S");
  add(L"unload", K::kHost, L"S");
  add(L"new", K::kHost, L"");
  add(L"layer", K::kHost, L"S {on|off} / S {color} I");
}

void ScriptVocabulary::add(const std::wstring& verb, ActionKind kind, const std::wstring& pattern) {
  for (auto& v : m_verbs)
    if (v.name == verb) {
      v.kind = kind;
      v.pattern = pattern;
      return;
    }
  m_verbs.push_back({verb, kind, pattern});
}

const ScriptVocabulary::Verb* ScriptVocabulary::find(const std::wstring& verb) const {
  for (const auto& v : m_verbs)
    if (v.name == verb) return &v;
  return nullptr;
}

std::wstring ScriptVocabulary::usage(const Verb& verb) const {
  std::wstring out;
  for (const auto& form : split(verb.pattern, L" / ")) {
    if (!out.empty()) out += L", or ";
    out += verb.name;
    for (const auto& kind : words(form)) out += L" " + describeKind(kind);
  }
  return out;
}

void ScriptVocabulary::check(const ScriptAction& action) const {
  const Verb* verb = find(action.verb);
  if (!verb) return;
  for (const auto& form : split(verb->pattern, L" / "))
    if (matches(form, action.args)) return;
  throw ScriptError(action.where, L"cannot read \"" + action.describe() + L"\"; write " + usage(*verb));
}

}  // namespace uv
