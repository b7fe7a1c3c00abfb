// The entity pointers over the entities of a real drawing: each opens its
// own kind only, closes on destruction, moves between read and write, and
// the polyline and block-reference pointers read what the drawing holds.
#include <functional>
#include <stdexcept>

#include "base/TextCase.h"

#include "WrapperFixture.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"

namespace uvtest {
namespace {

using EntityPointerTest = WrapperFixture;

// Opens id with pointer class P and reports the status.
template <class P>
Acad::ErrorStatus openAs(AcDbObjectId id) {
  P p(id, AcDb::kForRead);
  EXPECT_EQ(p.isOpen(), p.status() == Acad::eOk);
  EXPECT_EQ(p.isOpen(), p.object() != nullptr);
  return p.status();
}

struct PointerKind {
  const char* name;
  std::function<Acad::ErrorStatus(AcDbObjectId)> open;
  const wchar_t* ownLayer;  // the one layer whose entity this pointer opens
};

TEST_F(EntityPointerTest, EachPointerOpensItsOwnKindAndRefusesEveryOther) {
  const std::vector<PointerKind> kinds = {
      {"line", openAs<CKVLCLinePtr>, L"LINE"},
      {"arc", openAs<CKVLCArcPtr>, L"ARC"},
      {"circle", openAs<CKVLCCirclePtr>, L"CIRCLE"},
      {"point", openAs<CKVLCPointPtr>, L"POINT"},
      {"text", openAs<CKVLCTextPtr>, L"TEXT"},
      {"lwpolyline", openAs<CKVLCPolylineLWPtr>, L"LWPOLYLINE"},
      {"2d polyline", openAs<CKVLC2dPolylinePtr>, L"POLYLINE2D"},
      {"3d polyline", openAs<CKVLC3dPolylinePtr>, L"POLYLINE3D"},
      {"face", openAs<CKVLCFacePtr>, L"FACE"},
      {"block reference", openAs<CKVLCBlockReferencePtr>, L"INSERT"},
  };
  const std::vector<const wchar_t*> layers = {L"LINE",       L"ARC",        L"CIRCLE", L"POINT", L"TEXT",
                                              L"LWPOLYLINE", L"POLYLINE2D", L"POLYLINE3D", L"FACE", L"INSERT"};
  for (const wchar_t* layer : layers) {
    AcDbObjectId id = entityOn(layer);
    ASSERT_FALSE(id.isNull()) << "no entity on layer " << uv::toUtf8(layer);
    EXPECT_EQ(openAs<CKVLCEntityPtr>(id), Acad::eOk) << uv::toUtf8(layer);
    for (const PointerKind& kind : kinds) {
      const bool own = std::wstring(kind.ownLayer) == layer;
      EXPECT_EQ(kind.open(id), own ? Acad::eOk : Acad::eNotThatKindOfClass)
          << kind.name << " pointer on the entity of layer " << uv::toUtf8(layer);
    }
  }
}

TEST_F(EntityPointerTest, NullAndErasedIdsLeaveThePointerEmpty) {
  CKVLCLinePtr none(AcDbObjectId(), AcDb::kForRead);
  EXPECT_FALSE(none.isOpen());
  EXPECT_EQ(none.status(), Acad::eNullObjectId);
  EXPECT_TRUE(none.objectId().isNull());

  AcDbObjectId id = entityOn(L"LINE");
  {
    CKVLCEntityPtr line(id, AcDb::kForWrite);
    ASSERT_TRUE(line.isOpen());
    ASSERT_EQ(line->erase(), Acad::eOk);
  }
  CKVLCLinePtr erased(id, AcDb::kForRead);
  EXPECT_FALSE(erased.isOpen());
  EXPECT_EQ(erased.status(), Acad::eWasErased);
}

TEST_F(EntityPointerTest, ClosesOnDestructionAlsoWhenAnExceptionPasses) {
  AcDbObjectId id = entityOn(L"CIRCLE");
  try {
    CKVLCCirclePtr circle(id, AcDb::kForWrite);
    ASSERT_TRUE(circle.isOpen());
    throw std::runtime_error("leaving the scope");
  } catch (const std::runtime_error&) {
  }
  CKVLCCirclePtr again(id, AcDb::kForWrite);
  EXPECT_TRUE(again.isOpen()) << "the first pointer left the circle open: " << Acad::statusText(again.status());
}

TEST_F(EntityPointerTest, UpgradeAndDowngradeMoveBetweenReadAndWrite) {
  CKVLCTextPtr text(entityOn(L"TEXT"), AcDb::kForRead);
  ASSERT_TRUE(text.isOpen());
  EXPECT_FALSE(text.isWriteEnabled());
  EXPECT_EQ(text->setTextString(L"x"), Acad::eNotOpenForWrite);
  ASSERT_EQ(text.upgradeOpen(), Acad::eOk);
  EXPECT_EQ(text->setTextString(L"99.00"), Acad::eOk);
  ASSERT_EQ(text.downgradeOpen(), Acad::eOk);
  EXPECT_FALSE(text.isWriteEnabled());
  EXPECT_STREQ(text->textStringConst(), L"99.00");

  // A second reader keeps the first from writing.
  CKVLCTextPtr other(text.objectId(), AcDb::kForRead);
  ASSERT_TRUE(other.isOpen());
  EXPECT_EQ(text.upgradeOpen(), Acad::eWasOpenForRead);

  CKVLCTextPtr empty;
  EXPECT_EQ(empty.upgradeOpen(), Acad::eNullEntityPointer);
}

void expectPoints(const AcGePoint3dArray& got, const std::vector<AcGePoint3d>& want) {
  ASSERT_EQ(got.length(), int(want.size()));
  for (int i = 0; i < got.length(); ++i) {
    EXPECT_DOUBLE_EQ(got[i].x, want[size_t(i)].x) << "vertex " << i;
    EXPECT_DOUBLE_EQ(got[i].y, want[size_t(i)].y) << "vertex " << i;
    EXPECT_DOUBLE_EQ(got[i].z, want[size_t(i)].z) << "vertex " << i;
  }
}

TEST_F(EntityPointerTest, PolylineVerticesComeInOrderInWorldCoordinates) {
  AcGePoint3dArray points;
  points.append(AcGePoint3d(-1, -1, -1));  // replaced, not appended to

  CKVLCPolylineLWPtr lw(entityOn(L"LWPOLYLINE"));
  ASSERT_EQ(lw.getVertexPoints(points), Acad::eOk);
  // Closed, at elevation 5; the first vertex is not repeated.
  expectPoints(points, {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}});

