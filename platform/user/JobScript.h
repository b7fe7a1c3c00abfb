// Reads job scripts: plain text, one action a line.
//
//   # comment (a "#" that starts a word, unless a digit follows it)
//   SHOW                         a command, as typed at the command line
//   point 10,20                  answers: point, corner, string, number, enter,
//   select window 0,0 100,100      cancel, select, entity, answer, color, ...
//   set IDC_NAME "Teren \"A\""   dialog actions: click, set, type, check, ...
//   save "out.dxf"               host verbs: open, save, render, view, call, ...
//
// Quoted strings take the escapes \" \\ \n \t and \uXXXX. Every error names
// the file and line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptAction.h"

namespace uv {

class JobScript {
 public:
  static std::vector<ScriptAction> parse(std::wstring_view text, const std::wstring& fileName);
  // Reads the file as UTF-8 (a byte-order mark is skipped); the actions name
  // the file as given.
  static std::vector<ScriptAction> parseFile(const std::wstring& path);

  // One line; nothing for a blank line or a comment.
  static std::optional<ScriptAction> parseLine(std::wstring_view line, const ScriptLocation& where);
  static std::vector<ScriptToken> tokenize(std::wstring_view line, const ScriptLocation& where);
};

}  // namespace uv
