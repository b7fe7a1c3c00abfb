// SPDX-License-Identifier: GPL-3.0-or-later
// Binary serialisation of engine objects, little-endian, through a stream buffer.
#pragma once

#include <streambuf>

class CBin {
 public:
  virtual ~CBin() = default;
  virtual bool WriteBin(std::streambuf& out) const = 0;
  // False when the stream ends early; the object is then unchanged.
  virtual bool ReadBin(std::streambuf& in) = 0;
};
