#include "host/UndoHistory.h"

#include <filesystem>
#include <unistd.h>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "host/DrawingFiles.h"
#include "host/HostError.h"

namespace uv::host {

namespace fs = std::filesystem;

UndoHistory::UndoHistory(size_t depth) : m_depth(depth) {}

UndoHistory::~UndoHistory() {
  if (m_folder.empty()) return;
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

UndoHistory::Step UndoHistory::store(const AcDbDatabase& db, const std::wstring& what) {
  if (m_folder.empty()) {
    const fs::path folder = fs::temp_directory_path() / ("cadhost-undo-" + std::to_string(::getpid()) + "-" +
                                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw HostError(ExitCode::kFileError, L"cannot make a folder for the undo steps: " + fromUtf8(ec.message()));
    m_folder = folder.string();
  }
  Step step{what, (fs::path(m_folder) / ("step-" + std::to_string(m_next++) + ".dxf")).string()};
  DrawingFiles::write(db, fromUtf8(step.file));
  return step;
}

std::unique_ptr<AcDbDatabase> UndoHistory::restore(const Step& step) {
  std::unique_ptr<AcDbDatabase> db = DrawingFiles::read(fromUtf8(step.file));
  drop(step);
  return db;
}

void UndoHistory::drop(const Step& step) {
  std::error_code ignored;
  fs::remove(step.file, ignored);
}

void UndoHistory::keep(const AcDbDatabase& db, const std::wstring& what) {
  m_undo.push_back(store(db, what));
  for (const Step& s : m_redo) drop(s);
  m_redo.clear();
  if (m_undo.size() > m_depth) {
    drop(m_undo.front());
    m_undo.erase(m_undo.begin());
  }
}

std::unique_ptr<AcDbDatabase> UndoHistory::undo(const AcDbDatabase& now) {
  if (m_undo.empty()) return nullptr;
  Step back = m_undo.back();
  m_redo.push_back(store(now, back.what));
  m_undo.pop_back();
  return restore(back);
}

std::unique_ptr<AcDbDatabase> UndoHistory::redo(const AcDbDatabase& now) {
  if (m_redo.empty()) return nullptr;
  Step forward = m_redo.back();
  m_undo.push_back(store(now, forward.what));
  m_redo.pop_back();
  return restore(forward);
}

void UndoHistory::forgetLast() {
  if (m_undo.empty()) return;
  drop(m_undo.back());
  m_undo.pop_back();
}

void UndoHistory::clear() {
  for (const Step& s : m_undo) drop(s);
  for (const Step& s : m_redo) drop(s);
  m_undo.clear();
  m_redo.clear();
}

}  // namespace uv::host
