#include "ui/ResourceScript.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/TextCase.h"
#include "ui/CommCtrl.h"
#include "ui/ResourceError.h"

namespace uv {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxDialogUnits = 32767;

struct Token {
  std::wstring key;  // "caption" of caption="Name:"; empty for a plain word
  std::wstring value;
  bool quoted = false;
};

class Line {
 public:
  Line(const std::wstring& file, int number) : m_file(file), m_number(number) {}

  [[noreturn]] void fail(const std::wstring& message) const { throw ResourceError(m_file, m_number, message); }

  std::vector<Token> tokenize(std::wstring_view s) const {
    std::vector<Token> tokens;
    size_t i = 0;
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; };
    while (true) {
      while (i < s.size() && blank(s[i])) ++i;
      if (i >= s.size() || s[i] == L'#') break;
      Token t;
      if (s[i] != L'"') {
        size_t start = i;
        while (i < s.size() && !blank(s[i]) && s[i] != L'"' && s[i] != L'=') ++i;
        if (i < s.size() && s[i] == L'=') {
          t.key = std::wstring(s.substr(start, i - start));
          if (t.key.empty()) fail(L"a \"=\" without a key before it");
          ++i;
          start = i;
          if (i < s.size() && s[i] == L'"') {
            t.value = quoted(s, i);
            t.quoted = true;
          } else {
            while (i < s.size() && !blank(s[i])) ++i;
            t.value = std::wstring(s.substr(start, i - start));
          }
        } else {
          if (i < s.size() && s[i] == L'"') fail(L"a quote inside a word");
          t.value = std::wstring(s.substr(start, i - start));
        }
      } else {
        t.value = quoted(s, i);
        t.quoted = true;
      }
      if (i < s.size() && !blank(s[i])) fail(L"a closing quote must be followed by a blank");
      tokens.push_back(std::move(t));
    }
    return tokens;
  }

  int integer(const Token& t, const wchar_t* what) const {
    if (t.quoted || !t.key.empty()) fail(std::wstring(what) + L" should be a number, not \"" + t.value + L"\"");
    try {
      size_t used = 0;
      int v = std::stoi(t.value, &used);
      if (used == t.value.size()) return v;
    } catch (...) {
    }
    fail(std::wstring(what) + L" should be a number, not \"" + t.value + L"\"");
  }

  // "x,y,w,h" or "WxH"
  std::vector<int> numbers(const std::wstring& text, wchar_t separator, size_t count, const wchar_t* what) const {
    std::vector<int> out;
    std::wstringstream in(text);
    std::wstring part;
    while (std::getline(in, part, separator)) {
      try {
        size_t used = 0;
        int v = std::stoi(part, &used);
        if (used != part.size() || part.empty()) throw 0;
        out.push_back(v);
      } catch (...) {
        out.clear();
        break;
      }
    }
    if (out.size() != count || (!text.empty() && text.back() == separator))
      fail(std::wstring(what) + L" should be written " +
           (count == 4 ? L"x,y,width,height" : L"WIDTHxHEIGHT") + L", not \"" + text + L"\"");
    return out;
  }

  TemplateText text(const Token& t) const {
    TemplateText out;
    if (!t.quoted && !t.value.empty() && t.value[0] == L'@') {
      Token number{{}, t.value.substr(1), false};
      int id = integer(number, L"a message identifier after @");
      if (id < 0) fail(L"a message identifier cannot be negative");
      out.message = UINT(id);
    } else {
      out.text = t.value;
    }
    return out;
  }

  const std::wstring& file() const { return m_file; }
  int number() const { return m_number; }

