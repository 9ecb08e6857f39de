#include "workspace/EditorText.h"

#include <array>

#include "toolkit/LineFile.h"
#include "toolkit/Text.h"
#include "workspace/Umnummerieren.h"

namespace workspace {
namespace {

using Tabelle = std::array<unsigned char, 256>;

Tabelle GrossTabelle() {
  Tabelle t{};
  for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b) t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b - 0x20);
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b - 0x20);
  t[0x9A] = 0x8A;  // š
  t[0x9C] = 0x8C;  // œ
  t[0x9E] = 0x8E;  // ž
  t[0xFF] = 0x9F;  // ÿ
  return t;
}

Tabelle KleinTabelle() {
  Tabelle t{};
  for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
  const Tabelle gross = GrossTabelle();
  for (int b = 0; b < 256; ++b)
    if (gross[static_cast<std::size_t>(b)] != b) t[gross[static_cast<std::size_t>(b)]] = static_cast<unsigned char>(b);
  return t;
}

const Tabelle& Gross() {
  static const Tabelle t = GrossTabelle();
  return t;
}
const Tabelle& Klein() {
  static const Tabelle t = KleinTabelle();
  return t;
}

bool Wortzeichen(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') return true;
  if (c >= 0xC0) return c != 0xD7 && c != 0xF7;
  switch (c) {
    case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F: case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return false;
  }
}

std::string Umsetzen(std::string_view text, const Tabelle& t) {
  std::string aus(text);
  for (char& c : aus) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
  return aus;
}

}  // namespace

TEditorInhalt EditorTextLesen(std::string_view Bytes) {
  TEditorInhalt inhalt;
  inhalt.Zeilen = toolkit::SplitLines(Bytes);
  for (std::string& zeile : inhalt.Zeilen) {
    for (char& c : zeile) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x20 && b != '\t') {
        c = ' ';
        ++inhalt.Steuerzeichen;
      }
    }
  }
  inhalt.LangeZeilen = LangeZeilenZaehlen(inhalt.Zeilen, inhalt.ErsteLange);
  return inhalt;
}

std::string EditorTextSchreiben(const std::vector<std::string>& Zeilen) { return toolkit::JoinLines(Zeilen); }

std::size_t LangeZeilenZaehlen(const std::vector<std::string>& Zeilen, std::size_t& Erste) {
  std::size_t anzahl = 0;
  Erste = 0;
  for (std::size_t i = 0; i < Zeilen.size(); ++i) {
    if (Zeilen[i].size() > TeileprogrammZeilenlaenge) {
      if (anzahl++ == 0) Erste = i + 1;
    }
  }
  return anzahl;
}

std::string LangeZeilenMeldung(std::size_t Anzahl, std::size_t Erste) {
  if (Anzahl == 0) return {};
  return toolkit::Ansi("Zeile ") + std::to_string(Erste) +
         toolkit::Ansi(" ist länger als 255 Zeichen (insgesamt ") + std::to_string(Anzahl) +
         toolkit::Ansi(" Zeilen); die Wandlung liest nur die ersten 255 Zeichen!");
}

char DosGross(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x81: return static_cast<char>(0x9A);
    case 0x84: return static_cast<char>(0x8E);
    case 0x94: return static_cast<char>(0x99);
    default: return c;
  }
}

char DosKlein(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x9A: return static_cast<char>(0x81);
    case 0x8E: return static_cast<char>(0x84);
    case 0x99: return static_cast<char>(0x94);
    default: return c;
  }
}

std::string AnsiGross(std::string_view Text) { return Umsetzen(Text, Gross()); }
std::string AnsiKlein(std::string_view Text) { return Umsetzen(Text, Klein()); }

std::optional<TZeilenTaste> ZeilenTasteFuer(int Fnummer, bool Shift, bool Ctrl, bool Alt) {
  if (Fnummer < 2 || Fnummer > 5 || Alt) return std::nullopt;
  const int i = Fnummer - 2;
  if (Shift) return static_cast<TZeilenTaste>(4 + i);
  if (Ctrl) return static_cast<TZeilenTaste>(8 + i);
  return static_cast<TZeilenTaste>(i);
}

