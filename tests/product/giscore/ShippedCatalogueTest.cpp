// Every message id the product shows must have a real text of the right
// kind in the shipped catalogue. The table below is the product's use of the
// catalogue: an id added to a dialog goes here with its kind, and the
// catalogue gets its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>

#include "base/CString.h"
#include "product/giscore/MessageCatalogue.h"

namespace {

using uv::giscore::MessageCatalogue;

enum class Kind {
  Title,    // dialog title: Title Case, no full stop
  Caption,  // label, button, tool tip, column heading, progress label: Sentence case, no full stop
  Suffix,   // caption that also follows other text directly: starts with a space
  Message,  // message box or command-line message: complete sentences
  Prompt,   // command-line prompt: ends with ":"
};

struct Use {
  unsigned id;
  Kind kind;
  const wchar_t* conversions;  // printf conversions the text must hold, in order ("s": one %s)
};

// clang-format off
const Use kProductMessages[] = {
    // Shared buttons, labels and the "no surface" message.
    {60, Kind::Caption, L""}, {67, Kind::Caption, L""}, {8, Kind::Caption, L""}, {235, Kind::Caption, L""},
    {50156, Kind::Caption, L""}, {840, Kind::Caption, L""}, {224, Kind::Caption, L""}, {4984, Kind::Caption, L""},
    {4699, Kind::Caption, L""}, {1219, Kind::Caption, L""}, {1220, Kind::Caption, L""}, {222, Kind::Caption, L""},
    {2568, Kind::Caption, L""}, {61109, Kind::Caption, L""}, {4987, Kind::Message, L""},
    // Surface manager.
    {5008, Kind::Title, L""}, {5009, Kind::Caption, L""}, {5010, Kind::Caption, L""}, {5011, Kind::Title, L""},
    {5012, Kind::Caption, L""}, {5013, Kind::Caption, L""}, {5014, Kind::Caption, L""}, {5015, Kind::Caption, L""},
    {5016, Kind::Caption, L""}, {5019, Kind::Caption, L""}, {5017, Kind::Message, L"s"}, {5018, Kind::Message, L"s"},
    // New surface.
    {61040, Kind::Title, L""}, {4989, Kind::Caption, L""}, {4990, Kind::Caption, L""}, {3227, Kind::Message, L""},
    {4991, Kind::Message, L""},
    // Surface properties: layer rows and the linetype list.
    {61012, Kind::Caption, L""}, {61103, Kind::Caption, L""}, {5020, Kind::Caption, L""}, {5021, Kind::Caption, L""},
    {5022, Kind::Caption, L""}, {5146, Kind::Caption, L""}, {3789, Kind::Caption, L""},
    // Conversion of old surfaces.
    {5030, Kind::Title, L""}, {812, Kind::Caption, L""}, {5031, Kind::Caption, L""}, {5029, Kind::Message, L""},
    // Surface files refused, surfaces not created, files and drawings not written.
    {5035, Kind::Message, L"ss"}, {5036, Kind::Message, L"ss"}, {5037, Kind::Message, L"ss"}, {5038, Kind::Message, L"s"},
    {70500, Kind::Message, L""}, {70501, Kind::Message, L"ss"}, {70502, Kind::Message, L"ss"}, {70503, Kind::Message, L"s"},
    // Load points, both pages.
    {5005, Kind::Title, L""}, {5006, Kind::Caption, L""}, {5007, Kind::Caption, L""}, {7748, Kind::Caption, L""},
    {7749, Kind::Caption, L""}, {7750, Kind::Caption, L""}, {7751, Kind::Caption, L""}, {7752, Kind::Caption, L""},
    {7753, Kind::Caption, L""}, {7754, Kind::Caption, L""}, {7759, Kind::Caption, L""}, {7760, Kind::Caption, L""},
    {263, Kind::Caption, L""}, {61051, Kind::Caption, L""}, {264, Kind::Caption, L""}, {61053, Kind::Caption, L""},
    {7755, Kind::Caption, L""},
    // Entity type list.
    {22090, Kind::Caption, L""}, {288, Kind::Caption, L""}, {312, Kind::Caption, L""}, {972, Kind::Caption, L""},
    {821, Kind::Caption, L""}, {1257, Kind::Caption, L""}, {4191, Kind::Caption, L""}, {5023, Kind::Caption, L""},
    {221, Kind::Suffix, L""}, {4995, Kind::Caption, L""}, {5024, Kind::Caption, L""}, {5025, Kind::Caption, L"s"},
    // Break lines.
    {4983, Kind::Title, L""}, {7757, Kind::Caption, L""}, {7756, Kind::Caption, L""}, {4988, Kind::Caption, L""},
    // Show surface.
    {61100, Kind::Title, L""}, {1889, Kind::Caption, L""}, {1021, Kind::Caption, L""}, {4992, Kind::Caption, L""},
    {4993, Kind::Caption, L""}, {61101, Kind::Caption, L""}, {61102, Kind::Caption, L""}, {4339, Kind::Caption, L""},
    {61105, Kind::Caption, L""}, {61106, Kind::Caption, L""}, {4994, Kind::Caption, L""}, {4996, Kind::Caption, L""},
    {2750, Kind::Caption, L""}, {4997, Kind::Caption, L""}, {4998, Kind::Caption, L""}, {2320, Kind::Caption, L""},
    {584, Kind::Prompt, L""}, {5000, Kind::Prompt, L""}, {5001, Kind::Prompt, L""}, {5002, Kind::Prompt, L""},
    {1261, Kind::Prompt, L""}, {4999, Kind::Caption, L""},
    {70200, Kind::Message, L""}, {70201, Kind::Message, L"s"},
    // Swap triangle diagonal.
    {6274, Kind::Title, L""}, {6275, Kind::Caption, L""}, {6276, Kind::Message, L""},
    // Contour lines.
    {5148, Kind::Title, L""}, {776, Kind::Caption, L""}, {775, Kind::Caption, L""}, {5149, Kind::Caption, L""},
    {5153, Kind::Caption, L""}, {313, Kind::Caption, L""}, {5152, Kind::Caption, L""}, {5150, Kind::Caption, L""},
    {5151, Kind::Caption, L""}, {5154, Kind::Caption, L""}, {5155, Kind::Caption, L""}, {5156, Kind::Caption, L""},
    {5157, Kind::Caption, L""}, {6277, Kind::Caption, L""}, {70300, Kind::Message, L""},
    {70301, Kind::Message, L"ffd"},
    // Contour labels.
    {6235, Kind::Title, L""}, {6236, Kind::Caption, L""},
    // Projection onto a surface.
    {5003, Kind::Title, L""}, {3992, Kind::Caption, L""}, {7758, Kind::Caption, L""},
};
// clang-format on

// Texts offered as choices of a pick list, whose choices are joined by "|".
const unsigned kPickListChoices[] = {1257};

// Small words that stay lower case inside a Title Case title.
const std::set<std::wstring> kTitleSmallWords = {L"a",    L"an", L"and", L"as", L"at", L"by",   L"for", L"from",
                                                 L"in",   L"into", L"of", L"on", L"onto", L"or", L"the", L"to",
                                                 L"with"};

MessageCatalogue shipped() {
  return MessageCatalogue::load(std::string(UV_SOURCE_DIR) + "/product/giscore/data/messages.txt");
}

// The printf conversions of a text in order, "%%" not counted.
std::wstring conversionsOf(const std::wstring& s) {
  std::wstring out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != L'%') continue;
    if (i + 1 < s.size() && s[i + 1] == L'%') { ++i; continue; }
    size_t k = i + 1;
    while (k < s.size() && std::wcschr(L"-+ #0123456789.*hlLIzjt", s[k])) ++k;
    out += k < s.size() ? s[k] : L'?';
    i = k;
  }
  return out;
}