  CKVLC2dPolylinePtr p2d(entityOn(L"POLYLINE2D"));
  ASSERT_EQ(p2d.getVertexPoints(points), Acad::eOk);
  expectPoints(points, {{0, 0, 3}, {5, 5, 3}, {10, 0, 3}});

  CKVLC3dPolylinePtr p3d(entityOn(L"POLYLINE3D"));
  ASSERT_EQ(p3d.getVertexPoints(points), Acad::eOk);
  expectPoints(points, {{0, 0, 1}, {5, 5, 2}, {10, 0, 3}});

  // A pointer that did not open gives nothing.
  CKVLC3dPolylinePtr wrongKind(entityOn(L"POLYLINE2D"));
  EXPECT_EQ(wrongKind.getVertexPoints(points), Acad::eNullEntityPointer);
  EXPECT_EQ(points.length(), 0);
}

TEST_F(EntityPointerTest, AttributesAreReadAndWrittenByTagIgnoringCase) {
  CKVLCBlockReferencePtr ref(entityOn(L"INSERT"), AcDb::kForRead);
  ASSERT_TRUE(ref.isOpen());
  CString block;
  ASSERT_EQ(ref.getBlockName(block), Acad::eOk);
  EXPECT_EQ(block, L"MARK");

  struct Read {
    const wchar_t* tag;
    const wchar_t* text;
  };
  for (const Read& r : std::vector<Read>{{L"ELEV", L"100.25"}, {L"elev", L"100.25"}, {L"NAME", L"P1"},
                                         {L"NONE", L""}, {L"", L""}, {nullptr, L""}})
    EXPECT_EQ(ref.getAttributeText(r.tag), r.text) << (r.tag ? uv::toUtf8(r.tag) : "null");

  // Writing needs the reference open for write.
  EXPECT_EQ(ref.setAttributeText(L"ELEV", L"1.00"), Acad::eNotOpenForWrite);
  ASSERT_EQ(ref.upgradeOpen(), Acad::eOk);
  EXPECT_EQ(ref.setAttributeText(L"Elev", L"123.46"), Acad::eOk);
  EXPECT_EQ(ref.setAttributeText(L"NONE", L"x"), Acad::eKeyNotFound);
  // An empty tag chooses no attribute: nothing changes.
  EXPECT_EQ(ref.setAttributeText(L"", L"x"), Acad::eInvalidInput);
  ASSERT_EQ(ref.downgradeOpen(), Acad::eOk);
  EXPECT_EQ(ref.getAttributeText(L"ELEV"), L"123.46");
  EXPECT_EQ(ref.getAttributeText(L"NAME"), L"P1");
}

TEST_F(EntityPointerTest, WrittenAttributeTextSurvivesASaveAndLoad) {
  {
    CKVLCBlockReferencePtr ref(entityOn(L"INSERT"), AcDb::kForWrite);
    ASSERT_EQ(ref.setAttributeText(L"NAME", L"Spot 7"), Acad::eOk);
  }
  saveAndReload();
  CKVLCBlockReferencePtr ref(entityOn(L"INSERT"));
  EXPECT_EQ(ref.getAttributeText(L"NAME"), L"Spot 7");
  EXPECT_EQ(ref.getAttributeText(L"ELEV"), L"100.25");
}

}  // namespace
}  // namespace uvtest
