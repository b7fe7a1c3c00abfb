#include "AcDbRegAppTableRecord.h"

UV_DEFINE_RX_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, L"APPID")
