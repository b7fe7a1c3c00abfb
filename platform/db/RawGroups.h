// Groups of a drawing file kept as they came, for what the database does
// not model: the code and the value's text (UTF-8), unparsed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace uv {

struct RawGroup {
  int code = 0;
  std::string value;
  friend bool operator==(const RawGroup& a, const RawGroup& b) { return a.code == b.code && a.value == b.value; }
};
using RawGroups = std::vector<RawGroup>;

// One record of a file outside the database's objects (a header variable
// "$LUNITS" with its values, a CLASS, a whole section of another kind).
struct RawRecord {
  std::string name;
  RawGroups groups;
};

// What a drawing file held beyond the database's objects, so that saving
// the drawing writes it back: the version, the header variables in file
// order, the CLASSES and sections of other kinds (thumbnail, data storage),
// and the order of the OBJECTS section's records.
struct KeptFileParts {
  std::string version;  // "AC1027"; empty for a drawing not read from a file
  std::vector<RawRecord> header;
  std::vector<RawRecord> classes;
  std::vector<RawRecord> sections;
  std::vector<std::uint64_t> objectOrder;  // handles, as the file listed its objects
};

}  // namespace uv
