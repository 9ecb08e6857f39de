#include "workspace/BildLaden.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "engine/VelkorWinFileUtils.h"
#include "imageio/RasterGraphics.h"
#include "imageio/Save_as_PCX_Unit.h"
#include "imageprep/Bildroutinen.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"
#include "toolkit/GraphicError.h"
#include "toolkit/Rounding.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/Teileprogramm.h"

namespace workspace {

TWarteZeiger::TWarteZeiger() : aktiv_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
  if (aktiv_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TWarteZeiger::~TWarteZeiger() {
  if (aktiv_) QGuiApplication::restoreOverrideCursor();
}

using VelkorWinVAR::QuellImage;
using VelkorWinVAR::TBildFormat;

long double BildSeitenverhaeltnis = 1.0L;
bool BildQuerformat = false;
std::uint16_t BildfeldBreite = 705, BildfeldHoehe = 409;
TBildFormat Bildformat = TBildFormat::PCX;

namespace {

std::uint16_t Kurz(int n) { return static_cast<std::uint16_t>(std::clamp(n, 0, 65535)); }

// The factor that fits a w x h picture into the field: the shown size computed along the
// longer side (Trunc for the other one), divided by the size as loaded.
double Feldfaktor(int w, int h, int feldB, int feldH, long double ratio, bool quer) {
  if (feldB >= w && feldH >= h) return 1.0;
  long double breite = 0, hoehe = 0;
  if (quer) {
    breite = feldB;
    hoehe = std::trunc(feldB / ratio);
    if (hoehe > feldH) {
      hoehe = feldH;
      breite = toolkit::RoundEven(static_cast<double>(feldH * ratio));
    }
  } else {
    hoehe = feldH;
    breite = std::trunc(feldH * ratio);
    if (breite > feldB) {
      breite = feldB;
      hoehe = std::trunc(feldB / ratio);
    }
  }
  return static_cast<double>(quer ? breite / w : hoehe / h);
}

std::vector<std::uint8_t> BildDateiBytes(const toolkit::TBitmap& Bild, TBildFormat format) {
  switch (format) {
    case TBildFormat::PCX: {
      Save_as_PCX_Unit::TPCX_Image pcx;
      pcx.Assign(Bild);
      return pcx.SaveToBytes();
    }
    case TBildFormat::TGA: {
      RasterGraphics::TTargaGraphic tga;
      tga.Assign(Bild);
      return tga.SaveToBytes();
    }
    default:
      return toolkit::SaveBitmapToBytes(Bild);
  }
}

void Speicherfehler(const std::string& name, const std::string& grund) {
  toolkit::qt::Hinweis("Fehler beim Speichern der Bilddatei " + name + ": " + grund);
}

}  // namespace

void LoadImageFile(const std::string& Dateiname, toolkit::TBitmap& Bild) {
  TWarteZeiger zeiger;
  const std::string pfad = toolkit::FindFileCaseInsensitive(Dateiname).value_or(Dateiname);
  auto bild = RasterGraphics::LoadGraphicFile(pfad);
  if (bild->Empty()) throw toolkit::EInvalidGraphic("Die Bilddatei " + Dateiname + toolkit::Ansi(" enthält kein Bild!"));
  Bild = std::move(static_cast<toolkit::TBitmap&>(*bild));
}

TEinpassung FitImageToPanel(int PanelBreite, int PanelHoehe) {
  if (QuellImage.Empty()) return {};
  const int w = QuellImage.Width(), h = QuellImage.Height();
  BildOrigBreite = Kurz(w);
  BildOrigHoehe = Kurz(h);
  BildSeitenverhaeltnis = static_cast<long double>(w) / h;
  BildQuerformat = BildSeitenverhaeltnis > 1.0L;
  const double faktor = Feldfaktor(w, h, BildfeldBreite, BildfeldHoehe, BildSeitenverhaeltnis, BildQuerformat);
  if (faktor < 1.0) {
    auto groesse = imageprep::SkalierteGroesse(w, h, faktor);
    groesse.Breite = std::clamp<int>(groesse.Breite, 1, std::max<int>(BildfeldBreite, 1));
    groesse.Hoehe = std::clamp<int>(groesse.Hoehe, 1, std::max<int>(BildfeldHoehe, 1));
    QuellImage = imageprep::BildSkalieren(QuellImage, groesse);
  }
  const int breite = QuellImage.Width(), hoehe = QuellImage.Height();
  VelkorWinVAR::Gesamtbildverkleinerung = faktor;
  AnfangsbildverkleinerungX = static_cast<long double>(breite) / w;
  AnfangsbildverkleinerungY = static_cast<long double>(hoehe) / h;

  // The view takes the picture's size, so the section is the whole picture.
  VelkorWinVAR::Bildausschnitt = {0, 0, Kurz(breite), Kurz(hoehe), false};
  VelkorWinVAR::Bildbreite = breite;
  VelkorWinVAR::Bildhoehe = hoehe;

  TEinpassung e;
  e.Breite = breite;
  e.Hoehe = hoehe;
  e.Links = (PanelBreite - breite) / 2;
  e.Oben = (PanelHoehe - hoehe) / 2;
  return e;
}

std::string BildSpeichernName(const std::string& Bilddateiname, TBildFormat format) {
  const char* endung = format == TBildFormat::PCX ? "PCX" : format == TBildFormat::TGA ? "TGA" : "bmp";
  return ZieldateinameZu(Bilddateiname.empty() ? "Unbenannt" : Bilddateiname, endung);
}

bool SaveImage(const toolkit::TBitmap& Bild, const std::string& Bilddateiname, TBildFormat format) {
  const std::string name = BildSpeichernName(Bilddateiname, format);
  std::vector<std::uint8_t> bytes;
  try {
    bytes = BildDateiBytes(Bild, format);
  } catch (const std::exception& e) {
    Speicherfehler(name, e.what());
    return false;
  }
  if (toolkit::FileExists(name)) {
    if (!toolkit::qt::Frage(toolkit::Ansi("Die Datei ") + name + toolkit::Ansi(" existiert bereits. Überschreiben (J/N)?"),
                            true)) {
      return false;
    }
    // A copy, not a rename: should the write fail, the file stays under its own name too.
    const std::string sicherung = VelkorWinFileUtils::SicherungsName(name, "BAK");
    std::error_code ec;
    if (sicherung != name &&
        !std::filesystem::copy_file(name, sicherung, std::filesystem::copy_options::overwrite_existing, ec)) {
      Speicherfehler(sicherung, toolkit::SystemErrorText(ec.value()));
      return false;
    }
  }
  std::string grund;
  if (!toolkit::WriteFileAtomic(name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, &grund)) {
    Speicherfehler(name, grund);
    return false;
  }
  return true;
}

}  // namespace workspace
