// Block definitions read from drawing files and references filled with
// attribute texts: the shipped elevation marker, a file without the block,
// missing and malformed files.
#include <filesystem>
#include <fstream>

#include "WrapperFixture.h"
#include "base/TextCase.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "ed/Transcript.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"

namespace uvtest {
namespace {

class BlockInsertTest : public WrapperFixture {
 protected:
  static std::wstring markerFile(const char* extension) {
    return uv::fromUtf8(std::string(UV_SOURCE_DIR) + "/product/giscore/data/symbols/KVX_ELEV" + extension);
  }
  // The kinds of the live entities of a block, in order.
  static std::vector<std::string> kindsOf(AcDbObjectId block) {
    std::vector<std::string> kinds;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) return kinds;
    for (AcDbObject* o : record->entities()) kinds.push_back(uv::toUtf8(o->isA()->name()));
    record->close();
    return kinds;
  }
  AcDbObjectId blockNamed(const wchar_t* name) {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table), Acad::eOk);
    AcDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
  }
};

TEST_F(BlockInsertTest, TheShippedMarkerIsReadFromTheDxfTwinOfItsDwgName) {
  ASSERT_TRUE(blockNamed(L"KVX_ELEV").isNull());
  AcDbObjectId block = CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", markerFile(".dwg").c_str());
  ASSERT_FALSE(block.isNull()) << Acad::statusText(CKVLCDraw::lastStatus());
  EXPECT_EQ(blockNamed(L"KVX_ELEV"), block);
  EXPECT_EQ(kindsOf(block), (std::vector<std::string>{"AcDbLine", "AcDbLine", "AcDbCircle", "AcDbAttributeDefinition"}));

  // Asked again, the drawing's own block answers, file or no file.
  EXPECT_EQ(CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", L"/no/such/file.dwg"), block);
  EXPECT_EQ(CKVLCDraw::insertBlockDefinition(L"kvx_elev", markerFile(".dxf").c_str()), block);
}

TEST_F(BlockInsertTest, AFileWithoutTheBlockGivesItsModelSpaceAsTheBlock) {
  AcDbObjectId block = CKVLCDraw::insertBlockDefinition(L"WHOLE_MARKER", markerFile(".dxf").c_str());
  ASSERT_FALSE(block.isNull());
  EXPECT_EQ(kindsOf(block), (std::vector<std::string>{"AcDbLine", "AcDbLine", "AcDbCircle", "AcDbAttributeDefinition"}));
}

TEST_F(BlockInsertTest, BlocksOfThisDrawingsKindAreCopiedWithTheirLayersAndNestedBlocks) {
  // This test's own drawing is a drawing file too: its MARK block, its
  // layers and its linetype go into a fresh drawing.
  const std::wstring file = dataFile("wrapper_drawing.dxf");
  ASSERT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"");
  db = doc->database();
  AcDbObjectId block = CKVLCDraw::insertBlockDefinition(L"OTHER", file.c_str());
  ASSERT_FALSE(block.isNull());
  // Model space: ten entities, the reference bringing MARK along.
  EXPECT_EQ(kindsOf(block).size(), 10u);
  EXPECT_FALSE(blockNamed(L"MARK").isNull());
  EXPECT_EQ(kindsOf(blockNamed(L"MARK")),
            (std::vector<std::string>{"AcDbCircle", "AcDbAttributeDefinition", "AcDbAttributeDefinition"}));
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db->getLayerTable(layers), Acad::eOk);
  EXPECT_TRUE(layers->has(L"POLYLINE3D"));
  EXPECT_FALSE(layers->has(L"DRAW")) << "a layer nothing uses is not brought along";
  layers->close();
  saveAndReload();  // the copy is a sound drawing
  EXPECT_FALSE(blockNamed(L"OTHER").isNull());
}

