// A DXF file split into its sections, each object a record of raw groups:
// what the loader turns into a drawing. Parsing checks the file's frame
// (sections, tables, blocks, the final EOF) and throws a DxfError naming
// the line where the frame breaks; values are converted later, by the
// loader, which names their lines in turn.
#pragma once

#include <istream>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "db/dxf/DxfError.h"
#include "db/dxf/DxfRecord.h"
#include "db/dxf/PackedBlocks.h"

namespace uv::dxf {

struct DxfTable {
  DxfRecord head;  // the TABLE record (2 NAME, 5 handle)
  std::vector<DxfRecord> records;
};

struct DxfBlock {
  DxfRecord begin;  // BLOCK
  std::vector<DxfRecord> entities;
  DxfRecord end;  // ENDBLK
};

// A section of a kind the drawing does not read (THUMBNAILIMAGE,
// ACDSDATA...), kept whole.
struct DxfSection {
  std::string name;
  std::vector<Group> groups;
};

// The handle of a record that was read and let go, with what a message
// about it names.
struct NotedHandle {
  std::uint64_t handle;
  int line;
  const std::string* type;  // in DxfDocument::entityTypes
};

// Where the records of an ENTITIES section start in the stream: the loader
// reads them again from there, a record at a time.
struct StreamedSection {
  long long offset;
  int linesBefore;
};

struct DxfDocument {
  // Header variables by name ("$ACADVER"), each with its groups, and the
  // names in file order.
  std::map<std::string, std::vector<Group>> header;
  std::vector<std::string> headerOrder;
  std::vector<DxfRecord> classes;
  std::vector<DxfSection> otherSections;
  std::vector<DxfTable> tables;
  std::vector<DxfBlock> blocks;
  // The ENTITIES records, held here only when the stream cannot be read
  // again (a pipe). A file or a string is read again by the loader instead
  // (streamed, below): a drawing of millions of entities then never holds
  // them all as groups, only their handles.
  std::vector<DxfRecord> entities;
  std::vector<DxfRecord> objects;

  std::istream* source = nullptr;  // set when sections are streamed
  std::vector<StreamedSection> streamed;
  std::vector<NotedHandle> entityHandles;  // of the streamed records, in file order
  std::set<std::string> entityTypes;
  // The first handle of a streamed record that does not parse: thrown when
  // the loader comes to the entities' handles, as for records held here.
  std::optional<DxfError> entityHandleError;

  const Group* headerValue(const std::string& name, int code = -1) const;
  const DxfTable* table(const std::string& name) const;

  // The groups of every record, which the records' spans show.
  PackedBlocks<Group> groups;
};

DxfDocument parseDocument(GroupReader& reader);

}  // namespace uv::dxf
