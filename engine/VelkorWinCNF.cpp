#include "engine/VelkorWinCNF.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "engine/EngineHost.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"

namespace VelkorWinCNF {

using namespace VelkorWinVAR;

namespace {

// Offsets inside a tool record.
constexpr std::size_t WkzBenennung = 1, WkzLaenge = 24, WkzNutzlaenge = 32, WkzDurchmesser = 40,
                      WkzZeichenfarbe = 48;

template <typename Werkzeug, typename Besucher>
void WerkzeugBesuchen(std::size_t off, Werkzeug& w, Besucher& f) {
  f(off, w.Nummer);
  f(off + WkzBenennung, w.Benennung, BezeichnungKapazitaet);
  f(off + WkzLaenge, w.Laenge);
  f(off + WkzNutzlaenge, w.Nutzlaenge);
  f(off + WkzDurchmesser, w.Durchmesser);
  f(off + WkzZeichenfarbe, w.Zeichenfarbe);
}

template <typename Punkt, typename Besucher>
void PunktBesuchen(std::size_t off, Punkt& p, Besucher& f) {
  f(off, p.X);
  f(off + 8, p.Y);
  f(off + 16, p.Z);
}

// Visits every field of the block with its offset, in file order. The reserved fields
// are visited through `reserviert`, since they are written but never read.
template <typename Block, typename Besucher>
void FelderBesuchen(Block& k, Besucher& f) {
  f(0, k.KonfigKennung);
  f.reserviert(32, k.Reserviert1);
  f.reserviert(36, k.Reserviert2);
  WerkzeugBesuchen(60, k.KeinWerkzeug, f);
  WerkzeugBesuchen(116, k.AktWerkzeug, f);
  f(172, k.TestschalterS);
  f(176, k.TestschalterT);
  PunktBesuchen(180, k.SimuGrenzeMin, f);
  PunktBesuchen(204, k.SimuGrenzeMax, f);
  PunktBesuchen(228, k.Bezugspunkt, f);
  f(252, k.Schrifttiefe);
  f(260, k.Gesamtstellen);
  f(264, k.Nachkommastellen);
  f(268, k.SkaleneinheitX);
  f(276, k.SkaleneinheitY);
  f(284, k.SkaleneinheitZ);
  f(292, k.Kursivwinkel);
  f(300, k.MitSatznummern);
  f(304, k.LeerschritteZwischenAdressen);
  f(308, k.NurGeaenderteAdressen);
  f(312, k.Fraeserbahn);
  f(316, k.GrafikEin);
  f(320, k.Spiegelschrift);
  f(324, k.FarbverfolgungAktiv);
  f(328, k.SatznummernInkrement);
  f(332, k.TextzyklusNummer);
  f(336, k.GrafikzyklusNummer);
  f(340, k.BohrzyklusNummer);
  f(344, k.PositionierZiffern);
  f(348, k.ZyklusendeWort, KurzwortKapazitaet);
  f(356, k.SicherheitsabstandWort, KurzwortKapazitaet);
  f(364, k.BohrtiefeWort, KurzwortKapazitaet);
  f(372, k.Arbeitsdateiname, DateinameKapazitaet);
  f(628, k.QuellExt, ExtKapazitaet);
  f(632, k.ZielExt, ExtKapazitaet);
  f(636, k.Steuerungsbezeichnung, BezeichnungKapazitaet);
  f(660, k.Zieldateiname, DateinameKapazitaet);
  f(916, k.Gravurzeichensatz, DateinameKapazitaet);
  f(1172, k.Konfigurationsdateiname, DateinameKapazitaet);
  f(1428, k.Werkzeugdateiname, DateinameKapazitaet);
  f(1684, k.Extrafarbdateiname, DateinameKapazitaet);
  f(1940, k.Farbtiefe);
  f(2068, k.FarbModus);
  f(2084, k.F_Verfolgen);
  f(2100, k.Farbgeschwindigkeit);
  f(2116, k.Ausschneidfarben);
  f(2132, k.Anlauffaktor);
  f(2140, k.Ueberlauffaktor);
  f(2148, k.Sticheln_im_Zyklus);
  f(2152, k.bidirektional_bearbeiten);
  f(2156, k.GrauFraestiefe_hell);
  f(2164, k.GrauFraestiefe_dunkel);
  f(2172, k.Graubildwandlung);
  f(2176, k.DirektSpeichern);
  f(2180, k.Fraesrichtung);
  f(2184, k.Zirkularsinn);
  f(2188, k.GrundArbeitsmodus);
  f(2192, k.GrundBesonderheit);
  f(2196, k.Umlaufsinn);
  f(2200, k.LinienanfangSuchen);
  f.reserviert(2204, k.Reserviert3);
}

template <typename E>
concept ByteEnum = std::is_enum_v<E> && sizeof(E) == 1;

struct Kodierer {
  Bytebild& b;

