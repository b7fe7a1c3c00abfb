// Watching the window model: a front end that shows a dialog registers an
// observer on it and hears every change of the dialog and its controls,
// whoever made it (the program, a script, the front end itself).
#pragma once

class CWnd;

namespace uv {

// What a window is, for front ends that draw it.
enum class WidgetKind {
  kWindow,
  kDialog,
  kStatic,
  kGroupBox,
  kFrame,        // an etched rectangle, often a placeholder
  kLine,         // an etched separator line
  kPushButton,
  kCheckBox,
  kRadioButton,
  kImageButton,  // a push button showing a bitmap or an icon
  kEdit,
  kBrowseEdit,   // an edit with a browse button at its right end
  kComboBox,
  kColorComboBox,
  kLineWeightComboBox,
  kListBox,
  kListView,
  kTabControl,
};

enum class WindowChange {
  kCreated,    // a child window was added
  kDestroyed,
  kText,
  kVisible,
  kEnabled,
  kFocus,
  kStyle,
  kRect,
  kCheck,
  kItems,      // items, rows or pages added, removed or changed
  kSelection,
  kColumns,
  kImage,
  kToolTip,
  kEnded,      // a dialog ended
};

class WindowObserver {
 public:
  virtual ~WindowObserver() = default;
  // `window` is the window that changed: the observed one or a descendant.
  virtual void windowChanged(CWnd& window, WindowChange change) = 0;
};

}  // namespace uv
