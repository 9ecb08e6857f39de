// The text-engraving cycle. It does nothing yet: the stroke fonts and the text layout
// replace this file.
#include "engine/VelkorWinGrvTXT.h"

namespace VelkorWinGrvTXT {

void GravurTextWandeln(VelkorWinVAR::TInterpretermodus, TPunkt3D&, TPunkt3D&, VelkorWinVAR::TInterpolation, double,
                       double, double, double, const std::string&, bool&, bool&) {}

}  // namespace VelkorWinGrvTXT
