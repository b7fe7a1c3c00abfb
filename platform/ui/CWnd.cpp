#include "ui/CWnd.h"

#include <algorithm>
#include <cwchar>
#include <deque>
#include <new>
#include <stdexcept>
#include <unordered_map>

#include "base/CStringArray.h"
#include "base/TextCase.h"
#include "ui/Feedback.h"
#include "user/CurrentUser.h"
#include "user/MessageBoxCodes.h"

namespace {

std::unordered_map<HWND, CWnd*>& handles() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

HWND newHandle() {
  static std::uintptr_t next = 0x10000;
  next += 0x10;
  return reinterpret_cast<HWND>(next);
}

CWnd* g_focus = nullptr;

struct PostedMessage {
  HWND window;
  UINT message;
  WPARAM wp;
  LPARAM lp;
};

std::deque<PostedMessage>& postedMessages() {
  static std::deque<PostedMessage> queue;
  return queue;
}

// Windows' reading of a number in a dialog item: blanks, a sign, digits.
bool parseDialogInt(const CString& text, bool isSigned, long long& value) {
  const wchar_t* p = text.GetString();
  while (*p == L' ' || *p == L'\t') ++p;
  bool negative = false;
  if (isSigned && (*p == L'-' || *p == L'+')) negative = *p++ == L'-';
  if (*p < L'0' || *p > L'9') return false;
  long long v = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    v = v * 10 + (*p - L'0');
    if (v > 0xFFFFFFFFLL) return false;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  if (*p) return false;
  value = negative ? -v : v;
  return true;
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd) DestroyWindow();
  detachFromParent();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  auto it = handles().find(hWnd);
  return it == handles().end() ? nullptr : it->second;
}

BOOL IsWindow(HWND hWnd) { return hWnd && CWnd::FromHandle(hWnd) ? TRUE : FALSE; }

void CWnd::attach(CWnd* parent, UINT id, const CString& text, DWORD style, const CRect& rect) {
  m_parent = parent;
  if (parent) parent->m_children.push_back(this);
  m_id = int(id);
  m_text = text;
  m_style = style | (parent ? WS_CHILD : 0);
  m_rect = rect;
  m_hWnd = newHandle();
  handles()[m_hWnd] = this;
  changed(uv::WindowChange::kCreated);
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (m_hWnd) return FALSE;
  attach(parent, id, windowName, style, rect);
  return TRUE;
}

void CWnd::detachFromParent() {
  if (!m_parent) return;
  auto& siblings = m_parent->m_children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  m_parent = nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  OnDestroy();
  std::vector<CWnd*> kids = m_children;
  for (CWnd* child : kids) {
    child->DestroyWindow();
    child->detachFromParent();
  }
  m_owned.clear();
  changed(uv::WindowChange::kDestroyed);
  if (g_focus == this) g_focus = nullptr;
  handles().erase(m_hWnd);
  m_hWnd = nullptr;
  detachFromParent();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent || m_hWnd) return FALSE;
  CWnd* existing = parent->GetDlgItem(int(id));
  if (!existing) return FALSE;
  uv::WindowAccess::subclass(*this, *existing);
  return TRUE;
}

int CWnd::SetDlgCtrlID(int id) {
  int old = m_id;
  m_id = id;
  return old;
}

CWnd* CWnd::GetDlgItem(int id) const {
  for (CWnd* child : m_children)
    if (child->m_id == id) return child;
  return nullptr;
}

void CWnd::SetWindowText(LPCTSTR text) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")); }

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  CWnd* item = GetDlgItem(id);
  text = item ? item->m_text : CString();
  return text.GetLength();
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  long long value = 0;
  CWnd* item = GetDlgItem(id);
  bool ok = item && parseDialogInt(item->m_text, isSigned != FALSE, value);
  if (translated) *translated = ok ? TRUE : FALSE;
  return ok ? UINT(value) : 0;
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
  CString text;
  if (isSigned)
    text.Format(L"%d", int(value));
  else
    text.Format(L"%u", value);
  SetDlgItemText(id, text);
}

