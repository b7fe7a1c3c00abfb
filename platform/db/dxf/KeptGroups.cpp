#include "db/dxf/KeptGroups.h"

#include <map>
#include <set>

namespace uv::dxf {

namespace {

using Codes = std::set<int>;

// Codes the reader models, by subclass marker. A record without markers
// (DXF R12) is matched against the union of its kind's subclasses.
const std::map<std::string, Codes>& modelledBySubclass() {
  static const std::map<std::string, Codes> table = {
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

// A group's text as UTF-8: files before AC1021 hold their code page.
std::string utf8Of(const Group& g, const TextCodec& codec) {
  return isValidUtf8(g.value) ? g.value : TextCodec::encode(codec.decode(g.value));
}

}  // namespace

RawGroups rawGroupsOf(const std::vector<Group>& groups, const TextCodec& codec) {
  RawGroups out;
  out.reserve(groups.size());
  for (const Group& g : groups) out.push_back({g.code, utf8Of(g, codec)});
  return out;
}

RawGroups rawGroupsOf(const DxfRecord& rec, const TextCodec& codec) { return rawGroupsOf(rec.groups, codec); }

size_t xrecordDataStart(const DxfRecord& rec) {
  const std::vector<Group>& gs = rec.groups;
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

RawGroups keptGroupsOf(const DxfRecord& rec, const TextCodec& codec) {
  Codes unmarked;  // what a record without markers is matched against
  if (auto kind = subclassesOfKind().find(rec.type); kind != subclassesOfKind().end())
    for (const char* sub : kind->second)
      if (auto codes = modelledBySubclass().find(sub); codes != modelledBySubclass().end())
        unmarked.insert(codes->second.begin(), codes->second.end());
  const Codes* modelled = &unmarked;
  // The reader models the body and, of an xrecord, the data whole; an
  // embedded object after the body is kept as it came.
  const size_t bodyEnd = rec.bodyEnd();
  const size_t dataStart = rec.type == "XRECORD" ? xrecordDataStart(rec) : rec.groups.size();
  bool inBraces = false, head = true;
  RawGroups out;
  for (size_t i = 0; i < rec.groups.size(); ++i) {
    const Group& g = rec.groups[i];
    if (g.code == 1001) break;
    if (i >= bodyEnd) {
      out.push_back({g.code, utf8Of(g, codec)});
      continue;
    }
    if (i >= dataStart) continue;
    if (g.code == 100) {
      head = false;
      const auto codes = modelledBySubclass().find(g.value);
      // Under a marker we do not know (a misspelled one), the groups the
      // reader takes from anywhere in the record are its own all the same:
      // kept, they would be written twice.
      modelled = codes == modelledBySubclass().end() ? &unmarked : &codes->second;
      out.push_back({g.code, utf8Of(g, codec)});
      continue;
    }
    if (g.code == 102) inBraces = !g.value.empty() && g.value[0] == '{';
    const bool own = head && !inBraces && g.code != 102 &&
                     (g.code == 5 || g.code == 330 || (rec.type == "DIMSTYLE" && g.code == 105));
    if (!own && !modelled->count(g.code)) out.push_back({g.code, utf8Of(g, codec)});
  }
  // Markers with nothing after them carry nothing.
  RawGroups pruned;
  for (size_t i = 0; i < out.size(); ++i) {
    const bool emptyMarker = out[i].code == 100 && (i + 1 == out.size() || out[i + 1].code == 100);
    if (!emptyMarker) pruned.push_back(std::move(out[i]));
  }
  return pruned;
}

}  // namespace uv::dxf
