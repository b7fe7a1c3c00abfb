#include "module/points/CTextFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/TextCase.h"
#include "module/points/StatusBarProgress.h"
#include "module/points/TextDecoding.h"
#include "module/points/TextFields.h"

namespace {

constexpr size_t kMaxLineCharacters = 999;
constexpr long long kBlockBytes = 1 << 20;
constexpr long long kSmallBlockBytes = 1 << 16;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openForReading(const CString& path) { return File(std::fopen(uv::toUtf8(path.str()).c_str(), "rb")); }

}  // namespace

// ---------------------------------------------------------------------------
// CTextFile::CSection

CTextFile::CSection::CSection(const CString& name) : m_strName(name) {}

std::string_view CTextFile::CSection::GetLineUtf8(int index) const {
  if (index < 0 || index >= GetLineCount()) throw CInvalidArgException();
  const size_t begin = index == 0 ? 0 : m_lineEnds[size_t(index) - 1];
  return std::string_view(m_text.data() + begin, m_lineEnds[size_t(index)] - begin);
}

CString CTextFile::CSection::GetLine(int index) const { return CString(uv::text::toWide(GetLineUtf8(index))); }

void CTextFile::CSection::AddLine(const CString& line) { AddLineUtf8(uv::text::toUtf8(line.str())); }

void CTextFile::CSection::AddLineUtf8(std::string_view line) {
  m_text.append(line.data(), line.size());
  m_lineEnds.push_back(m_text.size());
}

void CTextFile::CSection::Reserve(size_t bytes, size_t lines) {
  m_text.reserve(bytes);
  m_lineEnds.reserve(lines);
}

void CTextFile::CSection::SetSplitMode(int mode, wchar_t delimiter, const CIntArray& endPositions) {
  m_nSplitMode = mode;
  if (mode == kSplitDelimiter) {
    // Decoded text never holds a surrogate or a code beyond Unicode, so such
    // a delimiter is never found: the empty delimiter cuts no fields either.
    const char32_t code = char32_t(delimiter);
    m_delimiter.clear();
    if (code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) uv::text::appendUtf8(code, m_delimiter);
  } else if (mode == kSplitColumns) {
    m_columnEnds = endPositions.vector();
  }
}

int CTextFile::CSection::SplitLineUtf8(int index, std::vector<std::string_view>& fields) const {
  const std::string_view line = GetLineUtf8(index);
  switch (m_nSplitMode) {
    case kSplitDelimiter: return uv::text::cutUtf8AtDelimiter(line, m_delimiter, fields);
    case kSplitColumns: return uv::text::cutUtf8AtBoundaries(line, m_columnEnds, fields);
    default: fields.clear(); return 0;
  }
}

int CTextFile::CSection::SplitLine(int index, CStringArray& fields) const {
  SplitLineUtf8(index, m_fields);
  uv::text::storeWide(m_fields, fields);
  return fields.GetSize();
}

// ---------------------------------------------------------------------------
// Reading

// One read of a file: decodes it block by block to UTF-8, cuts the text into
// lines and hands each line to the comment, header and data rules.
class CTextFile::Reader {
 public:
  Reader(CTextFile& file, std::FILE* f, uv::text::Encoding encoding, long long fileSize)
      : m_file(file), m_f(f), m_decoder(encoding), m_fileSize(fileSize) {
    // The meter counts in ints; a file beyond their range is counted in
    // coarser steps.
    while ((m_fileSize >> m_shift) > INT_MAX) ++m_shift;
  }

  void run(long long markLength) {
    uv::StatusBarProgress progress(L"", 0, int(m_fileSize >> m_shift));
    m_progress = &progress;
    m_bufferOffset = double(markLength);
    // A small file needs no megabyte of room (one byte more sees its end in one read; a size
    // the system did not tell gets a modest block); the room is not cleared, as every read
    // says how much it filled.
    const size_t room =
        size_t(std::clamp<long long>(m_fileSize - markLength + 1, kSmallBlockBytes, kBlockBytes));
    const auto block = std::make_unique_for_overwrite<char[]>(room);
    while (true) {
      const size_t n = std::fread(block.get(), 1, room, m_f);
      if (n == 0) break;
      const size_t before = m_buffer.size();
      m_decoder.decode(block.get(), n, m_buffer);
      const size_t decoded = m_buffer.size() - before;
      m_ratio = decoded ? double(n) / double(decoded) : 1.0;
      m_hasNul = std::memchr(m_buffer.data() + before, 0, decoded) != nullptr || m_hasNul;
      takeCompleteLines();
    }
    m_decoder.finish(m_buffer);
    if (!m_buffer.empty()) takeLine(0, m_buffer.size());  // the last line has no line feed
    m_progress = nullptr;
  }

 private:
  void takeCompleteLines() {
    size_t start = 0;
    while (const void* nl = std::memchr(m_buffer.data() + start, '\n', m_buffer.size() - start)) {
      const size_t end = size_t(static_cast<const char*>(nl) - m_buffer.data());
      takeLine(start, end);
      start = end + 1;
    }
    m_buffer.erase(0, start);
    m_bufferOffset += double(start) * m_ratio;
    m_hasNul = m_hasNul && std::memchr(m_buffer.data(), 0, m_buffer.size()) != nullptr;
  }