std::vector<std::wstring> wordsOf(const std::wstring& s) {
  std::vector<std::wstring> words;
  std::wstring w;
  for (wchar_t c : s) {
    if (c == L' ') { if (!w.empty()) words.push_back(w); w.clear(); }
    else w += c;
  }
  if (!w.empty()) words.push_back(w);
  return words;
}

bool startsUpperOrDigit(const std::wstring& w) {
  return !w.empty() && (std::iswupper(static_cast<wint_t>(w[0])) || std::iswdigit(static_cast<wint_t>(w[0])));
}

// A word written in capitals throughout (2D, OK, X, SURFMAN) is a name, not
// a capitalised word.
bool isAllCaps(const std::wstring& w) {
  return std::none_of(w.begin(), w.end(), [](wchar_t c) { return std::iswlower(static_cast<wint_t>(c)); });
}

// What is wrong with a text for its kind; empty when nothing is.
std::string faultOf(const Use& use, const std::wstring& text) {
  if (text.empty()) return "empty";
  if (text == uv::giscore::missingMessageText(use.id)) return "placeholder";
  if (conversionsOf(text) != use.conversions)
    return "printf conversions \"" + CString(conversionsOf(text)).toUtf8() + "\", expected \"" +
           CString(use.conversions).toUtf8() + "\"";
  if (text.find(L'\n') != std::wstring::npos || text.find(L'\t') != std::wstring::npos) return "not one line";
  const wchar_t last = text.back();
  const std::wstring body = use.kind == Kind::Suffix ? text.substr(1) : text;
  if (use.kind == Kind::Suffix && text[0] != L' ') return "a suffix must start with a space";
  if (body.empty() || body.front() == L' ' || last == L' ') return "blank at an end";
  const std::vector<std::wstring> words = wordsOf(body);
  switch (use.kind) {
    case Kind::Title:
      for (const auto& w : words)
        if (!startsUpperOrDigit(w) && !kTitleSmallWords.count(w)) return "title word not capitalised";
      if (last == L'.' || last == L':') return "title ends in punctuation";
      break;
    case Kind::Caption:
    case Kind::Suffix:
      if (!startsUpperOrDigit(words[0])) return "does not start with a capital";
      for (size_t i = 1; i < words.size(); ++i)
        if (std::iswupper(static_cast<wint_t>(words[i][0])) && !isAllCaps(words[i])) return "not sentence case";
      // An ellipsis is fine: it tells that a dialog follows ("Other...").
      if ((last == L'.' && !body.ends_with(L"...")) || last == L':' || last == L'?')
        return "caption ends in punctuation";
      break;
    case Kind::Message:
      if (!startsUpperOrDigit(words[0])) return "does not start with a capital";
      if (last != L'.' && last != L'?') return "a message ends with a full stop or a question mark";
      break;
    case Kind::Prompt:
      if (!startsUpperOrDigit(words[0])) return "does not start with a capital";
      if (last != L':') return "a prompt ends with a colon";
      break;
  }
  return {};
}

