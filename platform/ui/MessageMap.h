// Handlers bound by control id and notification, written as MFC message
// maps. Each class that handles messages declares DECLARE_MESSAGE_MAP() and
// lists its handlers once, in its source file:
//
//   BEGIN_MESSAGE_MAP(dlg_Sample, CAcUiDialog)
//     ON_BN_CLICKED(IDC_ADD, &dlg_Sample::OnAdd)
//     ON_CBN_SELCHANGE(IDC_SURFACES, &dlg_Sample::OnSurfaceChanged)
//     ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, &dlg_Sample::OnItemChanged)
//     ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_Sample::OnAcadKeepFocus)
//   END_MESSAGE_MAP()
//
// A message is looked up in the class's own table first, then in its base
// class's table, up to CWnd. The tables are built once, on first use.
#pragma once

#include <cstddef>
#include <functional>

#include "ui/CommCtrl.h"

class CWnd;

namespace uv {

enum class MapEntryKind {
  kCommand,         // WM_COMMAND from a child: notification code + control id range
  kNotify,          // WM_NOTIFY from a child: notification code + control id range
  kMessage,         // any message by number
  kCommandReflect,  // a control's own WM_COMMAND notification, before its parent sees it
  kNotifyReflect,   // a control's own WM_NOTIFY notification, before its parent sees it
};

struct MessageMapEntry {
  MapEntryKind kind = MapEntryKind::kMessage;
  UINT code = 0;  // notification code, or the message for kMessage
  UINT firstId = 0;
  UINT lastId = 0;
  // Runs the handler on `self`; returns true when the message counts as
  // handled (the _EX reflections may decline, letting the parent see it).
  std::function<bool(CWnd& self, UINT id, WPARAM wp, LPARAM lp, LRESULT* result)> call;

  bool matchesId(UINT id) const { return id >= firstId && id <= lastId; }
};

struct MessageMap {
  const MessageMap* (*base)();
  const MessageMapEntry* entries;
  size_t count;
};

// The typed makers behind the macros. T is the class that declares the map;
// handlers of its bases convert to pointers to members of T.
template <class T>
MessageMapEntry mapCommand(UINT code, UINT first, UINT last, void (T::*fn)()) {
  return {MapEntryKind::kCommand, code, first, last,
          [fn](CWnd& w, UINT, WPARAM, LPARAM, LRESULT*) { (static_cast<T&>(w).*fn)(); return true; }};
}

template <class T>
MessageMapEntry mapCommandRange(UINT code, UINT first, UINT last, void (T::*fn)(UINT)) {
  return {MapEntryKind::kCommand, code, first, last,
          [fn](CWnd& w, UINT id, WPARAM, LPARAM, LRESULT*) { (static_cast<T&>(w).*fn)(id); return true; }};
}

template <class T>
MessageMapEntry mapNotify(UINT code, UINT first, UINT last, void (T::*fn)(NMHDR*, LRESULT*)) {
  return {MapEntryKind::kNotify, code, first, last, [fn](CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT* r) {
            (static_cast<T&>(w).*fn)(reinterpret_cast<NMHDR*>(lp), r);
            return true;
          }};
}

template <class T>
MessageMapEntry mapMessage(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
  return {MapEntryKind::kMessage, message, 0, 0, [fn](CWnd& w, UINT, WPARAM wp, LPARAM lp, LRESULT* r) {
            *r = (static_cast<T&>(w).*fn)(wp, lp);
            return true;
          }};
}

template <class T>
MessageMapEntry mapCommandReflect(UINT code, void (T::*fn)()) {
  return {MapEntryKind::kCommandReflect, code, 0, 0xFFFFFFFFu,
          [fn](CWnd& w, UINT, WPARAM, LPARAM, LRESULT*) { (static_cast<T&>(w).*fn)(); return true; }};
}

// The handler returns TRUE to keep the notification from the parent.
template <class T>
MessageMapEntry mapCommandReflectEx(UINT code, BOOL (T::*fn)()) {
  return {MapEntryKind::kCommandReflect, code, 0, 0xFFFFFFFFu,
          [fn](CWnd& w, UINT, WPARAM, LPARAM, LRESULT*) { return (static_cast<T&>(w).*fn)() != FALSE; }};
}

template <class T>
MessageMapEntry mapNotifyReflect(UINT code, void (T::*fn)(NMHDR*, LRESULT*)) {
  return {MapEntryKind::kNotifyReflect, code, 0, 0xFFFFFFFFu, [fn](CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT* r) {
            (static_cast<T&>(w).*fn)(reinterpret_cast<NMHDR*>(lp), r);
            return true;
          }};
}

template <class T>
MessageMapEntry mapNotifyReflectEx(UINT code, BOOL (T::*fn)(NMHDR*, LRESULT*)) {
  return {MapEntryKind::kNotifyReflect, code, 0, 0xFFFFFFFFu, [fn](CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT* r) {
            return (static_cast<T&>(w).*fn)(reinterpret_cast<NMHDR*>(lp), r) != FALSE;
          }};
}

}  // namespace uv

#define afx_msg

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const ::uv::MessageMap* GetThisMessageMap();  \
  const ::uv::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                           \
  const ::uv::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }                \
  const ::uv::MessageMap* theClass::GetThisMessageMap() {                                                \
    using ThisClass = theClass;                                                                          \
    using TheBaseClass = baseClass;                                                                      \
    static const ::uv::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                \
  ::uv::MessageMapEntry{}                                                                                \
  };                                                                                                     \
  static const ::uv::MessageMap map{&TheBaseClass::GetThisMessageMap, entries,                            \
                                    sizeof(entries) / sizeof(entries[0]) - 1};                           \
  return &map;                                                                                           \
  }

#define ON_COMMAND(id, fn) ::uv::mapCommand<ThisClass>(BN_CLICKED, UINT(id), UINT(id), fn),
#define ON_CONTROL(code, id, fn) ::uv::mapCommand<ThisClass>(code, UINT(id), UINT(id), fn),
#define ON_CONTROL_RANGE(code, first, last, fn) ::uv::mapCommandRange<ThisClass>(code, UINT(first), UINT(last), fn),
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_NOTIFY(code, id, fn) ::uv::mapNotify<ThisClass>(code, UINT(id), UINT(id), fn),
#define ON_NOTIFY_RANGE(code, first, last, fn) ::uv::mapNotify<ThisClass>(code, UINT(first), UINT(last), fn),
#define ON_MESSAGE(message, fn) ::uv::mapMessage<ThisClass>(message, fn),
#define ON_CONTROL_REFLECT(code, fn) ::uv::mapCommandReflect<ThisClass>(code, fn),
#define ON_CONTROL_REFLECT_EX(code, fn) ::uv::mapCommandReflectEx<ThisClass>(code, fn),
#define ON_NOTIFY_REFLECT(code, fn) ::uv::mapNotifyReflect<ThisClass>(code, fn),
#define ON_NOTIFY_REFLECT_EX(code, fn) ::uv::mapNotifyReflectEx<ThisClass>(code, fn),
