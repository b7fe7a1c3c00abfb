// Small helpers for the database tests: add entities to model space and
// read what the checker says.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbEntity.h"
#include "base/TextCase.h"
#include "db/DrawingChecker.h"

namespace uvtest {

// Appends ent to db's model space and closes it.
inline AcDbObjectId addToModelSpace(AcDbDatabase& db, AcDbEntity* ent) {
  AcDbBlockTableRecord* ms = nullptr;
  EXPECT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
  ms->close();
  ent->close();
  return id;
}

// The checker's report as one text, for test messages.
inline std::string problems(const AcDbDatabase& db) {
  std::string all;
  for (const std::string& p : uv::checkDatabase(db)) all += p + "\n";
  return all;
}

}  // namespace uvtest

#define EXPECT_SOUND(db) EXPECT_TRUE(uv::checkDatabase(db).empty()) << uvtest::problems(db)
