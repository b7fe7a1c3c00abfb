// The layers of a drawing as the layer panel and the job verb `layer` see
// them: name, colour and whether they are off. Changes go through the
// layer table, so a saved drawing keeps them.
#pragma once

#include <string>
#include <vector>

class AcDbDatabase;

namespace uv::host {

struct LayerInfo {
  std::wstring name;
  int colour = 7;  // ACI 1-255
  bool off = false;
};

class LayerSettings {
 public:
  // In the table's order, erased layers left out.
  static std::vector<LayerInfo> list(const AcDbDatabase& db);
  // Each throws HostError (job error) naming the layer when it has no such
  // layer or the value is not allowed; nothing changes then.
  static void setOff(AcDbDatabase& db, const std::wstring& layer, bool off);
  static void setColour(AcDbDatabase& db, const std::wstring& layer, int colour);
};

}  // namespace uv::host
