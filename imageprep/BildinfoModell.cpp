#include "imageprep/BildinfoModell.h"

#include <cmath>

#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildzustand.h"
#include "imageprep/VelkorBAUnit.h"
#include "imageprep/VelkorFarbfenster.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"

namespace imageprep {

namespace var = VelkorWinVAR;
using VelkorWinUTIL::KommentarZahl;

namespace {

std::string JaNein(bool wert) { return wert ? "ja" : "nein"; }
std::string Eck(double wert) { return KommentarZahl(wert).substr(0, 12); }
double ProPixel(double spanne, int n) { return n > 0 ? std::fabs(spanne) / n : 0.0; }

// The two in-plane values of a point in the order the windows show them.
std::array<double, 2> Ebenenwerte(var::TEbene ebene, const var::TPunkt3D& p) {
  switch (ebene) {
    case var::TEbene::ZX: return {p.Z, p.X};
    case var::TEbene::YZ: return {p.Y, p.Z};
    default: return {p.X, p.Y};
  }
}

std::array<std::string, 4> Ecklabel(var::TEbene ebene, bool grau) {
  switch (ebene) {
    case var::TEbene::ZX:
      return grau ? std::array<std::string, 4>{"zl = ", "xo = ", "zr = ", "xu = "}
                  : std::array<std::string, 4>{"z = ", "x = ", "z = ", "x = "};
    case var::TEbene::YZ:
      return grau ? std::array<std::string, 4>{"yl = ", "zo = ", "yr = ", "zu = "}
                  : std::array<std::string, 4>{"y = ", "z = ", "y = ", "z = "};
    default: return {"xl = ", "yo = ", "xr = ", "yu = "};
  }
}

}  // namespace

TBildinfo BildinfoErmitteln(bool grau) {
  const auto& k = var::KonfigBlock;
  TBildinfo info;
  info.Bilddatei = var::Bilddateiname;
  info.Breite = std::to_string(var::Bildbreite);
  info.Hoehe = std::to_string(var::Bildhoehe);
  const auto ebene = VelkorWinINTR::Ebene;
  static const char* namen[] = {"XY", "ZX", "YZ"};
  const auto e = static_cast<std::size_t>(ebene);
  info.Ebene = e < 3 ? namen[e] : "";
  info.EckLabel = Ecklabel(ebene, grau);
  const auto erste = Ebenenwerte(ebene, VelkorWinGrvTXT::Zyklusstartpunkt);
  const auto zweite = Ebenenwerte(ebene, VelkorWinGrvTXT::Zielpunkt);
  info.EckWert = {Eck(erste[0]), Eck(erste[1]), Eck(zweite[0]), Eck(zweite[1])};
  info.Durchmesser = KommentarZahl(k.AktWerkzeug.Durchmesser);
  if (grau) {
    var::Fraesspaltenbreite = ProPixel(zweite[0] - erste[0], var::Bildbreite);
    var::Fraeszeilenhoehe = ProPixel(erste[1] - zweite[1], var::Bildhoehe);
  } else {
    const auto& b = var::BildFraesbereich;
    var::Fraesspaltenbreite = ProPixel(b.Rechts - b.Links, var::Bildbreite);
    var::Fraeszeilenhoehe = ProPixel(b.Oben - b.Unten, var::Bildhoehe);
  }
  if (var::Bildbreite > 0) info.Spaltenbreite = KommentarZahl(var::Fraesspaltenbreite);
  if (var::Bildhoehe > 0) info.Zeilenhoehe = KommentarZahl(var::Fraeszeilenhoehe);
  info.Sticheln = JaNein(k.Sticheln_im_Zyklus);
  info.Bidirektional = JaNein(k.bidirektional_bearbeiten);
  info.Bohrzyklus = std::to_string(k.BohrzyklusNummer);
  info.Sicherheitsabstand = k.SicherheitsabstandWort;
  info.Sticheltiefe = k.BohrtiefeWort;
  info.Positionierung = std::to_string(k.PositionierZiffern);
  info.Zyklusende = k.ZyklusendeWort;
  info.Zeilenweise = JaNein(k.Fraesrichtung == var::TFraesrichtung::zeilenweise);
  info.TiefeDunkel = KommentarZahl(k.GrauFraestiefe_dunkel);
  info.TiefeHell = KommentarZahl(k.GrauFraestiefe_hell);
  info.Grauwerte = std::to_string(var::Grauwertanzahl);
  for (int i = 0; i < 16; ++i) {
    auto& z = info.Zeilen[static_cast<std::size_t>(i)];
    const bool benutzt = i < var::Farbanzahl && static_cast<std::size_t>(i) < var::Farbtabelle.size() &&
                         var::Farbtabelle[static_cast<std::size_t>(i)].Farbe >= 0;
    z.Verwendet = benutzt;
    if (benutzt) z.Farbe = var::Farbtabelle[static_cast<std::size_t>(i)].Farbe;
    z.Hinweis = "Farbe [" + std::to_string(i) + "] Anz.: " +
                std::to_string(benutzt ? var::Farbtabelle[static_cast<std::size_t>(i)].Anzahl : 0);
    z.Tiefe = KommentarZahl(k.Farbtiefe[static_cast<std::size_t>(i)]) + " mm";
    z.Modus = std::string(1, k.FarbModus[static_cast<std::size_t>(i)]);
  }
  return info;
}

bool FarbeErsetzenAusfuehren() {
  ErsetztesBildUebergeben = false;
  toolkit::qt::FensterZeigen<TVelkorFarbersetzForm>();
  if (!ErsetztesBildUebergeben) return false;
  ErsetztesBildUebergeben = false;
  auto bild = toolkit::AbgelegtesBild();
  if (!bild) return false;
  var::QuellImage = std::move(*bild);
  VelkorWinMOVE::BildFarbenNachzaehlen(var::QuellImage);
  return true;
}

void FarbinformationAusfuehren(bool grau) {
  FarbinfoAktiv = true;
  if (!grau) {
    toolkit::BildAblegen(var::QuellImage);
    if (var::FraesbereichGegeben) {
      if (var::Bildausschnitt.Gewaehlt &&
          toolkit::qt::Frage(toolkit::Ansi("Gewählten Bildausschnitt verwerfen? (J/N)?"))) {
        var::Bildausschnitt.Gewaehlt = false;
        AusschnittwahlGesperrt = 0;  // the section is to be chosen again
      }
      auto* ausschnitt = toolkit::qt::Fenster<TVelkorBAForm>();
      if (!var::Bildausschnitt.Gewaehlt && ausschnitt) {
        toolkit::TBitmap bild = var::QuellImage;
        ausschnitt->Zeigen(AusschnittwahlGesperrt != 0, bild);
      }
    }
  }
  toolkit::qt::FensterZeigen<TVelkorFarbAnzeigForm>();
  FarbinfoAktiv = false;
}

void GeaendertesBildSpeichern(const std::function<void()>& vorDemSpeichern) {
  if (!var::BildGeaendert) return;
  if (toolkit::qt::Frage(toolkit::Ansi("Das Bild wurde geändert! Speichern?"))) {
    if (vorDemSpeichern) vorDemSpeichern();
    toolkit::qt::FensterZeigen<TBildSpeicherfenster>();
  }
  var::BildGeaendert = false;
}

}  // namespace imageprep
