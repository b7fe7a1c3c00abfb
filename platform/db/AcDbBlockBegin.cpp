#include "AcDbBlockBegin.h"

UV_DEFINE_RX_MEMBERS(AcDbBlockBegin, AcDbEntity, L"BLOCK")
UV_DEFINE_RX_MEMBERS(AcDbBlockEnd, AcDbEntity, L"ENDBLK")
UV_DEFINE_RX_MEMBERS(AcDbSequenceEnd, AcDbEntity, L"SEQEND")
