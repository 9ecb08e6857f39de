#include "workspace/BildLaden.h"

namespace workspace {
std::uint16_t BildOrigBreite = 0, BildOrigHoehe = 0;
long double BildSeitenverhaeltnis = 1.0L;
bool BildQuerformat = false;
long double AnfangsbildverkleinerungX = 1.0L, AnfangsbildverkleinerungY = 1.0L;
std::uint16_t BildfeldBreite = 705, BildfeldHoehe = 409;
VelkorWinVAR::TBildFormat Bildformat = VelkorWinVAR::TBildFormat::PCX;

void LoadImageFile(const std::string&, toolkit::TBitmap& Bild) { Bild = toolkit::TBitmap(); }
TEinpassung FitImageToPanel() { return {}; }
std::string BildSpeichernName(const std::string& n, VelkorWinVAR::TBildFormat) { return n; }
bool SaveImage(const toolkit::TBitmap&, const std::string&, VelkorWinVAR::TBildFormat) { return false; }
}  // namespace workspace
