// Bad input gives a clear error naming the file and line, and never a
// half-loaded drawing; kinds we do not model are skipped and counted.
#include <gtest/gtest.h>

#include <sstream>

#include "DatabaseDump.h"
#include "PipeStream.h"
#include "RichDrawing.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRawEntity.h"
#include "db/AcDbText.h"
#include "db/DrawingChecker.h"
#include "db/UndoLog.h"
#include "db/resbuf.h"
#include "db/dxf/DxfFile.h"

namespace {

// A small valid file: one LINE, one block with a circle, one INSERT of it.
const std::string kGood =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1021\n  0\nENDSEC\n"   // lines 1-10
    "  0\nSECTION\n  2\nBLOCKS\n"                                           // 11-14
    "  0\nBLOCK\n  5\n20\n  2\nMARK\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"         // 15-26
    "  0\nCIRCLE\n  5\n21\n 10\n0.0\n 20\n0.0\n 40\n1.0\n"                  // 27-36
    "  0\nENDBLK\n  5\n22\n  0\nENDSEC\n"                                   // 37-42
    "  0\nSECTION\n  2\nENTITIES\n"                                         // 43-46
    "  0\nLINE\n  5\n30\n  8\nROADS\n 10\n1.5\n 20\n2.5\n 11\n3.0\n 21\n4.0\n"  // 47-60
    "  0\nINSERT\n  5\n31\n  2\nMARK\n 10\n5.0\n 20\n5.0\n"                 // 61-70
    "  0\nENDSEC\n  0\nEOF\n";                                              // 71-74

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t pos = text.find(from);
  EXPECT_NE(pos, std::string::npos) << from;
  return text.replace(pos, from.size(), to);
}

// kGood with comments enough to push the LINE beyond the reader's first
// megabyte: 20000 comments, 40000 lines.
std::string pushedPastAMegabyte(const std::string& text) {
  std::string comments;
  for (int i = 0; i < 20000; ++i) comments += "999\n" + std::string(60, 'c') + "\n";
  return replaced(text, "  2\nENTITIES\n", "  2\nENTITIES\n" + comments);
}

