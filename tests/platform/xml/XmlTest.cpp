// The XML writer and reader: element arrays written and read back exactly,
// and every malformed text reported with its line and column.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/TextCase.h"
#include "xml/CXmlReader.h"
#include "xml/CXmlWriter.h"
#include "xml/XmlError.h"

namespace {

std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

// An element array as the terrain engine writes one: the array's name with
// a count, one child per non-null entry numbered by its index.
CXmlElement elementArray() {
  CXmlElement array(L"CKVLPointerArray");
  array.SetAttribute(L"count", 3);
  CXmlElement& first = array.AddChild(L"CKVLEdge");
  first.SetAttribute(L"no", 0);
  first.SetAttribute(L"surface", L"Teren \"A\" & <B>");
  first.SetText(L"1.5 2.5\n3.5");
  CXmlElement& third = array.AddChild(L"CKVLEdge");
  third.SetAttribute(L"no", 2);
  third.SetAttribute(L"note", L"line one\nline two\ttab");
  third.AddChild(L"point").SetText(L"\u0160ibenik \u2013 ploha");
  return array;
}

void expectSame(const CXmlElement& a, const CXmlElement& b) {
  EXPECT_EQ(a.GetName(), b.GetName());
  EXPECT_EQ(a.GetAttributes(), b.GetAttributes()) << u8(a.GetName().str());
  EXPECT_EQ(a.GetText(), b.GetText()) << u8(a.GetName().str());
  ASSERT_EQ(a.GetChildCount(), b.GetChildCount());
  for (int i = 0; i < a.GetChildCount(); ++i) expectSame(a.GetChild(i), b.GetChild(i));
}

TEST(Xml, AnElementArrayReadsBackExactly) {
  const CXmlElement array = elementArray();
  const std::string text = CXmlWriter::Write(array);
  EXPECT_NE(text.find("<CKVLEdge no=\"0\" surface=\"Teren &quot;A&quot; &amp; &lt;B&gt;\">"), std::string::npos) << text;
  const CXmlElement back = CXmlReader::Parse(text, L"array.xml");
  expectSame(array, back);
  EXPECT_EQ(back.GetIntAttribute(L"count"), 3);
  EXPECT_EQ(back.FindChildren(L"CKVLEdge").size(), 2u);
  EXPECT_EQ(back.FindChildren(L"CKVLEdge")[1]->GetIntAttribute(L"no"), 2);
}

TEST(Xml, TextWithChildrenKeepsItsBlanks) {
  CXmlElement mixed(L"label");
  mixed.SetText(L"  height ");
  mixed.AddChild(L"unit").SetText(L"m");
  expectSame(mixed, CXmlReader::Parse(CXmlWriter::Write(mixed)));
}

TEST(Xml, ReadsWhatOtherWritersWrite) {
  CXmlElement e = CXmlReader::Parse(
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- engine -->\n"
      "<a x='1' y = \"&#65;&#x42;\"><![CDATA[<raw> & text]]><b/><!-- c --></a>\n");
  EXPECT_EQ(e.GetAttribute(L"x"), L"1");
  EXPECT_EQ(e.GetAttribute(L"y"), L"AB");
  EXPECT_EQ(e.GetText(), L"<raw> & text");
  EXPECT_EQ(e.GetChildCount(), 1);
  EXPECT_EQ(e.GetIntAttribute(L"y", -1), -1);  // not an integer
}

TEST(Xml, MalformedTextsNameLineAndColumn) {
  struct Case {
    const char* text;
    const wchar_t* error;
  } cases[] = {
      {"", L"a.xml:1:1: the text holds no element"},
      {"<a>", L"a.xml:1:4: <a> is not closed"},
      {"<a>\n  <b></c>\n</a>", L"a.xml:2:8: </c> closes <b>"},
      {"<a x=1/>", L"a.xml:1:6: an attribute value must be quoted"},
      {"<a x=\"1\" x=\"2\"/>", L"a.xml:1:10: the attribute x is given twice in <a>"},
      {"<a>&nbsp;</a>", L"a.xml:1:4: unknown reference &nbsp;"},
      {"<a>x & y</a>", L"a.xml:1:6: \"&\" must be written &amp;"},
      {"<a/><b/>", L"a.xml:1:5: only one root element is allowed; more follows it"},
      {"<1a/>", L"a.xml:1:2: \"1a\" is not an XML name"},
      {"<!DOCTYPE a><a/>", L"a.xml:1:1: document types are not read"},
      {"<a><!-- open</a>", L"a.xml:1:4: a comment is not closed with -->"},
      {"<a x=\"<\"/>", L"a.xml:1:7: \"<\" must be written &lt; here"},
  };
  // 256 levels read; the 257th is refused where it starts, long before the stack runs out.
  std::string deep, deeper;
  for (int i = 0; i < 256; ++i) deep = "<e>" + deep + "</e>";
  for (int i = 0; i < 100000; ++i) deeper += "<e>";
  EXPECT_NO_THROW(CXmlReader::Parse(deep));
  try {
    CXmlReader::Parse(deeper, L"a.xml");
    ADD_FAILURE() << "100,000 levels read without error";
  } catch (const uv::XmlError& e) {
    EXPECT_STREQ(e.what(), "a.xml:1:769: elements nest deeper than 256 levels");
  }
  for (const auto& c : cases) {
    try {
      CXmlReader::Parse(c.text, L"a.xml");
      ADD_FAILURE() << "read without error: " << c.text;
    } catch (const uv::XmlError& e) {
      EXPECT_EQ(uv::fromUtf8(e.what()), c.error) << c.text;
    }
  }
}

TEST(Xml, NamesXmlCannotHoldAreRefusedWhenWriting) {
  CXmlElement e(L"array");
  e.SetAttribute(L"two words", L"x");
  EXPECT_THROW(CXmlWriter::Write(e), uv::XmlError);
  EXPECT_THROW(CXmlWriter::Write(CXmlElement(L"")), uv::XmlError);
}

TEST(Xml, AFileIsWrittenWholeOrNotAtAll) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "uv_xml_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::wstring path = uv::fromUtf8((dir / "array.xml").string());
  ASSERT_TRUE(CXmlWriter::WriteFile(path, elementArray()));
  expectSame(elementArray(), CXmlReader::ParseFile(path));
  EXPECT_FALSE(fs::exists(dir / "array.xml.tmp"));
  EXPECT_FALSE(CXmlWriter::WriteFile(uv::fromUtf8((dir / "missing" / "a.xml").string()), elementArray()));
  EXPECT_THROW(CXmlReader::ParseFile(uv::fromUtf8((dir / "none.xml").string())), uv::XmlError);
  fs::remove_all(dir);
}

}  // namespace
