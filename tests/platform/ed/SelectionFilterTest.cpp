#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextCase.h"
#include "ed/SelectionFilter.h"
#include "ed/Wildcard.h"

namespace {

using uv::EntityFacts;
using uv::FilterItem;
using uv::SelectionFilter;

FilterItem s(int code, const wchar_t* v) { return {code, std::wstring(v)}; }
FilterItem n(int code, long long v) { return {code, v}; }
FilterItem op(const wchar_t* v) { return s(-4, v); }

// A small drawing's worth of entities, by name.
struct Named {
  const char* name;
  EntityFacts facts;
};
const std::vector<Named>& drawing() {
  static const std::vector<Named> entities = {
      {"line", {L"LINE", L"1A", L"ByLayer", L"Teren", L"", 256, 0}},
      {"arc", {L"ARC", L"1B", L"DASHED", L"teren", L"", 1, 0}},
      {"lwpoly", {L"LWPOLYLINE", L"1C", L"ByLayer", L"Ceste", L"", 3, 0}},
      {"poly2d", {L"POLYLINE", L"1D", L"ByLayer", L"Ceste", L"", 256, 1}},
      {"poly3d", {L"POLYLINE", L"1E", L"ByLayer", L"Teren-3D", L"", 256, 1}},
      {"point", {L"POINT", L"1F", L"ByLayer", L"0", L"", 7, 0}},
      {"text", {L"TEXT", L"20", L"ByLayer", L"Oznake", L"", 256, 0}},
      {"block", {L"INSERT", L"21", L"ByLayer", L"0", L"DRVO", 256, 0}},
      {"marker", {L"INSERT", L"22", L"ByLayer", L"Oznake", L"KVX_ELEV", 256, 1}},
      {"face", {L"3DFACE", L"23", L"ByLayer", L"Teren", L"", 256, 0}},
  };
  return entities;
}

std::string selected(const std::vector<FilterItem>& items) {
  SelectionFilter f = SelectionFilter::compile(items);
  std::string out;
  for (const auto& e : drawing())
    if (f.matches(e.facts)) out += (out.empty() ? "" : " ") + std::string(e.name);
  return out;
}

TEST(SelectionFilter, EachGroupCodeAndOperator) {
  struct Case {
    const char* what;
    std::vector<FilterItem> filter;
    const char* expected;
  } cases[] = {
      {"no filter", {}, "line arc lwpoly poly2d poly3d point text block marker face"},
      {"type", {s(0, L"LINE")}, "line"},
      {"type ignores case", {s(0, L"line")}, "line"},
      {"2D and 3D polylines are POLYLINE", {s(0, L"POLYLINE")}, "poly2d poly3d"},
      {"type list", {s(0, L"LINE,ARC,3DFACE")}, "line arc face"},
      {"type wildcard", {s(0, L"*POLYLINE")}, "lwpoly poly2d poly3d"},
      {"type negated", {s(0, L"~*LINE")}, "arc point text block marker face"},
      {"block name", {s(2, L"KVX_ELEV")}, "marker"},
      {"block name wildcard", {s(0, L"INSERT"), s(2, L"D*")}, "block"},
      {"layer ignores case", {s(8, L"TEREN")}, "line arc face"},
      {"layer wildcard", {s(8, L"teren*")}, "line arc poly3d face"},
      {"layer class", {s(8, L"[CO]*")}, "lwpoly poly2d text marker"},
      {"linetype", {s(6, L"dashed")}, "arc"},
      {"handle", {s(5, L"1f")}, "point"},
      {"colour", {n(62, 3)}, "lwpoly"},
      {"colour relation", {op(L"<"), n(62, 10)}, "arc lwpoly point"},
      {"colour not", {op(L"!="), n(62, 256)}, "arc lwpoly point"},
      {"66 with attributes", {s(0, L"INSERT"), n(66, 1)}, "marker"},
      {"66 without attributes", {s(0, L"INSERT"), n(66, 0)}, "block"},
      {"top level is AND", {s(0, L"INSERT"), s(8, L"0")}, "block"},
      {"OR", {op(L"<OR"), s(0, L"LINE"), s(0, L"POINT"), op(L"OR>")}, "line point"},
      {"empty OR matches nothing", {op(L"<OR"), op(L"OR>")}, ""},
      {"empty AND matches everything", {op(L"<AND"), op(L"AND>"), s(0, L"TEXT")}, "text"},
      {"NOT", {op(L"<NOT"), s(8, L"0"), op(L"NOT>")}, "line arc lwpoly poly2d poly3d text marker face"},
      {"XOR", {op(L"<XOR"), s(8, L"Oznake"), s(0, L"INSERT"), op(L"XOR>")}, "text block"},
      {"operators ignore case", {op(L"<or"), s(0, L"ARC"), s(0, L"TEXT"), op(L"or>")}, "arc text"},
      // The entity-type filter of the point, break-line and projection dialogs:
      // types, attributed blocks by name, unattributed blocks, then a layer clause.
      {"nested, as the dialogs build it",
       {op(L"<OR"), s(0, L"POINT"), s(0, L"POLYLINE"), op(L"<AND"), s(0, L"INSERT"), s(2, L"KVX_ELEV"), op(L"AND>"),
        op(L"<AND"), s(0, L"INSERT"), n(66, 0), op(L"AND>"), op(L"OR>"), op(L"<OR"), s(8, L"0"), s(8, L"Oznake"),
        s(8, L"Ceste"), op(L"OR>")},
       "poly2d point block marker"},
      {"deep nesting",
       {op(L"<NOT"), op(L"<OR"), op(L"<AND"), s(0, L"*LINE"), op(L"<NOT"), s(8, L"Teren"), op(L"NOT>"), op(L"AND>"),
        s(0, L"INSERT"), op(L"OR>"), op(L"NOT>")},
       "line arc point text face"},
      {"an unknown group matches nothing", {n(370, 0)}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(selected(c.filter), c.expected) << c.what;
}

TEST(SelectionFilter, MalformedFiltersAreRefused) {
  struct Case {
    const char* what;
    std::vector<FilterItem> filter;
    const char* message;
  } cases[] = {
      {"unclosed", {op(L"<OR"), s(0, L"LINE")}, "<OR is not closed"},
      {"closing what is not open", {s(0, L"LINE"), op(L"OR>")}, "item 2: \"OR>\" closes nothing"},
      {"crossed", {op(L"<OR"), op(L"<AND"), s(0, L"LINE"), op(L"OR>"), op(L"AND>")}, "\"OR>\" closes <AND"},
      {"NOT with two", {op(L"<NOT"), s(0, L"A"), s(0, L"B"), op(L"NOT>")}, "<NOT takes exactly one operand"},
      {"XOR with one", {op(L"<XOR"), s(0, L"A"), op(L"XOR>")}, "<XOR takes exactly two operands"},
      {"unknown operator", {op(L"<NAND"), op(L"NAND>")}, "unknown operator \"<NAND\""},
      {"operator without text", {n(-4, 1)}, "a -4 item needs an operator text"},
      {"relation at the end", {s(0, L"LINE"), op(L">")}, "ends after the operator \">\""},
      {"text group with a number", {n(8, 1)}, "group 8 needs a text"},
      {"number group with a text", {s(62, L"red")}, "group 62 needs a number"},
      {"relation on a text", {op(L"<"), s(8, L"A")}, "does not compare texts"},
  };
  for (const auto& c : cases) {
    try {
      SelectionFilter::compile(c.filter);
      ADD_FAILURE() << c.what << ": compiled";
    } catch (const uv::FilterError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
    }
  }
}

TEST(Wildcard, MatchesAsCadDoes) {
  struct Case {
    const wchar_t* text;
    const wchar_t* pattern;
    bool ignoreCase;
    bool expected;
  } cases[] = {
      {L"LINE", L"LINE", false, true},       {L"LINE", L"line", false, false},  {L"LINE", L"line", true, true},
      {L"LINE", L"L*", false, true},         {L"L", L"L*", false, true},        {L"LINE", L"*E", false, true},
      {L"LINE", L"L?NE", false, true},       {L"LNE", L"L?NE", false, false},   {L"A1", L"@#", false, true},
      {L"AB", L"@#", false, false},          {L"A-B", L"A.B", false, true},     {L"AxB", L"A.B", false, false},
      {L"B", L"[ABC]", false, true},         {L"D", L"[ABC]", false, false},    {L"D", L"[~ABC]", false, true},
      {L"m", L"[a-z]", false, true},         {L"M", L"[a-z]", true, true},      {L"M", L"[a-z]", false, false},
      {L"*", L"`*", false, true},            {L"X", L"`*", false, false},       {L"a,b", L"a`,b", false, true},
      {L"ARC", L"LINE,ARC", false, true},    {L"TEXT", L"LINE,ARC", false, false},
      {L"TEXT", L"~LINE", false, true},      {L"LINE", L"~LINE", false, false},  {L"", L"*", false, true},
      {L"", L"?", false, false},             {L"Čvor", L"čVOR", true, true},     {L"[x", L"[x", false, true},
      {L"abc", L"a*b*c", false, true},       {L"aXbYc", L"a*b*c", false, true},  {L"acb", L"a*b*c", false, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(uv::matchWildcard(c.text, c.pattern, c.ignoreCase), c.expected)
        << uv::toUtf8(c.text) << " ~ " << uv::toUtf8(c.pattern);
}

}  // namespace
