// What the program asks its user, one value type per kind of question. A
// question carries everything a front end needs to ask it and a scripted
// user needs to check the answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/WinTypes.h"
#include "ge/AcGePoint3d.h"

namespace uv {

struct PointQuestion {
  std::wstring prompt{};
  std::optional<AcGePoint3d> base{};  // a rubber band from here
};

struct CornerQuestion {
  std::wstring prompt{};
  AcGePoint3d base{};  // a rubber rectangle from here
};

struct StringQuestion {
  std::wstring prompt{};
  bool allowSpaces = false;  // otherwise a space ends the input, as Enter does
  size_t maxLength = 0;      // characters; 0 for no limit
};

struct NumberQuestion {
  std::wstring prompt{};
  bool integer = false;
};

struct KeywordQuestion {
  std::wstring prompt{};
  std::vector<std::wstring> keywords{};
};

struct EntityQuestion {
  std::wstring prompt{};
};

struct SelectionQuestion {
  std::wstring prompt{};  // empty: the host's "Select objects:"
};

struct MessageQuestion {
  std::wstring text{};
  std::wstring caption{};
  UINT type = 0;  // MB_ buttons | MB_ icon
  UINT buttons() const { return type & 0x0Fu; }
  UINT icon() const { return type & 0xF0u; }
};

struct ColorQuestion {
  int initial = 7;
  bool allowMetaColors = false;  // ByBlock (0) and ByLayer (256)
  int layerColor = 7;
};

struct LinetypeQuestion {
  std::wstring current{};
  bool allowByBlockByLayer = false;
  std::vector<std::wstring> choices{};  // the names the dialog offers
};

struct FileQuestion {
  bool save = false;
  std::wstring title{};
  std::wstring initialName{};
  std::wstring defaultExtension{};  // without the dot
  std::wstring filter{};            // "*.kvb|*.kvb|*.*|*.*||"
  // A save dialog that asks before it takes an existing file: overwriteQuestion(path), answered
  // Yes to take the file or No to choose again. Every front end asks it through messageBox, so
  // a job script answers it with "answer yes" or "answer no" wherever the program runs.
  bool confirmOverwrite = false;
};

// Whether the dialog must ask before it returns `path`: a save that confirms overwriting, and
// something (a file, a folder, a link) already at the path.
bool needsOverwriteQuestion(const FileQuestion& q, const std::wstring& path);
// "<path> already exists.\nDo you want to replace it?" with Yes and No.
MessageQuestion overwriteQuestion(const FileQuestion& q, const std::wstring& path);

// "a point (\"Pick first corner:\")" and so on, for messages.
std::wstring describe(const PointQuestion& q);
std::wstring describe(const CornerQuestion& q);
std::wstring describe(const StringQuestion& q);
std::wstring describe(const NumberQuestion& q);
std::wstring describe(const KeywordQuestion& q);
std::wstring describe(const EntityQuestion& q);
std::wstring describe(const SelectionQuestion& q);
std::wstring describe(const MessageQuestion& q);
std::wstring describe(const ColorQuestion& q);
std::wstring describe(const LinetypeQuestion& q);
std::wstring describe(const FileQuestion& q);

}  // namespace uv
