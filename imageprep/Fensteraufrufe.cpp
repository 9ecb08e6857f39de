#include "imageprep/Fensteraufrufe.h"

namespace imageprep {
std::function<bool(bool, toolkit::TBitmap&)> BildausschnittWaehlen;
std::function<void(bool)> BildinfoZeigen;
}  // namespace imageprep
