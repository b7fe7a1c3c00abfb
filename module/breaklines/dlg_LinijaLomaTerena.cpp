#include "module/breaklines/dlg_LinijaLomaTerena.h"

dlg_LinijaLomaTerena::dlg_LinijaLomaTerena() : CModuleDialog(IDD, CloseSaves::kYes) {}
