#include "db/dxf/GroupWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstring>
#include <string_view>

#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

namespace {

// The shortest text that reads back to the same double, with a decimal
// point for readers that look for one to tell reals from integers.
// Returns the end of the text.
char* realText(char* buf, size_t size, double value) {
  char* end = std::to_chars(buf, buf + size, value).ptr;
  for (const char* p = buf; p != end; ++p)
    if (*p == '.' || *p == 'e') return end;
  *end++ = '.';
  *end++ = '0';
  return end;
}

}  // namespace

// The buffer grows as the drawing is written (to a little over kFlushAt at the most), so that a
// small drawing costs no megabyte.
GroupWriter::GroupWriter(std::ostream& out) : m_out(out) {}

GroupWriter::~GroupWriter() {
  try {
    flush();
  } catch (...) {
    // A stream that throws has reported its failure already.
  }
}

void GroupWriter::flush() {
  if (m_buf.empty()) return;
  m_out.write(m_buf.data(), std::streamsize(m_buf.size()));
  m_buf.clear();
}

std::string GroupWriter::context() const {
  if (!m_contextType) return m_context;
  char buf[32];
  char* end = std::to_chars(buf, buf + sizeof buf, m_contextHandle, 16).ptr;
  for (char* p = buf; p != end; ++p) *p = char(std::toupper(static_cast<unsigned char>(*p)));
  return std::string(m_contextType) + " " + std::string(buf, end);
}

std::string GroupWriter::formatReal(double value) {
  char buf[64];
  return std::string(buf, realText(buf, sizeof buf, value));
}

void GroupWriter::start(const char* type, const uv::RawGroups* kept) {
  text(0, std::string(type));
  m_kept = kept && !kept->empty() ? kept : nullptr;
  m_buckets.clear();
  m_dropped.clear();
  m_subclass.clear();
  m_inHead = true;
  if (!m_kept) return;
  // An embedded object ends the body of any record but an xrecord's (whose
  // data may hold a 101); the subclasses' groups come before it.
  m_embedded = m_kept->size();
  if (std::string_view(type) != "XRECORD")
    for (size_t i = 0; i < m_kept->size(); ++i)
      if ((*m_kept)[i].code == 101) {
        m_embedded = i;
        break;
      }
  m_buckets.push_back({std::string(), Bucket{0, 0}});
  for (size_t i = 0; i < m_embedded; ++i) {
    const uv::RawGroup& g = (*m_kept)[i];
    if (g.code == 100) m_buckets.push_back({g.value, Bucket{i + 1, i + 1}});
    else m_buckets.back().second.end = i + 1;
  }
}

GroupWriter::Bucket* GroupWriter::bucketOf(const std::string& subclass) {
  for (auto& [name, bucket] : m_buckets)
    if (name == subclass && !bucket.written) return &bucket;
  return nullptr;
}

size_t GroupWriter::findKept(int c) const {
  if (!m_kept || m_inHead) return std::string::npos;
  for (const auto& [name, bucket] : m_buckets) {
    if ((name != m_subclass && !name.empty()) || bucket.written) continue;
    for (size_t i = bucket.begin; i < bucket.end; ++i)
      if ((*m_kept)[i].code == c && !isDropped(i)) return i;
  }
  return std::string::npos;
}

bool GroupWriter::keptHere(int c) {
  const size_t at = findKept(c);
  if (at == std::string::npos) return false;
  for (auto& [name, bucket] : m_buckets) {
    if (bucket.written || at < bucket.begin || at >= bucket.end) continue;
    writeKept(bucket.begin, at + 1);
    bucket.begin = at + 1;
    return true;
  }
  return false;
}

const std::string* GroupWriter::keptValue(int c) const {
  const size_t at = findKept(c);
  return at == std::string::npos ? nullptr : &(*m_kept)[at].value;
}

void GroupWriter::dropKept(int c) {
  if (const size_t at = findKept(c); at != std::string::npos) m_dropped.push_back(at);
}

bool GroupWriter::takeKeptHeadGroup(int c) {
  if (!m_kept || m_buckets.empty() || !m_buckets.front().first.empty()) return false;
  const Bucket& head = m_buckets.front().second;
  if (head.written) return false;
  for (size_t i = head.begin; i < head.end; ++i) {
    if ((*m_kept)[i].code != c || isDropped(i)) continue;
    m_dropped.push_back(i);
    return true;
  }
  return false;
}

void GroupWriter::keptHeadHere() {
  if (!m_kept || !m_inHead) return;
  writeHeadBraces();
  if (Bucket* head = bucketOf(std::string())) {
    writeKept(head->begin, head->end);
    head->written = true;
  }
}

bool GroupWriter::isDropped(size_t i) const {
  return !m_dropped.empty() && std::find(m_dropped.begin(), m_dropped.end(), i) != m_dropped.end();
}

void GroupWriter::writeKept(size_t begin, size_t end) {
  m_writing = true;
  for (size_t i = begin; i < end; ++i)
    if (!isDropped(i)) text((*m_kept)[i].code, (*m_kept)[i].value);
  m_writing = false;
}

// Writes the kept groups of the subclass being written.
void GroupWriter::closeSubclass() {
  if (!m_kept || m_inHead) return;
  if (Bucket* b = bucketOf(m_subclass)) {
    writeKept(b->begin, b->end);
    b->written = true;
  }
}

