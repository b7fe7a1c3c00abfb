// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextColumns.h"

#include <charconv>
#include <cmath>
#include <istream>

#include "base/TextCase.h"
#include "product/engine/InputFile.h"

namespace uv::kvbtool {

std::vector<std::vector<double>> readColumns(const std::string& path, std::size_t columns, bool allowExtra) {
  // A folder or a device in the file's place is refused, not read as an empty file.
  uv::engine::InputFile file;
  std::string why;
  if (!file.open(uv::fromUtf8(path), why)) throw InputError(path + ": " + why);
  std::istream in(&file.buffer());
  std::vector<std::vector<double>> records;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::vector<double> fields;
    std::size_t i = 0;
    auto separator = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r'; };
    while (i < line.size()) {
      while (i < line.size() && separator(line[i])) ++i;
      if (i >= line.size()) break;
      std::size_t end = i;
      while (end < line.size() && !separator(line[end])) ++end;
      double v = 0.0;
      const char* first = line.data() + i;
      const char* last = line.data() + end;
      if (*first == '+') ++first;
      const auto [ptr, ec] = std::from_chars(first, last, v);
      if (ec != std::errc() || ptr != last || !std::isfinite(v))
        throw InputError(path + ":" + std::to_string(number) + ": \"" + line.substr(i, end - i) +
                         "\" is not a number");
      fields.push_back(v);
      i = end;
    }
    if (fields.empty()) continue;
    if (fields.size() < columns || (fields.size() > columns && !allowExtra))
      throw InputError(path + ":" + std::to_string(number) + ": expected " + std::to_string(columns) +
                       " numbers, found " + std::to_string(fields.size()));
    fields.resize(columns);
    records.push_back(std::move(fields));
  }
  if (!file.error().empty()) throw InputError(path + ": " + file.error());
  return records;
}

}  // namespace uv::kvbtool
