#include "ui/Images.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "base/TextCase.h"
#include "ui/Resources.h"

namespace uv {

namespace {

std::vector<std::unique_ptr<ImageInfo>>& loaded() {
  static std::vector<std::unique_ptr<ImageInfo>> images;
  return images;
}

const ImageInfo* intern(const std::wstring& path, bool icon, int cx, int cy, UINT resourceId) {
  auto size = Images::fileSize(path);
  if (!size) return nullptr;
  ImageInfo wanted{path, cx > 0 ? cx : size->first, cy > 0 ? cy : size->second, icon, resourceId};
  for (const auto& i : loaded())
    if (i->path == wanted.path && i->width == wanted.width && i->height == wanted.height && i->icon == icon &&
        i->resourceId == resourceId)
      return i.get();
  loaded().push_back(std::make_unique<ImageInfo>(wanted));
  return loaded().back().get();
}

std::optional<std::pair<int, int>> pngSize(const std::string& head) {
  if (head.size() < 24 || head.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return std::nullopt;
  auto be = [&](size_t at) {
    return (int(uint8_t(head[at])) << 24) | (int(uint8_t(head[at + 1])) << 16) | (int(uint8_t(head[at + 2])) << 8) |
           int(uint8_t(head[at + 3]));
  };
  return std::make_pair(be(16), be(20));
}

std::optional<std::pair<int, int>> bmpSize(const std::string& head) {
  if (head.size() < 26 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  auto le = [&](size_t at) {
    return int(uint8_t(head[at])) | (int(uint8_t(head[at + 1])) << 8) | (int(uint8_t(head[at + 2])) << 16) |
           (int(uint8_t(head[at + 3])) << 24);
  };
  int h = le(22);
  return std::make_pair(le(18), h < 0 ? -h : h);
}

// XPM: the first quoted string holds "width height colours chars-per-pixel".
std::optional<std::pair<int, int>> xpmSize(const std::string& text) {
  if (text.find("XPM") == std::string::npos) return std::nullopt;
  size_t open = text.find('"');
  if (open == std::string::npos) return std::nullopt;
  int w = 0, h = 0;
  if (std::sscanf(text.c_str() + open + 1, "%d %d", &w, &h) != 2) return std::nullopt;
  return std::make_pair(w, h);
}

}  // namespace

std::optional<std::pair<int, int>> Images::fileSize(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(toUtf8(path)), std::ios::binary);
  if (!in) return std::nullopt;
  std::string head(4096, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(size_t(in.gcount()));
  if (auto s = pngSize(head)) return s;
  if (auto s = bmpSize(head)) return s;
  return xpmSize(head);
}

HBITMAP Images::bitmapResource(UINT id) {
  const ImageResource* r = Resources::instance().image(ImageRef::Type::kBitmap, id);
  return r ? reinterpret_cast<HBITMAP>(const_cast<ImageInfo*>(intern(r->path, false, 0, 0, id))) : nullptr;
}

HICON Images::iconResource(UINT id, int cx, int cy) {
  const ImageResource* r = Resources::instance().image(ImageRef::Type::kIcon, id);
  return r ? reinterpret_cast<HICON>(const_cast<ImageInfo*>(intern(r->path, true, cx, cy, id))) : nullptr;
}

HBITMAP Images::bitmapFile(const std::wstring& path) {
  return reinterpret_cast<HBITMAP>(const_cast<ImageInfo*>(intern(path, false, 0, 0, 0)));
}

HICON Images::iconFile(const std::wstring& path, int cx, int cy) {
  return reinterpret_cast<HICON>(const_cast<ImageInfo*>(intern(path, true, cx, cy, 0)));
}

const ImageInfo* Images::info(const void* handle) {
  for (const auto& i : loaded())
    if (i.get() == handle) return i.get();
  return nullptr;
}

}  // namespace uv

namespace {

UINT resourceId(LPCTSTR name) { return UINT(reinterpret_cast<std::uintptr_t>(name)); }

}  // namespace

HBITMAP LoadBitmap(HINSTANCE, LPCTSTR name) {
  return IS_INTRESOURCE(name) ? uv::Images::bitmapResource(resourceId(name)) : nullptr;
}

HICON LoadIcon(HINSTANCE, LPCTSTR name) {
  return IS_INTRESOURCE(name) ? uv::Images::iconResource(resourceId(name)) : nullptr;
}

HANDLE LoadImage(HINSTANCE, LPCTSTR name, UINT type, int cx, int cy, UINT flags) {
  if (flags & LR_LOADFROMFILE) {
    if (IS_INTRESOURCE(name)) return nullptr;
    return type == IMAGE_ICON ? HANDLE(uv::Images::iconFile(name, cx, cy)) : HANDLE(uv::Images::bitmapFile(name));
  }
  if (!IS_INTRESOURCE(name)) return nullptr;
  return type == IMAGE_ICON ? HANDLE(uv::Images::iconResource(resourceId(name), cx, cy))
                            : HANDLE(uv::Images::bitmapResource(resourceId(name)));
}

BOOL DestroyIcon(HICON) { return TRUE; }
