// Makes a module's resources current for the life of the scope, popping
// them again also when an exception passes.
#pragma once

#include "AcApDocManager.h"

namespace uv {

class ResourceHandleScope {
 public:
  explicit ResourceHandleScope(HINSTANCE resources) { acDocManager->pushResourceHandle(resources); }
  ~ResourceHandleScope() { acDocManager->popResourceHandle(); }
  ResourceHandleScope(const ResourceHandleScope&) = delete;
  ResourceHandleScope& operator=(const ResourceHandleScope&) = delete;
};

}  // namespace uv
