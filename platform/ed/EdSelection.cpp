#include "EdSelection.h"

#include <cwctype>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/resbuf.h"
#include "user/CurrentUser.h"
#include "user/ScriptError.h"
#include "user/ScriptValues.h"
#include "AcApDocManager.h"
#include "ModelSpace.h"
#include "SelectionFilter.h"
#include "SelectionSets.h"
#include "Transcript.h"

namespace {

using uv::SelectionAnswer;

void echo(const std::wstring& text) { uv::Transcript::instance().write(text); }

std::vector<uv::FilterItem> filterItems(const resbuf* rb) {
  std::vector<uv::FilterItem> items;
  for (; rb; rb = rb->rbnext) {
    uv::FilterItem item;
    item.code = rb->restype == RTDXF0 ? 0 : rb->restype;
    switch (uv::resvalKind(rb->restype)) {
      case uv::ResvalKind::kString: item.value = std::wstring(rb->resval.rstring ? rb->resval.rstring : L""); break;
      case uv::ResvalKind::kShort: item.value = (long long)rb->resval.rint; break;
      case uv::ResvalKind::kLong: item.value = (long long)rb->resval.rlong; break;
      case uv::ResvalKind::kInt64: item.value = (long long)rb->resval.rlong64; break;
      case uv::ResvalKind::kReal: item.value = rb->resval.rreal; break;
      default: break;  // points, names, binary: groups no filter test here takes
    }
    items.push_back(std::move(item));
  }
  return items;
}

AcGePoint3d pointOf(const void* p) {
  const double* d = static_cast<const double*>(p);
  return AcGePoint3d(d[0], d[1], d[2]);
}

// "_:S", "X", "_W" -> "S"-free upper-case mode letters: "", "X", "W", ...
std::wstring modeLetters(const wchar_t* mode) {
  std::wstring out;
  if (!mode) return out;
  for (const wchar_t* p = mode; *p; ++p) {
    if (*p == L'_') continue;
    if (*p == L':') {  // ":S", ":E", ...: options of the user's selection
      if (p[1]) ++p;
      continue;
    }
    out += uv::upperCase(*p);
  }
  return out;
}

std::wstring describeAnswer(const SelectionAnswer& a) {
  using Mode = SelectionAnswer::Mode;
  switch (a.mode) {
    case Mode::kAll: return L"all";
    case Mode::kWindow: return L"window " + uv::formatScriptPoint(a.first) + L" " + uv::formatScriptPoint(a.second);
    case Mode::kCrossing: return L"crossing " + uv::formatScriptPoint(a.first) + L" " + uv::formatScriptPoint(a.second);
    case Mode::kLast: return L"last";
    case Mode::kPrevious: return L"previous";
    case Mode::kHandles: {
      std::wstring s = L"handles";
      for (const auto& h : a.handles) s += L" " + h;
      return s;
    }
    default: return L"";
  }
}

// The entities an answer of the user names, before filtering; nullopt for Escape.
std::optional<std::vector<AcDbObjectId>> askUser(AcDbDatabase* db) {
  using Mode = SelectionAnswer::Mode;
  uv::SelectionQuestion q{L"\nSelect objects: "};
  echo(q.prompt);
  SelectionAnswer a = uv::currentUser().select(q);
  if (a.mode == Mode::kCancel) {
    echo(L"*Cancel*\n");
    return std::nullopt;
  }
  echo(describeAnswer(a) + L"\n");
  std::vector<AcDbObjectId> ids;
  switch (a.mode) {
    case Mode::kAll: ids = uv::ModelSpace::entities(db); break;
    case Mode::kWindow:
    case Mode::kCrossing: ids = uv::ModelSpace::window(db, a.first, a.second, a.mode == Mode::kCrossing); break;
    case Mode::kLast: {
      auto all = uv::ModelSpace::entities(db);
      if (!all.empty()) ids.push_back(all.back());
      break;
    }
    case Mode::kPrevious: ids = uv::SelectionSets::instance().previous(); break;
    case Mode::kHandles:
      for (const auto& h : a.handles) {
        AcDbObjectId id = uv::ModelSpace::byHandle(db, h);
        if (id.isNull()) throw uv::ScriptError(a.source, L"the drawing has no entity with the handle " + h);
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
      }
      break;
    default: break;
  }
  return ids;
}

}  // namespace

