// A text file of survey lines read into named sections, and the cutting of
// a line into fields at a delimiter or at fixed column positions.
//
//   * a comment                  lines starting with the comment marker are skipped
//   10.0 20.0 1.5                lines before any header go to the section "???"
//   #North                       a header (section marker, then the name) opens "North"
//   11.0 21.0 1.6
//
// Only the very first character of a line counts as a marker, and the
// comment test comes first. Sections come back in the order of their names'
// character codes ("B" before "a").
//
// Encodings (by the first bytes of the file, see DetectTextEncoding):
//   EF BB BF      UTF-8
//   FF FE         UTF-16 little-endian      FE FF        UTF-16 big-endian
//   FF FE 00 00   UTF-32 little-endian      00 00 FE FF  UTF-32 big-endian
//   0E FE FF      SCSU: the mark is dropped and the rest is read as 8-bit
//                 text, which is what SCSU's single-byte mode gives for the
//                 digits, signs and separators of a survey file
//   no mark       8-bit text in Windows-1250 (Central European), the code
//                 page of the Croatian desktops these files are written on
// The mark is never part of the first line. Invalid sequences read as
// U+FFFD. A line ends at a line feed; a carriage return just before it is
// part of the line end, anywhere else it stays in the line. A line longer
// than 999 characters goes on as the next line. A NUL character ends the
// text of its line, as it ends a C string.
//
// Lines are kept as UTF-8 in one buffer per section, so a large file costs
// little more memory than its size; SplitLine decodes the fields of a line
// when asked, and SplitLineUtf8 hands them over without decoding.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/CString.h"
#include "base/CStringArray.h"
#include "module/points/GrowingBuffer.h"

// Column end positions, counted in characters from 0.
using CIntArray = CArray<int>;

class CTextFile {
 public:
  class CSection {
   public:
    enum { kSplitDelimiter = 1, kSplitColumns = 2 };

    explicit CSection(const CString& name = CString());

    const CString& GetName() const { return m_strName; }
    int GetLineCount() const { return int(m_lineEnds.size()); }
    // The stored line of that index; throws CInvalidArgException outside
    // the stored lines.
    CString GetLine(int index) const;
    void AddLine(const CString& line);
    // A line already in UTF-8, as the reader hands it over.
    void AddLineUtf8(std::string_view line);
    // Room for so many bytes of text and lines, taken before a large read
    // so that the text is not copied as it grows.
    void Reserve(size_t bytes, size_t lines);

    // kSplitDelimiter keeps the delimiter, kSplitColumns a copy of the end
    // positions; any other mode cuts lines into no fields.
    void SetSplitMode(int mode, wchar_t delimiter, const CIntArray& endPositions);
    int GetSplitMode() const { return m_nSplitMode; }

    // Empties `fields` and fills it with the fields of line `index` by the
    // section's mode; returns their number. An index outside the stored
    // lines throws CInvalidArgException. The strings of `fields` are reused
    // from call to call, so a caller that keeps one array for all lines
    // pays no allocation per field.
    int SplitLine(int index, CStringArray& fields) const;
    // The same fields as views of the line's UTF-8, valid while the section
    // lives and takes no lines: for loads of millions of lines, which need
    // no wide copy of each field.
    int SplitLineUtf8(int index, std::vector<std::string_view>& fields) const;
    // The stored UTF-8 of line `index`; throws like SplitLine.
    std::string_view GetLineUtf8(int index) const;

   private:

    CString m_strName;
    uv::text::GrowingBuffer<char> m_text;        // the lines' UTF-8, back to back
    uv::text::GrowingBuffer<size_t> m_lineEnds;  // line i ends at m_lineEnds[i]
    int m_nSplitMode = kSplitDelimiter;
    std::string m_delimiter = " ";  // as UTF-8; empty for a character text cannot hold
    std::vector<int> m_columnEnds;
    mutable std::vector<std::string_view> m_fields;  // the views SplitLine decodes
  };

  CTextFile();
  ~CTextFile();
  CTextFile(const CTextFile&) = delete;
  CTextFile& operator=(const CTextFile&) = delete;

  void SetCommentMarker(wchar_t marker) { m_commentMarker = marker; }
  void SetSectionMarker(wchar_t marker) { m_sectionMarker = marker; }
  wchar_t GetCommentMarker() const { return m_commentMarker; }
  wchar_t GetSectionMarker() const { return m_sectionMarker; }

  // 1 when the file was read, 0 when it cannot be opened (then there are no
  // sections). Earlier sections are dropped first. Runs the status bar's
  // progress meter over the file's bytes.
  int Read(const CString& path);

  // All section names in character-code order; returns their number.
  int GetSectionNames(CStringArray& names) const;
  CSection* FindSection(const CString& name) const;
  // Registers the section under its name and returns its position, or -1
  // when the name is taken (the section is then destroyed).
  int AddSection(std::unique_ptr<CSection> section);
  int GetSectionCount() const { return int(m_sections.size()); }

 private:
  class Reader;

  void RemoveAll();

  wchar_t m_commentMarker = L'*';
  wchar_t m_sectionMarker = L'#';
  std::vector<std::unique_ptr<CSection>> m_sections;  // in order of creation
  std::map<std::wstring, int> m_index;               // name -> position
};

// 0: the file cannot be opened; 1: 8-bit text; 2: Unicode text (it starts
// with one of the byte-order marks listed above).
int DetectTextEncoding(const CString& path);

// Cuts at every occurrence of `delimiter`, each search starting behind the
// previous one; empty pieces are dropped and nothing is trimmed. A text without the delimiter
// gives no fields at all. Returns the number of fields.
int SplitByDelimiter(const CString& text, const CString& delimiter, CStringArray& fields);
// Field j runs from end position j-1 (0 for the first) up to end position
// j; the text's length serves as one more end position. Fields past the
// end of the text are empty but kept: the result is always one more than
// the number of end positions.
int SplitByBoundaries(const CString& text, const CIntArray& endPositions, CStringArray& fields);
