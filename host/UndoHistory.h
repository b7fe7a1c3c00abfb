// Undo and Redo of whole commands for the host: before a command (or an
// entry function, or a layer change) runs, the drawing as it is is kept;
// Undo puts the kept drawing back, Redo the one Undo left. A drawing is
// kept as its own DXF text in a private temporary folder, so everything the
// drawing holds comes back exactly: entities, tables, dictionaries with the
// surfaces kept in the drawing, records a conversion erased. A module's
// surface manager, which belongs to one drawing, reads the drawing afresh.
//
// Keeping a drawing costs a write of the whole drawing, so the batch host
// keeps them only for jobs that undo.
#pragma once

#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;

namespace uv::host {

class UndoHistory {
 public:
  // At most `depth` steps back.
  explicit UndoHistory(size_t depth = 50);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Keeps the drawing as it is before a change named `what` ("LINE");
  // Redo is no longer possible.
  void keep(const AcDbDatabase& db, const std::wstring& what);
  bool canUndo() const { return !m_undo.empty(); }
  bool canRedo() const { return !m_redo.empty(); }
  // What Undo or Redo would take back or bring again.
  std::wstring undoName() const { return m_undo.empty() ? std::wstring() : m_undo.back().what; }
  std::wstring redoName() const { return m_redo.empty() ? std::wstring() : m_redo.back().what; }
  // The drawing before the last change (null when there is none); `now` is
  // kept for Redo.
  std::unique_ptr<AcDbDatabase> undo(const AcDbDatabase& now);
  std::unique_ptr<AcDbDatabase> redo(const AcDbDatabase& now);
  // Forgets the last step kept (the change did not happen after all).
  void forgetLast();
  // Forgets every step (a new drawing was opened).
  void clear();

 private:
  struct Step {
    std::wstring what;
    std::string file;
  };
  Step store(const AcDbDatabase& db, const std::wstring& what);
  std::unique_ptr<AcDbDatabase> restore(const Step& step);
  void drop(const Step& step);

  size_t m_depth;
  std::string m_folder;
  unsigned m_next = 0;
  std::vector<Step> m_undo, m_redo;
};

}  // namespace uv::host
