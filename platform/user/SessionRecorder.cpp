#include "SessionRecorder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/TextCase.h"
#include "MessageBoxCodes.h"
#include "ScriptValues.h"

namespace uv {

void SessionRecorder::add(ActionKind kind, const std::wstring& verb, std::vector<ScriptToken> args) {
  m_lines.push_back(ScriptAction(kind, verb, std::move(args)).describe());
  m_lastSet.reset();
}

bool SessionRecorder::keyOf(InputStatus status) {
  if (status == InputStatus::kOk) return false;
  add(ActionKind::kAnswer, status == InputStatus::kNone ? L"enter" : L"cancel");
  return true;
}

void SessionRecorder::command(const std::wstring& name) { add(ActionKind::kCommand, name); }

void SessionRecorder::host(const std::wstring& verb, std::vector<ScriptToken> args) {
  add(ActionKind::kHost, verb, std::move(args));
}

void SessionRecorder::point(const PointAnswer& a, bool corner) {
  if (!keyOf(a.status)) add(ActionKind::kAnswer, corner ? L"corner" : L"point", {bare(formatScriptPoint(a.point))});
}

void SessionRecorder::string(const StringAnswer& a) {
  if (!keyOf(a.status)) add(ActionKind::kAnswer, L"string", {quoted(a.text)});
}

void SessionRecorder::number(const NumberAnswer& a, bool integer) {
  if (keyOf(a.status)) return;
  add(ActionKind::kAnswer, L"number",
      {bare(integer ? std::to_wstring(static_cast<long long>(a.value)) : formatScriptNumber(a.value))});
}

void SessionRecorder::keyword(const StringAnswer& a) {
  if (!keyOf(a.status)) add(ActionKind::kAnswer, L"keyword", {bare(a.text)});
}

void SessionRecorder::entity(const EntityAnswer& a) {
  if (keyOf(a.status)) return;
  if (a.byHandle) add(ActionKind::kAnswer, L"entity", {bare(L"handle"), bare(a.handle)});
  else add(ActionKind::kAnswer, L"entity", {bare(formatScriptPoint(a.point))});
}

void SessionRecorder::selection(const SelectionAnswer& a) {
  using Mode = SelectionAnswer::Mode;
  std::vector<ScriptToken> args;
  switch (a.mode) {
    case Mode::kCancel: add(ActionKind::kAnswer, L"cancel"); return;
    case Mode::kNone: add(ActionKind::kAnswer, L"enter"); return;
    case Mode::kAll: args = {bare(L"all")}; break;
    case Mode::kLast: args = {bare(L"last")}; break;
    case Mode::kPrevious: args = {bare(L"previous")}; break;
    case Mode::kWindow:
    case Mode::kCrossing:
      args = {bare(a.mode == Mode::kWindow ? L"window" : L"crossing"), bare(formatScriptPoint(a.first)),
              bare(formatScriptPoint(a.second))};
      break;
    case Mode::kHandles:
      if (a.handles.empty()) {
        add(ActionKind::kAnswer, L"select", {bare(L"none")});
        return;
      }
      args = {bare(L"handles")};
      for (const auto& h : a.handles) args.push_back(bare(h));
      break;
  }
  add(ActionKind::kAnswer, L"select", std::move(args));
}

void SessionRecorder::messageBox(int button) {
  const wchar_t* word = L"ok";
  switch (button) {
    case IDCANCEL: word = L"cancel"; break;
    case IDABORT: word = L"abort"; break;
    case IDRETRY: word = L"retry"; break;
    case IDIGNORE: word = L"ignore"; break;
    case IDYES: word = L"yes"; break;
    case IDNO: word = L"no"; break;
    default: break;
  }
  add(ActionKind::kAnswer, L"answer", {bare(word)});
}

void SessionRecorder::color(const std::optional<int>& colour) {
  if (!colour) add(ActionKind::kAnswer, L"cancel");
  else if (*colour == 256) add(ActionKind::kAnswer, L"color", {bare(L"bylayer")});
  else if (*colour == 0) add(ActionKind::kAnswer, L"color", {bare(L"byblock")});
  else add(ActionKind::kAnswer, L"color", {bare(std::to_wstring(*colour))});
}

void SessionRecorder::linetype(const std::optional<std::wstring>& name) {
  if (!name) add(ActionKind::kAnswer, L"cancel");
  else add(ActionKind::kAnswer, L"linetype", {quoted(*name)});
}

void SessionRecorder::file(const std::optional<std::wstring>& path) {
  if (!path) add(ActionKind::kAnswer, L"cancel");
  else add(ActionKind::kAnswer, L"file", {quoted(*path)});
}

void SessionRecorder::dialog(const DialogAction& action, bool withdrawn) {
  std::vector<ScriptToken> args;
  if (!action.control.empty()) args.push_back(bare(action.control));
  args.insert(args.end(), action.values.begin(), action.values.end());
  const std::wstring line = ScriptAction(ActionKind::kDialog, action.verb, args).describe();
  if (withdrawn) {
    if (!m_lines.empty() && m_lines.back() == line) m_lines.pop_back();
    m_lastSet.reset();
    return;
  }
  const bool set = action.verb == L"set" && !action.control.empty();
  if (set && m_lastSet && *m_lastSet == action.control && !m_lines.empty()) m_lines.pop_back();
  m_lines.push_back(line);
  if (set) m_lastSet = action.control;
  else m_lastSet.reset();
}

std::wstring SessionRecorder::text() const {
  std::wstring s = L"# A session at the desktop program, replayed by: cadhost --job FILE\n";
  for (const auto& line : m_lines) s += line + L"\n";
  return s;
}

bool SessionRecorder::write(const std::wstring& path, std::wstring& error) const {
  namespace fs = std::filesystem;
  const fs::path target(toUtf8(path));
  fs::path temporary = target;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::string bytes = toUtf8(text());
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      error = path + L": cannot write the job script";
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    error = path + L": cannot write the job script";
    return false;
  }
  return true;
}

}  // namespace uv