std::string ZeileBearbeiten(TZeilenTaste Taste, const std::string& Zeile, std::size_t Spalte) {
  Spalte = std::min(Spalte, Zeile.size());
  std::string z = Zeile;
  const auto vor = [&](char (*f)(char)) {
    for (std::size_t i = 0; i < Spalte; ++i) z[i] = f(z[i]);
  };
  const auto ab = [&](char (*f)(char)) {
    for (std::size_t i = Spalte; i < z.size(); ++i) z[i] = f(z[i]);
  };
  switch (Taste) {
    case TZeilenTaste::ZeileLoeschen: return {};
    case TZeilenTaste::VorCursorLoeschen: return z.substr(Spalte);
    case TZeilenTaste::AbCursorLoeschen: return z.substr(0, Spalte);
    case TZeilenTaste::ZeileGross: return AnsiGross(z);
    case TZeilenTaste::ZeileKlein: return AnsiKlein(z);
    case TZeilenTaste::VorCursorGross: vor(DosGross); return z;
    case TZeilenTaste::AbCursorGross: ab(DosGross); return z;
    case TZeilenTaste::VorCursorKlein: vor(DosKlein); return z;
    case TZeilenTaste::AbCursorKlein: ab(DosKlein); return z;
    default: return z;  // the selection's keys do not work on the line
  }
}

TSuchtext::TSuchtext(std::string Text, const TSuchOptionen& Optionen)
    : Original_(std::move(Text)), Optionen_(Optionen) {
  Text_ = Optionen.GrossKlein ? Original_ : AnsiGross(Original_);
}

bool TSuchtext::WortGrenzen(std::size_t Pos, std::size_t Laenge) const {
  if (!Optionen_.GanzesWort) return true;
  if (Pos > 0 && Wortzeichen(static_cast<unsigned char>(Text_[Pos - 1]))) return false;
  const std::size_t ende = Pos + Laenge;
  return ende >= Text_.size() || !Wortzeichen(static_cast<unsigned char>(Text_[ende]));
}

std::size_t TSuchtext::Vorwaerts(std::string_view Muster, std::size_t Ab) const {
  if (Muster.empty()) return KeinFund;
  const std::string m = Optionen_.GrossKlein ? std::string(Muster) : AnsiGross(Muster);
  for (std::size_t p = Text_.find(m, Ab); p != std::string::npos; p = Text_.find(m, p + 1))
    if (WortGrenzen(p, m.size())) return p;
  return KeinFund;
}

std::size_t TSuchtext::Rueckwaerts(std::string_view Muster, std::size_t Vor) const {
  if (Muster.empty() || Vor == 0) return KeinFund;
  const std::string m = Optionen_.GrossKlein ? std::string(Muster) : AnsiGross(Muster);
  std::size_t p = Text_.rfind(m, Vor - 1);
  while (p != std::string::npos) {
    if (WortGrenzen(p, m.size())) return p;
    if (p == 0) break;
    p = Text_.rfind(m, p - 1);
  }
  return KeinFund;
}

bool TSuchtext::TrifftBei(std::string_view Muster, std::size_t Pos) const {
  if (Muster.empty() || Pos > Text_.size() || Text_.size() - Pos < Muster.size()) return false;
  const std::string m = Optionen_.GrossKlein ? std::string(Muster) : AnsiGross(Muster);
  return Text_.compare(Pos, m.size(), m) == 0 && WortGrenzen(Pos, m.size());
}

std::size_t AllesErsetzen(std::string& Text, std::string_view Muster, std::string_view Ersatz, std::size_t Ab,
                          const TSuchOptionen& Optionen) {
  if (Muster.empty()) return 0;
  const TSuchtext such(Text, Optionen);
  std::string neu;
  neu.reserve(Text.size());
  std::size_t anzahl = 0;
  std::size_t kopiert = 0;
  // Matches are found in the original text, so no inserted text is searched again.
  for (std::size_t p = such.Vorwaerts(Muster, Ab); p != KeinFund; p = such.Vorwaerts(Muster, p + Muster.size())) {
    neu.append(Text, kopiert, p - kopiert);
    neu.append(Ersatz);
    kopiert = p + Muster.size();
    ++anzahl;
  }
  if (anzahl == 0) return 0;
  neu.append(Text, kopiert, std::string::npos);
  Text.swap(neu);
  return anzahl;
}

void TCodeEingabe::Gedrueckt(bool Ctrl, bool Alt, bool Shift) {
  if (Aktiv_ || !Ctrl || !Alt || Shift) return;
  Aktiv_ = true;
  Zeichencode_ = 0;
  Ziffern_ = 0;
}

void TCodeEingabe::Ziffer(int Ziffer) {
  if (!Aktiv_ || Ziffer < 0 || Ziffer > 9) return;
  Zeichencode_ = static_cast<std::uint16_t>(Zeichencode_ * 10 + Ziffer);
  ++Ziffern_;
}

std::optional<char> TCodeEingabe::Beenden() {
  if (!Aktiv_) return std::nullopt;
  Aktiv_ = false;
  const auto code = static_cast<unsigned char>(Zeichencode_ & 0xFF);
  if (Ziffern_ == 0 || code < 0x20 || code == 0x7F) return std::nullopt;
  return static_cast<char>(code);
}

}  // namespace workspace