std::string shortReal(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

struct BadCase {
  const char* name;
  std::string text;
  int line;              // 0: the error names no line
  const wchar_t* saying;  // part of the message
};

std::vector<BadCase> badCases() {
  return {
      {"empty file", "", 0, L"empty"},
      {"plain text", "This is a letter,\nnot a drawing.\n", 1, L"expected a group code"},
      {"PNG picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 1, L"expected a group code"},
      {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24), 1, L"binary DXF"},
      {"text that starts wrong", "  0\nLINE\n  8\n0\n", 1, L"not a DXF file"},
      {"cut after a group code", kGood.substr(0, kGood.find(" 20\n2.5") + 4), 55, L"without its value"},
      {"cut inside the entities", kGood.substr(0, kGood.find("  0\nINSERT")), 60, L"cut short"},
      {"NUL byte in a value", replaced(kGood, "ROADS", std::string("RO\0DS", 5)), 52, L"binary data"},
      {"NUL byte past the first megabyte", pushedPastAMegabyte(replaced(kGood, "ROADS", std::string("RO\0DS", 5))),
       40052, L"binary data"},
      {"NUL byte in a group code", replaced(kGood, " 20\n2.5", std::string(" 2\0\n2.5", 6)), 55, L"binary data"},
      {"group code that is not a number", replaced(kGood, " 20\n2.5", "2x\n2.5"), 55, L"expected a group code"},
      {"group code with a plus sign", replaced(kGood, " 20\n2.5", "+20\n2.5"), 55, L"expected a group code"},
      {"group code of a minus alone", replaced(kGood, " 20\n2.5", " -\n2.5"), 55, L"expected a group code"},
      {"group code of blanks", replaced(kGood, " 20\n2.5", " \t \n2.5"), 55, L"found an empty line"},
      {"group code beyond the largest", replaced(kGood, " 20\n2.5", "99999999999\n2.5"), 55,
       L"expected a group code"},
      {"coordinate that is not a number", replaced(kGood, "1.5", "one"), 54, L"a number for group code 10"},
      {"coordinate that is not a number past the first megabyte",
       pushedPastAMegabyte(replaced(kGood, "1.5", "one")), 40054, L"a number for group code 10"},
      {"handle that is not hexadecimal", replaced(kGood, "  5\n30\n", "  5\nXYZ\n"), 50, L"hexadecimal handle"},
      {"INSERT of a block the file lacks", replaced(kGood, "  2\nMARK\n 10\n5.0", "  2\nNOPE\n 10\n5.0"), 62,
       L"block 'NOPE'"},
      {"handle used twice", replaced(kGood, "  5\n31\n", "  5\n30\n"), 62, L"already used by the object at line 48"},
      // The first record, in the order tables, blocks, entities, objects, that
      // repeats a handle or has one too large is the one named.
      {"handle used three times", replaced(replaced(kGood, "  5\n30\n", "  5\n21\n"), "  5\n31\n", "  5\n21\n"), 48,
       L"handle 21 of LINE is already used by the object at line 28"},
      {"handle too large after one used twice",
       replaced(replaced(kGood, "  5\n30\n", "  5\n21\n"), "  5\n31\n", "  5\nFFFFFFFFFFFFFFFF\n"), 48,
       L"already used by the object at line 28"},
      {"handle used twice after one too large",
       replaced(replaced(kGood, "  5\n30\n", "  5\nFFFFFFFFFFFFFFFF\n"), "  5\n31\n", "  5\n21\n"), 48,
       L"handle FFFFFFFFFFFFFFFF of LINE is too large"},
      {"block record handle used by a later entity", replaced(kGood, "  5\n31\n", "  5\n20\n"), 62,
       L"handle 20 of INSERT is already used by the object at line 16"},
      {"block without ENDBLK", replaced(kGood, "  0\nENDBLK\n  5\n22\n", ""), 38, L"has no ENDBLK"},
      // A section begun inside a block or a table ends it as it ends a
      // section: kept as a record, it would break the saved file.
      {"section inside a block", replaced(kGood, "  0\nCIRCLE\n", "  0\nSECTION\n  2\nENTITIES\n  0\nCIRCLE\n"), 28,
       L"block MARK has no ENDBLK"},
      {"section inside a table",
       replaced(kGood, "  2\nBLOCKS\n", "  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  0\nSECTION\n  2\nBLOCKS\n"), 20,
       L"table LAYER has no ENDTAB"},
      {"circle of radius 0", replaced(kGood, " 40\n1.0", " 40\n0.0"), 28, L"invalid radius"},
      {"xdata of a missing start", replaced(kGood, "  8\nROADS\n", "  8\nROADS\n1001\nAPP\n  1\nx\n"), 55,
       L"extended data"},
      {"xdata integer that is not a number", replaced(kGood, " 21\n4.0\n", " 21\n4.0\n1001\nAPP\n1070\nabc\n"), 64,
       L"an integer for group code 1070"},
      {"xdata real that is not a number",
       replaced(kGood, " 21\n4.0\n", " 21\n4.0\n1001\nAPP\n1000\nok\n1040\nx\n"), 66,
       L"a number for group code 1040"},
      {"xdata point without its y", replaced(kGood, " 21\n4.0\n", " 21\n4.0\n1001\nAPP\n1010\n1.0\n1070\n1\n"),
       63, L"without its y value"},
  };
}

}  // namespace

