// Bitmaps and icons as handles. A handle stands for an image file (PNG,
// XPM or BMP) and the size it is shown at; the model only needs to know
// which picture a control shows and how large it is, and a front end
// loads the file to draw it. Loading the same picture twice gives the
// same handle.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/WinUser.h"

namespace uv {

struct ImageInfo {
  std::wstring path;
  int width = 0;   // as shown: the size asked for, else the file's own
  int height = 0;
  bool icon = false;
  UINT resourceId = 0;  // 0 when loaded from a file by name
};

class Images {
 public:
  // Null when no resource folder declares the id or its file is unreadable.
  static HBITMAP bitmapResource(UINT id);
  static HICON iconResource(UINT id, int cx = 0, int cy = 0);
  // Null when the file is unreadable.
  static HBITMAP bitmapFile(const std::wstring& path);
  static HICON iconFile(const std::wstring& path, int cx = 0, int cy = 0);
  // Null for a handle that is not an image of ours.
  static const ImageInfo* info(const void* handle);
  // Width and height from a PNG, XPM or BMP file's header.
  static std::optional<std::pair<int, int>> fileSize(const std::wstring& path);
};

}  // namespace uv

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_SHARED = 0x8000;

// Win32 loaders: `name` is MAKEINTRESOURCE(id), or a file with LR_LOADFROMFILE.
HBITMAP LoadBitmap(HINSTANCE instance, LPCTSTR name);
HICON LoadIcon(HINSTANCE instance, LPCTSTR name);
HANDLE LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
