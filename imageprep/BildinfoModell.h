#pragma once
// What the two image information windows show, as text, without a display: the picture,
// the working plane, the corners of the milling area, millimetres per pixel (which they
// also store in Fraesspaltenbreite and Fraeszeilenhoehe), the settings and, for colour
// pictures, one row per colour. Also their buttons' actions.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/Bitmap.h"

namespace imageprep {

struct TBildinfoZeile {
  std::optional<toolkit::TColor> Farbe;  // nothing: unused row (button face)
  bool Verwendet = false;
  std::string Hinweis;  // "Farbe [i] Anz.: n"
  std::string Tiefe;    // "<Farbtiefe> mm"
  std::string Modus;    // the FarbModus letter
};

struct TBildinfo {
  std::string Bilddatei, Breite, Hoehe, Ebene;
  std::array<std::string, 4> EckLabel;  // first corner a, b; second corner a, b
  std::array<std::string, 4> EckWert;
  std::string Durchmesser, Spaltenbreite, Zeilenhoehe;
  std::string Sticheln, Bidirektional, Bohrzyklus, Sicherheitsabstand, Sticheltiefe, Positionierung,
      Zyklusende, Zeilenweise;
  std::string TiefeDunkel, TiefeHell, Grauwerte;  // grey window
  std::array<TBildinfoZeile, 16> Zeilen;
};

// Fills the texts of the colour (`grau` false) or the grey window and stores the
// millimetres per pixel column and row (absolute values; 0 without a picture size).
TBildinfo BildinfoErmitteln(bool grau);

// "Farbe ersetzen": shows the replacement window; a picture it handed back becomes
// QuellImage and is counted again. True when that happened.
bool FarbeErsetzenAusfuehren();
// "Farbinformation" of the colour window (`grau` false) or the grey window: the section
// choice where the cycle took an area ("/A"), then the colour display window.
void FarbinformationAusfuehren(bool grau);
// Closing the colour window or the colour editor: the save question when the picture was
// changed; `vorDemSpeichern` runs before the save window opens.
void GeaendertesBildSpeichern(const std::function<void()>& vorDemSpeichern = {});

// The main program's picture-save window, which that question opens: it enters itself in
// the window list under this type.
class TBildSpeicherfenster {
public:
  // Shows the window modally.
  virtual void Zeigen() = 0;

protected:
  ~TBildSpeicherfenster() = default;
};

}  // namespace imageprep
