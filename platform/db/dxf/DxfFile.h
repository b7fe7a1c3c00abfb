// DXF load and save of a whole drawing.
//
// load() reads into `db`, which must be a new database holding only the
// default drawing (as `AcDbDatabase db;` makes it). A load that fails half
// way deletes what it built and puts the default drawing back into the
// same slots (AcDbDatabase::restoreNew), so `db` is as it was and ids taken
// from it before stay valid.
//
// save() writes the drawing to a temporary file beside the target and
// renames it over the target only once it is complete and flushed to disk,
// so a full disk or a crash never leaves half a drawing in place of a good
// one.
//
// Errors name the file and, when reading, the line of the file:
//   "site.dxf, line 120: expected a number for group code 10, found 'x'"
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "db/AcDbDatabase.h"
#include "db/dxf/DxfResult.h"

namespace uv::dxf {

Result load(const std::wstring& path, AcDbDatabase& db);
// `name` stands for the file in messages.
Result loadFromStream(std::istream& in, AcDbDatabase& db, const std::wstring& name);
Result loadFromString(const std::string& text, AcDbDatabase& db, const std::wstring& name = L"<text>");

Result save(const AcDbDatabase& db, const std::wstring& path);
Result saveToStream(const AcDbDatabase& db, std::ostream& out, const std::wstring& name);
Result saveToString(const AcDbDatabase& db, std::string& text);

// Whether db holds nothing but the default drawing, as load() requires.
bool isNewDatabase(const AcDbDatabase& db);

}  // namespace uv::dxf
