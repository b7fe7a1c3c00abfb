#include "host/DialogPainter.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QBuffer>
#include <QString>

#include "base/SafeFileWriter.h"
#include "host/render/DrawingRenderer.h"
#include "host/render/OffscreenApplication.h"
#include "host/render/PictureMark.h"
#include "ui/DialogRunner.h"
#include "ui/qt/DialogView.h"
#include "user/DialogPictures.h"

namespace uv::host {

namespace {

std::wstring paint(ModalDialog& modal, const std::wstring& file) {
  auto* runner = dynamic_cast<DialogRunner*>(&modal);
  if (!runner) return L"it is not a dialog of the dialog framework";
  if (!file.ends_with(L".png") && !file.ends_with(L".PNG")) return L"pictures of dialogs are PNG files, not \"" + file + L"\"";
  // A file there that cadhost did not draw is someone's work: no picture is taken over it.
  if (checkWriteTarget(file).state == WriteTarget::State::kExisting && !render::isPictureDrawnHere(file))
    return file + L" already exists and is not a picture cadhost drew; it was kept as it was";
  render::OffscreenApplication::ensure();
  qt::DialogView view(runner->dialog());
  view.show();
  const QImage body = view.grab().toImage();
  view.hide();
  if (body.isNull()) return L"the dialog could not be drawn";
  // Offscreen windows have no frame: draw a title bar, so that a picture
  // says which dialog it shows, as the window would on a desktop.
  const int bar = 26;
  QImage shot(body.width(), body.height() + bar, QImage::Format_RGB32);
  shot.fill(QColor(0x3c, 0x3f, 0x44));
  QPainter painter(&shot);
  painter.drawImage(0, bar, body);
  QFont font = view.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(10, 0, shot.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft, view.windowTitle());
  painter.end();
  render::markPicture(shot);
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!shot.save(&bytes, "PNG")) return file + L": the PNG writer failed";
  const render::RenderResult written = render::writePicture(file, bytes.data());
  return written ? std::wstring() : written.message;
}

}  // namespace

void installDialogPainter() { setDialogPainter(paint); }

}  // namespace uv::host
