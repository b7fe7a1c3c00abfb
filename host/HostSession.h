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
#include <vector>

#include "ed/ViewState.h"
#include "ge/AcGePoint3d.h"

class AcApDocument;
class AcDbDatabase;
namespace uv {
class UndoLog;
}

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
  // What a save or a picture does with a file already at its path that is
  // not the drawing's own: the file it was opened from, one this run wrote,
  // or (for a picture) one this program drew. A user's file is never
  // replaced without asking.
  enum class ExistingFile {
    kAsk,      // the current user's message box: "... already exists. Do you want to replace it?"
    kReplace,  // the user has agreed already (a file dialog asked, --replace)
    kKeep,     // nobody to ask: keep it
  };
  // True when written; false (the file untouched) when the existing file
  // is kept. Failures throw HostError.
  bool saveDrawing(const std::wstring& path, ExistingFile existing = ExistingFile::kAsk);
  bool renderDrawing(const std::wstring& path, ExistingFile existing = ExistingFile::kAsk);
  // Whether saving the drawing (or a picture) to `path` replaces a file that is not the drawing's own.
  bool replacesOthersFile(const std::wstring& path) const;
  bool replacesOthersPicture(const std::wstring& path) const;
  // False (and no change) for a height that is not positive.
  bool setView(const AcGePoint3d& centre, double height);
  bool viewWasSet() const;
  // What a regeneration of the view does: the temporary vectors vanish.
  void regenerate();
  // How the pictures drawn from now on look.
  void setDarkBackground(bool dark) { m_dark = dark; }
  void setShadeByElevation(bool shade) { m_shadeByElevation = shade; }

  // Undo and Redo of whole commands, through the drawing's own record of
  // what each command changed (uv::UndoLog; a drawing that comes in starts
  // its history anew). keepForUndo starts the record of a change named
  // `what` ("LINE"), when undo is on; forgetLastUndo drops it again when
  // it changed nothing (a command that was not one). undo and redo take
  // the drawing back or forward a step and say on the command line what
  // they did (false when there was nothing to do).
  void setUndoEnabled(bool on);
  bool undoEnabled() const { return m_undoEnabled; }
  void keepForUndo(const std::wstring& what);
  void forgetLastUndo();
  bool undo();
  bool redo();
  // The drawing's record (null without a drawing or with undo off).
  const uv::UndoLog* undoLog() const;

  void loadModule(const std::wstring& path);
  void unloadModule(const std::wstring& name);

 private:
  void adopt(std::unique_ptr<AcDbDatabase> db, const std::wstring& fileName);
  bool restore(bool undo);
  bool mayReplace(const std::wstring& path, bool others, ExistingFile existing, const wchar_t* title) const;
  AcDbDatabase& database() const;

  AcApDocument* m_document = nullptr;
  int m_width, m_height;
  bool m_viewSet = false;
  bool m_dark = false;
  bool m_shadeByElevation = false;
  ViewState m_fitted;  // the view as zoomed to the extents when the drawing came
  bool m_undoEnabled = true;
  std::wstring m_source;               // the file the drawing came from
  std::vector<std::wstring> m_written;  // the drawings this run saved
};

}  // namespace uv::host
