// The extra colours of many-colour pictures and their file, the image work file as a
// list of lines, the simulation picture's file, and the scans of a part program for the
// image it names.
#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <exception>
#include <unordered_set>

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

// The lines of each key in file order, so that the first remaining line of a key is always
// the front of its queue; a line's key is the part before its first "=", in any letter case.
template <std::size_t N>
std::array<std::deque<std::size_t>, N> ZeilenJeSchluessel(const std::vector<std::string>& Zeilen,
                                                         const std::array<const char*, N>& Schluessel) {
  std::array<std::deque<std::size_t>, N> jeSchluessel;
  for (std::size_t i = 0; i < Zeilen.size(); ++i) {
    const auto gleich = Zeilen[i].find('=');
    if (gleich == std::string::npos) continue;
    const std::string_view name = std::string_view(Zeilen[i]).substr(0, gleich);
    for (std::size_t k = 0; k < N; ++k) {
      if (toolkit::EqualsIgnoreCaseAscii(name, Schluessel[k])) {
        jeSchluessel[k].push_back(i);
        break;
      }
    }
  }
  return jeSchluessel;
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
  constexpr std::array<const char*, 4> schluessel = {"Farbnummer", "Farbe", "Arbeitsmodus", "Besonderheit"};
  auto jeSchluessel = ZeilenJeSchluessel(zeilen, schluessel);
  std::unordered_set<TColor> gesehen;
  for (;;) {
    // A record takes the first remaining line of each key; one lacking a key ends the file.
    std::array<std::string_view, 4> werte;
    for (std::size_t k = 0; k < werte.size(); ++k) {
      auto& offen = jeSchluessel[k];
      if (offen.empty()) return;
      const std::string& zeile = zeilen[offen.front()];
      werte[k] = std::string_view(zeile).substr(zeile.find('=') + 1);
      offen.pop_front();
    }
    if (!toolkit::ParseInteger(werte[0])) {
      host.notice("Fehler beim Laden  der Extrafarbnummer!");
      return;
    }
    const auto farbe = toolkit::ParseInteger(werte[1]);
    if (!farbe) {
      host.notice("Fehler beim Laden  der Extrafarbe!");
      return;
    }
    TArbeitsmodus modus;
    if (werte[2] == "ohne") modus = TArbeitsmodus::ohne;
    else if (werte[2] == "Fraesen") modus = TArbeitsmodus::Fraesen;
    else if (werte[2] == "Sticheln") modus = TArbeitsmodus::Sticheln;
    else {
      host.notice("Fehler beim Laden des Arbeitsmodus!");
      return;
    }
    TBesonderheit besonderheit;
    if (werte[3] == "keine") besonderheit = TBesonderheit::keine;
    else if (werte[3] == "Farbe verfolgen") besonderheit = TBesonderheit::Farbe_verfolgen;
    else {
      host.notice("Fehler beim Laden der Besonderheit der Farbe!");
      return;
    }
    // A colour that came before (taken, or refused at the question) is skipped without a
    // question, as the colour editor refuses to append a colour twice.
    if (!gesehen.insert(*farbe).second) continue;
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
