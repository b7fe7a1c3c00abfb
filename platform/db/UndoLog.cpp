#include "UndoLog.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "AcDbDatabase.h"
#include "DbAccess.h"

namespace uv {

struct UndoLog::Step {
  std::wstring what;
  bool named = false;
  std::uint32_t number = 0;
  Values before, after;
  // An object changed in the step, with its other state: as it was before
  // the step while the step is done, as the step left it while undone.
  struct Kept {
    ObjectSlot* slot;
    std::unique_ptr<AcDbObject> other;
  };
  std::vector<Kept> changed;
  std::vector<ObjectSlot*> made;    // handles the step made
  std::vector<ObjectSlot*> filled;  // reserved handles the step filled
  // While undone: what Undo took out of the drawing, by the index of made
  // and filled.
  std::vector<AcDbDatabase::SlotNode> madeSlots;
  std::vector<std::unique_ptr<AcDbObject>> madeObjects, filledObjects;

  bool empty() const { return changed.empty() && made.empty() && filled.empty(); }
};

namespace {
// Marks of one log never pass for marks of another (a drawing made where an
// old one lived): each log counts from its own far-apart start.
std::uint64_t firstMark() {
  static std::atomic<std::uint64_t> logs{0};
  return (++logs) << 40;
}
}  // namespace

UndoLog::UndoLog(AcDbDatabase& db) : m_db(db), m_changesBase(firstMark()) {}

UndoLog::~UndoLog() = default;

void UndoLog::enable() {
  m_enabled = true;
  if (!m_open) open(kBetweenSteps, false);
}

void UndoLog::begin(const std::wstring& what) {
  m_enabled = true;
  seal();
  dropRedo();
  open(what, true);
}

void UndoLog::forgetStep() {
  if (!m_open || !m_open->empty()) return;
  m_open.reset();
  open(kBetweenSteps, false);
}

void UndoLog::setDepth(size_t steps) {
  m_depth = std::max<size_t>(steps, 1);
  while (m_done.size() > m_depth) m_done.pop_front();
}

bool UndoLog::canUndo() const { return !m_done.empty() || (m_open && (m_open->named || !m_open->empty())); }

std::wstring UndoLog::undoName() const {
  if (m_open && (m_open->named || !m_open->empty())) return m_open->what;
  return m_done.empty() ? std::wstring() : m_done.back()->what;
}

std::wstring UndoLog::redoName() const { return m_redo.empty() ? std::wstring() : m_redo.back()->what; }

std::uint32_t UndoLog::stepNumber() const { return m_open ? m_open->number : 0; }

void UndoLog::open(const std::wstring& what, bool named) {
  m_open = std::make_unique<Step>();
  m_open->what = what;
  m_open->named = named;
  m_open->number = m_nextNumber++;
  if (m_nextNumber == 0) m_nextNumber = 1;  // 0 means no step
  m_open->before = values();
  m_db.m_undoStep = m_open->number;
  m_openChanges = changeMark();
}

void UndoLog::seal() {
  m_db.m_undoStep = 0;
  if (!m_open) return;
  std::unique_ptr<Step> step = std::move(m_open);
  if (!step->named && step->empty()) return;
  m_done.push_back(std::move(step));
  while (m_done.size() > m_depth) m_done.pop_front();
}

void UndoLog::dropRedo() {
  // Ids of what an undone step made may still be held: their handles'
  // places stay with the database, empty.
  for (auto& step : m_redo)
    for (auto& slot : step->madeSlots) m_db.retireSlot(std::move(slot));
  m_redo.clear();
}

void UndoLog::clear() {
  // What was read afresh left no trace: every holder reads it all again.
  m_changesBase += m_changes.size() + 1;
  m_changes.clear();
  const bool wasOpen = m_open != nullptr;
  m_open.reset();
  m_db.m_undoStep = 0;
  m_done.clear();
  dropRedo();
  if (wasOpen) open(kBetweenSteps, false);
}

void UndoLog::changing(ObjectSlot& slot) {
  if (!m_open || !slot.object) return;
  if (!m_redo.empty()) dropRedo();
  slot.step = m_open->number;
  std::unique_ptr<AcDbObject> copy(slot.object->clone());
  // A class without its own clone() would come back as its base class,
  // losing what it holds: stop at once, naming it.
  if (copy->isA() != slot.object->isA()) {
    std::fprintf(stderr, "fatal: %ls does not clone itself (UV_DECLARE_CLONE)\n", slot.object->isA()->name());
    std::abort();
  }
  m_open->changed.push_back({&slot, std::move(copy)});
  touched(&slot);
}

void UndoLog::added(ObjectSlot& slot, bool newHandle) {
  if (!m_open) return;
  if (!m_redo.empty()) dropRedo();
  slot.step = m_open->number;
  (newHandle ? m_open->made : m_open->filled).push_back(&slot);
  touched(&slot);
}

void UndoLog::touched(ObjectSlot* slot) {
  if (m_changes.size() >= kChangeLimit) {
    m_changesBase += m_changes.size();
    m_changes.clear();
  }
  m_changes.push_back(AcDbObjectId(slot));
}

void UndoLog::touchedStep(const Step& step) {
  for (const Step::Kept& k : step.changed) touched(k.slot);
  for (ObjectSlot* s : step.made) touched(s);
  for (ObjectSlot* s : step.filled) touched(s);
}

bool UndoLog::changesSince(std::uint64_t mark, std::vector<AcDbObjectId>& ids) const {
  ids.clear();
  if (!enabled() || mark > changeMark()) return false;
  const std::uint64_t from = m_open ? std::min(mark, m_openChanges) : mark;
  if (from < m_changesBase) return false;
  ids.assign(m_changes.begin() + std::ptrdiff_t(from - m_changesBase), m_changes.end());
  return true;
}

UndoLog::Values UndoLog::values() const {
  return {m_db.m_clayer, m_db.m_celtype, m_db.m_textstyle, m_db.m_celweight, m_db.m_handseed, m_db.m_extents};
}

void UndoLog::setValues(const Values& v) {
  m_db.m_clayer = v.clayer;
  m_db.m_celtype = v.celtype;
  m_db.m_textstyle = v.textstyle;
  m_db.m_celweight = v.celweight;
  m_db.m_handseed = v.handseed;
  m_db.m_extents = v.extents;
}

bool UndoLog::anyOpen(const Step& step) const {
  for (const Step::Kept& k : step.changed)
    if (k.slot->object && k.slot->object->isOpen()) return true;
  for (ObjectSlot* s : step.made)
    if (s->object && s->object->isOpen()) return true;
  for (ObjectSlot* s : step.filled)
    if (s->object && s->object->isOpen()) return true;
  return false;
}

namespace {

// Puts `incoming` in the slot's place and hands back what was there.
std::unique_ptr<AcDbObject> exchange(ObjectSlot& slot, std::unique_ptr<AcDbObject> incoming) {
  std::unique_ptr<AcDbObject> outgoing = std::move(slot.object);
  if (outgoing) DbAccess::attach(*outgoing, nullptr);
  slot.object = std::move(incoming);
  if (slot.object) DbAccess::attach(*slot.object, &slot);
  return outgoing;
}

}  // namespace

void UndoLog::revert(AcDbDatabase& db, Step& step) {
  step.after = db.m_undo->values();
  step.madeSlots.resize(step.made.size());
  step.madeObjects.resize(step.made.size());
  for (size_t i = step.made.size(); i-- > 0;) {
    step.madeObjects[i] = exchange(*step.made[i], nullptr);
    step.madeSlots[i] = db.takeSlot(step.made[i]);
  }
  step.filledObjects.resize(step.filled.size());
  for (size_t i = 0; i < step.filled.size(); ++i) step.filledObjects[i] = exchange(*step.filled[i], nullptr);
  // Later kept states first: an object is kept once a step, so the order
  // only matters for clarity.
  for (auto k = step.changed.rbegin(); k != step.changed.rend(); ++k) k->other = exchange(*k->slot, std::move(k->other));
  db.m_undo->setValues(step.before);
}

void UndoLog::replay(AcDbDatabase& db, Step& step) {
  for (Step::Kept& k : step.changed) k.other = exchange(*k.slot, std::move(k.other));
  for (size_t i = 0; i < step.filled.size(); ++i) exchange(*step.filled[i], std::move(step.filledObjects[i]));
  for (size_t i = 0; i < step.made.size(); ++i) {
    db.putSlot(std::move(step.madeSlots[i]));
    exchange(*step.made[i], std::move(step.madeObjects[i]));
  }
  step.madeSlots.clear();
  step.madeObjects.clear();
  step.filledObjects.clear();
  db.m_undo->setValues(step.after);
}

Acad::ErrorStatus UndoLog::undo() { return restore(true); }
Acad::ErrorStatus UndoLog::redo() { return restore(false); }

Acad::ErrorStatus UndoLog::restore(bool undoing) {
  seal();
  std::deque<std::unique_ptr<Step>>& from = undoing ? m_done : m_redo;
  std::deque<std::unique_ptr<Step>>& to = undoing ? m_redo : m_done;
  Acad::ErrorStatus es = Acad::eNotApplicable;
  if (!from.empty()) {
    if (anyOpen(*from.back())) {
      es = Acad::eWasOpenForWrite;
    } else {
      if (undoing) revert(m_db, *from.back());
      else replay(m_db, *from.back());
      touchedStep(*from.back());
      to.push_back(std::move(from.back()));
      from.pop_back();
      while (m_done.size() > m_depth) m_done.pop_front();
      ++m_restores;
      es = Acad::eOk;
    }
  }
  if (m_enabled) open(kBetweenSteps, false);
  return es;
}

}  // namespace uv