TEST(DxfBadInput, GoodFileLoads) {
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(kGood, db, L"good.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedCount(), 0);
}

TEST(DxfBadInput, EachBadFileFailsWithItsLineAndLeavesTheDrawingAlone) {
  const std::string fresh = uvtest::dumpDatabase(AcDbDatabase());
  for (const BadCase& c : badCases()) {
    SCOPED_TRACE(c.name);
    // A string is read again for its entities, a pipe is held whole: the
    // same error either way.
    for (const bool pipe : {false, true}) {
      SCOPED_TRACE(pipe ? "through a pipe" : "from a string");
      AcDbDatabase db;
      uvtest::PipeStream piped(c.text);
      const uv::dxf::Result r = pipe ? uv::dxf::loadFromStream(piped, db, L"bad.dxf")
                                     : uv::dxf::loadFromString(c.text, db, L"bad.dxf");
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.line, c.line) << uv::toUtf8(r.error);
      const std::wstring where = c.line ? L"bad.dxf, line " + std::to_wstring(c.line) + L": " : L"bad.dxf: ";
      EXPECT_EQ(r.error.rfind(where, 0), 0u) << uv::toUtf8(r.error);
      EXPECT_NE(r.error.find(c.saying), std::wstring::npos) << uv::toUtf8(r.error);
      EXPECT_TRUE(uv::dxf::isNewDatabase(db));
      EXPECT_EQ(uvtest::firstDifference(fresh, uvtest::dumpDatabase(db)), "");
    }
  }
}

// Extended data of every kind reads back as written, plain data (text,
// integers, reals) and points or binary chunks alike, each application in
// its place.
TEST(DxfBadInput, ExtendedDataOfEveryKindReads) {
  const struct {
    const char* name;
    std::string groups;
    std::wstring items;
  } cases[] = {
      {"plain", "1001\nAPP\n1000\nTeren\n1070\n-25536\n1071\n70000\n1040\n2.5\n",
       L"1001:APP 1000:Teren 1070:-25536 1071:70000 1040:2.5 "},
      {"two applications", "1001\nAPP\n1070\n7\n1001\nOTHER\n1000\n\n1041\n-1e3\n",
       L"1001:APP 1070:7 1001:OTHER 1000: 1041:-1000 "},
      {"with a point", "1001\nAPP\n1000\na\n1010\n1\n1020\n2\n1030\n3\n1001\nOTHER\n1070\n4\n",
       L"1001:APP 1000:a 1010:1,2,3 1001:OTHER 1070:4 "},
      {"with a binary chunk", "1001\nAPP\n1004\n0AFF\n1070\n9\n", L"1001:APP 1004:2 bytes 1070:9 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AcDbDatabase db;
    const uv::dxf::Result r =
        uv::dxf::loadFromString(replaced(kGood, " 21\n4.0\n", " 21\n4.0\n" + c.groups), db, L"xdata.dxf");
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
    AcDbObjectId id;
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(0x30)), Acad::eOk);
    AcDbObjectPointer<AcDbLine> line(id);
    ASSERT_EQ(line.openStatus(), Acad::eOk);
    resbuf* chain = line->xData();
    std::wstring items;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
      items += std::to_wstring(rb->restype) + L":";
      switch (uv::resvalKind(rb->restype)) {
        case uv::ResvalKind::kString: items += rb->resval.rstring; break;
        case uv::ResvalKind::kShort: items += std::to_wstring(rb->resval.rint); break;
        case uv::ResvalKind::kLong: items += std::to_wstring(rb->resval.rlong); break;
        case uv::ResvalKind::kReal: items += uv::fromUtf8(shortReal(rb->resval.rreal)); break;
        case uv::ResvalKind::kPoint:
          for (int k = 0; k < 3; ++k)
            items += (k ? L"," : L"") + uv::fromUtf8(shortReal(rb->resval.rpoint[k]));
          break;
        case uv::ResvalKind::kBinary: items += std::to_wstring(rb->resval.rbinary.clen) + L" bytes"; break;
        default: items += L"?"; break;
      }
      items += L" ";
    }
    acutRelRb(chain);
    EXPECT_EQ(items, c.items);
  }
}

