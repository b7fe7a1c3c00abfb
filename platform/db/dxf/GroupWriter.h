// Writes (group code, value) pairs as DXF text: the code right-aligned in
// three columns, the value on the next line, LF line ends.
//
//    10
//   12.5
//
// Reals are written in their shortest form that reads back to the same
// double; a value that is not finite is refused with a DxfError naming the
// object being written (a file must never hold "nan").
//
// The text is gathered in a buffer of about a megabyte and handed to the
// stream in pieces of that size (flush(), and the destructor, hand over the
// rest): a drawing of millions of entities writes hundreds of megabytes,
// and the stream's per-value overhead would dominate.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/RawGroups.h"
#include "ge/AcGePoint3d.h"
#include "ge/AcGeVector3d.h"

namespace uv::dxf {

class GroupWriter {
 public:
  explicit GroupWriter(std::ostream& out);
  ~GroupWriter();
  GroupWriter(const GroupWriter&) = delete;
  GroupWriter& operator=(const GroupWriter&) = delete;

  // Hands what is buffered to the stream.
  void flush();

  // What is being written, for error messages ("LINE 2F").
  void setContext(std::string context) {
    m_context = std::move(context);
    m_contextType = nullptr;
  }
  // The same as type and handle, put into words only when a message needs them.
  void setContext(const char* type, std::uint64_t handle) {
    m_contextType = type;
    m_contextHandle = handle;
  }

  void text(int code, const std::string& utf8);
  void text(int code, std::string_view utf8);
  void text(int code, const std::wstring& value);
  void real(int code, double value);
  // An angle held in radians, written in degrees: the shortest text that
  // reads back to the same radians, so that a file's 30 comes back as 30
  // and not as the 29.999999999999996 that dividing by the degree gives.
  void degrees(int code, double radians);
  void integer(int code, long long value);
  void handle(int code, std::uint64_t value);
  // Codes c, c+10, c+20.
  void point(int code, const AcGePoint3d& p);
  void point2d(int code, double x, double y);
  void vector(int code, const AcGeVector3d& v);
  // The normal only when it is not the world z axis, as files do.
  void normal(int code, const AcGeVector3d& v);
  // A 0 group starting an object. `kept` (which must outlive the object's
  // writing) are the groups of the file the database does not model, with
  // their subclass markers: those of the head (reactors, extension
  // dictionary) follow the handle (5), those of a subclass close it (before
  // the next 100 marker or the extended data), those of subclasses the
  // writer does not write come last.
  void start(const char* type, const uv::RawGroups* kept = nullptr);
  // Writes here the kept groups of the subclass being written up to and
  // including the first of this code, so that a group the file had among
  // those the writer writes stays in its place; false when none is kept,
  // and the writer then writes its own value.
  bool keptHere(int code);
  // The value of the first kept group of this code in the subclass being
  // written, not written yet; null when there is none. With dropKept() the
  // writer chooses between the file's spelling of a value and its own.
  const std::string* keptValue(int code) const;
  // Leaves that group out: the writer writes the database's value instead.
  void dropKept(int code);
  // Whether the record's head (before its first subclass marker) kept a
  // group of this code after its braces; the group is left out, the writer
  // writes its own value in its place.
  bool takeKeptHeadGroup(int code);
  // Writes now what is left of the record's head, so that it stays in the
  // head: for a record whose data runs to its end (an xrecord's), head groups
  // written last would be read back as data.
  void keptHeadHere();
  // Writes the groups verbatim (a record kept whole).
  void raw(const uv::RawGroups& groups);

  static std::string formatReal(double value);

 private:
  struct Bucket {
    size_t begin = 0, end = 0;  // range of m_kept, the marker excluded
    bool written = false;
  };
  void code(int c);
  void put(const char* text, size_t size) {
    m_buf.append(text, size);
    if (m_buf.size() >= kFlushAt) flush();
  }
  void line(const char* text, size_t size) {
    m_buf.append(text, size);
    m_buf += '\n';
    if (m_buf.size() >= kFlushAt) flush();
  }
  std::string context() const;
  static constexpr size_t kFlushAt = size_t(1) << 20;
  void writeKept(size_t begin, size_t end);
  // The index in m_kept of keptValue()'s group, or npos.
  size_t findKept(int code) const;
  bool isDropped(size_t index) const;
  void closeSubclass();
  void writeHeadBraces();
  void flushKept();
  Bucket* bucketOf(const std::string& subclass);
  std::ostream& m_out;
  std::string m_buf;
  std::string m_context;
  const char* m_contextType = nullptr;
  std::uint64_t m_contextHandle = 0;
  const uv::RawGroups* m_kept = nullptr;
  // The kept groups' subclasses in order; the head has the empty name.
  std::vector<std::pair<std::string, Bucket>> m_buckets;
  // Kept groups left out by dropKept() (a few at most).
  std::vector<size_t> m_dropped;
  // Where a kept embedded object (from its 101 on) begins in m_kept: it is
  // written after everything else of the record, where a reader looks for it.
  size_t m_embedded = 0;
  std::string m_subclass;
  bool m_inHead = false;
  bool m_writing = false;
};

}  // namespace uv::dxf
