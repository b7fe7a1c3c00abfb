#include "WrapperFixture.h"

#include <memory>

#include "base/TextCase.h"
#include "db/AcDbEntity.h"
#include "db/AcDbLayerTable.h"
#include "db/dxf/DxfFile.h"
#include "ed/ModelSpace.h"

namespace uvtest {

std::wstring WrapperFixture::dataFile(const char* name) {
  return uv::fromUtf8(std::string(UV_TEST_DATA_DIR) + "/data/" + name);
}

void WrapperFixture::SetUp() {
  auto drawing = std::make_unique<AcDbDatabase>();
  const std::wstring path = dataFile("wrapper_drawing.dxf");
  uv::dxf::Result loaded = uv::dxf::load(path, *drawing);
  ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.error);
  doc = acDocManager->addDocument(std::move(drawing), path);
  db = doc->database();
}

void WrapperFixture::TearDown() {
  if (doc) { EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk); }
}

void WrapperFixture::saveAndReload() {
  std::string text;
  uv::dxf::Result saved = uv::dxf::saveToString(*db, text);
  ASSERT_TRUE(saved.ok) << uv::toUtf8(saved.error);
  auto drawing = std::make_unique<AcDbDatabase>();
  uv::dxf::Result loaded = uv::dxf::loadFromString(text, *drawing, L"saved.dxf");
  ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.error);
  ASSERT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  doc = acDocManager->addDocument(std::move(drawing), L"saved.dxf");
  db = doc->database();
}

std::wstring WrapperFixture::layerOf(AcDbObjectId id) {
  AcDbEntity* ent = nullptr;
  if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) return L"";
  ACHAR* name = ent->layer();
  std::wstring layer = name;
  free(name);
  ent->close();
  return layer;
}

std::vector<AcDbObjectId> WrapperFixture::entities() const { return uv::ModelSpace::entities(db); }

AcDbObjectId WrapperFixture::entityOn(const wchar_t* layer) const {
  for (AcDbObjectId id : entities())
    if (layerOf(id) == layer) return id;
  return AcDbObjectId();
}

void WrapperFixture::makeCurrentLayer(const wchar_t* layer) {
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
  AcDbObjectId id;
  ASSERT_EQ(table->getAt(layer, id), Acad::eOk);
  table->close();
  ASSERT_EQ(db->setClayer(id), Acad::eOk);
}

}  // namespace uvtest
