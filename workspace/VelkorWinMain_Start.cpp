// The main window's start-up loading and what the exit writes.
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/Bildablage.h"
#include "toolkit/FileUtil.h"
#include "workspace/FensterHost.h"
#include "workspace/Hauptzustand.h"
#include "workspace/Teileprogramm.h"
#include "workspace/VelkorWinMain.h"

namespace workspace {

using namespace VelkorWinVAR;
using VelkorWinFileUtils::DateiExistiert;

TStartDateien Startdateien;
std::string Versionszeile;

namespace {

std::string Arbeitsordner() {
  std::error_code fehler;
  std::string ordner = std::filesystem::current_path(fehler).string();
  if (!ordner.empty() && ordner.back() != '/') ordner += '/';
  return ordner;
}

// The name as the working directory at start resolves it.
std::string Absolut(const std::string& name) {
  const std::string pfad = toolkit::NormalizePath(name);
  if (pfad.empty() || pfad.front() == '/') return pfad;
  return Startdateien.Arbeitsordner + pfad;
}

void TeileprogrammLesen() {
  auto& k = KonfigBlock;
  if (k.Arbeitsdateiname.empty()) return;
  TNcZeilen liste;
  if (DateiExistiert(k.Arbeitsdateiname) && ReadPartProgram(liste, k.Arbeitsdateiname)) {
    TeileprogrammListe = std::move(liste);
  } else {
    k.Arbeitsdateiname.clear();  // a program that is gone is dropped silently
    TeileprogrammListe.reset();
  }
}

}  // namespace

std::string VersionszeileBilden(const std::string& Programmdatei) {
  std::string datum = "?";
  struct stat info {};
  if (!Programmdatei.empty() && ::stat(Programmdatei.c_str(), &info) == 0) {
    std::tm t{};
    const std::time_t zeit = info.st_mtime;
    if (::localtime_r(&zeit, &t)) {
      datum = std::to_string(t.tm_year % 100) + "." + std::to_string(t.tm_mon + 1) + "." + std::to_string(t.tm_mday);
    }
  }
  return "Velkor " + datum + " Qt";
}

void LoadStartupFiles() {
  auto& k = KonfigBlock;
  Startdateien = {};
  Startdateien.Arbeitsordner = Arbeitsordner();

  // 1. The settings file; the exit writes the file looked for here, never another.
  const std::string konfig = k.Konfigurationsdateiname;
  Startdateien.Konfigurationsdatei = Absolut(konfig);
  if (DateiExistiert(konfig)) {
    Startdateien.KonfigVerweigert = !VelkorWinCNF::KonfigurationLaden(konfig);
    KonfigSpeichernBeimEnde = true;
  } else {
    k.Schrifttiefe = 0.0;
    k.SkaleneinheitX = k.SkaleneinheitY = k.SkaleneinheitZ = 50.0;
    k.Kursivwinkel = 0.0;
    k.Konfigurationsdateiname = "Velkor.CNF";
    k.Umlaufsinn = 0;
    VelkorWinMOVE::HelligkeitVerfolgen = 0;
  }

  // 2.-3. The last part program; its target and extra colours in the working directory.
  TeileprogrammLesen();
  if (!k.Arbeitsdateiname.empty()) {
    std::string verzeichnis, name, ext;
    VelkorWinUTIL::DateinameZerlegen(k.Arbeitsdateiname, verzeichnis, name, ext);
    k.Zieldateiname = name + "." + k.ZielExt;
    k.Extrafarbdateiname = name + ".NOP";
  }

  // 4.
  TeileprogrammGeaendert = false;
  VelkorWinINTR::Ebene = TEbene::XY;

  // 5. The tool file.
  Startdateien.Werkzeugdatei = Absolut(k.Werkzeugdateiname);
  if (DateiExistiert(k.Werkzeugdateiname)) {
    Startdateien.Werkzeugstatus = ReadToolFile(k.Werkzeugdateiname);
  } else {
    VelkorWinWkz::WkzListe.clear();
    k.AktWerkzeug = k.KeinWerkzeug;
  }
}

bool StartbildLaden() {
  bool geladen = false;
  if (TeileprogrammListe && !TeileprogrammListe->empty()) {
    // Loads through the host, which fits the picture into the panel before it is counted.
    geladen = VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
    if (geladen) {
      toolkit::BildAblegen(QuellImage);
      if (auto bild = toolkit::AbgelegtesBild()) Bearbeitungsbild = std::move(*bild);
    }
  }
  VelkorWinMOVE::FarbInfoUebernehmen(Farbtabelle, Farbanzahl);
  GrafikVorhanden = false;
  return geladen;
}

void ProgrammEndeSchreiben() {
  auto& k = KonfigBlock;
  if (TeileprogrammGeaendert && TeileprogrammListe && !k.Arbeitsdateiname.empty()) {
    VelkorWinFileUtils::NcPufferInDatei(*TeileprogrammListe, k.Arbeitsdateiname);
    TeileprogrammGeaendert = false;
  }
  // The exit is never refused: buffered lines that could not be saved are dropped only after
  // the operator declined to try again.
  bool gesichert = VelkorWinFileUtils::NcPufferSichern();
  while (!gesichert && engine::Host().confirm("Erneut versuchen?"))
    gesichert = VelkorWinFileUtils::NcPufferAusgeben(VelkorWinFileUtils::NcSatzPuffer);
  VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
  // An empty list has nothing to keep: no file and no notice.
  if ((Farbanzahl > 16 || k.Graubildwandlung) && Benutzt(Extrafarbliste, Extrafarbanzahl) > 0) {
    VelkorWinFileUtils::ExtrafarbDateiSpeichern(Extrafarbliste, Startdateien.Arbeitsordner + EndeExtrafarbdatei);
  }
  if (!KonfigSpeichernBeimEnde) return;
  // What start-up refused or read in part is kept as BAK before it is written anew; a file
  // the user made read-only stays where it is, and its save reports that once.
  auto sichern = [](const std::string& datei) {
    if (!toolkit::FileWriteProtected(datei)) VelkorWinFileUtils::BakDateiAnlegen(datei);
  };
  const std::string& konfig = Startdateien.Konfigurationsdatei.empty() ? k.Konfigurationsdateiname
                                                                       : Startdateien.Konfigurationsdatei;
  if (Startdateien.KonfigVerweigert) sichern(konfig);
  VelkorWinCNF::KonfigurationSpeichern(konfig);
  const std::string& werkzeuge = Startdateien.Werkzeugdatei.empty() ? k.Werkzeugdateiname : Startdateien.Werkzeugdatei;
  if (Startdateien.Werkzeugstatus == TWkzDateiStatus::Teilweise ||
      Startdateien.Werkzeugstatus == TWkzDateiStatus::Unlesbar) {
    sichern(werkzeuge);
  }
  WriteToolFile(werkzeuge);
}

void HauptzustandZuruecksetzen() {
  Startdateien = {};
  Versionszeile.clear();
  LaufArt = TLaufArt::keiner;
  BeendenAngefordert = false;
}

}  // namespace workspace