TEST(ShippedCatalogue, ReadsWithoutProblems) {
  const MessageCatalogue cat = shipped();
  for (const auto& p : cat.problems()) ADD_FAILURE() << p;
  EXPECT_GT(cat.size(), 0u);
}

TEST(ShippedCatalogue, EveryProductMessageHasATextOfItsKind) {
  const MessageCatalogue cat = shipped();
  for (const Use& use : kProductMessages) {
    const std::wstring* text = cat.find(use.id);
    if (!text) {
      ADD_FAILURE() << "message " << use.id << " has no text";
      continue;
    }
    const std::string fault = faultOf(use, *text);
    EXPECT_EQ("", fault) << "message " << use.id << ": \"" << CString(*text).toUtf8() << "\"";
  }
}

TEST(ShippedCatalogue, HoldsNoTextTheProductDoesNotUse) {
  std::set<unsigned> used;
  for (const Use& use : kProductMessages) EXPECT_TRUE(used.insert(use.id).second) << use.id << " listed twice";
  for (unsigned id : shipped().ids()) EXPECT_TRUE(used.count(id)) << "message " << id << " is not used; list it or drop it";
}

TEST(ShippedCatalogue, FormatsTakeTheirArguments) {
  const MessageCatalogue cat = shipped();
  const std::map<unsigned, std::wstring> expected = {
      {5017, L"Teren"},  // surface name
      {5018, L"Teren"},
      {5025, L"KVX_ELEV"},  // block name
  };
  for (const auto& [id, arg] : expected) {
    const std::wstring* fmt = cat.find(id);
    ASSERT_NE(nullptr, fmt) << id;
    const std::wstring out = FormatWide(fmt->c_str(), arg.c_str());
    EXPECT_NE(std::wstring::npos, out.find(arg)) << id << ": " << CString(out).toUtf8();
    EXPECT_EQ(std::wstring::npos, out.find(L'%')) << id << ": " << CString(out).toUtf8();
  }
  // The "2D / 3D" row label is "2D / 3D" followed directly by message 221.
  EXPECT_EQ(L"2D / 3D Polylines", L"2D / 3D" + *cat.find(221));
}

