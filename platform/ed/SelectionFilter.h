// A selection filter compiled from its (group code, value) items:
//
//   (0 . "LINE,ARC")          entity type, a wildcard pattern
//   (2 . "KVX_*")             block name of a block reference
//   (8 . "Teren")             layer, letter case ignored, wildcards
//   (6 . "DASHED") (5 . "1A") linetype, handle
//   (62 . 3) (66 . 1)         colour, attributes follow
//   (-4 . "<OR") ... (-4 . "OR>")   also <AND AND>, <XOR XOR> (two operands),
//                                   <NOT NOT> (one operand), nested
//   (-4 . ">=") (62 . 3)      a relational test on the next number
//                             (= != /= <> < <= > >= * &; "=" and "!=" for texts)
//
// Items outside the operators must all match. An empty <OR OR> matches
// nothing, an empty <AND AND> everything. A group code the filter does not
// know matches no entity. Unbalanced or misused operators make compile()
// throw FilterError.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "EntityFacts.h"

namespace uv {

struct FilterItem {
  int code = 0;
  std::variant<std::monostate, std::wstring, long long, double> value;
};

class FilterError : public std::runtime_error {
 public:
  explicit FilterError(const std::wstring& message);
};

class SelectionFilter {
 public:
  SelectionFilter();  // matches everything
  ~SelectionFilter();
  SelectionFilter(SelectionFilter&&) noexcept;
  SelectionFilter& operator=(SelectionFilter&&) noexcept;

  static SelectionFilter compile(const std::vector<FilterItem>& items);
  bool matches(const EntityFacts& entity) const;

  struct Node;

 private:
  std::unique_ptr<Node> m_root;
};

}  // namespace uv
