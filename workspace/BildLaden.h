#pragma once
// The picture the part program names: loading it into QuellImage, fitting it into the main
// window's panel, saving a prepared picture as PCX, TGA or BMP.
#include <cstdint>
#include <string>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace workspace {

// Picture state of the main window.
extern std::uint16_t BildOrigBreite, BildOrigHoehe;  // size as loaded
extern long double BildSeitenverhaeltnis;
extern bool BildQuerformat;
extern long double AnfangsbildverkleinerungX, AnfangsbildverkleinerungY;
extern std::uint16_t BildfeldBreite, BildfeldHoehe;  // the panel's picture field (705 x 409)
extern VelkorWinVAR::TBildFormat Bildformat;

// Loads the picture file into `Bild` through the image registry (reader by content first,
// then by extension). Raises the reader's error (std::exception) when it cannot; an empty
// picture counts as unreadable.
void LoadImageFile(const std::string& Dateiname, toolkit::TBitmap& Bild);

// Where a fitted picture stands in the panel.
struct TEinpassung {
  int Breite = 0, Hoehe = 0;  // shown size
  int Links = 0, Oben = 0;    // the picture's place in the panel
};
// Fits QuellImage into the picture field: scales it (never up), sets BildOrig*, the factors,
// Gesamtbildverkleinerung, Bildausschnitt, Bildbreite and Bildhoehe; returns its place.
TEinpassung FitImageToPanel();

// The file name a picture is saved under in `format` (the extension of the last path
// component replaced; "Unbenannt" in the working directory for an empty name).
std::string BildSpeichernName(const std::string& Bilddateiname, VelkorWinVAR::TBildFormat format);
// Saves `Bild` in `format` to BildSpeichernName(Bilddateiname): an existing file is asked
// about and moved to its BAK first, the write goes through a temporary file. False after
// one notice when it failed or the user declined.
bool SaveImage(const toolkit::TBitmap& Bild, const std::string& Bilddateiname, VelkorWinVAR::TBildFormat format);

}  // namespace workspace
