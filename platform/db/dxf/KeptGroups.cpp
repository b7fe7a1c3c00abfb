#include "db/dxf/KeptGroups.h"

#include <algorithm>
#include <bitset>
#include <cctype>
#include <initializer_list>
#include <map>
#include <string_view>

namespace uv::dxf {

namespace {

// A set of group codes (the reader takes -10 to 1071), asked in constant
// time: every record of a file is matched against one.
class Codes {
 public:
  Codes() = default;
  Codes(std::initializer_list<int> codes) {
    for (int c : codes) m_bits.set(size_t(c - kLowest));
  }
  void add(const Codes& other) { m_bits |= other.m_bits; }
  bool has(int code) const { return code >= kLowest && code <= kHighest && m_bits.test(size_t(code - kLowest)); }

 private:
  static constexpr int kLowest = -10, kHighest = 1071;
  std::bitset<kHighest - kLowest + 1> m_bits;
};

// Codes the reader models, by subclass marker. A record without markers
// (DXF R12) is matched against the union of its kind's subclasses.
const std::map<std::string, Codes, std::less<>>& modelledBySubclass() {
  static const std::map<std::string, Codes, std::less<>> table = {
      {"AcDbEntity", {8, 6, 62, 370, 48, 60, 67}},
      {"AcDbLine", {39, 10, 20, 30, 11, 21, 31, 210, 220, 230}},
      {"AcDbPoint", {39, 10, 20, 30, 210, 220, 230}},
      {"AcDbCircle", {39, 10, 20, 30, 40, 210, 220, 230}},
      {"AcDbArc", {50, 51}},
      {"AcDbText", {39, 10, 20, 30, 40, 1, 50, 41, 51, 7, 72, 73, 11, 21, 31, 210, 220, 230}},
      {"AcDbAttributeDefinition", {3, 2, 70, 74}},
      {"AcDbAttribute", {2, 70, 74}},
      {"AcDbPolyline", {90, 70, 43, 38, 39, 10, 20, 40, 41, 42, 210, 220, 230}},
      {"AcDb2dPolyline", {66, 10, 20, 30, 39, 70, 40, 41, 75, 210, 220, 230}},
      {"AcDb3dPolyline", {66, 10, 20, 30, 70, 75}},
      {"AcDb2dVertex", {10, 20, 30, 40, 41, 42, 70, 50}},
      {"AcDb3dPolylineVertex", {10, 20, 30, 70}},
      {"AcDbFace", {10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33, 70}},
      {"AcDbBlockReference", {66, 2, 10, 20, 30, 41, 42, 43, 50, 210, 220, 230}},
      {"AcDbBlockBegin", {2, 70, 10, 20, 30, 3, 4}},
      {"AcDbSymbolTable", {2, 70}},
      {"AcDbLinetypeTableRecord", {2, 70, 3, 72, 73, 40, 49, 74}},
      {"AcDbLayerTableRecord", {2, 70, 62, 6, 370, 290}},
      {"AcDbTextStyleTableRecord", {2, 70, 40, 41, 50, 3, 4}},
      {"AcDbRegAppTableRecord", {2, 70}},
      {"AcDbBlockTableRecord", {2}},
      {"AcDbDictionary", {3, 350, 360}},
      {"AcDbGroup", {300, 70, 71, 340}},
      {"AcDbEllipse", {10, 20, 30, 11, 21, 31, 210, 220, 230, 40, 41, 42}},
      {"AcDbSpline", {210, 220, 230, 70, 71, 72, 73, 74, 42, 43, 44, 12, 22, 32, 13, 23, 33, 40, 41, 10, 20, 30, 11,
                      21, 31}},
      // 50, a rotation a file may give instead of the direction 11, is kept.
      {"AcDbMText", {10, 20, 30, 40, 41, 71, 1, 3, 7, 210, 220, 230, 11, 21, 31, 44}},
      {"AcDbWipeout", {90, 10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 340, 70, 280, 281, 282, 283, 360, 71, 91, 14, 24, 290}},
      {"AcDbWipeoutVariables", {70}},
      {"AcDbXrecord", {280}},  // the cloning flag; the data after it is taken whole
  };
  return table;
}

const std::map<std::string, std::vector<const char*>>& subclassesOfKind() {
  static const std::map<std::string, std::vector<const char*>> kinds = {
      {"LINE", {"AcDbEntity", "AcDbLine"}},
      {"POINT", {"AcDbEntity", "AcDbPoint"}},
      {"CIRCLE", {"AcDbEntity", "AcDbCircle"}},
      {"ARC", {"AcDbEntity", "AcDbCircle", "AcDbArc"}},
      {"TEXT", {"AcDbEntity", "AcDbText"}},
      {"ATTDEF", {"AcDbEntity", "AcDbText", "AcDbAttributeDefinition"}},
      {"ATTRIB", {"AcDbEntity", "AcDbText", "AcDbAttribute"}},
      {"LWPOLYLINE", {"AcDbEntity", "AcDbPolyline"}},
      {"POLYLINE", {"AcDbEntity", "AcDb2dPolyline", "AcDb3dPolyline"}},
      {"VERTEX", {"AcDbEntity", "AcDb2dVertex", "AcDb3dPolylineVertex"}},
      {"3DFACE", {"AcDbEntity", "AcDbFace"}},
      {"ELLIPSE", {"AcDbEntity", "AcDbEllipse"}},
      {"SPLINE", {"AcDbEntity", "AcDbSpline"}},
      {"MTEXT", {"AcDbEntity", "AcDbMText"}},
      {"WIPEOUT", {"AcDbEntity", "AcDbWipeout"}},
      {"WIPEOUTVARIABLES", {"AcDbWipeoutVariables"}},
      {"INSERT", {"AcDbEntity", "AcDbBlockReference"}},
      {"SEQEND", {"AcDbEntity"}},
      {"BLOCK", {"AcDbEntity", "AcDbBlockBegin"}},
      {"ENDBLK", {"AcDbEntity"}},
      {"TABLE", {"AcDbSymbolTable"}},
      {"LTYPE", {"AcDbLinetypeTableRecord"}},
      {"LAYER", {"AcDbLayerTableRecord"}},
      {"STYLE", {"AcDbTextStyleTableRecord"}},
      {"APPID", {"AcDbRegAppTableRecord"}},
      {"BLOCK_RECORD", {"AcDbBlockTableRecord"}},
      {"DICTIONARY", {"AcDbDictionary"}},
      {"GROUP", {"AcDbGroup"}},
      {"XRECORD", {"AcDbXrecord"}},
  };
  return kinds;
}

// What a record of each kind without markers is matched against: the union
// of its kind's subclasses, made once.
const Codes& unmarkedCodes(const std::string& kind) {
  static const std::map<std::string, Codes, std::less<>> byKind = [] {
    std::map<std::string, Codes, std::less<>> out;
    for (const auto& [name, subclasses] : subclassesOfKind())
      for (const char* sub : subclasses)
        if (auto codes = modelledBySubclass().find(sub); codes != modelledBySubclass().end())
          out[name].add(codes->second);
    return out;
  }();
  static const Codes none;
  const auto it = byKind.find(kind);
  return it == byKind.end() ? none : it->second;
}

bool asciiEqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Groups the reader models but whose presence, or spelling, the database's
// values cannot tell: files differ in whether they state a default. These
// are kept too, and the writer writes them back as the file had them while
// the value they state still holds.
bool keptAsTheFileStatedIt(std::string_view type, const Group& g) {
  switch (g.code) {
    case 67:  // the paper-space block's markers: some files mark them, some do not
      return type == "BLOCK" || type == "ENDBLK";
    case 43:  // a polyline's constant width of zero
      return type == "LWPOLYLINE" && parseReal(g) == 0;
    case 290:  // a wipeout's clip mode, which files before R2010 do not have
      return type == "WIPEOUT" && parseInteger(g) == 0;
    case 7:  // a text's standard style, which readers take when none is named
      return (type == "TEXT" || type == "MTEXT" || type == "ATTRIB" || type == "ATTDEF") &&
             asciiEqualsNoCase(g.value(), "Standard");
    case 6:  // ByLayer stated, or BYBLOCK in capitals
      return asciiEqualsNoCase(g.value(), "ByLayer") || asciiEqualsNoCase(g.value(), "ByBlock");
    default:
      return false;
  }
}

// A group's text as UTF-8: files before AC1021 hold their code page.
std::string utf8Of(const Group& g, const TextCodec& codec) {
  return isValidUtf8(g.value()) ? std::string(g.value()) : TextCodec::encode(codec.decode(g.value()));
}

}  // namespace

RawGroups rawGroupsOf(std::span<const Group> groups, const TextCodec& codec) {
  RawGroups out;
  out.reserve(groups.size());
  for (const Group& g : groups) out.push_back({g.code, utf8Of(g, codec)});
  return out;
}

RawGroups rawGroupsOf(const DxfRecord& rec, const TextCodec& codec) { return rawGroupsOf(rec.groups, codec); }

size_t xrecordDataStart(const DxfRecord& rec) {
  const std::span<const Group> gs = rec.groups;
  size_t begin = 0;
  // After the subclass marker and the cloning flag (280) after it...
  while (begin < gs.size() && gs[begin].code != 100 && gs[begin].code != 1001) ++begin;
  if (begin < gs.size() && gs[begin].code == 100) {
    ++begin;
    if (begin < gs.size() && gs[begin].code == 280) ++begin;
    return begin;
  }
  // ...or, in a file without markers, after the handle, the reactors and the owner.
  begin = 0;
  while (begin < gs.size() && (gs[begin].code == 5 || gs[begin].code == 330 || gs[begin].code == 102)) ++begin;
  return begin;
}

bool isForeignMarker(std::string_view kind, std::string_view marker) {
  if (modelledBySubclass().find(marker) == modelledBySubclass().end()) return false;
  const auto own = subclassesOfKind().find(std::string(kind));
  if (own == subclassesOfKind().end()) return false;
  return std::none_of(own->second.begin(), own->second.end(), [&](const char* s) { return marker == s; });
}

RawGroups keptGroupsOf(const DxfRecord& rec, const TextCodec& codec) {
  const Codes& unmarked = unmarkedCodes(rec.type);
  const Codes* modelled = &unmarked;
  // The reader models the body and, of an xrecord, the data whole; an
  // embedded object after the body is kept as it came.
  const size_t bodyEnd = rec.bodyEnd();
  const size_t dataStart = rec.type == "XRECORD" ? xrecordDataStart(rec) : rec.groups.size();
  bool inBraces = false, head = true;
  RawGroups out;
  // Markers with nothing kept after them carry nothing: a marker waits here
  // until a group other than a marker follows it. Most records (a 3D face)
  // keep nothing at all and so allocate nothing.
  const Group* marker = nullptr;
  auto keep = [&](const Group& g) {
    if (g.code == 100) {
      marker = &g;
      return;
    }
    if (marker) out.push_back({marker->code, utf8Of(*marker, codec)});
    marker = nullptr;
    out.push_back({g.code, utf8Of(g, codec)});
  };
  for (size_t i = 0; i < rec.groups.size(); ++i) {
    const Group& g = rec.groups[i];
    if (g.code == 1001) break;
    if (i >= bodyEnd) {
      keep(g);
      continue;
    }
    if (i >= dataStart) continue;
    if (g.code == 100) {
      head = false;
      const auto codes = modelledBySubclass().find(g.value());
      // Under a marker we do not know (a misspelled one), the groups the
      // reader takes from anywhere in the record are its own all the same:
      // kept, they would be written twice.
      modelled = codes == modelledBySubclass().end() ? &unmarked : &codes->second;
      keep(g);
      continue;
    }
    if (g.code == 102) inBraces = !g.value().empty() && g.value()[0] == '{';
    const bool own = head && !inBraces && g.code != 102 &&
                     (g.code == 5 || g.code == 330 || (rec.type == "DIMSTYLE" && g.code == 105));
    if (!own && (!modelled->has(g.code) || keptAsTheFileStatedIt(rec.type, g))) keep(g);
  }
  return out;
}

}  // namespace uv::dxf
