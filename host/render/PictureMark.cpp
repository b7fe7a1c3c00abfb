#include "host/render/PictureMark.h"

#include <QImage>
#include <QSvgGenerator>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "base/TextCase.h"

namespace uv::render {

namespace {

constexpr char kSoftware[] = "cadhost";
constexpr std::string_view kPngText("Software\0cadhost", 16);
constexpr char kSvgDescription[] = "Drawn by cadhost";
constexpr std::string_view kSvgMark("<desc>Drawn by cadhost</desc>");
// Both marks stand before the picture's data; a head this long holds them.
constexpr std::size_t kHead = 64 * 1024;

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
  return std::uint32_t(std::uint8_t(bytes[at])) << 24 | std::uint32_t(std::uint8_t(bytes[at + 1])) << 16 |
         std::uint32_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint32_t(std::uint8_t(bytes[at + 3]));
}

// The text chunks before the image data, walked chunk by chunk.
bool pngIsMarked(const std::string& head) {
  std::size_t at = 8;
  while (at + 8 <= head.size()) {
    const std::uint32_t length = bigEndian(head, at);
    const std::string_view type(head.data() + at + 4, 4);
    if (type == "IDAT" || type == "IEND" || length > head.size()) return false;
    if (type == "tEXt" && length == kPngText.size() && at + 8 + length <= head.size() &&
        std::string_view(head.data() + at + 8, length) == kPngText)
      return true;
    at += 12 + std::size_t(length);
  }
  return false;
}

}  // namespace

void markPicture(QImage& image) { image.setText(QStringLiteral("Software"), QString::fromLatin1(kSoftware)); }

void markPicture(QSvgGenerator& svg) { svg.setDescription(QString::fromLatin1(kSvgDescription)); }

bool isPictureDrawnHere(const std::wstring& path) {
  std::ifstream in(toUtf8(path), std::ios::binary);
  std::string head(kHead, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(std::size_t(in.gcount()));
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return pngIsMarked(head);
  return head.find(kSvgMark) != std::string::npos;
}

}  // namespace uv::render
