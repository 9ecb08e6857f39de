// Headless driver: runs the conversion command on a part program in the current
// directory, as the program's "Wandlung" does, and writes the target file where the
// program would. Before the run it loads the image the part program names, as the main
// window does when it opens (the picture readers of the program, the extra colours).
// Every notice and question goes to standard error; questions are answered from
// --antworten, then with "Ja". NC lines kept in the buffer (settings without direct
// output) are offered for saving at the end, as the program's exit does. Exit 0 when the
// run ended normally and its lines were kept, 1 when it was stopped or failed or the
// buffer could not be saved, 2 on a wrong call.
//
//   wandeln [--konfig F.CNF] [--werkzeug NR=DURCHMESSER]... [--uhr "TT.MM.JJJJ hh:mm"]
//           [--trenner ,] [--antworten J,N,...] [--zeichensatz F.FNT] [--spiegelschrift]
//           [--kursivwinkel GRAD] TEIL.CNC
//
// The engraving options set the engraving font, mirrored text and the italic angle after
// the settings file was loaded.
// Dates are written in the German short format; the decimal separator of comment lines
// is the locale's unless --trenner gives it.
#include <cstdio>
#include <deque>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "../support/ProtokollHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/Clock.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace {

class KonsolenHost : public testsupport::ProtokollHost {
public:
  std::deque<std::string> Antworten;

protected:
  void protokoll(const std::string& zeile) override { std::cerr << zeile << '\n'; }
  std::optional<std::string> antwort(const std::string&) override {
    if (Antworten.empty()) return "Ja";
    std::string a = std::move(Antworten.front());
    Antworten.pop_front();
    return a;
  }
};

int Aufruffehler(const std::string& text) {
  std::cerr << "wandeln: " << text << "\n"
            << "Aufruf: wandeln [--konfig F.CNF] [--werkzeug NR=DURCHMESSER]... [--uhr \"TT.MM.JJJJ hh:mm\"]\n"
            << "                [--trenner ,] [--antworten J,N,...] [--zeichensatz F.FNT] [--spiegelschrift]\n"
            << "                [--kursivwinkel GRAD] TEIL.CNC\n";
  return 2;
}

std::string Antwort(const std::string& kurz) {
  if (kurz == "J") return "Ja";
  if (kurz == "N") return "Nein";
  if (kurz == "H") return "Hilfe";
  return kurz;
}

std::optional<toolkit::TDateTime> Uhrzeit(const std::string& text) {
  toolkit::TDateTime t;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d%c", &t.Day, &t.Month, &t.Year, &t.Hour, &t.Minute, &rest) != 5) {
    return std::nullopt;
  }
  return t;
}

bool WerkzeugEintragen(const std::string& text) {
  const auto gleich = text.find('=');
  if (gleich == std::string::npos) return false;
  const auto nummer = toolkit::ParseInteger(text.substr(0, gleich));
  const auto durchmesser = toolkit::ParseDecimal(text.substr(gleich + 1));
  if (!nummer || !durchmesser || *nummer < 1 || *nummer > 255) return false;
  VelkorWinVAR::TWerkzeugDaten w;
  w.Nummer = static_cast<std::uint8_t>(*nummer);
  w.Benennung = "T" + std::to_string(*nummer);
  w.Durchmesser = *durchmesser;
  VelkorWinWkz::WkzListe.push_back(w);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  engine::ResetAllModules();
  RasterGraphics::ResetState();
  toolkit::InitDecimalSeparatorFromLocale();
  KonsolenHost host;
  engine::InstallHost(&host);
  using VelkorWinVAR::KonfigBlock;

  std::string teileprogramm;
  std::optional<std::string> zeichensatz;
  std::optional<double> kursivwinkel;
  bool spiegelschrift = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool mitWert = a == "--konfig" || a == "--werkzeug" || a == "--uhr" || a == "--trenner" ||
                         a == "--antworten" || a == "--zeichensatz" || a == "--kursivwinkel";
    if (mitWert && i + 1 >= args.size()) return Aufruffehler(a + " ohne Wert");
    if (a == "--konfig") {
      if (!VelkorWinCNF::KonfigurationLaden(args[++i])) return 1;
    } else if (a == "--werkzeug") {
      if (!WerkzeugEintragen(args[++i])) return Aufruffehler("Werkzeug " + args[i]);
    } else if (a == "--uhr") {
      const auto zeit = Uhrzeit(args[++i]);
      if (!zeit) return Aufruffehler("Uhrzeit " + args[i]);
      toolkit::SetFixedClock(*zeit);
    } else if (a == "--trenner") {
      if (args[++i].size() != 1) return Aufruffehler("Trenner " + args[i]);
      toolkit::SetDecimalSeparator(args[i][0]);
    } else if (a == "--antworten") {
      std::string liste = args[++i];
      for (std::size_t p = 0; p <= liste.size();) {
        const auto komma = std::min(liste.find(',', p), liste.size());
        host.Antworten.push_back(Antwort(liste.substr(p, komma - p)));
        p = komma + 1;
      }
    } else if (a == "--zeichensatz") {
      zeichensatz = args[++i];
    } else if (a == "--spiegelschrift") {
      spiegelschrift = true;
    } else if (a == "--kursivwinkel") {
      kursivwinkel = toolkit::ParseDecimal(args[++i]);
      if (!kursivwinkel) return Aufruffehler("Kursivwinkel " + args[i]);
    } else if (!a.empty() && a[0] == '-') {
      return Aufruffehler("unbekannte Option " + a);
    } else if (teileprogramm.empty()) {
      teileprogramm = a;
    } else {
      return Aufruffehler("mehr als ein Teileprogramm");
    }
  }
  if (teileprogramm.empty()) return Aufruffehler("kein Teileprogramm");
  if (zeichensatz) KonfigBlock.Gravurzeichensatz = *zeichensatz;
  if (kursivwinkel) KonfigBlock.Kursivwinkel = *kursivwinkel;
  if (spiegelschrift) KonfigBlock.Spiegelschrift = true;

  // Loading as the program does: at most 255 characters per line; the target lies
  // beside the part program, named after it with the target extension.
  std::vector<std::string> zeilen;
  if (!toolkit::ReadLineFile(teileprogramm, zeilen)) {
    std::cerr << "wandeln: " << teileprogramm << " nicht lesbar\n";
    return 1;
  }
  for (auto& zeile : zeilen) {
    if (zeile.size() > 255) zeile.resize(255);
  }
  VelkorWinVAR::TeileprogrammListe = std::move(zeilen);
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(teileprogramm, verzeichnis, name, ext);
  KonfigBlock.Arbeitsdateiname = teileprogramm;
  KonfigBlock.Zieldateiname = verzeichnis + name + "." + KonfigBlock.ZielExt;
  KonfigBlock.Extrafarbdateiname = verzeichnis + name + ".NOP";
  VelkorWinBildZyklus::BildFuerTeileprogrammLaden();

  const bool beendet = VelkorWinINTR::WandlungDurchfuehren();
  const bool gesichert = VelkorWinFileUtils::NcPufferSichern();
  engine::InstallHost(nullptr);
  return beendet && gesichert ? 0 : 1;
}
