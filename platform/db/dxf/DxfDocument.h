// A DXF file split into its sections, each object a record of raw groups:
// what the loader turns into a drawing. Parsing checks the file's frame
// (sections, tables, blocks, the final EOF) and throws a DxfError naming
// the line where the frame breaks; values are converted later, by the
// loader, which names their lines in turn.
#pragma once

#include <istream>
#include <map>
#include <span>
#include <string>
#include <vector>

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

struct DxfDocument {
  // Header variables by name ("$ACADVER"), each with its groups, and the
  // names in file order.
  std::map<std::string, std::vector<Group>> header;
  std::vector<std::string> headerOrder;
  std::vector<DxfRecord> classes;
  std::vector<DxfSection> otherSections;
  std::vector<DxfTable> tables;
  std::vector<DxfBlock> blocks;
  std::vector<DxfRecord> entities;
  std::vector<DxfRecord> objects;

  const Group* headerValue(const std::string& name, int code = -1) const;
  const DxfTable* table(const std::string& name) const;

  // The groups of every record, which the records' spans show.
  PackedBlocks<Group> groups;
};

DxfDocument parseDocument(GroupReader& reader);

}  // namespace uv::dxf
