#include "toolkit/Bildablage.h"

namespace toolkit {
namespace {
std::optional<TBitmap> ablage;
}

void BildAblegen(const TBitmap& bild) { ablage = bild; }
bool BildAbgelegt() { return ablage.has_value(); }
std::optional<TBitmap> AbgelegtesBild() { return ablage; }
void BildablageLeeren() { ablage.reset(); }

}  // namespace toolkit
