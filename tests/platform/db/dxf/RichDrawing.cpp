#include "RichDrawing.h"

#include <gtest/gtest.h>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbCircle.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbFace.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbText.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/resbuf.h"

namespace uvtest {

namespace {

template <class Rec>
AcDbObjectId addRecord(AcDbObjectId tableId, const wchar_t* name, Rec* rec) {
  AcDbObjectPointer<AcDbSymbolTable> table(tableId, AcDb::kForWrite);
  EXPECT_EQ(rec->setName(name), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(table->add(id, rec), Acad::eOk);
  rec->close();
  return id;
}

AcDbObjectId append(AcDbObjectId blockId, AcDbEntity* e) {
  AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
  AcDbObjectId id;
  EXPECT_EQ(block->appendAcDbEntity(id, e), Acad::eOk);
  e->close();
  return id;
}

void setXData(AcDbObjectId id, resbuf* chain) {
  AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForWrite);
  EXPECT_EQ(obj->setXData(chain), Acad::eOk);
  acutRelRb(chain);
}

}  // namespace

void buildRichDrawing(AcDbDatabase& db) {
  auto* dashed = new AcDbLinetypeTableRecord;
  dashed->setComments(L"Dashed __ __");
  dashed->setNumDashes(2);
  dashed->setDashLengthAt(0, 0.5);
  dashed->setDashLengthAt(1, -0.25);
  dashed->setPatternLength(0.75);
  const AcDbObjectId dashedId = addRecord(db.linetypeTableId(), L"DASHED", dashed);

  auto* survey = new AcDbLayerTableRecord;
  AcCmColor green;
  green.setColorIndex(3);
  survey->setColor(green);
  const AcDbObjectId surveyId = addRecord(db.layerTableId(), L"SURVEY_POINTS", survey);
  {
    AcDbObjectPointer<AcDbLayerTableRecord> l(surveyId, AcDb::kForWrite);
    l->setLinetypeObjectId(dashedId);
    l->setLineWeight(AcDb::kLnWt035);
  }
  auto* hidden = new AcDbLayerTableRecord;
  hidden->setIsOff(true);
  hidden->setIsLocked(true);
  hidden->setIsPlottable(false);
  addRecord(db.layerTableId(), L"Skryté Čáry", hidden);
  auto* frozen = new AcDbLayerTableRecord;
  frozen->setIsFrozen(true);
  addRecord(db.layerTableId(), L"FROZEN", frozen);

  auto* style = new AcDbTextStyleTableRecord;
  style->setFileName(L"romans.shx");
  style->setXScale(0.8);
  style->setObliquingAngle(0.1);
  const AcDbObjectId styleId = addRecord(db.textStyleTableId(), L"LABELS", style);
  addRecord(db.regAppTableId(), L"UV_APP", new AcDbRegAppTableRecord);

  // A block with two attribute definitions.
  auto* blockRec = new AcDbBlockTableRecord;
  blockRec->setOrigin(AcGePoint3d(1, 2, 0));
  blockRec->setComments(L"elevation marker");
  const AcDbObjectId blockId = addRecord(db.blockTableId(), L"ELEV_MARK", blockRec);
  append(blockId, new AcDbCircle(AcGePoint3d(1, 2, 0), AcGeVector3d(0, 0, 1), 0.5));
  auto* def = new AcDbAttributeDefinition(AcGePoint3d(1.7, 2.2, 0), L"0.00", L"ELEV", L"Výška?", styleId);
  def->setHeight(0.3);
  def->setVerifiable(true);
  append(blockId, def);
  auto* hiddenDef = new AcDbAttributeDefinition(AcGePoint3d(1.7, 1.5, 0), L"PT", L"CODE", L"Code");
  hiddenDef->setInvisible(true);
  hiddenDef->setPreset(true);
  append(blockId, hiddenDef);

  const AcDbObjectId ms = db.modelSpaceId();
  auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 5, 1));
  line->setLayer(surveyId);
  line->setColorIndex(1);
  line->setLineWeight(AcDb::kLnWt050);
  line->setLinetype(dashedId);
  line->setLinetypeScale(2.5);
  const AcDbObjectId lineId = append(ms, line);
  ads_point xyz = {1.5, 2.5, 3.5};
  ads_binary bin = {4, const_cast<char*>("\x01\x00\xfe\x7f")};
  setXData(lineId, acutBuildList(1001, L"UV_APP", 1000, L"okraj – ÚČ", 1002, L"{", 1070, 7, 1071, 1234567, 1002,
                                 L"}", 1040, 1e-20, 1010, xyz, 1004, &bin, 1005, L"2F", 0));
  auto* arc = new AcDbArc(AcGePoint3d(3, 4, 5), AcGeVector3d(0.3, -0.2, 0.9), 2.0, 0.5, 2.5);
  arc->setColorIndex(0);
  append(ms, arc);
  auto* circle = new AcDbCircle(AcGePoint3d(-4, 2, 1.5), AcGeVector3d(0, 0, 1), 2.25);
  circle->setVisibility(AcDb::kInvisible);
  append(ms, circle);
  append(ms, new AcDbPoint(AcGePoint3d(3, 4, 101.25)));
  auto* label = new AcDbText(AcGePoint3d(3, 4.5, 0), L"Bod 1 – ŠČ\nsecond line", styleId, 0.5, 0.25);
  label->setLayer(surveyId);
  append(ms, label);
  auto* centred = new AcDbText(AcGePoint3d(20, 20, 0), L"centred", AcDbObjectId(), 0.4);
  centred->setHorizontalMode(AcDb::kTextCenter);
  centred->setVerticalMode(AcDb::kTextVertMid);
  centred->setAlignmentPoint(AcGePoint3d(21, 20.2, 0));
  centred->setNormal(AcGeVector3d(0, -1, 1).normal());
  append(ms, centred);

  auto* lw = new AcDbPolyline;
  lw->addVertexAt(0, AcGePoint2d(0, 0), 0.5);
  lw->addVertexAt(1, AcGePoint2d(10, 0), 0, 0.1, 0.2);
  lw->addVertexAt(2, AcGePoint2d(10, 10), -1.0);
  lw->addVertexAt(3, AcGePoint2d(0, 10));
  lw->setClosed(true);
  lw->setElevation(12.5);
  const AcDbObjectId lwId = append(ms, lw);

  AcGePoint3dArray pts2;
  pts2.append(AcGePoint3d(0, 0, 0));
  pts2.append(AcGePoint3d(5, 0, 0));
  pts2.append(AcGePoint3d(5, 5, 0));
  AcGeDoubleArray bulges;
  bulges.append(0);
  bulges.append(0.25);
  bulges.append(0);
  auto* p2 = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts2, 3.0, true, 0, 0, &bulges);
  const AcDbObjectId p2Id = append(ms, p2);

  AcGePoint3dArray pts3;
  pts3.append(AcGePoint3d(0, 0, 100));
  pts3.append(AcGePoint3d(10, 0, 101.5));
  pts3.append(AcGePoint3d(10, 10, 99.25));
  auto* p3 = new AcDb3dPolyline(AcDb::k3dSimplePoly, pts3);
  p3->setLayer(surveyId);
  append(ms, p3);

  append(ms, new AcDbFace(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 2), AcGePoint3d(1, 1, 3), AcGePoint3d(0, 1, 4),
                          true, false, true, false));
  append(ms, new AcDbFace(AcGePoint3d(5, 5, 1), AcGePoint3d(6, 5, 2), AcGePoint3d(6, 6, 3)));

  auto* ref = new AcDbBlockReference(AcGePoint3d(50, 60, 100.5), blockId);
  ref->setScaleFactors(AcGeScale3d(2, 2, 1));
  ref->setRotation(0.5);
  const AcDbObjectId refId = append(ms, ref);
  {
    AcDbObjectPointer<AcDbBlockReference> r(refId, AcDb::kForWrite);
    auto* elev = new AcDbAttribute(AcGePoint3d(52, 61, 100.5), L"100.50", L"ELEV", styleId);
    EXPECT_EQ(r->appendAttribute(elev), Acad::eOk);
    elev->close();
    auto* code = new AcDbAttribute(AcGePoint3d(52, 59, 100.5), L"TR", L"CODE");
    code->setInvisible(true);
    EXPECT_EQ(r->appendAttribute(code), Acad::eOk);
    code->close();
  }
  // A reference without attributes, in paper space.
  append(db.paperSpaceId(), new AcDbBlockReference(AcGePoint3d(1, 1, 0), blockId));

  // Dictionaries, xrecords and groups.
  AcDbObjectId uvDictId, surfacesId;
  {
    AcDbObjectPointer<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
    auto* uvDict = new AcDbDictionary;
    EXPECT_EQ(nod->setAt(L"UV_TEST", uvDict, uvDictId), Acad::eOk);
    uvDict->close();
  }
  {
    AcDbObjectPointer<AcDbDictionary> uvDict(uvDictId, AcDb::kForWrite);
    auto* surfaces = new AcDbDictionary;
    EXPECT_EQ(uvDict->setAt(L"SURFACES", surfaces, surfacesId), Acad::eOk);
    surfaces->close();
    auto* empty = new AcDbDictionary;
    AcDbObjectId emptyId;
    EXPECT_EQ(uvDict->setAt(L"EMPTY", empty, emptyId), Acad::eOk);
    empty->close();
  }
  {
    AcDbObjectPointer<AcDbDictionary> surfaces(surfacesId, AcDb::kForWrite);
    auto* x = new AcDbXrecord;
    AcDbObjectId xId;
    EXPECT_EQ(surfaces->setAt(L"Terén", x, xId), Acad::eOk);
    ads_point p = {1.0, 2.0, 3.0};
    ads_name lineName, lwName;
    acdbGetAdsName(lineName, lineId);
    acdbGetAdsName(lwName, lwId);
    ads_binary chunk = {5, const_cast<char*>("\x00\x10\x20\xff\x80")};
    resbuf* chain = acutBuildList(1, L"Terén – sever", 2, L"tab\there", 300, L"  padded  ", 70, 3, 90, 123456789,
                                  170, -4, 280, 1, 40, 1.5, 140, 1e-20, 10, p, 310, &chunk, 340, lineName, 360,
                                  lwName, 0);
    EXPECT_NE(chain, nullptr);
    EXPECT_EQ(x->setFromRbChain(*chain), Acad::eOk);
    acutRelRb(chain);
    x->close();
  }
  {
    AcDbObjectPointer<AcDbDictionary> groups(db.groupDictionaryId(), AcDb::kForWrite);
    auto* g = new AcDbGroup(L"edges of the road", true);
    g->append(lineId);
    g->append(lwId);
    AcDbObjectId gId;
    EXPECT_EQ(groups->setAt(L"ROAD_EDGES", g, gId), Acad::eOk);
    g->close();
    auto* g2 = new AcDbGroup(L"", false);
    g2->append(p2Id);
    EXPECT_EQ(groups->setAt(L"LOCKED", g2, gId), Acad::eOk);
    g2->close();
  }
  EXPECT_EQ(db.setClayer(surveyId), Acad::eOk);
  EXPECT_EQ(db.setCeltype(dashedId), Acad::eOk);
  EXPECT_EQ(db.setTextstyle(styleId), Acad::eOk);
  EXPECT_EQ(db.setCelweight(AcDb::kLnWt025), Acad::eOk);
}

}  // namespace uvtest
