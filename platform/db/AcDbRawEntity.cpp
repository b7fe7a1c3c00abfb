#include "AcDbRawEntity.h"

UV_DEFINE_RX_MEMBERS(AcDbRawEntity, AcDbEntity, nullptr)
