// The module's dialog templates and the product's messages for the point
// loading tests, registered once per program whichever fixture comes
// first: from UIVANTOR2_RESOURCES when set, as the module reads them, else
// from the source tree.
#pragma once

namespace uvtest {

void registerModuleResources();

}  // namespace uvtest
