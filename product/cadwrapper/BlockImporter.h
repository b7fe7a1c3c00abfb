// Brings a block definition of one drawing into another, as inserting a
// drawing file as a block does: the block with its entities, and whatever
// they need that the target lacks (layers, linetypes, text styles, the
// blocks of nested references), matched by name. Records the target already
// has are used as they are, never changed.
#pragma once

#include <map>
#include <set>
#include <string>

#include "db/AcDbDatabase.h"
#include "product/cadwrapper/EntityCopier.h"

namespace uv::cadwrapper {

class BlockImporter : private EntityCopier::References {
 public:
  BlockImporter(const AcDbDatabase& source, AcDbDatabase& target) : m_source(source), m_target(target) {}

  // Copies the source block `sourceBlock` into the target as a new block
  // named `name` (a block of that name the target has already is returned as
  // it is). The model space may be given: its entities then make the block.
  Acad::ErrorStatus importBlock(AcDbObjectId sourceBlock, const std::wstring& name, AcDbObjectId& result);

  // Entities of kinds the drawing does not model, left out of the copy.
  int skippedEntities() const { return m_skipped; }

 private:
  AcDbObjectId layer(AcDbObjectId source) override;
  AcDbObjectId linetype(AcDbObjectId source) override;
  AcDbObjectId textStyle(AcDbObjectId source) override;
  AcDbObjectId block(AcDbObjectId source) override;

  // The target record named as the source record, made when missing.
  template <class Record, class Copy>
  AcDbObjectId matchRecord(AcDbObjectId source, AcDbObjectId targetTable, std::map<AcDbObjectId, AcDbObjectId>& cache,
                           Copy copyFields);

  const AcDbDatabase& m_source;
  AcDbDatabase& m_target;
  std::map<AcDbObjectId, AcDbObjectId> m_layers, m_linetypes, m_styles, m_blocks;
  std::set<AcDbObjectId> m_inProgress;  // blocks being copied, against blocks that hold themselves
  int m_skipped = 0;
};

}  // namespace uv::cadwrapper
