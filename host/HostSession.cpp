#include "host/HostSession.h"

#include <QSize>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"
#include "ed/EdGraphics.h"
#include "ed/Transcript.h"
#include "host/DrawingFiles.h"
#include "host/HostError.h"
#include "host/render/DrawingPainter.h"
#include "host/render/DrawingRenderer.h"
#include "rx/ModuleLoader.h"

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
  m_document = acDocManager->addDocument(std::move(db), fileName);
  ViewState& view = m_document->view();
  view.setScreenSize(m_width, m_height);
  const AcDbExtents box = render::DrawingPainter::visibleExtents(*m_document->database());
  if (!box.isEmpty()) view.zoomToExtents(box.minPoint(), box.maxPoint());
  m_fitted = view;
  m_viewSet = false;
}

void HostSession::newDrawing() {
  adopt(std::make_unique<AcDbDatabase>(), L"");
  m_history.clear();
}

void HostSession::keepForUndo(const std::wstring& what) {
  if (m_undoEnabled && m_document) m_history.keep(database(), what);
}

void HostSession::reinstate(std::unique_ptr<AcDbDatabase> db) {
  const ViewState view = m_document->view();
  const std::wstring fileName = m_document->fileName();
  const bool viewSet = m_viewSet;
  const ViewState fitted = m_fitted;
  adopt(std::move(db), fileName);
  m_document->view() = view;
  m_viewSet = viewSet;
  m_fitted = fitted;
}

bool HostSession::undo() {
  if (!m_document || !m_history.canUndo()) {
    Transcript::instance().write(L"Nothing to undo.\n");
    return false;
  }
  const std::wstring what = m_history.undoName();
  reinstate(m_history.undo(database()));
  Transcript::instance().write(L"Undone: " + what + L"\n");
  return true;
}

bool HostSession::redo() {
  if (!m_document || !m_history.canRedo()) {
    Transcript::instance().write(L"Nothing to redo.\n");
    return false;
  }
  const std::wstring what = m_history.redoName();
  reinstate(m_history.redo(database()));
  Transcript::instance().write(L"Redone: " + what + L"\n");
  return true;
}

void HostSession::openDrawing(const std::wstring& path) {
  std::unique_ptr<AcDbDatabase> db = DrawingFiles::read(path);
  adopt(std::move(db), path);
  m_history.clear();
  Transcript::instance().write(L"Opened " + path + L"\n");
}

void HostSession::saveDrawing(const std::wstring& path) const {
  DrawingFiles::write(database(), path);
  Transcript::instance().write(L"Saved " + path + L"\n");
}

bool HostSession::viewWasSet() const {
  if (m_viewSet || !m_document) return m_viewSet;
  const ViewState& now = m_document->view();
  return !now.centre().isEqualTo(m_fitted.centre()) || now.height() != m_fitted.height();
}

void HostSession::renderDrawing(const std::wstring& path) const {
  render::DrawingRenderer renderer(database());
  if (viewWasSet()) renderer.setView(m_document->view().centre(), m_document->view().height());
  renderer.setTemporaryVectors(m_document->temporaryGraphics().vectors());
  renderer.setBackground(m_dark ? render::DrawingRenderer::darkBackground() : render::DrawingRenderer::lightBackground());
  renderer.setShadeByElevation(m_shadeByElevation);
  const render::RenderResult r = renderer.writeFile(path, QSize(m_width, m_height));
  if (!r.ok) throw HostError(ExitCode::kFileError, r.message);
  Transcript::instance().write(L"Rendered " + path + L"\n");
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
