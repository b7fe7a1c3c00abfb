// A canonical text of a whole drawing for comparing two databases: the
// current settings, every table record, every block with its entities (and
// their vertices and attributes), the named object dictionary tree with its
// xrecords and groups, and the extended data and handle of every object. Two
// drawings are structurally equal when their dumps are; a test that fails
// shows the first lines that differ. Reals are printed to 12 significant
// digits, which absorbs the rounding of object-coordinate conversions.
#pragma once

#include <string>

class AcDbDatabase;

namespace uvtest {

std::string dumpDatabase(const AcDbDatabase& db);

// The first differing line of two dumps with a few lines of context, or ""
// when they are equal.
std::string firstDifference(const std::string& a, const std::string& b);

}  // namespace uvtest
