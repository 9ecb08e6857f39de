// The extra colours of many-colour pictures and their file, the image work file as a
// list of lines, the simulation picture's file, and the scans of a part program for the
// image it names.
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <optional>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "toolkit/Clock.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace VelkorWinFileUtils {

using namespace VelkorWinVAR;

namespace {

const std::string Einzug(10, ' ');

const char* Modustext(TArbeitsmodus Modus) {
  switch (Modus) {
    case TArbeitsmodus::Fraesen: return "Fraesen";
    case TArbeitsmodus::Sticheln: return "Sticheln";
    default: return "ohne";
  }
}

// Takes the value of the first line whose name (before its first "=") is the key, in any
// letter case, and removes that line.
std::optional<std::string> WertEntnehmen(std::vector<std::string>& Zeilen, std::string_view Schluessel) {
  for (auto it = Zeilen.begin(); it != Zeilen.end(); ++it) {
    const auto gleich = it->find('=');
    if (gleich == std::string::npos || !toolkit::EqualsIgnoreCaseAscii(std::string_view(*it).substr(0, gleich), Schluessel))
      continue;
    std::string wert = it->substr(gleich + 1);
    Zeilen.erase(it);
    return wert;
  }
  return std::nullopt;
}

std::string Zeitstempel() {
  const toolkit::TDateTime jetzt = toolkit::Now();
  char zeit[16];
  std::snprintf(zeit, sizeof zeit, "%02d:%02d:%02d", jetzt.Hour, jetzt.Minute, jetzt.Second);
  return toolkit::FormatShortDate(jetzt) + " " + zeit;
}

}  // namespace

void ExtraFarbeEintragen(std::vector<TEF_Datentyp>& Liste, std::int32_t Farbnummer, TColor Farbe,
                         TArbeitsmodus Arbeitsmodus, TBesonderheit Besonderheit) {
  Liste.resize(Benutzt(Liste, Extrafarbanzahl));
  Liste.push_back({Farbnummer, Farbe, Arbeitsmodus, Besonderheit});
  Extrafarbanzahl = static_cast<std::int32_t>(Liste.size());
}

void ExtraFarbeLoeschen(std::int32_t Index) {
  Extrafarbliste.resize(Benutzt(Extrafarbliste, Extrafarbanzahl));
  if (Index < 0 || static_cast<std::size_t>(Index) >= Extrafarbliste.size()) return;
  Extrafarbliste.erase(Extrafarbliste.begin() + Index);
  Extrafarbanzahl = static_cast<std::int32_t>(Extrafarbliste.size());
}

bool IstExtrafarbe(TColor Farbe, const std::vector<TEF_Datentyp>& Liste) {
  const auto ende = Liste.begin() + static_cast<std::ptrdiff_t>(Benutzt(Liste, Extrafarbanzahl));
  return std::any_of(Liste.begin(), ende, [Farbe](const TEF_Datentyp& e) { return e.Farbe == Farbe; });
}

TEF_Datentyp ExtrafarbeSuchen(const std::vector<TEF_Datentyp>& Liste, TColor Farbe) {
  for (std::size_t i = 0; i < Benutzt(Liste, Extrafarbanzahl); ++i) {
    if (Liste[i].Farbe == Farbe) return Liste[i];
  }
  return {-1, -1, KonfigBlock.GrundArbeitsmodus, TBesonderheit::keine};
}

bool ExtrafarbDateiSpeichern(const std::vector<TEF_Datentyp>& Liste, const std::string& Dateiname) {
  if (Benutzt(Liste, Extrafarbanzahl) == 0) {
    engine::Host().notice("Extrafarben noch nicht aktiviert!");
    return false;
  }
  std::vector<std::string> zeilen = {
      toolkit::ProgramFileName() + " - Extrafarb-Behandlung", Zeitstempel(),
      Bilddateiname.empty() ? std::string("Bildname: unbekannt") : "Bildame: " + Bilddateiname};
  for (std::size_t i = 0; i < Benutzt(Liste, Extrafarbanzahl); ++i) {
    const TEF_Datentyp& e = Liste[i];
    zeilen.push_back("Farbnummer=" + std::to_string(e.Farbnummer));
    zeilen.push_back(Einzug + "Farbe=" + std::to_string(e.Farbe));
    zeilen.push_back(Einzug + "Arbeitsmodus=" + Modustext(e.Arbeitsmodus));
    zeilen.push_back(Einzug + "Besonderheit=" +
                     (e.Besonderheit == TBesonderheit::keine ? "keine" : "Farbe verfolgen"));
  }
  std::string grund;
  if (!toolkit::WriteLineFile(Dateiname, zeilen, &grund)) {
    engine::Host().notice("Fehler beim Speichern der Extrafarbdatei " + Dateiname + ": " + grund);
    return false;
  }
  return true;
}

