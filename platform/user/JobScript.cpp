#include "JobScript.h"

#include <cwctype>
#include <fstream>
#include <sstream>

#include "base/TextCase.h"
#include "ScriptError.h"
#include "ScriptVocabulary.h"

namespace uv {

namespace {

bool blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring trimmed(std::wstring_view s) {
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return std::wstring(s.substr(b, e - b));
}

int hexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::vector<ScriptToken> JobScript::tokenize(std::wstring_view line, const ScriptLocation& where) {
  std::vector<ScriptToken> tokens;
  size_t i = 0, n = line.size();
  while (true) {
    while (i < n && blank(line[i])) ++i;
    if (i >= n) break;
    if (line[i] == L'#' && !(i + 1 < n && std::iswdigit(wint_t(line[i + 1])))) break;  // comment
    ScriptToken t;
    if (line[i] == L'"') {
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        wchar_t c = line[i++];
        if (c == L'"') {
          closed = true;
          break;
        }
        if (c != L'\\') {
          t.text += c;
          continue;
        }
        if (i >= n) break;
        wchar_t e = line[i++];
        switch (e) {
          case L'"': t.text += L'"'; break;
          case L'\\': t.text += L'\\'; break;
          case L'n': t.text += L'\n'; break;
          case L't': t.text += L'\t'; break;
          case L'u': {
            int v = 0;
            for (int k = 0; k < 4; ++k) {
              int h = i < n ? hexValue(line[i]) : -1;
              if (h < 0) throw ScriptError(where, L"\\u must be followed by four hexadecimal digits");
              v = v * 16 + h;
              ++i;
            }
            t.text += wchar_t(v);
            break;
          }
          default:
            throw ScriptError(where, std::wstring(L"unknown escape \\") + e +
                                         L" in a quoted string (use \\\" \\\\ \\n \\t or \\uXXXX)");
        }
      }
      if (!closed) throw ScriptError(where, L"a quoted string is not closed");
      if (i < n && !blank(line[i])) throw ScriptError(where, L"a closing quote must be followed by a blank");
    } else {
      while (i < n && !blank(line[i])) {
        if (line[i] == L'"') throw ScriptError(where, L"a quote inside a word; quote the whole text");
        t.text += line[i++];
      }
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

std::optional<ScriptAction> JobScript::parseLine(std::wstring_view line, const ScriptLocation& whereIn) {
  ScriptLocation where = whereIn;
  where.text = trimmed(line);
  std::vector<ScriptToken> tokens = tokenize(line, where);
  if (tokens.empty()) return std::nullopt;
  if (tokens.front().quoted) throw ScriptError(where, L"a line starts with a verb or a command name, not a quoted text");

  ScriptAction action;
  action.verb = tokens.front().text;
  action.args.assign(tokens.begin() + 1, tokens.end());
  action.where = where;
  const auto& vocabulary = ScriptVocabulary::instance();
  if (const ScriptVocabulary::Verb* verb = vocabulary.find(action.verb)) {
    action.kind = verb->kind;
    vocabulary.check(action);
    return action;
  }
  action.kind = ActionKind::kCommand;
  if (!action.args.empty()) {
    for (const auto& v : vocabulary.verbs())
      if (equalsNoCase(v.name, action.verb))
        throw ScriptError(where, L"unknown verb \"" + action.verb + L"\"; verbs are written in lower case: " + v.name);
    throw ScriptError(where, L"\"" + action.verb +
                                 L"\" is not a verb, so it is taken as a command name; a command stands alone on "
                                 L"its line and its answers go on the lines after it");
  }
  return action;
}

std::vector<ScriptAction> JobScript::parse(std::wstring_view text, const std::wstring& fileName) {
  std::vector<ScriptAction> actions;
  if (!text.empty() && text.front() == L'\xFEFF') text.remove_prefix(1);
  int lineNo = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    std::wstring_view line = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
    ++lineNo;
    ScriptLocation where{fileName, lineNo, {}};
    if (auto action = parseLine(line, where)) actions.push_back(std::move(*action));
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return actions;
}

std::vector<ScriptAction> JobScript::parseFile(const std::wstring& path) {
  std::ifstream in(toUtf8(path), std::ios::binary);
  if (!in) throw ScriptError(ScriptLocation{path, 0, {}}, L"cannot read the job script");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return parse(fromUtf8(bytes.str()), path);
}

}  // namespace uv
