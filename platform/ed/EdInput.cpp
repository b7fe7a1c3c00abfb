#include "EdInput.h"

#include <cwchar>
#include <string>
#include <vector>

#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/adscodes.h"
#include "user/CurrentUser.h"
#include "user/ScriptError.h"
#include "user/ScriptValues.h"
#include "AcApDocManager.h"
#include "EntityOutline.h"
#include "ModelSpace.h"
#include "SystemVariables.h"
#include "Transcript.h"

namespace {

struct InitGet {
  int flags = 0;
  std::vector<std::wstring> local, global;
};
InitGet g_initGet;

// What acedInitGet set applies to the next input call only.
InitGet takeInitGet() {
  InitGet taken = std::move(g_initGet);
  g_initGet = InitGet();
  return taken;
}

void echo(const std::wstring& text) { uv::Transcript::instance().write(text); }

int finish(uv::InputStatus status, const std::wstring& shown) {
  switch (status) {
    case uv::InputStatus::kOk: echo(shown + L"\n"); return RTNORM;
    case uv::InputStatus::kNone: echo(L"\n"); return RTNONE;
    case uv::InputStatus::kCancel: echo(L"*Cancel*\n"); return RTCAN;
  }
  return RTERROR;
}

// A person cannot give Enter where the program does not take it (the
// prompt would repeat); a script that does so is wrong.
void refuseEnter(const InitGet& init, uv::InputStatus status, const uv::ScriptLocation& source,
                 const std::wstring& asked) {
  if ((init.flags & RSG_NONULL) && status == uv::InputStatus::kNone)
    throw uv::ScriptError(source, L"the program asked for " + asked + L" and does not take Enter there");
}

void copyPoint(const AcGePoint3d& p, ads_point out) {
  out[0] = p.x;
  out[1] = p.y;
  out[2] = p.z;
}

}  // namespace

int acedInitGet(int flags, const wchar_t* keywords) {
  g_initGet = InitGet();
  g_initGet.flags = flags;
  if (!keywords) return RTNORM;
  std::wstring all = keywords;
  size_t underscore = all.find(L'_');
  auto split = [](const std::wstring& s) {
    std::vector<std::wstring> out;
    size_t i = 0;
    while (i < s.size()) {
      while (i < s.size() && (s[i] == L' ' || s[i] == L',')) ++i;
      size_t j = i;
      while (j < s.size() && s[j] != L' ' && s[j] != L',') ++j;
      if (j > i) out.push_back(s.substr(i, j - i));
      i = j;
    }
    return out;
  };
  g_initGet.local = split(all.substr(0, underscore));
  g_initGet.global = underscore == std::wstring::npos ? g_initGet.local : split(all.substr(underscore + 1));
  if (g_initGet.global.size() != g_initGet.local.size()) g_initGet.global = g_initGet.local;
  return RTNORM;
}

int acedPrompt(const wchar_t* text) {
  if (text) echo(text);
  return RTNORM;
}

int acedGetPoint(const ads_point base, const wchar_t* prompt, ads_point result) {
  InitGet init = takeInitGet();
  uv::PointQuestion q{prompt ? prompt : L""};
  if (base) q.base = AcGePoint3d(base[0], base[1], base[2]);
  echo(q.prompt);
  uv::PointAnswer a = uv::currentUser().getPoint(q);
  refuseEnter(init, a.status, a.source, uv::describe(q));
  if (a.status == uv::InputStatus::kOk && result) copyPoint(a.point, result);
  return finish(a.status, uv::formatScriptPoint(a.point));
}

int acedGetCorner(const ads_point base, const wchar_t* prompt, ads_point result) {
  InitGet init = takeInitGet();
  if (!base) return RTERROR;  // a corner needs the first one
  uv::CornerQuestion q{prompt ? prompt : L"", AcGePoint3d(base[0], base[1], base[2])};
  echo(q.prompt);
  uv::PointAnswer a = uv::currentUser().getCorner(q);
  refuseEnter(init, a.status, a.source, uv::describe(q));
  if (a.status == uv::InputStatus::kOk && result) copyPoint(a.point, result);
  return finish(a.status, uv::formatScriptPoint(a.point));
}

