#include "module/projection/dlg_Projekcija.h"

dlg_Projekcija::dlg_Projekcija() : CModuleDialog(IDD) {}
