// Linetype definition files (".lin"): the library from which the linetype
// dialog loads a linetype the drawing does not have yet.
//
//   ;; comment
//   *DASHED,Dashed __ __ __
//   A,.5,-.25
//
// A pattern lists dash lengths: positive draws, negative leaves a gap, zero
// is a dot. Complex linetypes (with [text] or [shape] elements) are refused.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace uv {

struct LinetypeDefinition {
  std::wstring name;
  std::wstring description;
  std::vector<double> dashes;
  double patternLength() const;
};

class LinetypeLibrary {
 public:
  // Throws std::runtime_error naming the file and line of a bad entry.
  static LinetypeLibrary parse(const std::wstring& text, const std::wstring& fileName);
  static LinetypeLibrary load(const std::wstring& path);
  // The host's standard file, found by the file search ("uvstandard.lin").
  static const LinetypeLibrary& standard();

  const std::vector<LinetypeDefinition>& definitions() const { return m_definitions; }
  // Letter case ignored.
  const LinetypeDefinition* find(const std::wstring& name) const;

 private:
  std::vector<LinetypeDefinition> m_definitions;
};

}  // namespace uv
