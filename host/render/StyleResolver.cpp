#include "host/render/StyleResolver.h"

#include <algorithm>
#include <cwchar>

#include "db/AcDbDatabase.h"
#include "db/AcDbEntity.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/AcDbObjectPointer.h"

namespace uv::render {

StyleResolver::StyleResolver(const AcDbDatabase& db) : m_db(db) {}

const StyleResolver::LayerInfo& StyleResolver::info(AcDbObjectId layer) const {
  if (m_lastInfo && layer == m_lastLayer) return *m_lastInfo;
  m_lastLayer = layer;
  auto it = m_layers.find(layer);
  if (it != m_layers.end()) return *(m_lastInfo = &it->second);
  LayerInfo li;
  AcDbObjectPointer<AcDbLayerTableRecord> record(layer, AcDb::kForRead);
  if (record.openStatus() == Acad::eOk) {
    li.off = record->isOff();
    li.frozen = record->isFrozen();
    li.zero = layer == m_db.layerZero();
    li.colour = record->color().isByACI() ? record->color().colorIndex() : 7;
    li.linetype = continuousOrNull(record->linetypeObjectId());
    const int w = record->lineWeight();
    li.lineWeight = w >= 0 ? w : kDefaultLineWeight;
  }
  return *(m_lastInfo = &m_layers.emplace(layer, li).first->second);
}

AcDbObjectId StyleResolver::continuousOrNull(AcDbObjectId linetype) const {
  return linetype == m_db.continuousLinetype() ? AcDbObjectId() : linetype;
}

Resolved StyleResolver::resolve(const AcDbEntity& entity, const Inherited& from) const {
  Resolved r;
  r.layer = entity.layerId();
  // Layer 0 inside a block stands for the layer of the reference.
  if (!from.layer.isNull() && r.layer == m_db.layerZero()) r.layer = from.layer;
  const LayerInfo& layer = info(r.layer);
  r.visible = !entity.isErased() && entity.visibility() == AcDb::kVisible && !layer.off && !layer.frozen;

  const int colour = entity.colorIndex();
  r.colour = colour == 256 ? layer.colour : colour == 0 ? from.colour : colour;

  const AcDbObjectId lt = entity.linetypeId();
  if (lt.isNull() || lt == m_db.byLayerLinetype()) r.linetype = layer.linetype;
  else if (lt == m_db.byBlockLinetype()) r.linetype = from.linetype;
  else r.linetype = continuousOrNull(lt);
  r.linetypeScale = entity.linetypeScale() * (lt == m_db.byBlockLinetype() ? from.linetypeScale : 1.0);

  const int w = entity.lineWeight();
  r.lineWeight = w == AcDb::kLnWtByLayer ? layer.lineWeight
                 : w == AcDb::kLnWtByBlock ? from.lineWeight
                 : w < 0 ? kDefaultLineWeight
                         : w;
  return r;
}

const std::vector<double>& StyleResolver::dashes(AcDbObjectId linetype) const {
  static const std::vector<double> kContinuous;
  if (linetype.isNull()) return kContinuous;
  auto it = m_dashes.find(linetype);
  if (it != m_dashes.end()) return it->second;
  std::vector<double> pattern;
  AcDbObjectPointer<AcDbLinetypeTableRecord> record(linetype, AcDb::kForRead);
  if (record.openStatus() == Acad::eOk) {
    for (int i = 0; i < record->numDashes(); ++i) pattern.push_back(record->dashLengthAt(i));
    // A pattern without any gap draws as a continuous line.
    if (std::none_of(pattern.begin(), pattern.end(), [](double d) { return d < 0; })) pattern.clear();
  }
  return m_dashes.emplace(linetype, std::move(pattern)).first->second;
}

double StyleResolver::pixelWidth(int lineWeight) {
  const double millimetres = std::max(lineWeight, 0) / 100.0;
  return std::max(1.0, millimetres * 96.0 / 25.4);
}

}  // namespace uv::render
