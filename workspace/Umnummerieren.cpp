#include "workspace/Umnummerieren.h"

namespace workspace {
void TeileprogrammUmnummerieren(VelkorWinVAR::TNcZeilen&) {}
}  // namespace workspace