// Writes what is left of the kept groups: the current subclass's, then
// those of subclasses not written, each under its marker; the object's
// kept groups are then done.
void GroupWriter::flushKept() {
  if (!m_kept) return;
  closeSubclass();
  const uv::RawGroups* kept = m_kept;
  m_kept = nullptr;  // the writes below must not flush again
  for (auto& [name, bucket] : m_buckets) {
    if (bucket.written) continue;
    bool any = false;
    for (size_t i = bucket.begin; i < bucket.end && !any; ++i) any = !isDropped(i);
    if (!any) continue;
    m_writing = true;
    if (!name.empty()) text(100, name);
    for (size_t i = bucket.begin; i < bucket.end; ++i)
      if (!isDropped(i)) text((*kept)[i].code, (*kept)[i].value);
    m_writing = false;
  }
  m_buckets.clear();
  m_writing = true;
  for (size_t i = m_embedded; i < kept->size(); ++i) text((*kept)[i].code, (*kept)[i].value);
  m_writing = false;
}

void GroupWriter::raw(const uv::RawGroups& groups) {
  m_writing = true;
  for (const uv::RawGroup& g : groups) text(g.code, g.value);
  m_writing = false;
}

void GroupWriter::code(int c) {
  if (!m_writing && m_kept) {
    if (c == 0 || c == 1001) {
      flushKept();
    } else if (c == 100) {
      if (m_inHead) {
        writeHeadBraces();  // when no handle was written to put them after
        m_inHead = false;
      } else {
        closeSubclass();
      }
    }
  }
  // "%3d\n": right-aligned in three columns.
  char buf[16] = {' ', ' ', ' '};
  char digits[12];
  char* end = std::to_chars(digits, digits + sizeof digits, c).ptr;
  const size_t n = size_t(end - digits);
  const size_t pad = n < 3 ? 3 - n : 0;
  std::memcpy(buf + pad, digits, n);
  buf[pad + n] = '\n';
  put(buf, pad + n + 1);
}

void GroupWriter::text(int c, const std::string& utf8) { text(c, std::string_view(utf8)); }

void GroupWriter::text(int c, std::string_view utf8) {
  code(c);
  line(utf8.data(), utf8.size());
  if (m_writing || !m_kept) return;
  if (c == 100) {
    m_subclass = utf8;
  } else if (m_inHead && (c == 5 || c == 105)) {
    writeHeadBraces();  // reactors and the extension dictionary follow the handle
  }
}

// Writes the 102 brace groups at the start of the head's kept groups; the
// rest of the head (groups of a file without subclass markers) comes last.
void GroupWriter::writeHeadBraces() {
  Bucket* head = bucketOf(std::string());
  if (!head) return;
  size_t end = head->begin;
  while (end < head->end && (*m_kept)[end].code == 102 && !(*m_kept)[end].value.empty() &&
         (*m_kept)[end].value[0] == '{') {
    size_t close = end + 1;
    while (close < head->end && (*m_kept)[close].code != 102) ++close;
    if (close == head->end) break;  // unbalanced: left for the end
    end = close + 1;
  }
  writeKept(head->begin, end);
  head->begin = end;
  if (head->begin == head->end) head->written = true;
}

void GroupWriter::text(int c, const std::wstring& value) { text(c, TextCodec::encode(value)); }

void GroupWriter::real(int c, double value) {
  if (!std::isfinite(value))
    throw DxfError(0, context() + " holds a value that is not a finite number (group code " + std::to_string(c) + ")");
  code(c);
  char buf[64];
  line(buf, size_t(realText(buf, sizeof buf, value) - buf));
}

void GroupWriter::degrees(int c, double radians) {
  const double exact = radians / kDegree;
  // Rounded to 15 and then 16 significant digits, the usual file values
  // read back to the very radians; the exact quotient is the fallback.
  for (int digits : {15, 16}) {
    char buf[64];
    const char* end = std::to_chars(buf, buf + sizeof buf, exact, std::chars_format::general, digits).ptr;
    double rounded = 0;
    if (std::from_chars(buf, end, rounded).ec == std::errc() && rounded * kDegree == radians) {
      real(c, rounded);
      return;
    }
  }
  real(c, exact);
}

void GroupWriter::integer(int c, long long value) {
  code(c);
  char buf[32];
  line(buf, size_t(std::to_chars(buf, buf + sizeof buf, value).ptr - buf));
}

void GroupWriter::handle(int c, std::uint64_t value) {
  char buf[32];
  char* end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
  for (char* p = buf; p != end; ++p)
    if (*p >= 'a') *p = char(*p - 'a' + 'A');
  text(c, std::string_view(buf, size_t(end - buf)));
}

void GroupWriter::point(int c, const AcGePoint3d& p) {
  real(c, p.x);
  real(c + 10, p.y);
  real(c + 20, p.z);
}

void GroupWriter::point2d(int c, double x, double y) {
  real(c, x);
  real(c + 10, y);
}

void GroupWriter::vector(int c, const AcGeVector3d& v) {
  real(c, v.x);
  real(c + 10, v.y);
  real(c + 20, v.z);
}

void GroupWriter::normal(int c, const AcGeVector3d& v) {
  if (v.x == 0 && v.y == 0 && v.z == 1) return;
  vector(c, v);
}

}  // namespace uv::dxf
