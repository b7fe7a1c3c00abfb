#include "AcDbBlockTable.h"

UV_DEFINE_RX_MEMBERS(AcDbBlockTable, AcDbSymbolTable, L"TABLE")
