#include "db/dxf/DxfFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/SafeFileWriter.h"
#include "base/TextCase.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/DxfLoader.h"
#include "db/dxf/DxfSaver.h"

namespace uv::dxf {

namespace {

Result failure(const std::wstring& name, int line, const std::string& message) {
  Result r;
  r.ok = false;
  r.line = line;
  r.error = name + (line > 0 ? L", line " + std::to_wstring(line) : std::wstring()) + L": " + fromUtf8(message);
  return r;
}

std::string systemError(int err) { return std::strerror(err); }

}  // namespace

bool isNewDatabase(const AcDbDatabase& db) {
  // Every new database holds the same default drawing: made once to be counted, not at every load.
  struct Fresh {
    size_t objects;
    AcDbHandle handseed;
  };
  static const Fresh fresh = [] {
    const AcDbDatabase made;
    return Fresh{made.objectIds(true).size(), made.handseed()};
  }();
  return db.objectIds(true).size() == fresh.objects && db.reservedIds().empty() && db.handseed() == fresh.handseed;
}

Result loadFromStream(std::istream& in, AcDbDatabase& db, const std::wstring& name) {
  if (!isNewDatabase(db))
    return failure(name, 0, "a drawing is read into a new database only; this one already holds objects");
  // The drawing is built straight into db; when reading fails half way, db
  // gets its default drawing back in the same slots.
  std::vector<std::pair<AcDbObjectId, AcDbHandle>> fresh;
  for (const AcDbObjectId& id : db.objectIds(true)) fresh.emplace_back(id, id.handle());
  Result result;
  try {
    GroupReader reader(in);
    const DxfDocument doc = parseDocument(reader);
    DxfLoader(doc, db, result).run();
  } catch (const DxfError& e) {
    db.restoreNew(fresh);
    return failure(name, e.line(), e.what());
  } catch (const std::bad_alloc&) {
    db.restoreNew(fresh);
    return failure(name, 0, "not enough memory to read the drawing");
  } catch (...) {
    db.restoreNew(fresh);
    throw;
  }
  return result;
}

Result loadFromString(const std::string& text, AcDbDatabase& db, const std::wstring& name) {
  std::istringstream in(text);
  return loadFromStream(in, db, name);
}

Result load(const std::wstring& path, AcDbDatabase& db) {
  std::ifstream in(toUtf8(path), std::ios::binary);
  if (!in) return failure(path, 0, "cannot open the file: " + systemError(errno));
  Result r = loadFromStream(in, db, path);
  if (r.ok) db.setFilename(path.c_str());
  return r;
}

Result saveToStream(const AcDbDatabase& db, std::ostream& out, const std::wstring& name) {
  Result result;
  try {
    writeDocument(db, out, result);
  } catch (const DxfError& e) {
    return failure(name, 0, e.what());
  }
  if (!out) return failure(name, 0, "the output stream failed");
  return result;
}

Result saveToString(const AcDbDatabase& db, std::string& text) {
  std::ostringstream out;
  Result r = saveToStream(db, out, L"<text>");
  if (r.ok) text = out.str();
  return r;
}

// The file is replaced as every file of ours is: through a temporary file
// that is synced and renamed over it, through symbolic links, keeping its
// permissions, refusing a read-only file (see base/SafeFileWriter.h). The
// drawing goes straight into the temporary file: a drawing of millions of
// entities is hundreds of megabytes, no copy is made in memory.
Result save(const AcDbDatabase& db, const std::wstring& path) {
  Result result;
  std::string why;
  const bool replaced = replaceFileStreamed(
      path,
      [&](std::ostream& out, std::string&) {
        result = saveToStream(db, out, path);
        if (result.ok || out) return result.ok;
        result = Result();  // the stream failed: the writer names the reason (a full disk)
        return true;
      },
      why);
  if (!result.ok) return result;
  if (!replaced) return failure(path, 0, why);
  return result;
}

}  // namespace uv::dxf
