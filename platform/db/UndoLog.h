// The database's record of what each step (a command, as the host names it)
// changed, for Undo and Redo of whole steps.
//
// Once enabled, every change lands in the open step: an object added (its
// handle made or a reserved one filled), and an object changed or erased,
// kept as it was before its first change in the step (a clone(), taken when
// it is opened for write or changed by its owner). The database's own
// values (current layer, linetype, text style, line weight, handle seed,
// extents) are kept as the step found them.
//
//   db.undoLog().enable();
//   db.undoLog().begin(L"LINE");   // the step before ends here
//   ... the command changes the drawing ...
//   db.undoLog().undo();           // the drawing as before LINE
//   db.undoLog().redo();           // and after it again
//
// Undo puts the kept objects back in their handles' places (the changed
// ones become the record Redo puts back), takes the added objects out of
// the drawing (their ids then open nothing) and restores the database's
// values, so that the drawing is the one before the step down to its
// handles. Each is a swap of pointers: no object is copied.
//
// Changes made between steps (after Undo, say) form a step of their own,
// named kBetweenSteps. A recorded change ends what could be redone. The
// drawing's file parts (header variables of the file, classes) are not
// recorded: only readers change them.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "base/ErrorStatus.h"
#include "AcDb.h"
#include "AcDbExtents.h"
#include "AcDbObjectId.h"

class AcDbDatabase;
class AcDbObject;

namespace uv {

struct ObjectSlot;

class UndoLog {
 public:
  explicit UndoLog(AcDbDatabase& db);
  ~UndoLog();
  UndoLog(const UndoLog&) = delete;
  UndoLog& operator=(const UndoLog&) = delete;

  // Starts recording (an unnamed step opens); nothing is recorded before.
  void enable();
  bool enabled() const { return m_open != nullptr || m_enabled; }
  // Ends the open step and opens one named `what`; what could be redone is
  // forgotten.
  void begin(const std::wstring& what);
  // Drops the open step if it recorded nothing (it did not happen after
  // all: a command that was not one); an unnamed step opens instead.
  void forgetStep();
  // At most this many steps back (the oldest are forgotten).
  void setDepth(size_t steps);

  bool canUndo() const;
  bool canRedo() const { return !m_redo.empty(); }
  // The name of the step Undo (Redo) would take back (bring again).
  std::wstring undoName() const;
  std::wstring redoName() const;
  // eOk; eNotApplicable when there is nothing to undo (redo);
  // eWasOpenForWrite (nothing done) while an object of the step is open.
  Acad::ErrorStatus undo();
  Acad::ErrorStatus redo();
  // Forgets every step (a drawing read afresh starts its history anew).
  void clear();
  // Undos and redos done so far: a holder of state read from the drawing
  // reads it again when this changed.
  std::uint64_t restores() const { return m_restores; }

  // What changed, for a holder of state read from the drawing that would
  // rather catch up than read it all again (the view's index): the ids of
  // the objects each change touched (added, changed or erased in a step,
  // put back or taken out by Undo and Redo), oldest first, since `mark`
  // (changeMark() when the holder last read), and again those the open
  // step touched before it (an object is kept once a step, so its later
  // changes in the step leave no new trace). False when some are no longer
  // known: nothing recorded, more than kChangeLimit since, or the history
  // cleared. An id may come more than once.
  std::uint64_t changeMark() const { return m_changesBase + m_changes.size(); }
  bool changesSince(std::uint64_t mark, std::vector<AcDbObjectId>& ids) const;
  static constexpr size_t kChangeLimit = size_t(1) << 22;

  static constexpr const wchar_t* kBetweenSteps = L"changes between commands";

 private:
  friend class ::AcDbDatabase;
  struct Step;
  struct Values {
    AcDbObjectId clayer, celtype, textstyle;
    AcDb::LineWeight celweight = AcDb::kLnWtByLayer;
    std::uint64_t handseed = 1;
    AcDbExtents extents;
  };

  // From the database, as changes happen while a step is open.
  void changing(ObjectSlot& slot);
  void added(ObjectSlot& slot, bool newHandle);
  std::uint32_t stepNumber() const;

  void open(const std::wstring& what, bool named);
  void seal();
  void dropRedo();
  Values values() const;
  void setValues(const Values& v);
  static void revert(AcDbDatabase& db, Step& step);
  static void replay(AcDbDatabase& db, Step& step);
  bool anyOpen(const Step& step) const;
  void touched(ObjectSlot* slot);
  void touchedStep(const Step& step);
  Acad::ErrorStatus restore(bool undoing);

  AcDbDatabase& m_db;
  bool m_enabled = false;
  std::unique_ptr<Step> m_open;
  std::deque<std::unique_ptr<Step>> m_done;
  std::deque<std::unique_ptr<Step>> m_redo;
  size_t m_depth = 50;
  std::uint32_t m_nextNumber = 1;
  std::uint64_t m_restores = 0;
  // The ids changes touched, the first of them numbered m_changesBase (each
  // log counts from a start of its own); where the open step's begin.
  std::vector<AcDbObjectId> m_changes;
  std::uint64_t m_changesBase = 0;
  std::uint64_t m_openChanges = 0;
};

}  // namespace uv
