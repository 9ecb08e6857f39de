#pragma once
// How the image cycle and the main program reach the preparation windows that take
// arguments. Each window sets its entry when it is created; an empty entry means the
// window is not there, and the caller does what a closed window would.
#include <functional>

#include "toolkit/Bitmap.h"

namespace imageprep {

// The image section and size window (modal): `nurGroesse` locks the section choice; `Bild`
// brings the picture and takes back the one chosen. False when the user cancelled.
extern std::function<bool(bool nurGroesse, toolkit::TBitmap& Bild)> BildausschnittWaehlen;
// The image information window (colour or grey), modal.
extern std::function<void(bool grau)> BildinfoZeigen;

}  // namespace imageprep
