#pragma once
// The picture slot: pictures pass between the main window, the image cycle and the
// preparation windows through it, inside the program; the system clipboard is never used.
#include <optional>

#include "toolkit/Bitmap.h"

namespace toolkit {

// Puts a copy of `bild` into the slot.
void BildAblegen(const TBitmap& bild);
// True when the slot holds a picture.
bool BildAbgelegt();
// A copy of the picture in the slot, nothing when it is empty.
std::optional<TBitmap> AbgelegtesBild();
// Empties the slot (tests, program start).
void BildablageLeeren();

}  // namespace toolkit