// A load that fails after the default records took the file's handles
// gives them back: ids taken from the new database before still name the
// same records, and the database takes a good file afterwards.
TEST(DxfBadInput, IdsTakenBeforeAFailedLoadStayValid) {
  AcDbDatabase db;
  const AcDbObjectId modelSpace = db.modelSpaceId(), layerZero = db.layerZero();
  const AcDbHandle modelSpaceHandle = modelSpace.handle();
  const uv::dxf::Result bad =
      uv::dxf::loadFromString(replaced(kGood, " 40\n1.0", " 40\n0.0"), db, L"bad.dxf");
  ASSERT_FALSE(bad.ok);
  EXPECT_EQ(db.modelSpaceId(), modelSpace);
  EXPECT_EQ(db.layerZero(), layerZero);
  EXPECT_EQ(modelSpace.handle(), modelSpaceHandle);
  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(modelSpace);
    ASSERT_EQ(ms.openStatus(), Acad::eOk);
    EXPECT_EQ(ms->nameText(), ACDB_MODEL_SPACE);
    EXPECT_TRUE(ms->entities().empty());
  }
  EXPECT_TRUE(uv::checkDatabase(db).empty());
  const uv::dxf::Result good = uv::dxf::loadFromString(kGood, db, L"good.dxf");
  ASSERT_TRUE(good.ok) << uv::toUtf8(good.error);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(modelSpace);
  ASSERT_EQ(ms.openStatus(), Acad::eOk);
  EXPECT_EQ(ms->entities().size(), 2u);
}

// A database that records its history and fails to read a file forgets
// the history of the objects the failed read took away: nothing to undo,
// and what comes after is recorded and undone as usual.
TEST(DxfBadInput, AFailedLoadStartsTheHistoryAnew) {
  AcDbDatabase db;
  uv::UndoLog& log = db.undoLog();
  log.enable();
  const uv::dxf::Result bad =
      uv::dxf::loadFromString(replaced(kGood, " 40\n1.0", " 40\n0.0"), db, L"bad.dxf");
  ASSERT_FALSE(bad.ok);
  EXPECT_FALSE(log.canUndo());
  EXPECT_EQ(log.undo(), Acad::eNotApplicable);
  std::string fresh, empty;
  ASSERT_TRUE(uv::dxf::saveToString(AcDbDatabase(), fresh).ok);
  ASSERT_TRUE(uv::dxf::saveToString(db, empty).ok);
  EXPECT_TRUE(empty == fresh);

  log.begin(L"LINE");
  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    ASSERT_EQ(ms.openStatus(), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 3));
    ASSERT_EQ(ms->appendAcDbEntity(line), Acad::eOk);
    line->close();
  }
  ASSERT_EQ(log.undo(), Acad::eOk);
  std::string undone;
  ASSERT_TRUE(uv::dxf::saveToString(db, undone).ok);
  EXPECT_TRUE(undone == fresh);
  EXPECT_TRUE(uv::checkDatabase(db).empty());
}

TEST(DxfBadInput, MissingFileNamesThePath) {
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::load(L"/no/such/place/site.dxf", db);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, L"/no/such/place/site.dxf: cannot open the file: No such file or directory");
  EXPECT_TRUE(uv::dxf::isNewDatabase(db));
}

TEST(DxfBadInput, UnknownKindsAreKeptWholeAndWrittenBackAsTheyCame) {
  const std::string hatch1 = "  0\nHATCH\n  5\n40\n  8\n0\n  2\nSOLID\n 91\n0\n";
  const std::string ray = "  0\nRAY\n  5\n41\n  8\nROADS\n 11\n1\n";
  const std::string hatch2 = "  0\nHATCH\n  5\n42\n";
  const std::string mesh =
      "  0\nPOLYLINE\n  5\n43\n 66\n1\n 70\n16\n  0\nVERTEX\n  5\n44\n 10\n0\n 20\n0\n 30\n0\n  0\nSEQEND\n  5\n45\n";
  const std::string text =
      replaced(kGood, "  0\nENDSEC\n  0\nEOF\n", hatch1 + ray + hatch2 + mesh + "  0\nENDSEC\n  0\nEOF\n");
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"mixed.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_EQ(r.mendedCount(), 0);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  std::vector<std::string> kinds;
  for (AcDbObject* o : ms->entities())
    kinds.push_back(AcDbRawEntity::cast(o) ? AcDbRawEntity::cast(o)->dxfName() : uv::toUtf8(o->isA()->name()));
  const std::vector<std::string> expected = {"AcDbLine", "AcDbBlockReference", "HATCH", "RAY", "HATCH",
                                             "POLYLINE", "VERTEX", "SEQEND"};
  EXPECT_EQ(kinds, expected);
  ms.close();

  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  for (const std::string& record : {hatch1, ray, hatch2, mesh}) EXPECT_NE(saved.find(record), std::string::npos) << record;
}

