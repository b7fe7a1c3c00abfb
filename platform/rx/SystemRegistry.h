// The system registry: the host's services by name, as modules look them up.
#pragma once

#include "AcEdCommandStack.h"
#include "AcRxDictionary.h"
#include "AcRxDynamicLinker.h"

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"
#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

// Holds the dynamic linker and the command stack from the first call on.
AcRxDictionary* acrxSysRegistry();

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))
#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