int acedSSGet(const wchar_t* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss) {
  if (!ss) return RTERROR;
  AcApDocument* doc = curDoc();
  AcDbDatabase* db = doc ? doc->database() : nullptr;
  if (!db) return RTERROR;
  uv::SelectionFilter compiled;
  try {
    compiled = uv::SelectionFilter::compile(filterItems(filter));
  } catch (const uv::FilterError& e) {
    echo(L"\nInvalid selection filter: " + uv::fromUtf8(e.what()) + L"\n");
    return RTERROR;
  }

  std::wstring letters = modeLetters(mode);
  std::vector<AcDbObjectId> candidates;
  if (letters.empty() && pt1) {
    // A single pick at pt1.
    const uv::ViewState& view = doc->view();
    AcDbObjectId id = uv::ModelSpace::pick(db, pointOf(pt1), 3.0 * view.height() / view.screenHeight());
    if (!id.isNull()) candidates.push_back(id);
  } else if (letters.empty()) {
    auto answer = askUser(db);
    if (!answer) return RTCAN;
    candidates = std::move(*answer);
  } else if (letters == L"X" || letters == L"A") {
    candidates = uv::ModelSpace::entities(db);
  } else if (letters == L"W" || letters == L"C") {
    if (!pt1 || !pt2) return RTERROR;
    candidates = uv::ModelSpace::window(db, pointOf(pt1), pointOf(pt2), letters == L"C");
  } else if (letters == L"L") {
    auto all = uv::ModelSpace::entities(db);
    if (!all.empty()) candidates.push_back(all.back());
  } else if (letters == L"P") {
    candidates = uv::SelectionSets::instance().previous();
  } else {
    return RTERROR;  // "I" (nothing is ever preselected here) and modes this host does not offer
  }

  std::vector<AcDbObjectId> chosen;
  for (AcDbObjectId id : candidates) {
    if (id.isErased()) continue;
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    if (ent.openStatus() == Acad::eOk && compiled.matches(uv::ModelSpace::facts(*ent.object()))) chosen.push_back(id);
  }
  if (letters.empty() && !pt1) echo(std::to_wstring(chosen.size()) + L" found\n");
  if (chosen.empty()) return RTERROR;
  uv::SelectionSets::instance().setPrevious(chosen);
  uv::SelectionSets::instance().create(std::move(chosen), ss);
  return RTNORM;
}

int acedSSLength(const ads_name ss, Adesk::Int32* length) {
  const auto* set = uv::SelectionSets::instance().find(ss);
  if (!set || !length) return RTERROR;
  *length = Adesk::Int32(set->size());
  return RTNORM;
}

int acedSSLength(const ads_name ss, long* length) {
  Adesk::Int32 n = 0;
  int rc = acedSSLength(ss, &n);
  if (rc == RTNORM && length) *length = n;
  return rc;
}

int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity) {
  const auto* set = uv::SelectionSets::instance().find(ss);
  if (!set || !entity || index < 0 || size_t(index) >= set->size()) return RTERROR;
  return acdbGetAdsName(*reinterpret_cast<ads_name*>(entity), (*set)[size_t(index)]) == Acad::eOk ? RTNORM : RTERROR;
}

int acedSSFree(const ads_name ss) { return uv::SelectionSets::instance().free(ss) ? RTNORM : RTERROR; }

namespace uv {
void SelectionSetScope::reset() {
  if (m_name[1] == SelectionSets::kTag) acedSSFree(m_name);
  m_name[0] = m_name[1] = 0;
}
}  // namespace uv
