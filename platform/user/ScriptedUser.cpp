#include "ScriptedUser.h"

#include <algorithm>
#include <filesystem>

#include "base/TextCase.h"
#include "DialogPictures.h"
#include "JobScript.h"
#include "MessageBoxCodes.h"
#include "ScriptChecks.h"
#include "ScriptError.h"

namespace uv {

namespace fs = std::filesystem;

ScriptedUser ScriptedUser::fromText(std::wstring_view text, const std::wstring& fileName) {
  ScriptedUser user(JobScript::parse(text, fileName));
  int lines = int(std::count(text.begin(), text.end(), L'\n'));
  if (!text.empty() && text.back() != L'\n') ++lines;
  user.setEndLocation(ScriptLocation{fileName, std::max(lines, 1), {}});
  return user;
}

ScriptedUser ScriptedUser::fromFile(const std::wstring& path) {
  std::vector<ScriptAction> actions = JobScript::parseFile(path);
  int last = actions.empty() ? 1 : actions.back().where.line;
  ScriptedUser user(std::move(actions));
  user.setEndLocation(ScriptLocation{path, last, {}});
  return user;
}

void ScriptedUser::append(std::vector<ScriptAction> actions) {
  for (auto& a : actions) m_queue.push_back(std::move(a));
}

void ScriptedUser::appendLines(std::initializer_list<const wchar_t*> lines) {
  for (const wchar_t* line : lines) m_queue.push_back(ScriptAction::fromLine(line));
}

void ScriptedUser::runChecks() {
  while (!m_queue.empty()) {
    const ScriptCheck* check = findScriptCheck(m_queue.front());
    if (!check) return;
    const ScriptAction a = std::move(m_queue.front());
    m_queue.pop_front();
    if (const std::wstring seen = (*check)(a); !seen.empty())
      throw ScriptError(a.where, L"\"" + a.describe() + L"\": " + seen);
  }
}

ScriptAction ScriptedUser::take() {
  runChecks();
  if (m_queue.empty()) throw ScriptError(m_end, L"the script has no more actions");
  ScriptAction a = std::move(m_queue.front());
  m_queue.pop_front();
  return a;
}

ScriptAction ScriptedUser::next(const std::wstring& asked) {
  runChecks();
  if (m_queue.empty()) throw ScriptError(m_end, L"the script ended, but the program asked for " + asked);
  return take();
}

void ScriptedUser::mismatch(const ScriptAction& action, const std::wstring& asked, const std::wstring& why) const {
  std::wstring message = L"the program asked for " + asked + L" but the script says: " + action.describe();
  if (!why.empty()) message += L" (" + why + L")";
  throw ScriptError(action.where, message);
}

InputStatus ScriptedUser::promptAction(const std::wstring& asked, std::initializer_list<std::wstring_view> verbs,
                                       ScriptAction& action) {
  action = next(asked);
  if (action.verb == L"enter") return InputStatus::kNone;
  if (action.verb == L"cancel") return InputStatus::kCancel;
  for (std::wstring_view v : verbs)
    if (action.verb == v) return InputStatus::kOk;
  mismatch(action, asked);
}

PointAnswer ScriptedUser::getPoint(const PointQuestion& q) {
  PointAnswer answer;
  ScriptAction a;
  answer.status = promptAction(describe(q), {L"point"}, a);
  answer.source = a.where;
  if (answer.status == InputStatus::kOk) answer.point = a.point(0);
  return answer;
}

PointAnswer ScriptedUser::getCorner(const CornerQuestion& q) {
  PointAnswer answer;
  ScriptAction a;
  answer.status = promptAction(describe(q), {L"corner", L"point"}, a);
  answer.source = a.where;
  if (answer.status == InputStatus::kOk) answer.point = a.point(0);
  return answer;
}

StringAnswer ScriptedUser::getString(const StringQuestion& q) {
  const std::wstring asked = describe(q);
  StringAnswer answer;
  ScriptAction a;
  answer.status = promptAction(asked, {L"string"}, a);
  answer.source = a.where;
  if (answer.status != InputStatus::kOk) return answer;
  answer.text = a.text(0);
  // A person could not type these: the space would end the input.
  if (!q.allowSpaces && answer.text.find(L' ') != std::wstring::npos) mismatch(a, asked, L"this prompt takes no spaces");
  if (q.maxLength && answer.text.size() > q.maxLength)
    mismatch(a, asked, L"longer than " + std::to_wstring(q.maxLength) + L" characters");
  return answer;
}

NumberAnswer ScriptedUser::getNumber(const NumberQuestion& q) {
  NumberAnswer answer;
  ScriptAction a;
  answer.status = promptAction(describe(q), {L"number"}, a);
  answer.source = a.where;
  if (answer.status == InputStatus::kOk) answer.value = q.integer ? double(a.integer(0)) : a.number(0);
  return answer;
}

StringAnswer ScriptedUser::getKeyword(const KeywordQuestion& q) {
  const std::wstring asked = describe(q);
  StringAnswer answer;
  ScriptAction a;
  answer.status = promptAction(asked, {L"keyword"}, a);
  answer.source = a.where;
  if (answer.status != InputStatus::kOk) return answer;
  auto it = std::find_if(q.keywords.begin(), q.keywords.end(),
                         [&](const std::wstring& k) { return equalsNoCase(k, a.text(0)); });
  if (it == q.keywords.end()) mismatch(a, asked, L"not one of the keywords");
  answer.text = *it;
  return answer;
}

EntityAnswer ScriptedUser::pickEntity(const EntityQuestion& q) {
  EntityAnswer answer;
  ScriptAction a;
  answer.status = promptAction(describe(q), {L"entity"}, a);
  answer.source = a.where;
  if (answer.status != InputStatus::kOk) return answer;
  if (a.isWord(0, L"handle")) {
    answer.byHandle = true;
    answer.handle = a.text(1);
  } else {
    answer.point = a.point(0);
  }
  return answer;
}

SelectionAnswer ScriptedUser::select(const SelectionQuestion& q) {
  using Mode = SelectionAnswer::Mode;
  const std::wstring asked = describe(q);
  SelectionAnswer answer;
  ScriptAction a;
  InputStatus status = promptAction(asked, {L"select"}, a);
  answer.source = a.where;
  if (status != InputStatus::kOk) {
    answer.mode = status == InputStatus::kNone ? Mode::kNone : Mode::kCancel;
    return answer;
  }
  if (a.isWord(0, L"all")) answer.mode = Mode::kAll;
  else if (a.isWord(0, L"last")) answer.mode = Mode::kLast;
  else if (a.isWord(0, L"previous")) answer.mode = Mode::kPrevious;
  else if (a.isWord(0, L"none")) answer.mode = Mode::kNone;
  else if (a.isWord(0, L"window") || a.isWord(0, L"crossing")) {
    answer.mode = a.isWord(0, L"window") ? Mode::kWindow : Mode::kCrossing;
    answer.first = a.point(1);
    answer.second = a.point(2);
  } else if (a.isWord(0, L"handles")) {
    answer.mode = Mode::kHandles;
    for (size_t i = 1; i < a.args.size(); ++i) answer.handles.push_back(a.args[i].text);
  } else {
    mismatch(a, asked);
  }
  return answer;
}

int ScriptedUser::messageBox(const MessageQuestion& q) {
  const std::wstring asked = describe(q);
  ScriptAction a = next(asked);
  if (a.verb != L"answer") mismatch(a, asked);
  struct Button {
    const wchar_t* word;
    int id;
  };
  static const Button kButtons[] = {{L"ok", IDOK},         {L"cancel", IDCANCEL}, {L"abort", IDABORT},
                                    {L"retry", IDRETRY},   {L"ignore", IDIGNORE}, {L"yes", IDYES},
                                    {L"no", IDNO}};
  int id = 0;
  for (const auto& b : kButtons)
    if (a.isWord(0, b.word)) id = b.id;
  std::vector<int> offered;
  switch (q.buttons()) {
    case MB_OKCANCEL: offered = {IDOK, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: offered = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: offered = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: offered = {IDYES, IDNO}; break;
    case MB_RETRYCANCEL: offered = {IDRETRY, IDCANCEL}; break;
    default: offered = {IDOK}; break;
  }
  if (std::find(offered.begin(), offered.end(), id) == offered.end())
    mismatch(a, asked, L"the message box has no such button");
  if (a.has(1) && q.text.find(a.text(1)) == std::wstring::npos)
    mismatch(a, asked, L"the message does not say \"" + a.text(1) + L"\"");
  return id;
}

std::optional<int> ScriptedUser::chooseColor(const ColorQuestion& q) {
  const std::wstring asked = describe(q);
  ScriptAction a = next(asked);
  if (a.verb == L"cancel") return std::nullopt;
  if (a.verb != L"color") mismatch(a, asked);
  int colour = a.isWord(0, L"bylayer") ? 256 : a.isWord(0, L"byblock") ? 0 : a.integer(0);
  bool meta = colour == 0 || colour == 256;
  if (colour < 0 || colour > 256 || (meta && !q.allowMetaColors)) mismatch(a, asked, L"not offered");
  return colour;
}

std::optional<std::wstring> ScriptedUser::chooseLinetype(const LinetypeQuestion& q) {
  const std::wstring asked = describe(q);
  ScriptAction a = next(asked);
  if (a.verb == L"cancel") return std::nullopt;
  if (a.verb != L"linetype") mismatch(a, asked);
  const std::wstring& name = a.text(0);
  if (equalsNoCase(name, L"ByLayer") || equalsNoCase(name, L"ByBlock")) {
    if (!q.allowByBlockByLayer) mismatch(a, asked, L"ByLayer and ByBlock are not offered");
    return equalsNoCase(name, L"ByLayer") ? L"ByLayer" : L"ByBlock";
  }
  if (q.choices.empty()) return name;
  for (const auto& c : q.choices)
    if (equalsNoCase(c, name)) return c;
  std::wstring list;
  for (const auto& c : q.choices) list += (list.empty() ? L"" : L", ") + c;
  mismatch(a, asked, L"the dialog offers " + list);
}

std::wstring ScriptedUser::resolveFile(const ScriptAction& action, const std::wstring& name,
                                       const FileQuestion& q) const {
  fs::path p(toUtf8(name));
  if (p.is_relative()) {
    fs::path base;
    if (action.where.known() && !action.where.file.empty())
      base = fs::absolute(fs::path(toUtf8(action.where.file))).parent_path();
    else
      base = m_baseFolder.empty() ? fs::current_path() : fs::absolute(fs::path(toUtf8(m_baseFolder)));
    p = base / p;
  }
  // The file dialogs add the default extension to a name typed without one.
  if (!p.has_extension() && !q.defaultExtension.empty()) p += "." + toUtf8(q.defaultExtension);
  return fromUtf8(p.lexically_normal().string());
}

std::optional<std::wstring> ScriptedUser::chooseFile(const FileQuestion& q) {
  const std::wstring asked = describe(q);
  // No to the overwrite question leaves the dialog open for another name, as a person sees it.
  for (;;) {
    ScriptAction a = next(asked);
    if (a.verb == L"cancel" || (a.verb == L"file" && a.isWord(0, L"cancel"))) return std::nullopt;
    if (a.verb != L"file") mismatch(a, asked);
    if (a.text(0).empty()) mismatch(a, asked, L"an empty file name");
    std::wstring path = resolveFile(a, a.text(0), q);
    if (!needsOverwriteQuestion(q, path) || messageBox(overwriteQuestion(q, path)) == IDYES) return path;
  }
}

INT_PTR ScriptedUser::runDialog(ModalDialog& dialog) {
  dialog.initialise();
  while (!dialog.isEnded()) {
    const std::wstring asked = L"an action in " + dialog.describe();
    runChecks();
    if (m_queue.empty()) throw ScriptError(m_end, L"the script ended while " + dialog.describe() + L" was open");
    ScriptAction a = take();
    // Enter and Escape are keys a person presses in a dialog too.
    if (a.kind != ActionKind::kDialog && a.verb != L"enter" && a.verb != L"cancel") mismatch(a, asked);
    if (a.verb == L"picture") {
      const std::wstring why = paintDialog(dialog, a.text(0));
      if (!why.empty()) throw ScriptError(a.where, L"no picture of " + dialog.describe() + L": " + why);
      continue;
    }
    try {
      dialog.apply(DialogAction::fromScript(a));
    } catch (const DialogActionRefused& refused) {
      throw ScriptError(a.where, dialog.describe() + L" cannot do \"" + a.describe() + L"\": " + refused.reason());
    }
  }
  return dialog.result();
}

}  // namespace uv
