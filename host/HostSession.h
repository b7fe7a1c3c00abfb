// The host's state during a batch run and what it does between commands:
// the document (its drawing, view and temporary vectors), drawings read and
// written, pictures drawn, modules loaded and unloaded.
//
// The view: a drawing that comes in is zoomed to its extents, so that
// VIEWCTR and VIEWSIZE report what a person would see. A picture shows
// the drawing's extents at the moment it is drawn, unless the view was set
// (by the view verb or by a module that zoomed), in which case it shows
// that view.
#pragma once

#include <memory>
#include <string>

#include "ed/ViewState.h"
#include "ge/AcGePoint3d.h"
#include "host/UndoHistory.h"

class AcApDocument;
class AcDbDatabase;

namespace uv::host {

class HostSession {
 public:
  HostSession(int renderWidth, int renderHeight);
  // Unloads the modules (last loaded first) and closes the document.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  AcApDocument* document() const { return m_document; }

  void newDrawing();
  // Replaces the document's drawing; on failure the old one stays.
  void openDrawing(const std::wstring& path);
  void saveDrawing(const std::wstring& path) const;
  void renderDrawing(const std::wstring& path) const;
  // False (and no change) for a height that is not positive.
  bool setView(const AcGePoint3d& centre, double height);
  bool viewWasSet() const;
  // What a regeneration of the view does: the temporary vectors vanish.
  void regenerate();
  // How the pictures drawn from now on look.
  void setDarkBackground(bool dark) { m_dark = dark; }
  void setShadeByElevation(bool shade) { m_shadeByElevation = shade; }

  // Undo and Redo of whole commands (see UndoHistory). keepForUndo keeps
  // the drawing before a change, when undo is on; undo and redo put a kept
  // drawing back, keeping the view and the file name, and say on the
  // command line what they did (false when there was nothing to do).
  void setUndoEnabled(bool on) { m_undoEnabled = on; }
  bool undoEnabled() const { return m_undoEnabled; }
  void keepForUndo(const std::wstring& what);
  void forgetLastUndo() { m_history.forgetLast(); }
  bool undo();
  bool redo();
  const UndoHistory& history() const { return m_history; }

  void loadModule(const std::wstring& path);
  void unloadModule(const std::wstring& name);

 private:
  void adopt(std::unique_ptr<AcDbDatabase> db, const std::wstring& fileName);
  // Puts a kept drawing in the document's place, the view as it was.
  void reinstate(std::unique_ptr<AcDbDatabase> db);
  AcDbDatabase& database() const;

  AcApDocument* m_document = nullptr;
  int m_width, m_height;
  bool m_viewSet = false;
  bool m_dark = false;
  bool m_shadeByElevation = false;
  ViewState m_fitted;  // the view as zoomed to the extents when the drawing came
  bool m_undoEnabled = true;
  UndoHistory m_history;
};

}  // namespace uv::host
