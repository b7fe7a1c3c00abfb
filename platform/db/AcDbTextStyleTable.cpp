#include "AcDbTextStyleTable.h"

UV_DEFINE_RX_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, L"TABLE")
