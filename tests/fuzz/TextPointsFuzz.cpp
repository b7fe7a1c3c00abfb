// Fuzz target: the text point reader (module/points CTextFile, the cutting
// of lines into fields, the number reading of fields). The input's first
// bytes are the settings a person makes on the text page, the rest is the
// file:
//
//   byte 0   comment marker         byte 1     split mode (even: delimiter)
//   byte 2   delimiter              bytes 3-6  fixed width (9 digits at most)
//   bytes 7-9  X, Y and Z columns (1 to 64)  then the file's bytes
//
// Properties: every stored line is at most 999 characters and starts with
// neither marker; cutting at a delimiter gives non-empty fields without the
// delimiter; cutting at columns gives one field more than end positions; a
// field reads as a number (infinity at worst, never NaN).
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "module/points/CTextFile.h"
#include "module/points/NumberText.h"

namespace {

constexpr std::size_t kSettings = 10;
constexpr int kFixedColumns = 50;

// One file per process, written again for each input.
const std::string& scratchFile() {
  static const std::string path = [] {
    char name[] = "/tmp/uv-fuzz-points-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    std::atexit([] { std::remove(scratchFile().c_str()); });
    return std::string(name);
  }();
  return path;
}

void writeScratch(const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(scratchFile().c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kSettings) return 0;
  const wchar_t comment = wchar_t(data[0]);
  const bool columns = (data[1] & 1) != 0;
  const wchar_t delimiter = wchar_t(data[2]);
  const int width = int((std::uint32_t(data[3]) | std::uint32_t(data[4]) << 8 | std::uint32_t(data[5]) << 16 |
                         std::uint32_t(data[6]) << 24) % 1000000000u);
  const int column[3] = {data[7] % 64 + 1, data[8] % 64 + 1, data[9] % 64 + 1};
  writeScratch(data + kSettings, size - kSettings);

  CTextFile file;
  file.SetCommentMarker(comment);
  UV_FUZZ_CHECK(file.Read(CString(std::wstring(scratchFile().begin(), scratchFile().end()))) == 1,
                "an existing file was not read");
  CIntArray ends;
  for (long long k = 1; k <= kFixedColumns; ++k) ends.Add(int(std::min<long long>(k * width, INT_MAX)));
  CStringArray names, fields;
  file.GetSectionNames(names);
  for (int s = 0; s < names.GetSize(); ++s) {
    CTextFile::CSection* section = file.FindSection(names[s]);
    UV_FUZZ_CHECK(section != nullptr, "a listed section is not found");
    section->SetSplitMode(columns ? CTextFile::CSection::kSplitColumns : CTextFile::CSection::kSplitDelimiter,
                          delimiter, ends);
    for (int i = 0; i < section->GetLineCount(); ++i) {
      const CString line = section->GetLine(i);
      UV_FUZZ_CHECK(line.GetLength() >= 1 && line.GetLength() <= 999, "a stored line is empty or too long");
      UV_FUZZ_CHECK(line[0] != comment && line[0] != file.GetSectionMarker(), "a marker line was stored");
      const int n = section->SplitLine(i, fields);
      UV_FUZZ_CHECK(n == fields.GetSize(), "a field count that is not the fields'");
      if (columns) {
        UV_FUZZ_CHECK(n == kFixedColumns + 1, "column cutting lost a column");
      } else {
        for (int f = 0; f < n; ++f)
          UV_FUZZ_CHECK(!fields[f].IsEmpty() && fields[f].Find(delimiter) < 0, "a delimiter field is wrong");
      }
      for (int c : column)
        if (c <= n) UV_FUZZ_CHECK(!std::isnan(uv::NumberFromText(fields[c - 1])), "a field read as no number");
    }
  }
  return 0;
}
