#include "Questions.h"

#include <sys/stat.h>

#include "base/TextCase.h"

#include "MessageBoxCodes.h"

namespace uv {

namespace {

// Prompts carry the command line's newlines and trailing blanks.
std::wstring cleaned(const std::wstring& s) {
  size_t b = s.find_first_not_of(L" \t\r\n");
  if (b == std::wstring::npos) return {};
  size_t e = s.find_last_not_of(L" \t\r\n");
  return s.substr(b, e - b + 1);
}

std::wstring withPrompt(const std::wstring& what, const std::wstring& prompt) {
  std::wstring p = cleaned(prompt);
  return p.empty() ? what : what + L" (\"" + p + L"\")";
}

std::wstring buttonNames(UINT buttons) {
  switch (buttons) {
    case MB_OKCANCEL: return L"OK/Cancel";
    case MB_ABORTRETRYIGNORE: return L"Abort/Retry/Ignore";
    case MB_YESNOCANCEL: return L"Yes/No/Cancel";
    case MB_YESNO: return L"Yes/No";
    case MB_RETRYCANCEL: return L"Retry/Cancel";
    default: return L"OK";
  }
}

}  // namespace

std::wstring describe(const PointQuestion& q) { return withPrompt(L"a point", q.prompt); }
std::wstring describe(const CornerQuestion& q) { return withPrompt(L"the opposite corner", q.prompt); }
std::wstring describe(const StringQuestion& q) { return withPrompt(L"a string", q.prompt); }
std::wstring describe(const NumberQuestion& q) { return withPrompt(q.integer ? L"an integer" : L"a number", q.prompt); }

std::wstring describe(const KeywordQuestion& q) {
  std::wstring list;
  for (const auto& k : q.keywords) list += (list.empty() ? L"" : L"/") + k;
  return withPrompt(L"a keyword [" + list + L"]", q.prompt);
}

std::wstring describe(const EntityQuestion& q) { return withPrompt(L"an entity", q.prompt); }
std::wstring describe(const SelectionQuestion& q) { return withPrompt(L"a selection", q.prompt); }

std::wstring describe(const MessageQuestion& q) {
  return L"an answer to the message box \"" + cleaned(q.text) + L"\" (" + buttonNames(q.buttons()) + L")";
}

std::wstring describe(const ColorQuestion& q) {
  return q.allowMetaColors ? L"a colour (1 to 255, bylayer or byblock)" : L"a colour (1 to 255)";
}

std::wstring describe(const LinetypeQuestion& q) { return L"a linetype"; }

std::wstring describe(const FileQuestion& q) {
  return withPrompt(q.save ? L"a file to save" : L"a file to open", q.title);
}

bool needsOverwriteQuestion(const FileQuestion& q, const std::wstring& path) {
  struct stat st {};
  return q.save && q.confirmOverwrite && ::lstat(toUtf8(path).c_str(), &st) == 0;
}

MessageQuestion overwriteQuestion(const FileQuestion& q, const std::wstring& path) {
  return MessageQuestion{path + L" already exists.\nDo you want to replace it?", q.title, MB_YESNO | MB_ICONWARNING};
}

}  // namespace uv