TEST(ShippedCatalogue, PickListChoicesHoldNoSeparator) {
  const MessageCatalogue cat = shipped();
  for (unsigned id : kPickListChoices) {
    ASSERT_NE(nullptr, cat.find(id));
    EXPECT_EQ(std::wstring::npos, cat.find(id)->find(L'|')) << id;
  }
}

TEST(ShippedCatalogue, KindRulesCatchBadTexts) {
  struct Case {
    Use use;
    std::wstring text;
    const char* fault;
  };
  const Case cases[] = {
      {{5017, Kind::Message, L"s"}, L"Delete the surface from the drawing?", "printf conversions \"\", expected \"s\""},
      {{5017, Kind::Message, L"s"}, L"Delete %s and %s?", "printf conversions \"ss\", expected \"s\""},
      {{5017, Kind::Message, L"s"}, L"Delete the surface %d?", "printf conversions \"d\", expected \"s\""},
      {{4987, Kind::Message, L""}, L"No surface", "a message ends with a full stop or a question mark"},
      {{4987, Kind::Message, L""}, L"Done 100%.", "printf conversions \"?\", expected \"\""},
      {{5008, Kind::Title, L""}, L"Surface manager", "title word not capitalised"},
      {{5008, Kind::Title, L""}, L"Surface Manager.", "title ends in punctuation"},
      {{840, Kind::Caption, L""}, L"Name:", "caption ends in punctuation"},
      {{840, Kind::Caption, L""}, L"name", "does not start with a capital"},
      {{7753, Kind::Caption, L""}, L"Replace The Points", "not sentence case"},
      {{840, Kind::Caption, L""}, L"Name ", "blank at an end"},
      {{221, Kind::Suffix, L""}, L"Polylines", "a suffix must start with a space"},
      {{584, Kind::Prompt, L""}, L"Pick a point", "a prompt ends with a colon"},
      {{60, Kind::Caption, L""}, L"[message 60]", "placeholder"},
      {{60, Kind::Caption, L""}, L"", "empty"},
      {{4987, Kind::Message, L""}, L"Two\nlines.", "not one line"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.fault, faultOf(c.use, c.text)) << CString(c.text).toUtf8();
  EXPECT_EQ("", faultOf({5025, Kind::Caption, L"s"}, L"Block %s"));
  EXPECT_EQ("", faultOf({5003, Kind::Title, L""}, L"Projection onto Surface"));
  EXPECT_EQ("", faultOf({4339, Kind::Caption, L""}, L"Grid spacing X"));
  EXPECT_EQ("", faultOf({3789, Kind::Caption, L""}, L"Other..."));
}

}  // namespace