 private:
  std::wstring quoted(std::wstring_view s, size_t& i) const {
    std::wstring out;
    ++i;  // opening quote
    while (i < s.size() && s[i] != L'"') {
      wchar_t c = s[i++];
      if (c == L'\\') {
        if (i >= s.size()) break;
        wchar_t e = s[i++];
        if (e == L'n') out += L'\n';
        else if (e == L't') out += L'\t';
        else if (e == L'"' || e == L'\\') out += e;
        else fail(std::wstring(L"unknown escape \\") + e + L" in a quoted text");
      } else {
        out += c;
      }
    }
    if (i >= s.size()) fail(L"a quoted text is not closed");
    ++i;  // closing quote
    return out;
  }

  std::wstring m_file;
  int m_number;
};

struct StyleWord {
  const wchar_t* word;
  DWORD add;
  DWORD remove;
  bool extended;  // a list view's LVS_EX_ style
};

// Which style words each kind takes.
std::vector<StyleWord> styleWords(ControlKind kind) {
  std::vector<StyleWord> words = {{L"hidden", 0, WS_VISIBLE, false},
                                  {L"disabled", WS_DISABLED, 0, false},
                                  {L"group", WS_GROUP, 0, false},
                                  {L"tabstop", WS_TABSTOP, 0, false},
                                  {L"notabstop", 0, WS_TABSTOP, false},
                                  {L"border", WS_BORDER, 0, false}};
  auto add = [&](std::initializer_list<StyleWord> more) { words.insert(words.end(), more); };
  switch (kind) {
    case ControlKind::kStatic:
      add({{L"left", SS_LEFT, 0, false}, {L"center", SS_CENTER, 0, false}, {L"right", SS_RIGHT, 0, false},
           {L"notify", SS_NOTIFY, 0, false}});
      break;
    case ControlKind::kButton:
    case ControlKind::kBitmapButton:
      add({{L"default", BS_DEFPUSHBUTTON, 0, false}});
      break;
    case ControlKind::kEdit:
      add({{L"readonly", ES_READONLY, 0, false}, {L"number", ES_NUMBER, 0, false},
           {L"password", ES_PASSWORD, 0, false}, {L"multiline", ES_MULTILINE, 0, false},
           {L"center", ES_CENTER, 0, false}, {L"right", ES_RIGHT, 0, false}});
      break;
    case ControlKind::kComboBox:
      add({{L"dropdown", CBS_DROPDOWN, CBS_DROPDOWNLIST, false},
           {L"dropdownlist", CBS_DROPDOWNLIST, 0, false},
           {L"sorted", CBS_SORT, 0, false}});
      break;
    case ControlKind::kListBox:
      add({{L"sorted", LBS_SORT, 0, false}, {L"multisel", LBS_EXTENDEDSEL, 0, false}});
      break;
    case ControlKind::kListView:
      add({{L"report", LVS_REPORT, 0, false}, {L"singlesel", LVS_SINGLESEL, 0, false},
           {L"multisel", 0, LVS_SINGLESEL, false}, {L"sorted", LVS_SORTASCENDING, 0, false},
           {L"showselalways", LVS_SHOWSELALWAYS, 0, false}, {L"nocolumnheader", LVS_NOCOLUMNHEADER, 0, false},
           {L"nosortheader", LVS_NOSORTHEADER, 0, false}, {L"gridlines", LVS_EX_GRIDLINES, 0, true},
           {L"fullrowselect", LVS_EX_FULLROWSELECT, 0, true}, {L"checkboxes", LVS_EX_CHECKBOXES, 0, true}});
      break;
    default:
      break;
  }
  return words;
}

// The styles a control of each kind starts with, as a resource compiler gives them.
DWORD defaultStyle(ControlKind kind) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kStatic: return base | SS_LEFT;
    case ControlKind::kGroupBox: return base | BS_GROUPBOX;
    case ControlKind::kFrame: return base | SS_ETCHEDFRAME;
    case ControlKind::kLine: return base | SS_ETCHEDHORZ;
    case ControlKind::kButton: return base | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::kCheckBox: return base | WS_TABSTOP | BS_AUTOCHECKBOX;
    case ControlKind::kRadioButton: return base | BS_AUTORADIOBUTTON;
    case ControlKind::kBitmapButton: return base | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP;
    case ControlKind::kEdit: return base | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    case ControlKind::kComboBox: return base | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    case ControlKind::kListBox: return base | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
    case ControlKind::kListView: return base | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    case ControlKind::kTabControl: return base | WS_TABSTOP;
  }
  return base;
}

