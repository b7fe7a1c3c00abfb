#include "SystemVariables.h"

#include <cstdlib>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/resbuf.h"
#include "AcApDocManager.h"

namespace uv {

namespace {

int g_pickBox = 3;
int g_errno = 0;

void putString(resbuf* rb, const std::wstring& s) {
  rb->restype = RTSTR;
  rb->resval.rstring = newResString(s.c_str());
}

std::wstring recordName(AcDbObjectId id) {
  AcDbObjectPointer<AcDbSymbolTableRecord> rec(id, AcDb::kForRead);
  const ACHAR* name = nullptr;
  if (rec.openStatus() != Acad::eOk || rec->getName(name) != Acad::eOk || !name) return {};
  return name;
}

AcDbDatabase* working() { return acdbHostApplicationServices()->workingDatabase(); }

}  // namespace

int SystemVariables::pickBox() { return g_pickBox; }
void SystemVariables::setErrno(int value) { g_errno = value; }
int SystemVariables::errnoValue() { return g_errno; }

int SystemVariables::get(const wchar_t* nameIn, resbuf* rb) {
  if (!nameIn || !rb) return RTERROR;
  std::wstring name;
  for (const wchar_t* p = nameIn; *p; ++p) name += upperCase(*p);
  AcApDocument* doc = curDoc();
  if (name == L"PICKBOX" || name == L"ERRNO") {
    rb->restype = RTSHORT;
    rb->resval.rint = short(name == L"PICKBOX" ? g_pickBox : g_errno);
    return RTNORM;
  }
  if (name == L"VIEWCTR" || name == L"VIEWSIZE" || name == L"SCREENSIZE") {
    if (!doc) return RTERROR;
    const ViewState& view = doc->view();
    if (name == L"VIEWCTR") {
      rb->restype = RT3DPOINT;
      rb->resval.rpoint[0] = view.centre().x;
      rb->resval.rpoint[1] = view.centre().y;
      rb->resval.rpoint[2] = view.centre().z;
    } else if (name == L"VIEWSIZE") {
      rb->restype = RTREAL;
      rb->resval.rreal = view.height();
    } else {
      rb->restype = RTPOINT;
      rb->resval.rpoint[0] = view.screenWidth();
      rb->resval.rpoint[1] = view.screenHeight();
      rb->resval.rpoint[2] = 0;
    }
    return RTNORM;
  }
  if (name == L"DWGNAME" || name == L"DWGPREFIX") {
    if (!doc) return RTERROR;
    std::wstring file = doc->fileName();
    size_t slash = file.find_last_of(L'/');
    if (name == L"DWGNAME") putString(rb, doc->docTitle());
    else putString(rb, slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1));
    return RTNORM;
  }
  if (name == L"CELTYPE" || name == L"CLAYER") {
    AcDbDatabase* db = working();
    if (!db) return RTERROR;
    putString(rb, recordName(name == L"CELTYPE" ? db->celtype() : db->clayer()));
    return RTNORM;
  }
  return RTERROR;
}

int SystemVariables::set(const wchar_t* nameIn, const resbuf* rb) {
  if (!nameIn || !rb) return RTERROR;
  std::wstring name;
  for (const wchar_t* p = nameIn; *p; ++p) name += upperCase(*p);
  if (name == L"PICKBOX" || name == L"ERRNO") {
    if (rb->restype != RTSHORT && rb->restype != RTLONG) return RTERROR;
    int v = rb->restype == RTSHORT ? rb->resval.rint : int(rb->resval.rlong);
    if (name == L"PICKBOX") {
      if (v < 0 || v > 50) return RTERROR;
      g_pickBox = v;
    } else {
      g_errno = v;
    }
    return RTNORM;
  }
  if (name == L"CELTYPE" || name == L"CLAYER") {
    AcDbDatabase* db = working();
    if (!db || rb->restype != RTSTR || !rb->resval.rstring) return RTERROR;
    AcDbObjectId id;
    if (name == L"CELTYPE") {
      AcDbObjectPointer<AcDbLinetypeTable> table(db->linetypeTableId(), AcDb::kForRead);
      if (table.openStatus() != Acad::eOk || table->getAt(rb->resval.rstring, id) != Acad::eOk) return RTERROR;
      return db->setCeltype(id) == Acad::eOk ? RTNORM : RTERROR;
    }
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    if (table.openStatus() != Acad::eOk || table->getAt(rb->resval.rstring, id) != Acad::eOk) return RTERROR;
    return db->setClayer(id) == Acad::eOk ? RTNORM : RTERROR;
  }
  return RTERROR;  // unknown, or read only
}

}  // namespace uv

int acedGetVar(const wchar_t* sym, resbuf* result) { return uv::SystemVariables::get(sym, result); }
int acedSetVar(const wchar_t* sym, const resbuf* value) { return uv::SystemVariables::set(sym, value); }
