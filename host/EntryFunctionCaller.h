// Calls the exported entry functions of loaded modules, the static members
// of CVantorUIInterface, by name. They are found with dlsym under their g++
// names:
//
//   CVantorUIInterface::CallLoadPoints(wchar_t const*)  _ZN18CVantorUIInterface14CallLoadPointsEPKw
//   CVantorUIInterface::CallConversion()                _ZN18CVantorUIInterface14CallConversionEv
//
// A function that takes a name is called with the given text; one that
// takes none is called without. Errors (no such function in any loaded
// module, an argument where none is taken or none where one is needed, an
// exception from the module other than a script's) throw HostError.
#pragma once

#include <optional>
#include <string>

namespace uv::host {

class EntryFunctionCaller {
 public:
  static constexpr const char* kClassName = "CVantorUIInterface";

  static std::string mangledName(const std::string& function, bool takesText);
  static void call(const std::wstring& function, const std::optional<std::wstring>& argument);
};

}  // namespace uv::host
