// What an icon handle of the product stands for: its name, the file it was
// read from (front ends that draw with a toolkit load the file themselves)
// and its pixels.
#pragma once

#include <filesystem>
#include <string>

#include "product/giscore/XpmImage.h"

namespace uv::giscore {

struct Icon {
  std::wstring name;
  std::filesystem::path file;
  XpmImage image;
};

}  // namespace uv::giscore
