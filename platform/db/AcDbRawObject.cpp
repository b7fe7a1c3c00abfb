#include "AcDbRawObject.h"

UV_DEFINE_RX_MEMBERS(AcDbRawObject, AcDbObject, nullptr)

std::string AcDbRawObject::value(int code) const {
  for (const uv::RawGroup& g : m_groups)
    if (g.code == code) return g.value;
  return {};
}
