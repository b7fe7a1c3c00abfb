#include "host/HostSession.h"

#include <QSize>

#include "base/SafeFileWriter.h"
#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/UndoLog.h"
#include "ed/AcApDocManager.h"
#include "ed/EdGraphics.h"
#include "ed/Transcript.h"
#include "host/DrawingFiles.h"
#include "host/HostError.h"
#include "host/render/DrawingPainter.h"
#include "host/render/DrawingRenderer.h"
#include "host/render/PictureMark.h"
#include "rx/ModuleLoader.h"
#include "user/CurrentUser.h"
#include "user/MessageBoxCodes.h"

namespace uv::host {

HostSession::HostSession(int renderWidth, int renderHeight) : m_width(renderWidth), m_height(renderHeight) {
  ModuleLoader::instance().setReporter([](const std::wstring& m) { Transcript::instance().write(m + L"\n"); });
}

HostSession::~HostSession() {
  ModuleLoader::instance().unloadAll();
  if (m_document) acDocManager->closeDocument(m_document);
  ModuleLoader::instance().setReporter(nullptr);
}

AcDbDatabase& HostSession::database() const {
  if (!m_document) throw HostError(ExitCode::kJobError, L"there is no drawing");
  return *m_document->database();
}

void HostSession::adopt(std::unique_ptr<AcDbDatabase> db, const std::wstring& fileName) {
  if (m_document) {
    const Acad::ErrorStatus es = acDocManager->closeDocument(m_document);
    if (es != Acad::eOk)
      throw HostError(ExitCode::kJobError, L"the drawing cannot be replaced while it is in use (" +
                                               fromUtf8(Acad::statusText(es)) + L")");
    m_document = nullptr;
  }
  if (m_undoEnabled) db->undoLog().enable();
  m_document = acDocManager->addDocument(std::move(db), fileName);
  m_source = fileName;
  ViewState& view = m_document->view();
  view.setScreenSize(m_width, m_height);
  const AcDbExtents box = render::DrawingPainter::visibleExtents(*m_document->database());
  if (!box.isEmpty()) view.zoomToExtents(box.minPoint(), box.maxPoint());
  m_fitted = view;
  m_viewSet = false;
}

void HostSession::newDrawing() { adopt(std::make_unique<AcDbDatabase>(), L""); }

void HostSession::setUndoEnabled(bool on) {
  m_undoEnabled = on;
  if (on && m_document) database().undoLog().enable();
}

const uv::UndoLog* HostSession::undoLog() const {
  return m_undoEnabled && m_document ? &m_document->database()->undoLog() : nullptr;
}

void HostSession::keepForUndo(const std::wstring& what) {
  if (m_undoEnabled && m_document) database().undoLog().begin(what);
}

void HostSession::forgetLastUndo() {
  if (m_undoEnabled && m_document) database().undoLog().forgetStep();
}

bool HostSession::restore(bool undo) {
  uv::UndoLog* log = m_undoEnabled && m_document ? &database().undoLog() : nullptr;
  if (!log || !(undo ? log->canUndo() : log->canRedo())) {
    Transcript::instance().write(undo ? L"Nothing to undo.\n" : L"Nothing to redo.\n");
    return false;
  }
  const std::wstring what = undo ? log->undoName() : log->redoName();
  const Acad::ErrorStatus es = undo ? log->undo() : log->redo();
  if (es != Acad::eOk) {
    Transcript::instance().write((undo ? L"Cannot undo " : L"Cannot redo ") + what + L": " +
                                 fromUtf8(Acad::statusText(es)) + L"\n");
    return false;
  }
  Transcript::instance().write((undo ? L"Undone: " : L"Redone: ") + what + L"\n");
  return true;
}

bool HostSession::undo() { return restore(true); }
bool HostSession::redo() { return restore(false); }

void HostSession::openDrawing(const std::wstring& path) {
  std::unique_ptr<AcDbDatabase> db = DrawingFiles::read(path);
  adopt(std::move(db), path);
  Transcript::instance().write(L"Opened " + path + L"\n");
}

bool HostSession::replacesOthersFile(const std::wstring& path) const {
  // A target the writer refuses (read-only, a folder) is not asked about: the writer says why.
  if (checkWriteTarget(path).state != WriteTarget::State::kExisting) return false;
  if (!m_source.empty() && sameFile(path, m_source)) return false;
  for (const std::wstring& w : m_written)
    if (sameFile(path, w)) return false;
  return true;
}

bool HostSession::replacesOthersPicture(const std::wstring& path) const {
  return replacesOthersFile(path) && !render::isPictureDrawnHere(path);
}

// `others`: what is at the path is not the drawing's own.
bool HostSession::mayReplace(const std::wstring& path, bool others, ExistingFile existing, const wchar_t* title) const {
  if (existing == ExistingFile::kReplace || !others) return true;
  if (existing == ExistingFile::kKeep) return false;
  FileQuestion dialog;
  dialog.save = dialog.confirmOverwrite = true;
  dialog.title = title;
  return currentUser().messageBox(overwriteQuestion(dialog, path)) == IDYES;
}

bool HostSession::saveDrawing(const std::wstring& path, ExistingFile existing) {
  const AcDbDatabase& db = database();
  if (!mayReplace(path, existing != ExistingFile::kReplace && replacesOthersFile(path), existing, L"Save drawing"))
    return false;
  DrawingFiles::write(db, path);
  m_written.push_back(path);
  Transcript::instance().write(L"Saved " + path + L"\n");
  return true;
}

bool HostSession::viewWasSet() const {
  if (m_viewSet || !m_document) return m_viewSet;
  const ViewState& now = m_document->view();
  return !now.centre().isEqualTo(m_fitted.centre()) || now.height() != m_fitted.height();
}

bool HostSession::renderDrawing(const std::wstring& path, ExistingFile existing) {
  render::DrawingRenderer renderer(database());
  if (!mayReplace(path, existing != ExistingFile::kReplace && replacesOthersPicture(path), existing, L"Save picture"))
    return false;
  if (viewWasSet()) renderer.setView(m_document->view().centre(), m_document->view().height());
  renderer.setTemporaryVectors(m_document->temporaryGraphics().vectors());
  renderer.setBackground(m_dark ? render::DrawingRenderer::darkBackground() : render::DrawingRenderer::lightBackground());
  renderer.setShadeByElevation(m_shadeByElevation);
  const render::RenderResult r = renderer.writeFile(path, QSize(m_width, m_height));
  if (!r.ok) throw HostError(ExitCode::kFileError, r.message);
  m_written.push_back(path);
  Transcript::instance().write(L"Rendered " + path + L"\n");
  return true;
}

void HostSession::regenerate() { uv::regenerate(); }

bool HostSession::setView(const AcGePoint3d& centre, double height) {
  if (!m_document || !m_document->view().set(centre, height)) return false;
  m_viewSet = true;
  regenerate();  // a new view clears the temporary vectors, as a zoom does
  return true;
}

void HostSession::loadModule(const std::wstring& path) {
  const ModuleResult r = ModuleLoader::instance().load(path);
  if (!r.ok) throw HostError(ExitCode::kFileError, r.message);
  Transcript::instance().write(r.message + L"\n");
}

void HostSession::unloadModule(const std::wstring& name) {
  const ModuleResult r = ModuleLoader::instance().unload(name);
  if (!r.ok) throw HostError(ExitCode::kJobError, r.message);
  Transcript::instance().write(r.message + L"\n");
}

}  // namespace uv::host