void CWnd::CheckDlgButton(int id, UINT check) {
  if (CWnd* item = GetDlgItem(id)) item->SendMessage(BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  CWnd* item = GetDlgItem(id);
  return item ? UINT(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
  for (CWnd* child : m_children)
    if (child->m_id >= firstId && child->m_id <= lastId)
      child->SendMessage(BM_SETCHECK, child->m_id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
  for (CWnd* child : m_children)
    if (child->m_id >= firstId && child->m_id <= lastId && child->SendMessage(BM_GETCHECK) == BST_CHECKED)
      return child->m_id;
  return 0;
}

BOOL CWnd::ShowWindow(int command) {
  bool wasVisible = (m_style & WS_VISIBLE) != 0;
  bool visible = command != SW_HIDE;
  if (visible == wasVisible) return wasVisible ? TRUE : FALSE;
  m_style = visible ? (m_style | WS_VISIBLE) : (m_style & ~WS_VISIBLE);
  changed(uv::WindowChange::kVisible);
  return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
  for (const CWnd* w = this; w; w = w->m_parent)
    if (!(w->m_style & WS_VISIBLE)) return FALSE;
  return m_hWnd ? TRUE : FALSE;
}

bool CWnd::isUsable() const {
  if (!m_hWnd) return false;
  for (const CWnd* w = this; w; w = w->m_parent)
    if (!(w->m_style & WS_VISIBLE) || (w->m_style & WS_DISABLED)) return false;
  return true;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  bool wasDisabled = (m_style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  m_style = enable ? (m_style & ~WS_DISABLED) : (m_style | WS_DISABLED);
  changed(uv::WindowChange::kEnabled);
  return wasDisabled ? TRUE : FALSE;
}

CWnd* CWnd::SetFocus() {
  CWnd* previous = g_focus;
  if (previous == this) return previous;
  g_focus = this;
  if (previous) previous->changed(uv::WindowChange::kFocus);
  changed(uv::WindowChange::kFocus);
  return previous;
}

CWnd* CWnd::GetFocus() { return g_focus; }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
  DWORD style = (m_style & ~remove) | add;
  if (style == m_style) return FALSE;
  DWORD old = m_style;
  m_style = style;
  changed(uv::WindowChange::kStyle);
  if ((old ^ style) & WS_VISIBLE) changed(uv::WindowChange::kVisible);
  if ((old ^ style) & WS_DISABLED) changed(uv::WindowChange::kEnabled);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
  DWORD style = (m_exStyle & ~remove) | add;
  if (style == m_exStyle) return FALSE;
  m_exStyle = style;
  changed(uv::WindowChange::kStyle);
  return TRUE;
}

void CWnd::GetWindowRect(LPRECT rect) const {
  *rect = m_rect;
  for (const CWnd* p = m_parent; p; p = p->m_parent) rect->OffsetRect(p->m_rect.left, p->m_rect.top);
}

void CWnd::GetClientRect(LPRECT rect) const { *rect = CRect(0, 0, m_rect.Width(), m_rect.Height()); }

void CWnd::ClientToScreen(CPoint* point) const {
  for (const CWnd* w = this; w; w = w->m_parent) {
    point->x += w->m_rect.left;
    point->y += w->m_rect.top;
  }
}

void CWnd::ScreenToClient(CPoint* point) const {
  for (const CWnd* w = this; w; w = w->m_parent) {
    point->x -= w->m_rect.left;
    point->y -= w->m_rect.top;
  }
}

void CWnd::ClientToScreen(LPRECT rect) const {
  CPoint origin;
  ClientToScreen(&origin);
  rect->OffsetRect(origin.x, origin.y);
}

void CWnd::ScreenToClient(LPRECT rect) const {
  CPoint origin;
  ClientToScreen(&origin);
  rect->OffsetRect(-origin.x, -origin.y);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
  m_rect = CRect(x, y, x + width, y + height);
  changed(uv::WindowChange::kRect);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->Width(), rect->Height(), repaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  CRect r = m_rect;
  if (!(flags & SWP_NOMOVE)) r = CRect(x, y, x + r.Width(), y + r.Height());
  if (!(flags & SWP_NOSIZE)) r = CRect(r.left, r.top, r.left + cx, r.top + cy);
  if (!(r == m_rect)) MoveWindow(&r);
  return TRUE;
}

void CWnd::Invalidate(BOOL) {
  if (m_redrawOn) ++m_redraws;
}

BOOL CWnd::RedrawWindow(LPCRECT, void*, UINT) {
  ++m_redraws;
  return TRUE;
}

void CWnd::SetRedraw(BOOL redraw) {
  bool was = m_redrawOn;
  m_redrawOn = redraw != FALSE;
  if (m_redrawOn && !was) ++m_redraws;
}

namespace {

// Where the framework hands a message to handler code. The framework's own
// exception (an index outside an array, CInvalidArgException) or a failed
// allocation that a handler lets pass is shown to the user, and the window
// goes on: a dialog stays open so that the field can be corrected. Anything
// else (a script that ran out, a programming error) passes on as before.
template <class F>
void deliverGuarded(F&& deliver) {
  const wchar_t* text = nullptr;
  try {
    deliver();
    return;
  } catch (const CInvalidArgException&) {
    text = L"Invalid argument.";
  } catch (const std::bad_alloc&) {
    text = L"Out of memory.";
  }
  uv::currentUser().messageBox({text, L"Error", MB_OK | MB_ICONEXCLAMATION});
}

}  // namespace

LRESULT CWnd::SendMessage(UINT message, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  deliverGuarded([&] { result = WindowProc(message, wp, lp); });
  return result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wp, LPARAM lp) {
  if (!m_hWnd) return FALSE;
  postedMessages().push_back({m_hWnd, message, wp, lp});
  return TRUE;
}

void uv::deliverPostedMessages() {
  auto& queue = postedMessages();
  while (!queue.empty()) {
    PostedMessage m = queue.front();
    queue.pop_front();
    if (CWnd* w = CWnd::FromHandle(m.window)) w->SendMessage(m.message, m.wp, m.lp);
  }
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  return uv::currentUser().messageBox({text ? text : L"", caption ? caption : L"Error", type});
}

void CWnd::BeginWaitCursor() { uv::Feedback::beginWait(); }
void CWnd::EndWaitCursor() { uv::Feedback::endWait(); }

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  HICON& slot = big ? m_bigIcon : m_smallIcon;
  HICON old = slot;
  slot = icon;
  return old;
}

std::wstring CWnd::describeControl() const {
  std::wstring id = std::to_wstring(m_id);
  if (m_name.empty()) return L"control " + id;
  return m_name + L" (" + id + L")";
}

void CWnd::applyUserAction(const uv::DialogAction& action) {
  throw uv::DialogActionRefused(describeControl() + L" is a " + uv::widgetKindName(widgetKind()) + L", which cannot do \"" +
                                action.verb + L"\"");
}

const wchar_t* uv::widgetKindName(WidgetKind kind) {
  switch (kind) {
    case WidgetKind::kWindow: return L"window";
    case WidgetKind::kDialog: return L"dialog";
    case WidgetKind::kStatic: return L"static text";
    case WidgetKind::kGroupBox: return L"group box";
    case WidgetKind::kFrame: return L"frame";
    case WidgetKind::kLine: return L"line";
    case WidgetKind::kPushButton: return L"push button";
    case WidgetKind::kCheckBox: return L"check box";
    case WidgetKind::kRadioButton: return L"radio button";
    case WidgetKind::kImageButton: return L"bitmap button";
    case WidgetKind::kEdit: return L"edit field";
    case WidgetKind::kBrowseEdit: return L"file field";
    case WidgetKind::kComboBox: return L"combo box";
    case WidgetKind::kColorComboBox: return L"colour picker";
    case WidgetKind::kLineWeightComboBox: return L"line-weight picker";
    case WidgetKind::kListBox: return L"list box";
    case WidgetKind::kListView: return L"list";
    case WidgetKind::kTabControl: return L"tab control";
  }
  return L"window";
}

void CWnd::setToolTip(const CString& text) {
  if (m_toolTip == text) return;
  m_toolTip = text;
  changed(uv::WindowChange::kToolTip);
}

void CWnd::addObserver(uv::WindowObserver* observer) {
  if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
    m_observers.push_back(observer);
}

void CWnd::removeObserver(uv::WindowObserver* observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CWnd::changed(uv::WindowChange change) {
  for (CWnd* w = this; w; w = w->m_parent) {
    // An observer may remove itself while it is told.
    std::vector<uv::WindowObserver*> observers = w->m_observers;
    for (uv::WindowObserver* o : observers) o->windowChanged(*this, change);
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OnWndMsg(message, wp, lp, &result)) return result;
  return DefWindowProc(message, wp, lp);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
  using uv::MapEntryKind;
  for (const uv::MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (size_t i = 0; i < map->count; ++i) {
      const uv::MessageMapEntry& e = map->entries[i];
      switch (e.kind) {
        case MapEntryKind::kCommand:
          if (message == WM_COMMAND && e.code == HIWORD(wp) && e.matchesId(LOWORD(wp)))
            return e.call(*this, LOWORD(wp), wp, lp, result) ? TRUE : FALSE;
          break;
        case MapEntryKind::kNotify:
          if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
            if (e.code == header->code && e.matchesId(UINT(header->idFrom)))
              return e.call(*this, UINT(header->idFrom), wp, lp, result) ? TRUE : FALSE;
          }
          break;
        case MapEntryKind::kMessage:
          if (e.code == message) return e.call(*this, 0, wp, lp, result) ? TRUE : FALSE;
          break;
        default:
          break;
      }
    }
  }
  return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
  using uv::MapEntryKind;
  for (const uv::MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (size_t i = 0; i < map->count; ++i) {
      const uv::MessageMapEntry& e = map->entries[i];
      if (message == WM_COMMAND && e.kind == MapEntryKind::kCommandReflect && e.code == HIWORD(wp))
        return e.call(*this, LOWORD(wp), wp, lp, result) ? TRUE : FALSE;
      if (message == WM_NOTIFY && e.kind == MapEntryKind::kNotifyReflect &&
          e.code == reinterpret_cast<const NMHDR*>(lp)->code)
        return e.call(*this, UINT(m_id), wp, lp, result) ? TRUE : FALSE;
    }
  }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM lp) {
  switch (message) {
    case WM_SETTEXT: {
      CString text(reinterpret_cast<LPCTSTR>(lp));
      if (text != m_text) {
        m_text = text;
        changed(uv::WindowChange::kText);
      }
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return m_text.GetLength();
    default:
      return 0;
  }
}

void CWnd::notifyParent(UINT code) {
  const WPARAM wp = MAKEWPARAM(WORD(m_id), WORD(code));
  const LPARAM lp = reinterpret_cast<LPARAM>(m_hWnd);
  LRESULT result = 0;
  BOOL reflected = FALSE;
  deliverGuarded([&] { reflected = OnChildNotify(WM_COMMAND, wp, lp, &result); });
  if (reflected) return;
  if (m_parent) m_parent->SendMessage(WM_COMMAND, wp, lp);
}

LRESULT CWnd::notifyParent(NMHDR& header) {
  header.hwndFrom = m_hWnd;
  header.idFrom = UINT_PTR(m_id);
  const LPARAM lp = reinterpret_cast<LPARAM>(&header);
  LRESULT result = 0;
  BOOL reflected = FALSE;
  deliverGuarded([&] { reflected = OnChildNotify(WM_NOTIFY, WPARAM(m_id), lp, &result); });
  if (reflected) return result;
  return m_parent ? m_parent->SendMessage(WM_NOTIFY, WPARAM(m_id), lp) : 0;
}

const uv::MessageMap* CWnd::GetThisMessageMap() {
  static const uv::MessageMap map{nullptr, nullptr, 0};
  return &map;
}

const uv::MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CWnd* uv::WindowAccess::adopt(CWnd& parent, std::unique_ptr<CWnd> child) {
  CWnd* raw = child.get();
  if (raw->m_parent != &parent) throw std::logic_error("a window can only be owned by its parent");
  parent.m_owned.push_back(std::move(child));
  return raw;
}

void uv::WindowAccess::subclass(CWnd& member, CWnd& existing) {
  if (member.m_hWnd) throw std::logic_error(toUtf8(member.describeControl() + L" is bound twice"));
  const wchar_t* mine = member.windowClassName();
  const wchar_t* theirs = existing.windowClassName();
  if (mine && theirs && std::wcscmp(mine, theirs) != 0)
    throw std::logic_error(toUtf8(existing.describeControl() + L" is a " + theirs + L" control, which a " + mine +
                                  L" control cannot take over"));
  CWnd* parent = existing.m_parent;
  member.m_id = existing.m_id;
  member.m_name = existing.m_name;
  member.m_text = existing.m_text;
  member.m_toolTip = existing.m_toolTip;
  member.m_style = existing.m_style;
  member.m_exStyle = existing.m_exStyle;
  member.m_rect = existing.m_rect;
  member.m_hWnd = existing.m_hWnd;
  handles()[member.m_hWnd] = &member;
  existing.m_hWnd = nullptr;
  member.m_parent = parent;
  existing.m_parent = nullptr;
  if (g_focus == &existing) g_focus = &member;
  if (parent) std::replace(parent->m_children.begin(), parent->m_children.end(), &existing, &member);
  member.takeOver(existing);
  if (parent) {
    auto& owned = parent->m_owned;
    owned.erase(std::remove_if(owned.begin(), owned.end(), [&](const auto& p) { return p.get() == &existing; }),
                owned.end());
  }
  member.PreSubclassWindow();
  member.changed(uv::WindowChange::kCreated);
}
