#pragma once
// N renumbering of a part program's lines (start 1, step 1), as the NC editor does it.
#include "engine/VelkorWinVAR.h"

namespace workspace {

// Renumbers `Liste` in place; an empty list gives its notice and stays as it is.
void TeileprogrammUmnummerieren(VelkorWinVAR::TNcZeilen& Liste);

}  // namespace workspace