TEST(DxfBadInput, OlderFilesDecodeEscapesAndTheirCodePage) {
  // AC1015 without UTF-8: \U+XXXX escapes, a Windows-1252 byte (0xE9), and
  // UTF-8 that some writers put there all the same.
  const std::string text = replaced(replaced(kGood, "AC1021", "AC1015"), "  0\nENDSEC\n  0\nEOF\n",
                                    "  0\nTEXT\n 10\n0\n 20\n0\n 40\n1\n  1\n\\U+0160koda caf\xe9\n"
                                    "  0\nTEXT\n 10\n0\n 20\n0\n 40\n1\n  1\nTer\xc3\xa9n\n"
                                    "  0\nENDSEC\n  0\nEOF\n");
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"old.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  std::vector<std::wstring> texts;
  for (AcDbObject* o : ms->entities())
    if (auto* t = AcDbText::cast(o)) texts.emplace_back(t->textStringConst());
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Škoda café", L"Terén"}));
}

TEST(DxfBadInput, WindowsLineEndsAndPaddedCodesRead) {
  std::string crlf;
  for (char c : kGood) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  AcDbDatabase db;
  const uv::dxf::Result r = uv::dxf::loadFromString("\xEF\xBB\xBF" + crlf, db, L"windows.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  EXPECT_EQ(ms->entities().size(), 2u);
}

TEST(DxfBadInput, CodesPaddedOrWithLeadingZerosAndFilesOfManyChunksRead) {
  const std::string padded = replaced(replaced(kGood, " 10\n1.5", "\t010 \n  1.5\t"), " 21\n4.0", "21\t\n-4.0");
  for (const std::string& text : {padded, pushedPastAMegabyte(padded)}) {
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"padded.dxf");
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
    ASSERT_EQ(ms->entities().size(), 2u);
    AcDbObjectPointer<AcDbLine> line(ms->entityIds().front());
    ASSERT_EQ(line.openStatus(), Acad::eOk);
    EXPECT_TRUE(line->startPoint().isEqualTo(AcGePoint3d(1.5, 2.5, 0)));
    EXPECT_TRUE(line->endPoint().isEqualTo(AcGePoint3d(3.0, -4.0, 0)));
  }
}

// Fault injection: a saved drawing cut at every line, and with bytes
// overwritten at fixed pseudo-random places. Each load either succeeds or
// fails with a message naming a line; none crashes or leaves objects behind.
TEST(DxfBadInput, CutAndDamagedFilesNeverHalfLoad) {
  AcDbDatabase source;
  uvtest::buildRichDrawing(source);
  std::string text;
  ASSERT_TRUE(uv::dxf::saveToString(source, text).ok);

  int cuts = 0;
  for (size_t pos = text.find('\n'); pos != std::string::npos && pos + 1 < text.size(); pos = text.find('\n', pos + 1)) {
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(text.substr(0, pos + 1), db, L"cut.dxf");
    ASSERT_FALSE(r.ok) << "cut after byte " << pos;
    ASSERT_GT(r.line, 0) << uv::toUtf8(r.error);
    ASSERT_TRUE(uv::dxf::isNewDatabase(db));
    ++cuts;
  }
  EXPECT_GT(cuts, 500);

  unsigned seed = 12345;
  int failures = 0;
  for (int round = 0; round < 300; ++round) {
    std::string damaged = text;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      const size_t at = (seed >> 8) % damaged.size();
      damaged[at] = static_cast<char>("x0\n-.9Z\x01 "[(seed >> 4) % 9]);
    }
    AcDbDatabase db;
    const uv::dxf::Result r = uv::dxf::loadFromString(damaged, db, L"damaged.dxf");
    if (!r.ok) {
      ++failures;
      EXPECT_GT(r.line, 0) << uv::toUtf8(r.error);
      EXPECT_TRUE(uv::dxf::isNewDatabase(db)) << uv::toUtf8(r.error);
    }
  }
  EXPECT_GT(failures, 0);
}
