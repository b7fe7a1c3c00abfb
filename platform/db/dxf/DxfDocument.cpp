#include "db/dxf/DxfDocument.h"

#include <iterator>

#include "db/dxf/DxfError.h"
#include "db/dxf/PairStream.h"

namespace uv::dxf {

namespace {

void parseHeader(PairStream& in, DxfDocument& doc) {
  std::vector<Group>* current = nullptr;
  while (true) {
    if (in.atEnd()) endsEarly(in, "the HEADER section");
    const Group& g = in.peek();
    if (g.code == 0) {
      DxfRecord end = readRecord(in, doc.groups, "the HEADER section");
      if (end.type != "ENDSEC") throw DxfError(end.line, "unexpected " + end.type + " in the HEADER section");
      return;
    }
    Group taken = in.take();
    if (taken.code == 9) {
      auto [it, fresh] = doc.header.try_emplace(std::string(taken.value()));
      if (fresh) doc.headerOrder.push_back(it->first);
      current = &it->second;
    }
    else if (current) current->push_back(taken);
    else throw DxfError(taken.line, "a header value without a variable name (group code 9)");
  }
}

void parseTables(PairStream& in, DxfDocument& doc) {
  while (true) {
    DxfRecord rec = readRecord(in, doc.groups, "the TABLES section");
    if (rec.type == "ENDSEC") return;
    if (rec.type != "TABLE") throw DxfError(rec.line, "expected TABLE in the TABLES section, found " + rec.type);
    DxfTable table;
    table.head = std::move(rec);
    const std::string where = "table " + std::string(table.head.text(2));
    while (true) {
      DxfRecord entry = readRecord(in, doc.groups, where);
      if (entry.type == "ENDTAB") break;
      if (entry.type == "ENDSEC" || entry.type == "EOF" || entry.type == "TABLE" || entry.type == "SECTION")
        throw DxfError(entry.line, where + " has no ENDTAB");
      table.records.push_back(std::move(entry));
    }
    doc.tables.push_back(std::move(table));
  }
}

void parseBlocks(PairStream& in, DxfDocument& doc) {
  while (true) {
    DxfRecord rec = readRecord(in, doc.groups, "the BLOCKS section");
    if (rec.type == "ENDSEC") return;
    if (rec.type != "BLOCK") throw DxfError(rec.line, "expected BLOCK in the BLOCKS section, found " + rec.type);
    DxfBlock block;
    block.begin = std::move(rec);
    const std::string where = "block " + std::string(block.begin.text(2));
    while (true) {
      DxfRecord entity = readRecord(in, doc.groups, where);
      if (entity.type == "ENDBLK") {
        block.end = std::move(entity);
        break;
      }
      // A SECTION too: read as a record here, it would be written into the
      // ENTITIES section of a save, where it ends the file's structure.
      if (entity.type == "ENDSEC" || entity.type == "EOF" || entity.type == "BLOCK" || entity.type == "SECTION")
        throw DxfError(entity.line, where + " has no ENDBLK");
      block.entities.push_back(std::move(entity));
    }
    doc.blocks.push_back(std::move(block));
  }
}

void parseList(PairStream& in, DxfDocument& doc, std::vector<DxfRecord>& out, const std::string& where) {
  while (true) {
    DxfRecord rec = readRecord(in, doc.groups, where);
    if (rec.type == "ENDSEC") return;
    if (rec.type == "EOF" || rec.type == "SECTION") throw DxfError(rec.line, where + " has no ENDSEC");
    out.push_back(std::move(rec));
  }
}

// An ENTITIES section read through once, for its frame and its records'
// handles only: the loader reads the records again from `offset`.
void noteEntities(PairStream& in, DxfDocument& doc, const std::string& where) {
  doc.source = &in.reader().stream();
  doc.streamed.push_back({in.peekOffset(), in.linesBeforePeek()});
  const GroupReader::ValueMark values = in.reader().valueMark();
  const std::string* type = nullptr;  // the last kind met: mostly the next one's too
  while (true) {
    DxfRecord rec = readRecord(in, nullptr, where);
    if (rec.type == "ENDSEC") break;
    if (rec.type == "EOF" || rec.type == "SECTION") throw DxfError(rec.line, where + " has no ENDSEC");
    try {
      if (const std::uint64_t h = rec.ownHandle()) {
        if (!type || *type != rec.type) type = &*doc.entityTypes.insert(rec.type).first;
        doc.entityHandles.push_back({h, rec.line, type});
      }
    } catch (const DxfError& e) {
      if (!doc.entityHandleError) doc.entityHandleError = e;
    }
    in.rewindValues(values);
  }
  in.rewindValues(values);
}

void keepSection(PairStream& in, DxfSection& section, const std::string& where) {
  while (true) {
    if (in.atEnd()) endsEarly(in, where);
    Group g = in.take();
    if (g.code == 0 && g.value() == "ENDSEC") return;
    if (g.code == 0 && g.value() == "EOF") throw DxfError(g.line, where + " has no ENDSEC");
    section.groups.push_back(std::move(g));
  }
}

}  // namespace

const Group* DxfDocument::headerValue(const std::string& name, int code) const {
  auto it = header.find(name);
  if (it == header.end() || it->second.empty()) return nullptr;
  if (code < 0) return &it->second.front();
  for (const Group& g : it->second)
    if (g.code == code) return &g;
  return nullptr;
}

const DxfTable* DxfDocument::table(const std::string& name) const {
  for (const DxfTable& t : tables)
    if (t.head.text(2) == name) return &t;
  return nullptr;
}

DxfDocument parseDocument(GroupReader& reader) {
  PairStream in(reader);
  DxfDocument doc;
  if (in.atEnd()) throw DxfError(reader.line(), "the file is empty");
  if (in.peek().code != 0 || in.peek().value() != "SECTION")
    throw DxfError(in.peek().line, "this is not a DXF file: it does not start with a SECTION");
  while (true) {
    if (in.atEnd()) endsEarly(in, "the file after its last section");
    const Group start = in.take();
    if (start.code == 0 && start.value() == "EOF") return doc;
    if (start.code != 0 || start.value() != "SECTION")
      throw DxfError(start.line + (start.code == 0 ? 1 : 0), "expected SECTION or EOF, found '" + std::string(start.value()) + "'");
    // Only the name belongs to the SECTION: the header's variables follow
    // it without a 0 group of their own.
    if (in.atEnd() || in.peek().code != 2) throw DxfError(start.line + 1, "a SECTION without its name (group code 2)");
    const std::string name(in.take().value());
    const std::string where = "the " + name + " section";
    if (name == "HEADER") parseHeader(in, doc);
    else if (name == "TABLES") parseTables(in, doc);
    else if (name == "BLOCKS") parseBlocks(in, doc);
    else if (name == "ENTITIES" && in.peekOffset() >= 0) noteEntities(in, doc, where);
    else if (name == "ENTITIES") parseList(in, doc, doc.entities, where);
    else if (name == "OBJECTS") parseList(in, doc, doc.objects, where);
    else if (name == "CLASSES") parseList(in, doc, doc.classes, where);
    else keepSection(in, doc.otherSections.emplace_back(DxfSection{name, {}}), where);  // THUMBNAILIMAGE, ACDSDATA
  }
}

}  // namespace uv::dxf
