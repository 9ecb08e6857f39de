#include "engine/VelkorWinFileUtils.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <limits>
#include <new>

#include "engine/EngineHost.h"
#include "engine/VelkorWinUTIL.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"

namespace VelkorWinFileUtils {

using namespace VelkorWinVAR;

std::int32_t Satznummer = 0;
TNcSatzPuffer NcSatzPuffer;
std::string GesperrteZieldatei;
TPruefnaht Pruefnaht;

namespace {

constexpr std::size_t SatzKapazitaet = 255;

// The target a pass keeps open: its name and handle (-1: none open).
struct TOffenesZiel {
  bool Halten = false;
  std::string Name;
  int Fd = -1;
};
TOffenesZiel OffenesZiel;

// Opens the file for appending (never truncating it); the error code, or 0 and `fd`.
int ZumAnhaengenOeffnen(const std::string& Dateiname, int& fd) {
  if (Pruefnaht.OeffnenFehler) {
    if (const int code = Pruefnaht.OeffnenFehler(Dateiname)) return code;
  }
  static std::string letzterName, letzterPfad;  // spares the path conversion per line
  if (Dateiname != letzterName) {
    letzterName = Dateiname;
    letzterPfad = toolkit::NormalizePath(Dateiname);
  }
  fd = ::open(letzterPfad.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  return fd < 0 ? (errno != 0 ? errno : EIO) : 0;
}

// The line and its CR LF with one write call (the rest of a partial write follows).
bool ZeileSchreiben(int fd, const std::string& Satz) {
  static std::string zeile;
  zeile.assign(Satz).append("\r\n");
  return toolkit::WriteAll(fd, zeile);
}

// BAK backup, messages let through once per line, then the text written through a
// temporary file; a failure is reported with a tone and one notice.
bool TextSpeichern(const std::string& Dateiname, const std::vector<std::string_view>& Teile, std::size_t Zeilen) {
  if (!BakDateiAnlegen(Dateiname)) return false;
  for (std::size_t i = 0; i < Zeilen; ++i) engine::Host().processEvents();
  std::string grund;
  if (!toolkit::WriteFileAtomic(Dateiname, Teile, &grund)) {
    engine::Host().tone(440, 200);
    engine::Host().notice("Fehler beim Speichern in " + Dateiname + ": " + grund);
    return false;
  }
  return true;
}

void SchreibFehler(const std::string& Dateiname, const std::string& Grund) {
  engine::Host().notice("Fehler beim Speichern in " + Dateiname + ": " + Grund);
  Abbruch = true;
}

// Closes the handle a pass holds; the pass goes on holding the next one it opens.
void HandleSchliessen() {
  if (OffenesZiel.Fd < 0) return;
  const int fd = OffenesZiel.Fd;
  OffenesZiel.Fd = -1;
  if (::close(fd) != 0) SchreibFehler(OffenesZiel.Name, toolkit::LastErrorText());
}

// The open handle of the file, opened now when the pass holds none for it (-1: the open
// failed and the user chose to stop, or a stop request came while the writer waited).
int ZielHandle(const std::string& Dateiname, const std::string& Satz) {
  if (OffenesZiel.Fd >= 0) {
    if (OffenesZiel.Name == Dateiname) return OffenesZiel.Fd;
    HandleSchliessen();
  }
  auto& host = engine::Host();
  int fehlversuche = 0;
  for (;;) {
    int fd = -1;
    const int code = ZumAnhaengenOeffnen(Dateiname, fd);
    if (code == 0) {
      if (OffenesZiel.Halten) {
        OffenesZiel.Name = Dateiname;
        OffenesZiel.Fd = fd;
      }
      return fd;
    }
    ++fehlversuche;
    host.tone(1000, 100);
    Warten(15);
    if (fehlversuche > 3 && host.confirm("Fehler Nr.: " + std::to_string(code) + " beim Speichern in " +
                                         Dateiname + " Abbrechen (J/N)?\r\rNc-Satz: " + Satz)) {
      Abbruch = true;
      return -1;
    }
    if (Abbruch) return -1;  // a stop request came while the writer waited
  }
}

void DirektSchreiben(const std::string& Dateiname, const std::string& Satz) {
  if (!GesperrteZieldatei.empty() && Dateiname == GesperrteZieldatei) return;
  const int fd = ZielHandle(Dateiname, Satz);
  if (fd < 0) return;
  bool ok = ZeileSchreiben(fd, Satz);
  int grund = ok ? 0 : errno;
  if (fd != OffenesZiel.Fd && ::close(fd) != 0 && ok) {
    ok = false;
    grund = errno;
  }
  if (!ok) {
    if (fd == OffenesZiel.Fd) {
      OffenesZiel.Fd = -1;
      ::close(fd);
    }
    errno = grund;
    SchreibFehler(Dateiname, toolkit::LastErrorText());
  }
}

bool PufferZeileAnhaengen(const std::string& Satz) {
  if (Pruefnaht.PufferSpeicherFrei && !Pruefnaht.PufferSpeicherFrei()) return false;
  try {
    NcSatzPuffer.push_back(Satz);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool Sicherung(const std::string& Dateiname, std::string_view Endung) {
  HandleSchliessen();  // the file may be the one a pass holds open
  if (!DateiExistiert(Dateiname)) return true;
  const std::string sicherung = SicherungsName(Dateiname, Endung);
  const bool ok = sicherung != Dateiname &&
                  (!toolkit::FileExists(sicherung) || toolkit::EraseFile(sicherung)) &&
                  toolkit::RenameFile(Dateiname, sicherung);
  if (!ok) engine::Host().notice("Fehler beim Anlegen der " + std::string(Endung) + "-Datei!");
  return ok;
}

}  // namespace

void NcSatzSchreiben(const std::string& Dateiname, const std::string& Satz) {
  engine::Host().processEvents();
  if (Satz.empty()) return;
  if (KonfigBlock.DirektSpeichern) {
    DirektSchreiben(Dateiname, Satz);
    return;
  }
  if (PufferZeileAnhaengen(Satz)) return;
  engine::Host().notice(toolkit::Ansi("Nicht genügend Heapspeicher!"));
  if (!NcPufferAusgeben(NcSatzPuffer, KonfigBlock.Zieldateiname)) {
    Abbruch = true;  // the lines so far stay in the buffer; none may follow them elsewhere
    return;
  }
  KonfigBlock.DirektSpeichern = true;
  DirektSchreiben(Dateiname, Satz);
}

bool NcPufferInDatei(const TNcZeilen& Liste, const std::string& Dateiname) {
  if (Liste.empty()) return true;
  std::size_t laenge = 0;
  for (const auto& zeile : Liste) laenge += zeile.size() + 2;
  std::string text;
  text.reserve(laenge);
  for (const auto& zeile : Liste) text.append(zeile).append("\r\n");
  return TextSpeichern(Dateiname, {text}, Liste.size());
}

bool NcPufferInDatei(const TNcSatzPuffer& Puffer, const std::string& Dateiname) {
  if (Puffer.empty()) return true;
  return TextSpeichern(Dateiname, Puffer.Abschnitte(), Puffer.size());
}

bool NcPufferAusgeben(TNcSatzPuffer& Puffer, const std::string& Dateiname) {
  if (!NcPufferInDatei(Puffer, Dateiname)) return false;
  NcPufferFreigeben(Puffer);
  return true;
}

void NcPufferFreigeben(TNcSatzPuffer& Puffer) { Puffer.clear(); }

bool NcPufferSichern() {
  if (NcSatzPuffer.empty()) return true;
  if (engine::Host().confirm(toolkit::Ansi("Die erzeugten NC-Sätze speichern?")))
    return NcPufferAusgeben(NcSatzPuffer, VelkorWinVAR::KonfigBlock.Zieldateiname);
  NcPufferFreigeben(NcSatzPuffer);
  return true;
}

void ZielOffenHalten() { OffenesZiel.Halten = true; }

void ZielSchliessen() {
  HandleSchliessen();
  OffenesZiel.Halten = false;
}

bool DateiExistiert(const std::string& Dateiname) { return toolkit::FileExists(Dateiname); }

std::string SicherungsName(const std::string& Dateiname, std::string_view Endung) {
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(Dateiname, verzeichnis, name, ext);
  return verzeichnis + name + "." + std::string(Endung);
}

bool BakDateiAnlegen(const std::string& Dateiname) { return Sicherung(Dateiname, "BAK"); }
bool SavDateiAnlegen(const std::string& Dateiname) { return Sicherung(Dateiname, "SAV"); }

void Warten(int ms) { engine::Host().wait(ms); }

void SatznummerSetzen(std::string& Satz, std::int32_t& Nummer, std::uint16_t Inkrement) {
  if (Satz.empty()) return;
  const auto n = Satz.find('N');
  std::size_t rest = 0;
  if (n == 0) {
    rest = 1;
    while (rest < Satz.size() && (Satz[rest] == ' ' || (Satz[rest] >= '0' && Satz[rest] <= '9'))) ++rest;
  } else if (n != std::string::npos) {
    engine::Host().notice("Satznummeradresse N: Fehler im Satzformat!");
    Abbruch = true;
    rest = Satz.size();
  }
  if (!KonfigBlock.MitSatznummern) {
    Satz.erase(0, rest);
    return;
  }
  if (!SatznummerErhoehen(Nummer, Inkrement)) {
    Satz.erase(0, rest);
    return;
  }
  char kopf[16] = {'N'};
  const auto ende = std::to_chars(kopf + 1, kopf + sizeof kopf - 1, Nummer).ptr;
  *ende = ' ';
  Satz.replace(0, rest, kopf, static_cast<std::size_t>(ende + 1 - kopf));
  if (Satz.size() > SatzKapazitaet) Satz.resize(SatzKapazitaet);
}

bool SatznummerErhoehen(std::int32_t& Nummer, std::uint16_t Inkrement) {
  if (Nummer > std::numeric_limits<std::int32_t>::max() - Inkrement) {
    engine::Host().notice(toolkit::Ansi("Integerüberlauf"));
    Abbruch = true;
    return false;
  }
  Nummer += Inkrement;
  return true;
}

void ResetState() {
  ZielSchliessen();
  Satznummer = 0;
  NcPufferFreigeben(NcSatzPuffer);
  GesperrteZieldatei.clear();
  Pruefnaht = {};
}

}  // namespace VelkorWinFileUtils
