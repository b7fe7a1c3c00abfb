// The product's message catalogue: every user-visible text by number.
//
// File format (UTF-8 text), one message a line:
//
//   # comment
//   5017<TAB>Delete the surface "%s" from the drawing?
//
// The id is a decimal number that fits 32 bits; one or more tabs separate it
// from the text, which runs verbatim to the end of the line (a leading space
// is kept, a trailing carriage return is dropped). Escapes in a text: \n new
// line, \t tab, \\ backslash. Lines whose first non-blank character is "#"
// are comments; blank lines are ignored.
//
// A bad line (no tab, an id that is not a number, an empty text, an unknown
// escape, invalid UTF-8, an id given twice) is reported as "file:line: what"
// and skipped; every good line is still taken, and of an id given twice the
// first text stays.
#pragma once

#include <filesystem>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace uv::giscore {

class MessageCatalogue {
 public:
  static MessageCatalogue parse(std::istream& in, const std::string& fileName);
  // A file that cannot be opened gives an empty catalogue with one problem.
  static MessageCatalogue load(const std::filesystem::path& file);

  // The text of an id, or nullptr when the catalogue has none.
  const std::wstring* find(unsigned id) const;
  std::vector<unsigned> ids() const;
  size_t size() const { return m_texts.size(); }

  // "file:line: what", in file order; empty for a sound file.
  const std::vector<std::string>& problems() const { return m_problems; }

 private:
  std::map<unsigned, std::wstring> m_texts;
  std::map<unsigned, int> m_lines;  // where each id was defined, for duplicates
  std::vector<std::string> m_problems;
};

// What is shown for an id without text: visible, never empty.
std::wstring missingMessageText(unsigned id);

}  // namespace uv::giscore
