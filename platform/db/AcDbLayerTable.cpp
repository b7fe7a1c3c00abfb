#include "AcDbLayerTable.h"

UV_DEFINE_RX_MEMBERS(AcDbLayerTable, AcDbSymbolTable, L"TABLE")