std::wstring join(const std::vector<std::wstring>& words) {
  std::wstring out;
  for (const auto& w : words) out += (out.empty() ? L"" : L", ") + w;
  return out;
}

class Parser {
 public:
  Parser(std::wstring file, std::wstring folder) : m_file(std::move(file)), m_folder(std::move(folder)) {}

  void line(std::wstring_view text, int number) {
    Line line(m_file, number);
    std::vector<Token> tokens = line.tokenize(text);
    if (tokens.empty()) return;
    const Token& verb = tokens[0];
    if (verb.quoted || !verb.key.empty()) line.fail(L"a line starts with dialog, control, bitmap or icon");
    if (verb.value == L"dialog") dialog(line, tokens);
    else if (verb.value == L"control") control(line, tokens);
    else if (verb.value == L"bitmap" || verb.value == L"icon") image(line, tokens);
    else line.fail(L"unknown statement \"" + verb.value + L"\"; a line starts with dialog, control, bitmap or icon");
  }

  ResourceScript result() { return std::move(m_script); }

 private:
  void dialog(const Line& line, const std::vector<Token>& t) {
    if (t.size() < 5 || !t[3].key.empty() || t[3].value != L"size")
      line.fail(L"write: dialog ID NAME size WIDTHxHEIGHT [caption=TEXT] [font=\"FACE,SIZE\"]");
    DialogTemplate d;
    int id = line.integer(t[1], L"the dialog id");
    if (id <= 0 || id > 0xFFFF) line.fail(L"a dialog id lies between 1 and 65535");
    d.id = UINT(id);
    d.name = t[2].value;
    if (!t[2].key.empty() || d.name.empty()) line.fail(L"the dialog needs a name after its id");
    std::vector<int> size = line.numbers(t[4].value, L'x', 2, L"the dialog size");
    // A dialog template keeps its size in 16 bits, as a Windows template does.
    if (size[0] <= 0 || size[1] <= 0 || size[0] > kMaxDialogUnits || size[1] > kMaxDialogUnits)
      line.fail(L"the dialog size must be positive and at most " + std::to_wstring(kMaxDialogUnits) +
                L" dialog units each way");
    d.width = size[0];
    d.height = size[1];
    d.file = m_file;
    d.line = line.number();
    for (const auto& [key, token] : options(line, t, 5, {L"caption", L"font"})) {
      if (key == L"caption") {
        d.caption = line.text(*token);
      } else {
        size_t comma = token->value.rfind(L',');
        if (comma == std::wstring::npos) line.fail(L"write font=\"FACE,SIZE\"");
        d.fontFace = token->value.substr(0, comma);
        d.fontSize = line.integer(Token{{}, token->value.substr(comma + 1), false}, L"the font size");
      }
    }
    for (const auto& other : m_script.dialogs)
      if (other.id == d.id)
        line.fail(L"dialog " + std::to_wstring(d.id) + L" is already defined on line " + std::to_wstring(other.line));
    m_script.dialogs.push_back(std::move(d));
  }

