// PLACEHOLDER: replaced by the real tip.
#include "catalogue/line_help_tip_win.h"
namespace scrutor {
void ShowLineHelpTip(ui::Form&, const Editor&, const LineHelpTipStyle&) {}
}  // namespace scrutor
