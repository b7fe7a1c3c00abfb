// The invariants of a sound drawing, checked over the whole database:
// every handle filled, objects closed, owners and their children agreeing,
// references naming live objects of the right kind in this database,
// records held by their own table under unique names, extended data of
// registered applications, and valid current layer, linetype and style.
#pragma once

#include <string>
#include <vector>

class AcDbDatabase;

namespace uv {

// One line per problem, naming the object by class and handle; empty when
// the drawing is sound.
std::vector<std::string> checkDatabase(const AcDbDatabase& db);

}  // namespace uv
