// The result buffer and the ads value types, laid out as the host lays them
// out: code written for the host reads and writes these fields directly.
#pragma once

#include <cstdint>

#include "AdAChar.h"

using ads_real = double;
using ads_point = ads_real[3];
// An entity or selection-set name. For entities: [0] the handle, [1] the
// address of the database (see acdbGetAdsName).
using ads_name = std::int64_t[2];
using ads_pointp = ads_real*;
using ads_namep = std::int64_t*;

// Coordinate indices of an ads_point. An enumeration, not macros, so that
// local names X, Y and Z elsewhere still shadow them.
enum { X = 0, Y = 1, Z = 2 };

struct ads_binary {
  short clen;  // number of bytes in buf
  char* buf;   // malloc'ed; released by acutRelRb
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  ACHAR* rstring;      // malloc'ed; released by acutRelRb
  std::int64_t rlname[2];
  std::int32_t rlong;
  std::int64_t rlong64;
  ads_binary rbinary;
  unsigned char ihandle[8];
};

struct resbuf {
  resbuf* rbnext;
  short restype;
  ads_u_val resval;
};
