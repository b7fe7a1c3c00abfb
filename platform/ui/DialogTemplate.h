// A dialog template as read from a resource file: the dialog's id, name,
// size and caption, and its controls in tab order, each with id, symbolic
// name, kind, rectangle in dialog units, styles, caption, tool tip and
// image. Captions are plain texts or message identifiers (@5009).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/CRect.h"
#include "ui/WinUser.h"

namespace uv {

enum class ControlKind {
  kStatic,
  kGroupBox,
  kFrame,
  kLine,
  kButton,
  kCheckBox,
  kRadioButton,
  kBitmapButton,
  kEdit,
  kComboBox,
  kListBox,
  kListView,
  kTabControl,
};

// The template word of each kind ("bitmapbutton"), and back.
const wchar_t* controlKindWord(ControlKind kind);
std::optional<ControlKind> controlKindFromWord(const std::wstring& word);

// A text of a template: a message identifier or a plain text.
struct TemplateText {
  std::optional<UINT> message;
  std::wstring text;

  bool empty() const { return !message && text.empty(); }
  // The message's text from the resources' message catalogue, or the text.
  std::wstring resolve() const;
};

struct ImageRef {
  enum class Type { kNone, kBitmap, kIcon };
  Type type = Type::kNone;
  UINT id = 0;
  int cx = 0;  // icons: the size asked for; 0 for the image's own
  int cy = 0;
};

struct ControlTemplate {
  int id = 0;
  std::wstring name;
  ControlKind kind = ControlKind::kStatic;
  CRect rect;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;  // list views: LVS_EX_ styles
  TemplateText caption;
  TemplateText toolTip;
  ImageRef image;
  int line = 0;
};

struct DialogTemplate {
  UINT id = 0;
  std::wstring name;
  TemplateText caption;
  int width = 0;  // dialog units
  int height = 0;
  std::wstring fontFace = L"MS Shell Dlg";
  int fontSize = 8;
  std::vector<ControlTemplate> controls;
  std::wstring file;
  int line = 0;

  const ControlTemplate* control(int id) const;
  const ControlTemplate* control(const std::wstring& name) const;
  // "template 209 KVX_SURFMAN (dialogs/surfman.dlg)"
  std::wstring describe() const;
};

// An image that templates and the program load by id.
struct ImageResource {
  ImageRef::Type type = ImageRef::Type::kBitmap;
  UINT id = 0;
  std::wstring path;  // absolute
  std::wstring file;  // where it was declared
  int line = 0;
};

}  // namespace uv
