#include "CurrentUser.h"

#include "ScriptError.h"

namespace uv {

namespace {

// Stands in when no user is installed: a batch run without a script, or a
// test that forgot one. Every question is an error that says what was asked.
class NobodyUser : public User {
 public:
  PointAnswer getPoint(const PointQuestion& q) override { fail(describe(q)); }
  PointAnswer getCorner(const CornerQuestion& q) override { fail(describe(q)); }
  StringAnswer getString(const StringQuestion& q) override { fail(describe(q)); }
  NumberAnswer getNumber(const NumberQuestion& q) override { fail(describe(q)); }
  StringAnswer getKeyword(const KeywordQuestion& q) override { fail(describe(q)); }
  EntityAnswer pickEntity(const EntityQuestion& q) override { fail(describe(q)); }
  SelectionAnswer select(const SelectionQuestion& q) override { fail(describe(q)); }
  int messageBox(const MessageQuestion& q) override { fail(describe(q)); }
  std::optional<int> chooseColor(const ColorQuestion& q) override { fail(describe(q)); }
  std::optional<std::wstring> chooseLinetype(const LinetypeQuestion& q) override { fail(describe(q)); }
  std::optional<std::wstring> chooseFile(const FileQuestion& q) override { fail(describe(q)); }
  INT_PTR runDialog(ModalDialog& dialog) override { fail(L"someone to use " + dialog.describe()); }

 private:
  [[noreturn]] static void fail(const std::wstring& what) {
    throw ScriptError(ScriptLocation{}, L"nobody is there to answer: the program asked for " + what);
  }
};

NobodyUser g_nobody;
User* g_current = nullptr;

}  // namespace

User& currentUser() { return g_current ? *g_current : g_nobody; }

User* setCurrentUser(User* user) {
  User* previous = g_current;
  g_current = user;
  return previous;
}

}  // namespace uv
