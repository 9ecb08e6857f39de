#pragma once
// The picture the part program names: loading it into QuellImage, fitting it into the main
// window's panel, saving a prepared picture as PCX, TGA or BMP. No window: the main window
// shows what these leave in QuellImage and places it by TEinpassung.
#include <cstdint>
#include <string>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace workspace {

// Picture state of the main window.
using VelkorWinVAR::BildOrigBreite;  // size as loaded (cut to 65535)
using VelkorWinVAR::BildOrigHoehe;
extern long double BildSeitenverhaeltnis;            // width / height
extern bool BildQuerformat;                          // ratio above 1
using VelkorWinVAR::AnfangsbildverkleinerungX;  // shown / loaded size
using VelkorWinVAR::AnfangsbildverkleinerungY;
extern std::uint16_t BildfeldBreite, BildfeldHoehe;  // the panel's picture field (705 x 409)
extern VelkorWinVAR::TBildFormat Bildformat;

// The main window's picture panel (ImgPanel).
inline constexpr int ImgPanelBreite = 744, ImgPanelHoehe = 441;

// The wait pointer while it lives (only where a window system runs).
class TWarteZeiger {
public:
  TWarteZeiger();
  ~TWarteZeiger();
  TWarteZeiger(const TWarteZeiger&) = delete;
  TWarteZeiger& operator=(const TWarteZeiger&) = delete;

private:
  bool aktiv_;
};

// Loads the picture file into `Bild` through the image registry (reader by content first,
// then by extension). A name that is not found as written is looked for without regard to
// case. Raises the reader's error (std::exception; its what() is the text to show) when it
// cannot; an empty picture counts as unreadable. Shows the wait pointer meanwhile.
// BildGeladen is the caller's to set.
void LoadImageFile(const std::string& Dateiname, toolkit::TBitmap& Bild);

// Where a fitted picture stands in the panel.
struct TEinpassung {
  int Breite = 0, Hoehe = 0;  // shown size
  int Links = 0, Oben = 0;    // the picture's place in the panel
  // The bevel round it: 5 pixels left of and above the picture, 10 wider and higher.
  int BevelLinks() const { return Links - 5; }
  int BevelOben() const { return Oben - 5; }
  int BevelBreite() const { return Breite + 10; }
  int BevelHoehe() const { return Hoehe + 10; }
};
// Fits QuellImage into the picture field BildfeldBreite x BildfeldHoehe: a larger picture is
// resampled (nearest neighbour, so no new colour appears) to Round(w f) x Round(h f) of its
// own size, never below 1 x 1 and never beyond the field, where f keeps the aspect ratio.
// Sets BildOrig*, BildSeitenverhaeltnis, BildQuerformat, Gesamtbildverkleinerung (f, 1 when
// it fits), the Anfangsbildverkleinerung factors, Bildausschnitt (the whole picture, right
// and bottom exclusive, not chosen), Bildbreite and Bildhoehe; returns its place in a panel
// of the given size. An empty QuellImage changes nothing and gives an empty TEinpassung.
TEinpassung FitImageToPanel(int PanelBreite = ImgPanelBreite, int PanelHoehe = ImgPanelHoehe);

// The file name a picture is saved under in `format`: the name up to the first "." of its
// last path component + ".PCX", ".TGA" or ".bmp"; "Unbenannt" + that in the working
// directory for an empty name.
std::string BildSpeichernName(const std::string& Bilddateiname, VelkorWinVAR::TBildFormat format);

// Saves `Bild` in `format` to BildSpeichernName(Bilddateiname). An existing file is asked
// about ("Die Datei ... existiert bereits. Überschreiben (J/N)?", "Nein" by default) and
// copied to its BAK backup first; the write goes through a temporary file, so a failure
// leaves the old file. False when the user declined or after one notice naming the file
// and the error.
bool SaveImage(const toolkit::TBitmap& Bild, const std::string& Bilddateiname, VelkorWinVAR::TBildFormat format);

}  // namespace workspace