void ExtrafarbDateiLaden(std::vector<TEF_Datentyp>& Liste, const std::string& Dateiname) {
  auto& host = engine::Host();
  Liste.clear();
  Extrafarbanzahl = 0;
  std::vector<std::string> zeilen;
  if (!toolkit::ReadLineFile(Dateiname, zeilen)) {
    host.notice("Fehler beim Laden der Extrafarbdatei " + Dateiname + " !");
    return;
  }
  for (auto& zeile : zeilen) zeile = VelkorWinUTIL::LinksTrimmen(zeile);
  while (!zeilen.empty()) {
    std::array<std::optional<std::string>, 4> werte;
    const char* schluessel[4] = {"Farbnummer", "Farbe", "Arbeitsmodus", "Besonderheit"};
    for (std::size_t k = 0; k < 4; ++k) werte[k] = WertEntnehmen(zeilen, schluessel[k]);
    if (std::any_of(werte.begin(), werte.end(), [](const auto& w) { return !w; })) return;  // incomplete: the end
    if (!toolkit::ParseInteger(*werte[0])) {
      host.notice("Fehler beim Laden  der Extrafarbnummer!");
      return;
    }
    const auto farbe = toolkit::ParseInteger(*werte[1]);
    if (!farbe) {
      host.notice("Fehler beim Laden  der Extrafarbe!");
      return;
    }
    TArbeitsmodus modus;
    if (*werte[2] == "ohne") modus = TArbeitsmodus::ohne;
    else if (*werte[2] == "Fraesen") modus = TArbeitsmodus::Fraesen;
    else if (*werte[2] == "Sticheln") modus = TArbeitsmodus::Sticheln;
    else {
      host.notice("Fehler beim Laden des Arbeitsmodus!");
      return;
    }
    TBesonderheit besonderheit;
    if (*werte[3] == "keine") besonderheit = TBesonderheit::keine;
    else if (*werte[3] == "Farbe verfolgen") besonderheit = TBesonderheit::Farbe_verfolgen;
    else {
      host.notice("Fehler beim Laden der Besonderheit der Farbe!");
      return;
    }
    if (VelkorWinMOVE::FarbeVorhanden(*farbe) ||
        host.confirm("Die Farbe " + std::to_string(*farbe) + " kommt in dem Bild nicht vor! Trotzdem laden (J/N)? ")) {
      ExtraFarbeEintragen(Liste, VelkorWinMOVE::FarbIndex(*farbe), *farbe, modus, besonderheit);
    }
  }
}

bool BildEinstellDateiSpeichern(std::vector<std::string>& Liste, const std::string& Dateiname) {
  Liste.insert(Liste.begin(), toolkit::Ansi("Velkor - Einstelldatei für Bildwandlung - Bilddatei = ") +
                                  (Bilddateiname.empty() ? std::string("unbekannt") : Bilddateiname));
  std::string grund;
  if (!toolkit::WriteLineFile(Dateiname, Liste, &grund)) {
    engine::Host().notice("Fehler beim Speichern der Bildkonfigurationsdatei " + Dateiname + ": " + grund);
    return false;
  }
  return true;
}

std::vector<std::string> BildEinstellDateiLesen(const std::string& Dateiname) {
  std::vector<std::string> zeilen;
  if (!toolkit::ReadLineFile(Dateiname, zeilen)) {
    engine::Host().notice("Fehler beim Laden der Bildkonfigurationsdatei " + Dateiname + " !");
  }
  return zeilen;
}

void NcGrafikSpeichern(const std::string& Name) {
  std::string verzeichnis, rumpf, ext;
  VelkorWinUTIL::DateinameZerlegen(Name, verzeichnis, rumpf, ext);
  const std::string bild = rumpf + "_CNC.BMP";
  auto& host = engine::Host();
  // Asked first, so that "Nein" leaves an older picture and its backup as they are.
  if (!host.confirm("Speichern der Grafik-Datei unter dem Namen " + bild + " (J/N)?")) return;
  if (!BakDateiAnlegen(bild)) return;
  try {
    host.saveSimulationImage(bild);
  } catch (const std::exception& e) {
    host.notice("Fehler beim Speichern der Grafik-Datei " + bild + ": " + e.what());
  }
}

bool GrafikzyklusInListe(const TNcZeilen& Liste) {
  const std::string nummer = std::to_string(KonfigBlock.GrafikzyklusNummer);
  const std::string dicht = "G" + nummer, getrennt = "G " + nummer;
  return std::any_of(Liste.begin(), Liste.end(), [&](const std::string& zeile) {
    return zeile.find(dicht) != std::string::npos || zeile.find(getrennt) != std::string::npos;
  });
}

std::string BilddateinameAusListe(const TNcZeilen& Liste) {
  if (!GrafikzyklusInListe(Liste)) return {};
  for (const auto& zeile : Liste) {
    const auto p = zeile.find("P'");
    if (p == std::string::npos) continue;
    const auto ende = zeile.find('\'', p + 2);
    bool bereich = false;
    const std::string text = zeile.substr(p + 2, ende == std::string::npos ? std::string::npos : ende - p - 2);
    return VelkorWinUTIL::BildnameMitEndung(VelkorWinUTIL::BildnameAusText(text, bereich));
  }
  return {};
}

}  // namespace VelkorWinFileUtils