  // The text of one line, from `start` up to its line feed at `end`.
  void takeLine(size_t start, size_t end) {
    const long long position = (long long)(m_bufferOffset + double(start) * m_ratio);
    m_progress->set(int(std::min(position, m_fileSize) >> m_shift));
    std::string_view line(m_buffer.data() + start, end - start);
    if (end < m_buffer.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A line longer than the limit goes on as the next line.
    while (line.size() > kMaxLineCharacters) {
      const size_t cut = uv::text::offsetOfCharacter(line, kMaxLineCharacters);
      if (cut == line.size()) break;
      takePiece(line.substr(0, cut));
      line.remove_prefix(cut);
    }
    takePiece(line);
  }

  void takePiece(std::string_view text) {
    if (m_hasNul)
      if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, size_t(static_cast<const char*>(nul) - text.data()));
    if (text.empty()) return;
    const char32_t first = uv::text::firstCharacter(text);
    if (first == char32_t(m_file.m_commentMarker)) return;
    if (first == char32_t(m_file.m_sectionMarker)) {
      while (!text.empty() && uv::text::firstCharacter(text) == char32_t(m_file.m_sectionMarker))
        text.remove_prefix(uv::text::offsetOfCharacter(text, 1));
      openSection(CString(uv::text::toWide(text)));
      return;
    }
    if (!m_current) openSection(L"???");
    if (!m_reserved) reserveForTheRest();
    m_current->AddLineUtf8(text);
  }

  // The first section with data gets room for the rest of the file: most
  // files are one section, and their text then never moves. Memory not
  // written to is only reserved, not used.
  void reserveForTheRest() {
    m_reserved = true;
    const long long rest = m_fileSize - (long long)m_bufferOffset;
    if (rest <= 0) return;
    const double bytes = double(rest) / std::max(m_ratio, 1.0);
    m_current->Reserve(size_t(bytes), size_t(bytes / 16));  // survey lines run 20 to 40 bytes
  }

  // A name met again goes on with the section of that name: its lines are
  // the surveyor's as much as the first ones.
  void openSection(const CString& name) {
    if (m_file.AddSection(std::make_unique<CSection>(name)) < 0) m_current = m_file.FindSection(name);
    else m_current = m_file.m_sections.back().get();
  }

  CTextFile& m_file;
  std::FILE* m_f;
  uv::text::Decoder m_decoder;
  long long m_fileSize;
  int m_shift = 0;
  std::string m_buffer;        // decoded text not yet cut into lines
  double m_bufferOffset = 0;   // the file offset of m_buffer[0]
  double m_ratio = 1;          // file bytes per decoded byte in the last block
  bool m_hasNul = false;
  bool m_reserved = false;
  CSection* m_current = nullptr;
  uv::StatusBarProgress* m_progress = nullptr;
};

CTextFile::CTextFile() = default;
CTextFile::~CTextFile() = default;

void CTextFile::RemoveAll() {
  m_sections.clear();
  m_index.clear();
}

int CTextFile::Read(const CString& path) {
  RemoveAll();
  if (DetectTextEncoding(path) == 0) return 0;
  File f = openForReading(path);
  if (!f) return 0;
  struct stat st {};
  const long long size = fstat(fileno(f.get()), &st) == 0 ? (long long)st.st_size : 0;
  unsigned char head[4];
  const size_t got = std::fread(head, 1, sizeof head, f.get());
  size_t markLength = 0;
  const uv::text::Encoding encoding = uv::text::encodingFromMark(head, got, markLength);
  if (std::fseek(f.get(), long(markLength), SEEK_SET) != 0) return 0;
  Reader(*this, f.get(), encoding, size).run((long long)markLength);
  return 1;
}

int CTextFile::GetSectionNames(CStringArray& names) const {
  names.RemoveAll();
  for (const auto& entry : m_index) names.Add(CString(entry.first));
  return names.GetSize();
}

CTextFile::CSection* CTextFile::FindSection(const CString& name) const {
  auto it = m_index.find(name.str());
  return it == m_index.end() ? nullptr : m_sections[size_t(it->second)].get();
}

int CTextFile::AddSection(std::unique_ptr<CSection> section) {
  if (!section || m_index.count(section->GetName().str())) return -1;
  const int position = int(m_sections.size());
  m_index.emplace(section->GetName().str(), position);
  m_sections.push_back(std::move(section));
  return position;
}

int DetectTextEncoding(const CString& path) {
  File f = openForReading(path);
  if (!f) return 0;
  unsigned char head[4];
  const size_t got = std::fread(head, 1, sizeof head, f.get());
  size_t markLength = 0;
  return uv::text::isUnicodeMark(uv::text::encodingFromMark(head, got, markLength)) ? 2 : 1;
}
