// Result-buffer chains: allocation, release and building, as the host offers
// them, plus the value kind that each restype carries.
#pragma once

#include "adscodes.h"
#include "adsdef.h"

// A new, zeroed result buffer of the given type. Strings and binary chunks
// are not allocated: the caller fills rstring/rbinary with malloc'ed memory.
resbuf* acutNewRb(int restype);

// Releases the whole chain from rb on, with the strings and binary chunks of
// every item. Returns RTNORM (RTERROR for a null chain).
int acutRelRb(resbuf* rb);

// Builds a chain from (code, value) pairs ended by a 0 (or RTNONE) code;
// DXF group code 0 is written RTDXF0. The value
// argument depends on the code (see uv::resvalKind): const wchar_t* for
// strings, double for reals, ads_point for points (RTPOINT uses x and y),
// int for 16- and 32-bit integers, int64_t for RTINT64 and 160-169,
// ads_name for entity names, const ads_binary* for binary chunks, nothing
// for RTNONE, RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID and -3. A code without
// a known value kind makes the whole call return nullptr.
resbuf* acutBuildList(int code, ...);

// Copies of strings, released with acutDelString (or free).
int acutNewString(const ACHAR* input, ACHAR*& output);
void acutDelString(ACHAR*& s);

namespace uv {

// What the resval of a result buffer holds for a given restype: the DXF
// group-code ranges for codes below 5000, the RT* result types above.
enum class ResvalKind { kInvalid, kNone, kReal, kPoint, kShort, kLong, kInt64, kString, kName, kBinary };
ResvalKind resvalKind(int restype);

// A malloc'ed copy of s (an empty string for null), for rstring fields.
ACHAR* newResString(const ACHAR* s);

}  // namespace uv