  void schreibeLE(std::size_t off, std::uint64_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void operator()(std::size_t off, bool v) {
    if ((b[off] != 0) != v) b[off] = v ? 1 : 0;
  }
  void operator()(std::size_t off, std::uint8_t v) { b[off] = v; }
  template <ByteEnum E>
  void operator()(std::size_t off, E v) {
    b[off] = static_cast<std::uint8_t>(v);
  }
  void operator()(std::size_t off, std::uint16_t v) { schreibeLE(off, v, 2); }
  void operator()(std::size_t off, double v) { schreibeLE(off, std::bit_cast<std::uint64_t>(v), 8); }
  void operator()(std::size_t off, const std::string& s, std::size_t kapazitaet) {
    const std::size_t n = std::min(s.size(), kapazitaet);
    b[off] = static_cast<std::uint8_t>(n);
    std::memcpy(b.data() + off + 1, s.data(), n);
  }
  template <typename T, std::size_t N>
  void operator()(std::size_t off, const std::array<T, N>& a) {
    for (std::size_t i = 0; i < N; ++i) (*this)(off + i * sizeof(T), a[i]);
  }
  void operator()(std::size_t off, char c) { b[off] = static_cast<std::uint8_t>(c); }
  template <typename T>
  void reserviert(std::size_t off, const T& feld) {
    if constexpr (std::is_same_v<T, std::uint16_t>) {
      (*this)(off, feld);
    } else {
      std::memcpy(b.data() + off, feld.data(), feld.size());
    }
  }
};

struct Dekodierer {
  const Bytebild& b;

  std::uint64_t leseLE(std::size_t off, std::size_t n) const {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(b[off + i]) << (8 * i);
    return v;
  }
  void operator()(std::size_t off, bool& v) { v = b[off] != 0; }
  void operator()(std::size_t off, std::uint8_t& v) { v = b[off]; }
  template <ByteEnum E>
  void operator()(std::size_t off, E& v) {
    v = static_cast<E>(b[off]);
  }
  void operator()(std::size_t off, std::uint16_t& v) { v = static_cast<std::uint16_t>(leseLE(off, 2)); }
  void operator()(std::size_t off, double& v) { v = std::bit_cast<double>(leseLE(off, 8)); }
  void operator()(std::size_t off, std::string& s, std::size_t kapazitaet) {
    const std::size_t n = std::min<std::size_t>(b[off], kapazitaet);
    s.assign(reinterpret_cast<const char*>(b.data() + off + 1), n);
  }
  template <typename T, std::size_t N>
  void operator()(std::size_t off, std::array<T, N>& a) {
    for (std::size_t i = 0; i < N; ++i) (*this)(off + i * sizeof(T), a[i]);
  }
  void operator()(std::size_t off, char& c) { c = static_cast<char>(b[off]); }
  template <typename T>
  void reserviert(std::size_t, T&) {}  // never taken from a file
};

std::string NichtGeladen(const std::string& Dateiname) {
  return "Die Konfigurationsdatei " + Dateiname + "wurde nicht geladen.";
}

}  // namespace

Bytebild KonfigBlockKodieren(const TKonfigBlock& Block) {
  Bytebild bild = Block.Dateibild;
  Kodierer k{bild};
  FelderBesuchen(Block, k);
  return bild;
}

void KonfigBlockDekodieren(const Bytebild& Bild, TKonfigBlock& Block) {
  Dekodierer d{Bild};
  FelderBesuchen(Block, d);
  Block.Dateibild = Bild;
}

bool KonfigurationLaden(const std::string& Dateiname) {
  auto& host = engine::Host();
  const auto groesse = toolkit::FileSize(Dateiname);
  if (!groesse) {
    host.notice(NichtGeladen(Dateiname));
    return false;
  }
  if (*groesse != static_cast<std::int64_t>(KonfigBlockGroesse)) {
    host.messageBeep();
    host.notice(toolkit::Ansi("Dateigrößenfehler! Die Konfigurationsdatei ") + Dateiname +
                " wurde nicht geladen.");
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (!toolkit::ReadFileBytes(Dateiname, bytes, KonfigBlockGroesse) || bytes.size() != KonfigBlockGroesse) {
    host.notice(NichtGeladen(Dateiname));
    return false;
  }
  Bytebild bild;
  std::copy(bytes.begin(), bytes.end(), bild.begin());
  TKonfigBlock neu = KonfigBlock;  // the reserved fields stay as they stand in memory
  KonfigBlockDekodieren(bild, neu);
  KonfigBlock = std::move(neu);
  return true;
}

bool KonfigurationSpeichern(const std::string& Dateiname) {
  const Bytebild bild = KonfigBlockKodieren(KonfigBlock);
  const std::string_view bytes(reinterpret_cast<const char*>(bild.data()), bild.size());
  if (!toolkit::WriteFileAtomic(Dateiname, bytes)) {
    engine::Host().notice("Die Konfigurationsdatei " + Dateiname + "wurde nicht erzeugt");
    return false;
  }
  KonfigBlock.Dateibild = bild;
  return true;
}

}  // namespace VelkorWinCNF
