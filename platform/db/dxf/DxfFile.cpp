#include "db/dxf/DxfFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

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
  const AcDbDatabase fresh;
  return db.objectIds(true).size() == fresh.objectIds(true).size() && db.reservedIds().empty() &&
         db.handseed() == fresh.handseed();
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

Result save(const AcDbDatabase& db, const std::wstring& path) {
  const std::string target = toUtf8(path);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return failure(path, 0, "cannot create a temporary file beside it: " + systemError(errno));
  // The new file keeps the permissions of the one it replaces (mkstemp makes 0600).
  struct stat old {};
  ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  auto abandon = [&](Result r) {
    ::close(fd);
    ::unlink(temp.c_str());
    return r;
  };
  // The drawing goes straight into the temporary file (a drawing of
  // millions of entities is hundreds of megabytes: no copy in memory).
  Result result;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return abandon(failure(path, 0, "cannot write the file: " + systemError(errno)));
    result = saveToStream(db, out, path);
    if (!result.ok) return abandon(result);
    out.close();
    if (!out) return abandon(failure(path, 0, "cannot write the file: " + systemError(errno)));
  }
  const bool synced = ::fsync(fd) == 0;
  const int err = errno;
  if (!synced) return abandon(failure(path, 0, "cannot write the file: " + systemError(err)));
  if (::close(fd) != 0) {
    const int closeErr = errno;
    ::unlink(temp.c_str());
    return failure(path, 0, "cannot write the file: " + systemError(closeErr));
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int renameErr = errno;
    ::unlink(temp.c_str());
    return failure(path, 0, "cannot replace the file: " + systemError(renameErr));
  }
  return result;
}

}  // namespace uv::dxf
