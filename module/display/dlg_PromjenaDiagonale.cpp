#include "module/display/dlg_PromjenaDiagonale.h"

dlg_PromjenaDiagonale::dlg_PromjenaDiagonale() : CModuleDialog(IDD, CloseSaves::kYes) {}
