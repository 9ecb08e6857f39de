// The image cycle does nothing yet: the image milling replaces this file.
#include "engine/VelkorWinBildZyklus.h"

namespace VelkorWinBildZyklus {

void BildZyklusWandeln(const std::string&, VelkorWinVAR::TInterpretermodus, bool, bool&, VelkorWinMATH::TPunkt3D&,
                       VelkorWinMATH::TPunkt3D&, double, int&) {}

}  // namespace VelkorWinBildZyklus
