#pragma once
// What the image section and size window does, without a display: the section rectangle
// with its grab zones, drags and keys, the size steps of the two bars, and the results of
// accepting and cancelling. The window over it only draws and forwards events.
//
// Sections are right and bottom exclusive: (l, o, r, u) covers columns l .. r-1 and rows
// o .. u-1. Every bound stays within the picture, at both ends.
#include <optional>
#include <string>

#include "imageprep/Bildroutinen.h"
#include "toolkit/Bitmap.h"

namespace imageprep {

enum class TGreifzone { keine, innen, links, oben, rechts, unten, linksOben, rechtsOben, rechtsUnten, linksUnten };
enum class TBATaste { Ende, Pos1, Links, Rechts, Hoch, Runter };

struct TRechteck {
  int Links = 0, Oben = 0, Rechts = 0, Unten = 0;
  int Breite() const { return Rechts - Links; }
  int Hoehe() const { return Unten - Oben; }
  bool operator==(const TRechteck&) const = default;
};

class TBAModell {
public:
  // The bars run from 0 to 50 and start in the middle.
  static constexpr int BalkenMitte = 25;
  static constexpr int BalkenMax = 50;
  // Largest picture a size step may make.
  static constexpr int GroessteSeite = 16384;
  static constexpr long long GroesstePixelzahl = 64LL * 1024 * 1024;
  static constexpr bool ImGroessenrahmen(TBildgroesse g) {
    return g.Breite <= GroessteSeite && g.Hoehe <= GroessteSeite &&
           static_cast<long long>(g.Breite) * g.Hoehe <= GroesstePixelzahl;
  }

  // Prepares a showing: the picture brought by the caller, the mode (size choice only, or
  // section choice first). Sets Gesamtbildverkleinerung to 1.0.
  void Vorbereiten(const toolkit::TBitmap& Bild, bool NurGroesse);

  bool Groessenwahl() const { return groessenwahl_; }
  bool AusschnittGewaehlt() const { return ausschnittAngenommen_; }
  // The picture shown: 1:1 in section mode, scaled in size mode.
  const toolkit::TBitmap& Bild() const { return bild_; }
  // The unscaled picture the size steps start from (the crop after a section choice).
  const toolkit::TBitmap& Ausgangsbild() const { return ausgang_; }
  const TRechteck& Ausschnitt() const { return ausschnitt_; }
  double Faktor() const { return faktor_; }
  int GrobPosition() const { return grob_; }
  int FeinPosition() const { return fein_; }
  int ZeigerX() const { return zeigerX_; }
  int ZeigerY() const { return zeigerY_; }
  TGreifzone Griff() const { return griff_; }

  // The zone under (x, y) for the pointer shape; the zone a press grabs.
  TGreifzone ZoneFuerZeiger(int x, int y) const { return Zone(x, y, true); }
  TGreifzone ZoneFuerDruck(int x, int y) const { return Zone(x, y, false); }

  // Mouse in section mode (picture pixels); `linkeTaste` for the left button.
  void Druecken(int x, int y, bool linkeTaste);
  void Ziehen(int x, int y);
  void Loslassen(int x, int y);
  // Keys of section mode; `strg` with Ctrl as the only modifier.
  void Taste(TBATaste taste, bool strg);

  // Bar positions after a change event; one event is one step of 1.1 (coarse) or 1.01
  // (fine) however far it moved. A coarse step puts the fine bar back to the middle
  // without a step. A step beyond the size limit is refused with a notice.
  void GrobGeaendert(int position);
  void FeinGeaendert(int position);
  // "zurück": factor 1.0, the unscaled picture.
  void Zurueck();

  // "Ausschnitt OK": false after the notice when the section is empty; else the crop
  // becomes the picture, the engine's pictures and the slot take it and size mode begins.
  bool AusschnittOK();
  // "Größe OK": the scaled picture goes to BildKopie, Bearbeitungsbild and the slot;
  // Arbeitsbild stays unscaled. Returns the picture.
  toolkit::TBitmap GroesseOK();
  // Cancel in either mode: the run stops, no section counts as chosen, pictures cropped by
  // an earlier "Ausschnitt OK" of this showing come back.
  void Abbrechen();

  // Texts of the fields: millimetres per pixel (empty when there is no span), width and
  // height of the section (section mode) or of the picture (size mode), the hint.
  std::string FraesbreiteText() const;
  std::string FraeshoeheText() const;
  int AnzeigeBreite() const;
  int AnzeigeHoehe() const;
  std::string Hinweistext() const;

private:
  TGreifzone Zone(int x, int y, bool rechtsVorOben) const;
  void Begrenzen();
  void StartAusschnitt();
  bool Skalieren(double neuerFaktor);
  void Verschieben(TGreifzone zone, int dx, int dy, bool geordnet);

  toolkit::TBitmap bild_, ausgang_;
  TRechteck ausschnitt_;
  bool groessenwahl_ = false;
  bool ausschnittAngenommen_ = false;
  double faktor_ = 1.0;
  int grob_ = BalkenMitte, fein_ = BalkenMitte;
  TGreifzone griff_ = TGreifzone::keine;
  int zeigerX_ = 0, zeigerY_ = 0, vorigX_ = 0, vorigY_ = 0;
  // The engine's pictures before "Ausschnitt OK" cropped them.
  std::optional<toolkit::TBitmap> bearbeitungVorher_;
  std::optional<std::optional<toolkit::TBitmap>> arbeitVorher_;
};

}  // namespace imageprep
