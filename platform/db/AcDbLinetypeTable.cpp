#include "AcDbLinetypeTable.h"

UV_DEFINE_RX_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, L"TABLE")
