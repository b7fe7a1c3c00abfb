#include "product/cadwrapper/BlockImporter.h"

#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbTextStyleTable.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

namespace uv::cadwrapper {

template <class Record, class Copy>
AcDbObjectId BlockImporter::matchRecord(AcDbObjectId source, AcDbObjectId targetTable,
                                        std::map<AcDbObjectId, AcDbObjectId>& cache, Copy copyFields) {
  if (source.isNull()) return AcDbObjectId();
  if (auto it = cache.find(source); it != cache.end()) return it->second;
  CKVLCObjectPtr<Record> from(source);
  if (!from.isOpen()) return AcDbObjectId();
  CKVLCObjectPtr<AcDbSymbolTable> table(targetTable);
  if (!table.isOpen()) return AcDbObjectId();
  AcDbObjectId found;
  if (table->getAt(from->nameText().c_str(), found) != Acad::eOk) {
    if (table.upgradeOpen() != Acad::eOk) return AcDbObjectId();
    auto* made = new Record();
    made->setName(from->nameText().c_str());
    copyFields(*from.object(), *made);
    if (table->add(found, made) != Acad::eOk) {
      delete made;
      return AcDbObjectId();
    }
    made->close();
  }
  cache[source] = found;
  return found;
}

AcDbObjectId BlockImporter::linetype(AcDbObjectId source) {
  return matchRecord<AcDbLinetypeTableRecord>(
      source, m_target.linetypeTableId(), m_linetypes,
      [](const AcDbLinetypeTableRecord& from, AcDbLinetypeTableRecord& to) {
        to.setComments(from.commentsConst());
        to.setPatternLength(from.patternLength());
        to.setNumDashes(from.numDashes());
        for (int i = 0; i < from.numDashes(); ++i) to.setDashLengthAt(i, from.dashLengthAt(i));
      });
}

AcDbObjectId BlockImporter::layer(AcDbObjectId source) {
  return matchRecord<AcDbLayerTableRecord>(
      source, m_target.layerTableId(), m_layers, [this](const AcDbLayerTableRecord& from, AcDbLayerTableRecord& to) {
        to.setColor(from.color());
        to.setLineWeight(from.lineWeight());
        to.setIsPlottable(from.isPlottable());
        to.setIsOff(from.isOff());
        if (AcDbObjectId lt = linetype(from.linetypeObjectId()); !lt.isNull()) to.setLinetypeObjectId(lt);
      });
}

AcDbObjectId BlockImporter::textStyle(AcDbObjectId source) {
  return matchRecord<AcDbTextStyleTableRecord>(
      source, m_target.textStyleTableId(), m_styles,
      [](const AcDbTextStyleTableRecord& from, AcDbTextStyleTableRecord& to) {
        to.setTextSize(from.textSize());
        to.setXScale(from.xScale());
        to.setObliquingAngle(from.obliquingAngle());
        const ACHAR* file = nullptr;
        if (from.fileName(file) == Acad::eOk) to.setFileName(file);
        if (from.bigFontFileName(file) == Acad::eOk) to.setBigFontFileName(file);
      });
}

AcDbObjectId BlockImporter::block(AcDbObjectId source) {
  // A block that refers to itself would never end; the reference is left out.
  if (m_inProgress.count(source)) return AcDbObjectId();
  if (auto it = m_blocks.find(source); it != m_blocks.end()) return it->second;
  CKVLCObjectPtr<AcDbBlockTableRecord> from(source);
  if (!from.isOpen()) return AcDbObjectId();
  const std::wstring name = from->nameText();
  from.close();
  AcDbObjectId result;
  importBlock(source, name, result);
  return result;
}

Acad::ErrorStatus BlockImporter::importBlock(AcDbObjectId sourceBlock, const std::wstring& name,
                                             AcDbObjectId& result) {
  result.setNull();
  if (m_inProgress.count(sourceBlock)) return Acad::eInvalidInput;
  CKVLCObjectPtr<AcDbBlockTable> table(m_target.blockTableId());
  if (!table.isOpen()) return table.status();
  if (table->getAt(name.c_str(), result) == Acad::eOk) {
    m_blocks[sourceBlock] = result;
    return Acad::eOk;
  }
  CKVLCObjectPtr<AcDbBlockTableRecord> from(sourceBlock);
  if (!from.isOpen()) return from.status();
  const bool isLayout = from->isLayout();
  const AcGePoint3d origin = isLayout ? AcGePoint3d() : from->origin();
  const std::vector<AcDbObject*> entities = from->entities();
  from.close();

  if (Acad::ErrorStatus es = table.upgradeOpen(); es != Acad::eOk) return es;
  auto* block = new AcDbBlockTableRecord();
  if (Acad::ErrorStatus es = block->setName(name.c_str()); es != Acad::eOk) {
    delete block;
    return es;
  }
  block->setOrigin(origin);
  if (Acad::ErrorStatus es = table->add(result, block); es != Acad::eOk) {
    delete block;
    result.setNull();
    return es;
  }
  table.close();
  // The record is closed while its entities are copied: a nested reference
  // may need the block table again.
  block->close();
  m_blocks[sourceBlock] = result;
  m_inProgress.insert(sourceBlock);

  EntityCopier copier(*this);
  for (AcDbObject* object : entities) {
    const AcDbEntity* entity = AcDbEntity::cast(object);
    std::unique_ptr<AcDbEntity> copy = entity ? copier.copy(*entity) : nullptr;
    if (!copy) {
      ++m_skipped;
      continue;
    }
    CKVLCObjectPtr<AcDbBlockTableRecord> target(result, AcDb::kForWrite);
    if (!target.isOpen() || target->appendAcDbEntity(copy.get()) != Acad::eOk) {
      ++m_skipped;
      continue;
    }
    copy.release()->close();
  }
  m_inProgress.erase(sourceBlock);
  return Acad::eOk;
}

}  // namespace uv::cadwrapper
