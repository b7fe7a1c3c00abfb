// SPDX-License-Identifier: GPL-3.0-or-later
// Reading plain text files of numbers, one record a line: "x y z" survey points, "x y" query
// points, "x1 y1 z1 x2 y2 z2" break-line segments. Fields are separated by blanks, tabs,
// commas or semicolons; '#' starts a comment; blank lines are skipped.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace uv::kvbtool {

// An input problem, its message naming the file and line ("points.xyz:12: ...").
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Each record of exactly `columns` numbers (a record of more fields takes the first ones, when
// allowExtra). Throws InputError for a missing file or a bad line.
std::vector<std::vector<double>> readColumns(const std::string& path, std::size_t columns, bool allowExtra);

}  // namespace uv::kvbtool