  void control(const Line& line, const std::vector<Token>& t) {
    if (m_script.dialogs.empty()) line.fail(L"a control line must follow a dialog line");
    if (t.size() < 5) line.fail(L"write: control ID NAME KIND x,y,width,height [style=...] [caption=TEXT] ...");
    DialogTemplate& d = m_script.dialogs.back();
    ControlTemplate c;
    c.line = line.number();
    c.id = line.integer(t[1], L"the control id");
    if (c.id < -1 || c.id > 0xFFFF) line.fail(L"a control id lies between -1 and 65535");
    c.name = t[2].value;
    if (!t[2].key.empty() || t[2].quoted || c.name.empty()) line.fail(L"the control needs a symbolic name after its id");
    auto kind = controlKindFromWord(t[3].value);
    if (!kind || !t[3].key.empty()) {
      std::vector<std::wstring> kinds;
      for (int k = 0; k <= int(ControlKind::kTabControl); ++k) kinds.push_back(controlKindWord(ControlKind(k)));
      line.fail(L"unknown control kind \"" + t[3].value + L"\"; kinds are " + join(kinds));
    }
    c.kind = *kind;
    std::vector<int> r = line.numbers(t[4].value, L',', 4, L"the rectangle");
    if (r[2] <= 0 || r[3] <= 0) line.fail(L"the control's width and height must be positive");
    if (r[0] < 0 || r[1] < 0 || r[0] > d.width - r[2] || r[1] > d.height - r[3])
      line.fail(L"control " + c.name + L" lies outside the dialog (" + std::to_wstring(d.width) + L"x" +
                std::to_wstring(d.height) + L")");
    c.rect = CRect(r[0], r[1], r[0] + r[2], r[1] + r[3]);
    c.style = defaultStyle(c.kind);
    for (const auto& [key, token] : options(line, t, 5, {L"style", L"caption", L"tooltip", L"image"})) {
      if (key == L"style") applyStyles(line, c, token->value);
      else if (key == L"caption") c.caption = line.text(*token);
      else if (key == L"tooltip") c.toolTip = line.text(*token);
      else c.image = imageRef(line, c, token->value);
    }
    for (const auto& other : d.controls) {
      if (c.id != -1 && other.id == c.id)
        line.fail(L"control id " + std::to_wstring(c.id) + L" is already used by " + other.name + L" on line " +
                  std::to_wstring(other.line));
      if (c.name != L"IDC_STATIC" && other.name == c.name)
        line.fail(L"the name " + c.name + L" is already used on line " + std::to_wstring(other.line));
    }
    d.controls.push_back(std::move(c));
  }

  void image(const Line& line, const std::vector<Token>& t) {
    if (t.size() != 3 || !t[2].key.empty()) line.fail(L"write: " + t[0].value + L" ID \"FILE\"");
    ImageResource img;
    img.type = t[0].value == L"icon" ? ImageRef::Type::kIcon : ImageRef::Type::kBitmap;
    int id = line.integer(t[1], L"the image id");
    if (id <= 0 || id > 0xFFFF) line.fail(L"an image id lies between 1 and 65535");
    img.id = UINT(id);
    fs::path p(toUtf8(t[2].value));
    if (p.is_relative()) p = fs::path(toUtf8(m_folder)) / p;
    img.path = fromUtf8(p.lexically_normal().string());
    img.file = m_file;
    img.line = line.number();
    for (const auto& other : m_script.images)
      if (other.type == img.type && other.id == img.id)
        line.fail(t[0].value + L" " + std::to_wstring(id) + L" is already declared on line " +
                  std::to_wstring(other.line));
    m_script.images.push_back(std::move(img));
  }

  std::vector<std::pair<std::wstring, const Token*>> options(const Line& line, const std::vector<Token>& t,
                                                             size_t first,
                                                             const std::vector<std::wstring>& keys) const {
    std::vector<std::pair<std::wstring, const Token*>> out;
    for (size_t i = first; i < t.size(); ++i) {
      const Token& token = t[i];
      bool known = false;
      for (const auto& k : keys) known = known || k == token.key;
      if (token.key.empty()) line.fail(L"\"" + token.value + L"\" should be written key=value (" + join(keys) + L")");
      if (!known) line.fail(L"unknown key \"" + token.key + L"\"; keys are " + join(keys));
      for (const auto& seen : out)
        if (seen.first == token.key) line.fail(L"the key \"" + token.key + L"\" is given twice");
      out.emplace_back(token.key, &token);
    }
    return out;
  }

