// Pictures of the dialog a job has open (the `picture "file.png"` action),
// for guides and bug reports. Painting needs a widget toolkit, which the
// user layer does not link: the front end installs the painter at start-up.
#pragma once

#include <functional>
#include <string>

namespace uv {

class ModalDialog;

// Writes a picture of the dialog as it is now to the file; returns an empty
// text on success, else why it could not.
using DialogPainter = std::function<std::wstring(ModalDialog& dialog, const std::wstring& file)>;

void setDialogPainter(DialogPainter painter);
// Throws nothing; the reason when no painter is installed or it failed.
std::wstring paintDialog(ModalDialog& dialog, const std::wstring& file);

}  // namespace uv
