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

// Takes the last `n` bytes of the file back off its end; false when the system refuses.
bool Zuruecknehmen(int fd, std::size_t n) {
  if (n == 0) return true;
  const off_t ende = ::lseek(fd, 0, SEEK_END);
  return ende >= static_cast<off_t>(n) && ::ftruncate(fd, ende - static_cast<off_t>(n)) == 0;
}

// The line and its CR LF with one write call (the rest of a partial write follows). On a
// failure what reached the file of it is taken back, so the file never ends inside a line;
// the error code, or 0. `Zurueck` is false when even that failed.
int ZeileSchreiben(int fd, const std::string& Dateiname, const std::string& Satz, bool& Zurueck) {
  static std::string zeile;
  zeile.assign(Satz).append("\r\n");
  std::size_t geschrieben = 0;
  int code = 0;
  if (Pruefnaht.SchreibFehler) {
    std::size_t teil = 0;
    code = Pruefnaht.SchreibFehler(Dateiname, zeile.size(), teil);
    if (code != 0) toolkit::WriteAll(fd, std::string_view(zeile).substr(0, teil), &geschrieben);
  }
  if (code == 0 && !toolkit::WriteAll(fd, zeile, &geschrieben)) code = errno != 0 ? errno : EIO;
  Zurueck = code == 0 || Zuruecknehmen(fd, geschrieben);
  return code;
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

// A failure that cannot be retried: one notice, the run stops, and the file gets no
// further line until the next pass, so the notice is not repeated for every later line.
void ZielAufgeben(const std::string& Dateiname, const std::string& Grund) {
  engine::Host().notice("Fehler beim Speichern in " + Dateiname + ": " + Grund);
  Abbruch = true;
  GesperrteZieldatei = Dateiname;
}

// Closes the handle a pass holds; the pass goes on holding the next one it opens.
void HandleSchliessen() {
  if (OffenesZiel.Fd < 0) return;
  const int fd = OffenesZiel.Fd;
  OffenesZiel.Fd = -1;
  if (::close(fd) != 0) ZielAufgeben(OffenesZiel.Name, toolkit::LastErrorText());
}

// The open handle of the file, opened now when the pass holds none for it; the error code
// of a failed open, or 0.
int ZielHandle(const std::string& Dateiname, int& fd) {
  if (OffenesZiel.Fd >= 0) {
    if (OffenesZiel.Name == Dateiname) {
      fd = OffenesZiel.Fd;
      return 0;
    }
    HandleSchliessen();
  }
  const int code = ZumAnhaengenOeffnen(Dateiname, fd);
  if (code == 0 && OffenesZiel.Halten) {
    OffenesZiel.Name = Dateiname;
    OffenesZiel.Fd = fd;
  }
  return code;
}

// One failed attempt at a line (its open or its write): a tone and a short wait, and from
// the fourth failure on the question whether to stop. "Ja" stops the run and gives the file
// up until the next pass, so the question comes once. True: try again.
bool NochEinmal(const std::string& Dateiname, const std::string& Satz, int Code, int& Fehlversuche) {
  auto& host = engine::Host();
  ++Fehlversuche;
  host.tone(1000, 100);
  Warten(15);
  if (Fehlversuche > 3 && host.confirm("Fehler Nr.: " + std::to_string(Code) + " beim Speichern in " + Dateiname +
                                       " Abbrechen (J/N)?\r\rNc-Satz: " + Satz)) {
    Abbruch = true;
    GesperrteZieldatei = Dateiname;
    return false;
  }
  return !Abbruch;  // a stop request that came while the writer waited ends the tries
}

void DirektSchreiben(const std::string& Dateiname, const std::string& Satz) {
  if (!GesperrteZieldatei.empty() && Dateiname == GesperrteZieldatei) return;
  int fehlversuche = 0;
  for (;;) {
    int fd = -1;
    int code = ZielHandle(Dateiname, fd);
    if (code == 0) {
      bool zurueck = true;
      code = ZeileSchreiben(fd, Dateiname, Satz, zurueck);
      const bool gehalten = fd == OffenesZiel.Fd;
      if (!zurueck) {  // the file now ends inside the line: nothing may follow it
        if (!gehalten) ::close(fd);
        errno = code;
        ZielAufgeben(Dateiname, toolkit::LastErrorText());
        return;
      }
      if (!gehalten && ::close(fd) != 0 && code == 0) {
        ZielAufgeben(Dateiname, toolkit::LastErrorText());
        return;
      }
      if (code == 0) return;
    }
    if (!NochEinmal(Dateiname, Satz, code, fehlversuche)) return;
  }
}

bool PufferZeileAnhaengen(const std::string& Dateiname, const std::string& Satz) {
  if (Pruefnaht.PufferSpeicherFrei && !Pruefnaht.PufferSpeicherFrei()) return false;
  try {
    if (NcSatzPuffer.empty()) NcSatzPuffer.ZielSetzen(Dateiname);
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
  // The buffer holds the lines of one target only.
  if (KonfigBlock.DirektSpeichern || (!NcSatzPuffer.empty() && NcSatzPuffer.Ziel() != Dateiname)) {
    DirektSchreiben(Dateiname, Satz);
    return;
  }
  if (PufferZeileAnhaengen(Dateiname, Satz)) return;
  engine::Host().notice(toolkit::Ansi("Nicht genügend Heapspeicher!"));
  if (!NcPufferAusgeben(NcSatzPuffer)) {
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

bool NcPufferAusgeben(TNcSatzPuffer& Puffer) {
  if (!NcPufferInDatei(Puffer, Puffer.Ziel())) return false;
  NcPufferFreigeben(Puffer);
  return true;
}

void NcPufferFreigeben(TNcSatzPuffer& Puffer) { Puffer.clear(); }

bool NcPufferSichern() {
  if (NcSatzPuffer.empty()) return true;
  if (engine::Host().confirm(toolkit::Ansi("Die erzeugten NC-Sätze speichern?")))
    return NcPufferAusgeben(NcSatzPuffer);
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