  void applyStyles(const Line& line, ControlTemplate& c, const std::wstring& list) const {
    std::vector<StyleWord> words = styleWords(c.kind);
    std::wstringstream in(list);
    std::wstring word;
    while (std::getline(in, word, L',')) {
      const StyleWord* found = nullptr;
      for (const auto& w : words)
        if (word == w.word) found = &w;
      if (!found) {
        std::vector<std::wstring> names;
        for (const auto& w : words) names.push_back(w.word);
        line.fail(L"a " + std::wstring(controlKindWord(c.kind)) + L" takes no style \"" + word + L"\"; it takes " +
                  join(names));
      }
      DWORD& bits = found->extended ? c.exStyle : c.style;
      bits = (bits & ~found->remove) | found->add;
    }
  }

  ImageRef imageRef(const Line& line, const ControlTemplate& c, const std::wstring& value) const {
    if (c.kind != ControlKind::kBitmapButton) line.fail(L"only a bitmapbutton takes an image");
    ImageRef ref;
    std::vector<std::wstring> parts;
    std::wstringstream in(value);
    for (std::wstring part; std::getline(in, part, L':');) parts.push_back(part);
    if (parts.size() < 2 || parts.size() > 3 || (parts[0] != L"bitmap" && parts[0] != L"icon"))
      line.fail(L"write image=bitmap:ID or image=icon:ID[:WIDTHxHEIGHT]");
    ref.type = parts[0] == L"icon" ? ImageRef::Type::kIcon : ImageRef::Type::kBitmap;
    ref.id = UINT(line.integer(Token{{}, parts[1], false}, L"the image id"));
    if (parts.size() == 3) {
      std::vector<int> size = line.numbers(parts[2], L'x', 2, L"the image size");
      ref.cx = size[0];
      ref.cy = size[1];
    }
    return ref;
  }

  std::wstring m_file;
  std::wstring m_folder;
  ResourceScript m_script;
};

}  // namespace

ResourceScript ResourceScript::parse(std::wstring_view text, const std::wstring& fileName, const std::wstring& folder) {
  Parser parser(fileName, folder);
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    ++number;
    parser.line(text.substr(start, end - start), number);
    start = end + 1;
  }
  return parser.result();
}

ResourceScript ResourceScript::parseFile(const std::wstring& path) {
  std::ifstream in(fs::path(toUtf8(path)), std::ios::binary);
  if (!in) throw ResourceError(L"cannot open the resource file " + path);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string s = bytes.str();
  if (s.rfind("\xEF\xBB\xBF", 0) == 0) s.erase(0, 3);
  std::wstring folder = fromUtf8(fs::path(toUtf8(path)).parent_path().string());
  return parse(fromUtf8(s), path, folder);
}

namespace {
struct KindWord {
  ControlKind kind;
  const wchar_t* word;
};
constexpr KindWord kKindWords[] = {
    {ControlKind::kStatic, L"static"},         {ControlKind::kGroupBox, L"groupbox"},
    {ControlKind::kFrame, L"frame"},           {ControlKind::kLine, L"line"},
    {ControlKind::kButton, L"button"},         {ControlKind::kCheckBox, L"checkbox"},
    {ControlKind::kRadioButton, L"radio"},     {ControlKind::kBitmapButton, L"bitmapbutton"},
    {ControlKind::kEdit, L"edit"},             {ControlKind::kComboBox, L"combobox"},
    {ControlKind::kListBox, L"listbox"},       {ControlKind::kListView, L"listview"},
    {ControlKind::kTabControl, L"tabcontrol"},
};
}  // namespace

const wchar_t* controlKindWord(ControlKind kind) {
  for (const auto& k : kKindWords)
    if (k.kind == kind) return k.word;
  return L"?";
}

std::optional<ControlKind> controlKindFromWord(const std::wstring& word) {
  for (const auto& k : kKindWords)
    if (word == k.word) return k.kind;
  return std::nullopt;
}

}  // namespace uv