int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result, size_t bufferSize) {
  takeInitGet();
  if (!result || bufferSize == 0) return RTERROR;
  uv::StringQuestion q{prompt ? prompt : L"", cronly != 0, bufferSize - 1};
  echo(q.prompt);
  uv::StringAnswer a = uv::currentUser().getString(q);
  result[0] = 0;
  if (a.status == uv::InputStatus::kCancel) return finish(a.status, L"");
  // Enter gives an empty text, not RTNONE.
  echo(a.text + L"\n");
  if (a.text.size() >= bufferSize) {
    std::wcsncpy(result, a.text.c_str(), bufferSize - 1);
    result[bufferSize - 1] = 0;
    return RTINPUTTRUNCATED;
  }
  std::wcscpy(result, a.text.c_str());
  return RTNORM;
}

namespace {
int getNumber(const wchar_t* prompt, bool integer, double& value) {
  InitGet init = takeInitGet();
  uv::NumberQuestion q{prompt ? prompt : L"", integer};
  echo(q.prompt);
  uv::NumberAnswer a = uv::currentUser().getNumber(q);
  refuseEnter(init, a.status, a.source, uv::describe(q));
  if (a.status == uv::InputStatus::kOk) {
    std::wstring why = (init.flags & RSG_NOZERO) && a.value == 0 ? L"zero"
                       : (init.flags & RSG_NONEG) && a.value < 0 ? L"a negative number"
                                                                 : L"";
    if (!why.empty())
      throw uv::ScriptError(a.source, L"the program asked for " + uv::describe(q) + L" and does not take " + why);
    value = a.value;
  }
  return finish(a.status, uv::formatScriptNumber(a.value));
}
}  // namespace

int acedGetInt(const wchar_t* prompt, int* result) {
  double v = 0;
  int rc = getNumber(prompt, true, v);
  if (rc == RTNORM && result) *result = int(v);
  return rc;
}

int acedGetReal(const wchar_t* prompt, ads_real* result) {
  double v = 0;
  int rc = getNumber(prompt, false, v);
  if (rc == RTNORM && result) *result = v;
  return rc;
}

int acedGetKword(const wchar_t* prompt, wchar_t* result, size_t bufferSize) {
  InitGet init = takeInitGet();
  if (!result || bufferSize == 0) return RTERROR;
  uv::KeywordQuestion q{prompt ? prompt : L"", init.local};
  echo(q.prompt);
  uv::StringAnswer a = uv::currentUser().getKeyword(q);
  refuseEnter(init, a.status, a.source, uv::describe(q));
  result[0] = 0;
  if (a.status != uv::InputStatus::kOk) return finish(a.status, L"");
  std::wstring keyword = a.text;
  for (size_t i = 0; i < init.local.size(); ++i)
    if (init.local[i] == a.text) keyword = init.global[i];
  if (keyword.size() >= bufferSize) return RTERROR;
  std::wcscpy(result, keyword.c_str());
  return finish(a.status, a.text);
}

int acedEntSel(const wchar_t* prompt, ads_name entity, ads_point pickPoint) {
  takeInitGet();
  uv::EntityQuestion q{prompt ? prompt : L"\nSelect object: "};
  echo(q.prompt);
  uv::EntityAnswer a = uv::currentUser().pickEntity(q);
  if (a.status == uv::InputStatus::kCancel) return finish(a.status, L"");
  if (a.status == uv::InputStatus::kNone) {
    uv::SystemVariables::setErrno(52);
    echo(L"\n");
    return RTERROR;
  }
  AcApDocument* doc = curDoc();
  AcDbDatabase* db = doc ? doc->database() : nullptr;
  AcDbObjectId id;
  AcGePoint3d at = a.point;
  if (a.byHandle) {
    id = uv::ModelSpace::byHandle(db, a.handle);
    // A person picks what is on the screen; a handle that names nothing is the script's mistake.
    if (id.isNull()) throw uv::ScriptError(a.source, L"the drawing has no entity with the handle " + a.handle);
    echo(L"handle " + a.handle + L"\n");
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    if (ent.openStatus() == Acad::eOk) {
      AcGePoint2d p = uv::EntityOutline::of(*ent.object()).somePoint();
      at.set(p.x, p.y, 0);
    }
  } else {
    const uv::ViewState& view = doc ? doc->view() : uv::ViewState();
    double tolerance = uv::SystemVariables::pickBox() * view.height() / view.screenHeight();
    id = uv::ModelSpace::pick(db, a.point, tolerance);
    echo(uv::formatScriptPoint(a.point) + L"\n");
    if (id.isNull()) {
      uv::SystemVariables::setErrno(7);
      return RTERROR;
    }
  }
  if (entity && acdbGetAdsName(*reinterpret_cast<ads_name*>(entity), id) != Acad::eOk) return RTERROR;
  if (pickPoint) copyPoint(at, pickPoint);
  return RTNORM;
}
