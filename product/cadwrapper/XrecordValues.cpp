#include "product/cadwrapper/XrecordValues.h"

#include <cstdint>

#include "db/AcDbXrecord.h"
#include "db/ResbufChain.h"

namespace uv::cadwrapper {

namespace {

// The group code an ADS result type is stored under; 0 for none.
int groupCodeOf(int restype) {
  switch (restype) {
    case RTSTR: return 1;
    case RTREAL: case RTANG: return 40;
    case RTSHORT: return 70;
    case RTLONG: return 90;
    case RTINT64: return 160;
    case RT3DPOINT: case RTPOINT: return 10;
    case RTENAME: return 330;
    default: return AcDbXrecord::isXrecordCode(restype) ? restype : 0;
  }
}

int resultTypeOf(const ResItem& item) {
  switch (item.kind) {
    case ResvalKind::kString: return RTSTR;
    case ResvalKind::kReal: return RTREAL;
    case ResvalKind::kPoint: return RT3DPOINT;
    case ResvalKind::kShort: return RTSHORT;
    case ResvalKind::kLong: return RTLONG;
    case ResvalKind::kInt64: return RTINT64;
    case ResvalKind::kName: return RTENAME;
    default: return item.code;
  }
}

bool isInteger(ResvalKind kind) {
  return kind == ResvalKind::kShort || kind == ResvalKind::kLong || kind == ResvalKind::kInt64;
}

}  // namespace

bool xrecordItemsFromChain(const resbuf* chain, ResItems& out) {
  ResItems items;
  if (!itemsFromChain(chain, items)) {
    out.clear();
    return false;
  }
  for (ResItem& item : items) {
    const int code = groupCodeOf(item.code);
    if (code == 0) {
      out.clear();
      return false;
    }
    // RTPOINT carries x and y only.
    if (item.code == RTPOINT) item.point.z = 0;
    item.code = short(code);
    item.kind = resvalKind(code);
  }
  out = std::move(items);
  return true;
}

resbuf* adsChainFromXrecordItems(const ResItems& items) {
  ResItems ads = items;
  for (ResItem& item : ads) item.code = short(resultTypeOf(item));
  return chainFromItems(ads);
}

std::optional<long long> firstInteger(const ResItems& items) {
  for (const ResItem& item : items)
    if (isInteger(item.kind)) return item.integer;
  return std::nullopt;
}

std::optional<std::wstring> firstText(const ResItems& items) {
  for (const ResItem& item : items)
    if (item.kind == ResvalKind::kString) return item.text;
  return std::nullopt;
}

std::optional<ResItem> integerItem(int code, long long value) {
  if (!AcDbXrecord::isXrecordCode(code)) return std::nullopt;
  const ResvalKind kind = resvalKind(code);
  if (!isInteger(kind)) return std::nullopt;
  if (kind == ResvalKind::kShort && (value < INT16_MIN || value > INT16_MAX)) return std::nullopt;
  if (kind == ResvalKind::kLong && (value < INT32_MIN || value > INT32_MAX)) return std::nullopt;
  return ResItem::ofInt(code, value);
}

std::optional<ResItem> textItem(int code, const wchar_t* text) {
  if (!AcDbXrecord::isXrecordCode(code) || resvalKind(code) != ResvalKind::kString) return std::nullopt;
  return ResItem::ofString(code, text ? text : L"");
}

}  // namespace uv::cadwrapper
