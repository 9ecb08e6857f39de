#include "workspace/Teileprogramm_Befehle.h"

#include <exception>
#include <utility>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/Bildablage.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/FontView.h"
#include "workspace/VelkorEditUnit.h"
#include "workspace/Teileprogramm.h"
#include "workspace/Umnummerieren.h"

namespace workspace {

using namespace VelkorWinVAR;

std::string ViewerZeichensatzName;

namespace {

bool LaufGeht(bool LaufAktiv) { return LaufAktiv || WandlungLaeuft; }

void BildLeeren(TBefehlsergebnis& e) {
  QuellImage = {};
  BildGeladen = false;
  e.BildGeaendert = true;
  e.BildDa = false;
}

// Loads the picture file into QuellImage and prepares it as the main window shows and the
// image cycle mills it: fitted into the panel, handed through the picture slot, counted and
// taken into Bearbeitungsbild; with `mitExtrafarben` also the extra-colour file. A file
// that is missing or cannot be read gives its notice and leaves the picture empty.
void BildVorbereiten(const std::string& Bilddatei, bool mitExtrafarben, TBefehlsergebnis& e) {
  BildLeeren(e);
  const auto pfad = toolkit::FindFileCaseInsensitive(Bilddatei);
  if (!pfad) {
    toolkit::qt::Hinweis("Die Bilddatei " + Bilddatei + " wurde nicht gefunden!");
    return;
  }
  try {
    LoadImageFile(*pfad, QuellImage);
  } catch (const std::exception& fehler) {
    QuellImage = {};
    toolkit::qt::Hinweis(fehler.what());
    return;
  }
  BildGeladen = true;
  e.Einpassung = FitImageToPanel();
  e.BildDa = true;
  toolkit::BildAblegen(QuellImage);
  VelkorWinBildZyklus::QuellbildUebernehmen();
  if (mitExtrafarben && VelkorWinFileUtils::DateiExistiert(KonfigBlock.Extrafarbdateiname)) {
    VelkorWinFileUtils::ExtrafarbDateiLaden(Extrafarbliste, KonfigBlock.Extrafarbdateiname);
  }
}

std::string BildnameDesProgramms() {
  return TeileprogrammListe ? VelkorWinFileUtils::BilddateinameAusListe(*TeileprogrammListe) : std::string();
}

}  // namespace

void ProgrammBeschriftungen(TBefehlsergebnis& e) {
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(KonfigBlock.Arbeitsdateiname, verzeichnis, name, ext);
  e.QuellLabel = "Quelldatei: " + name + ext;
  e.ZielLabel = "Zieldatei: " + name + "." + KonfigBlock.ZielExt;
}

TBefehlsergebnis Laden1Click(bool LaufAktiv) {
  TBefehlsergebnis e;
  if (LaufGeht(LaufAktiv)) return e;
  toolkit::qt::TDateiDialog dialog;
  dialog.Titel = "CNC-Datei laden";
  dialog.Filter = "CNC-Dateien|*.CNC";
  dialog.StandardErweiterung = ".CNC";
  const auto datei = toolkit::qt::Dialoge().DateiOeffnen(dialog);
  if (datei) {
    // Lines that could not be saved keep the program and its target as they stand.
    if (!VelkorWinFileUtils::NcPufferSichern()) return e;
    const bool gelesen = OpenPartProgram(*datei);
    KonfigBlock.Arbeitsdateiname = gelesen ? *datei : std::string();
    if (!gelesen) {
      toolkit::qt::Hinweis("Die Datei " + *datei + " kann nicht gelesen werden!");
      BildLeeren(e);
      ProgrammBeschriftungen(e);
      e.Geaendert = true;
      return e;
    }
  } else if (!TeileprogrammListe || KonfigBlock.Arbeitsdateiname.empty()) {
    return e;  // nothing chosen and nothing loaded: nothing to do
  }
  e.Geaendert = true;
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(KonfigBlock.Arbeitsdateiname, verzeichnis, name, ext);
  KonfigBlock.Extrafarbdateiname = name + ".NOP";

  Bilddateiname = BildnameDesProgramms();
  if (Bilddateiname.empty()) {
    toolkit::qt::Hinweis("Keine Bilddatei in der Datei " + KonfigBlock.Arbeitsdateiname + "!");
    BildLeeren(e);
    Extrafarbliste.clear();
    Extrafarbanzahl = 0;
  } else {
    BildVorbereiten(Bilddateiname, true, e);
  }
  ProgrammBeschriftungen(e);
  return e;
}

TBefehlsergebnis Editor1Click(bool LaufAktiv) {
  TBefehlsergebnis e;
  if (LaufGeht(LaufAktiv)) {
    toolkit::qt::Hinweis(toolkit::Ansi("Editieren bei laufender Konvertierung nicht möglich!"));
    return e;
  }
  const std::string alterBildname = BildnameDesProgramms();
  toolkit::qt::FensterZeigen<TVelkorEditForm>();
  if (!TeileprogrammGeaendert) return e;

  TNcZeilen liste;
  TeileprogrammListe.reset();
  if (ReadPartProgram(liste, KonfigBlock.Arbeitsdateiname)) {
    TeileprogrammUmnummerieren(liste);
    VelkorWinFileUtils::NcPufferInDatei(liste, KonfigBlock.Arbeitsdateiname);
    TeileprogrammListe = std::move(liste);
  } else {
    toolkit::qt::Hinweis("Die Datei " + KonfigBlock.Arbeitsdateiname + " kann nicht gelesen werden!");
  }
  TeileprogrammGeaendert = false;
  e.Geaendert = true;
  ProgrammBeschriftungen(e);
  Bilddateiname = BildnameDesProgramms();
  if (Bilddateiname != alterBildname) {
    if (Bilddateiname.empty()) {
      BildLeeren(e);
    } else {
      BildVorbereiten(Bilddateiname, false, e);
    }
  }
  return e;
}

void Zeichensatzzeigen1Click() {
  ViewerZeichensatzName = KonfigBlock.Gravurzeichensatz;
  const bool gezeigt = toolkit::qt::FensterZeigen<TFontViewForm>();
  const std::string zurueck = std::exchange(ViewerZeichensatzName, std::string());
  if (!gezeigt || zurueck.empty()) return;
  if (toolkit::UpperAscii(zurueck).ends_with(".FNT")) {
    KonfigBlock.Gravurzeichensatz = zurueck;
  } else {
    toolkit::qt::Hinweis(toolkit::Ansi("Fehler bei der Übertragung des Zeichensatznamen!"));
  }
}

}  // namespace workspace