TEST_F(BlockInsertTest, MissingAndMalformedFilesGiveNoBlock) {
  uv::Transcript::instance().clear();
  EXPECT_TRUE(CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", L"/no/such/folder/KVX_ELEV.dwg").isNull());
  EXPECT_EQ(CKVLCDraw::lastStatus(), Acad::eFileNotFound);

  const std::filesystem::path bad = std::filesystem::temp_directory_path() / "uv_cadwrapper_bad_marker.dxf";
  {
    std::ofstream out(bad);
    out << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nnot a number\n  0\nENDSEC\n  0\nEOF\n";
  }
  EXPECT_TRUE(CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", uv::fromUtf8(bad.string()).c_str()).isNull());
  EXPECT_EQ(CKVLCDraw::lastStatus(), Acad::eFileAccessErr);
  const std::string error = uv::toUtf8(CKVLCDraw::lastError().str());
  EXPECT_NE(error.find("uv_cadwrapper_bad_marker.dxf"), std::string::npos) << error;
  EXPECT_NE(error.find("line"), std::string::npos) << error;
  EXPECT_NE(uv::toUtf8(uv::Transcript::instance().text()).find("uv_cadwrapper_bad_marker.dxf"), std::string::npos);
  EXPECT_TRUE(blockNamed(L"KVX_ELEV").isNull());
  std::filesystem::remove(bad);
}

TEST_F(BlockInsertTest, AReferenceGetsItsAttributesInDefinitionOrder) {
  AcDbObjectId mark = blockNamed(L"MARK");
  ASSERT_FALSE(mark.isNull());
  makeCurrentLayer(L"DRAW");
  struct Case {
    std::vector<const wchar_t*> texts;
    const wchar_t* elev;
    const wchar_t* name;
  };
  for (const Case& c : std::vector<Case>{{{L"12.34", L"Q9"}, L"12.34", L"Q9"},
                                         {{L"7.00"}, L"7.00", L"?"},  // shorter: the default text
                                         {{}, L"0.00", L"?"},
                                         {{L"1", L"2", L"3"}, L"1", L"2"}}) {
    CStringArray texts;
    for (const wchar_t* t : c.texts) texts.Add(t);
    CKVLCBlockReferencePtr ref;
    AcDbObjectId id = CKVLCDraw::insertBlockReference(mark, AcGePoint3d(5, 6, 7), texts, 2.0, &ref);
    ASSERT_FALSE(id.isNull());
    ASSERT_TRUE(ref.isOpen());
    EXPECT_TRUE(ref.isWriteEnabled());
    EXPECT_EQ(ref->position(), AcGePoint3d(5, 6, 7));
    EXPECT_DOUBLE_EQ(ref->scaleFactors().sx, 2.0);
    EXPECT_EQ(ref->layerId(), db->clayer());
    EXPECT_EQ(ref.getAttributeText(L"ELEV"), c.elev);
    EXPECT_EQ(ref.getAttributeText(L"NAME"), c.name);
  }
}

TEST_F(BlockInsertTest, AttributesArePlacedByTheReferenceAndSurviveASave) {
  AcDbObjectId marker = CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", markerFile(".dwg").c_str());
  ASSERT_FALSE(marker.isNull());
  AcGePoint3d defPosition;
  double defHeight = 0;
  {
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, marker, AcDb::kForRead), Acad::eOk);
    for (AcDbObject* o : record->entities())
      if (auto* def = AcDbAttributeDefinition::cast(o)) {
        defPosition = def->position();
        defHeight = def->height();
      }
    record->close();
  }
  CStringArray texts;
  texts.Add(L"123.46");
  AcDbObjectId id = CKVLCDraw::insertBlockReference(marker, AcGePoint3d(10, 20, 123.456), texts, 1.0);
  ASSERT_FALSE(id.isNull());
  {
    CKVLCBlockReferencePtr ref(id);
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    it->start();
    ASSERT_FALSE(it->done());
    auto* attribute = AcDbAttribute::cast(it->entity());
    ASSERT_NE(attribute, nullptr);
    EXPECT_EQ(attribute->position(), AcGePoint3d(10 + defPosition.x, 20 + defPosition.y, 123.456 + defPosition.z));
    EXPECT_DOUBLE_EQ(attribute->height(), defHeight);
  }
  saveAndReload();
  CKVLCBlockReferencePtr ref(entityOn(L"0"));
  ASSERT_TRUE(ref.isOpen());
  CString name;
  ref.getBlockName(name);
  EXPECT_EQ(name, L"KVX_ELEV");
  EXPECT_EQ(ref->position(), AcGePoint3d(10, 20, 123.456));
  EXPECT_EQ(ref.getAttributeText(L"ELEV"), L"123.46");
}

TEST_F(BlockInsertTest, NoReferenceToANonBlockOrWithScaleZero) {
  CStringArray none;
  EXPECT_TRUE(CKVLCDraw::insertBlockReference(AcDbObjectId(), AcGePoint3d(), none, 1.0).isNull());
  EXPECT_TRUE(CKVLCDraw::insertBlockReference(entityOn(L"LINE"), AcGePoint3d(), none, 1.0).isNull());
  EXPECT_EQ(CKVLCDraw::lastStatus(), Acad::eNotThatKindOfClass);
  EXPECT_TRUE(CKVLCDraw::insertBlockReference(db->modelSpaceId(), AcGePoint3d(), none, 1.0).isNull());
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(db->getBlockTable(table), Acad::eOk);
  AcDbObjectId mark;
  table->getAt(L"MARK", mark);
  table->close();
  EXPECT_TRUE(CKVLCDraw::insertBlockReference(mark, AcGePoint3d(), none, 0.0).isNull());
}

}  // namespace
}  // namespace uvtest
