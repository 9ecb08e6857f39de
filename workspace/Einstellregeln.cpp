#include "workspace/Einstellregeln.h"

#include <charconv>

#include "engine/VelkorWinUTIL.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace workspace::Einstellregeln {

namespace {

std::string Getrimmt(std::string_view t) { return std::string(toolkit::Trim(t)); }

template <typename T>
TEingabe<T> Nein(std::string hinweis) {
  return {std::nullopt, std::move(hinweis)};
}

std::string FalschesZeichen() { return "Falsches Zeichen im Eingabefeld!"; }
std::string NichtUeberNull() { return toolkit::Ansi("Der Wert muß größer als Null sein!"); }

// A whole number of at most `max`; a text holding "-" is "not above zero".
TEingabe<long> Ganzzahl(std::string_view text, long min, long max) {
  const std::string t = Getrimmt(text);
  if (t.find('-') != std::string::npos) return Nein<long>(NichtUeberNull());
  if (t.empty() || t.find_first_not_of("0123456789+") != std::string::npos) return Nein<long>(FalschesZeichen());
  long wert = 0;
  const char* anfang = t.data() + (t[0] == '+' ? 1 : 0);
  const auto [ende, fehler] = std::from_chars(anfang, t.data() + t.size(), wert);
  if (fehler == std::errc::result_out_of_range) wert = max + 1;
  else if (fehler != std::errc() || ende != t.data() + t.size()) return Nein<long>(FalschesZeichen());
  if (wert < min) return Nein<long>(NichtUeberNull());
  if (wert > max)
    return Nein<long>(toolkit::Ansi("Der Wert muß zwischen ") + std::to_string(min) + " und " +
                      std::to_string(max) + " liegen!");
  return {wert, {}};
}

}  // namespace

std::string ZahlText(double Wert) { return VelkorWinUTIL::KommentarZahl(Wert); }

TEingabe<double> Zahl(std::string_view Text) {
  const std::string t = Getrimmt(Text);
  auto w = toolkit::ParseDecimal(t, toolkit::DecimalSeparator());
  if (!w) w = toolkit::ParseDecimal(t, toolkit::DecimalSeparator() == ',' ? '.' : ',');
  if (!w) return Nein<double>(FalschesZeichen());
  return {*w, {}};
}

TEingabe<double> Faktor(std::string_view Text, bool Ueberlauf) {
  auto z = Zahl(Text);
  if (z.Wert && (*z.Wert < 0.0 || *z.Wert > 2.0))
    return Nein<double>(toolkit::Ansi(Ueberlauf ? "Der Überlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"
                                                : "Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"));
  return z;
}

TEingabe<double> Skaleneinheit(std::string_view Text) {
  auto z = Zahl(Text);
  if (z.Wert && !(*z.Wert > 0.0)) return Nein<double>(NichtUeberNull());
  return z;
}

TEingabe<std::uint16_t> Zyklusnummer(std::string_view Text) {
  const auto z = Ganzzahl(Text, 0, 65535);
  if (!z.Wert) return Nein<std::uint16_t>(z.Hinweis);
  return {static_cast<std::uint16_t>(*z.Wert), {}};
}

TEingabe<std::uint8_t> Stellenzahl(std::string_view Text) {
  const auto z = Ganzzahl(Text, 1, 255);
  if (!z.Wert) return Nein<std::uint8_t>(z.Hinweis);
  return {static_cast<std::uint8_t>(*z.Wert), {}};
}

TEingabe<std::string> Namenserweiterung(std::string_view Text) {
  if (Text.empty()) return Nein<std::string>(toolkit::Ansi("Die Namenserweiterung muß mindestens 1 Zeichen lang sein!"));
  if (Text.size() > 3) return Nein<std::string>("Die Namenserweiterung darf maximal 3 Zeichen lang sein!");
  return {std::string(Text), {}};
}

TEingabe<std::string> Steuerungsname(std::string_view Text) {
  if (Text.size() > VelkorWinVAR::BezeichnungKapazitaet)
    return Nein<std::string>("Der Steuerungsname darf maximal 20 Zeichen lang sein!");
  return {std::string(Text), {}};
}

TEingabe<std::string> Zyklusendewort(std::string_view Text) {
  if (Text.find('-') != std::string_view::npos) return Nein<std::string>(NichtUeberNull());
  return {std::string(Text.substr(0, VelkorWinVAR::KurzwortKapazitaet)), {}};
}

int FraesbahnIndex(const VelkorWinVAR::TKonfigBlock& k, std::uint8_t Zirkularrichtung) {
  switch (k.Fraesrichtung) {
    case VelkorWinVAR::TFraesrichtung::zeilenweise: return k.bidirektional_bearbeiten ? 2 : 0;
    case VelkorWinVAR::TFraesrichtung::spaltenweise: return k.bidirektional_bearbeiten ? 3 : 1;
    default: return 4 + (Zirkularrichtung ? 2 : 0) + (k.Zirkularsinn ? 1 : 0);
  }
}

void FraesbahnSetzen(int Index, VelkorWinVAR::TKonfigBlock& k, std::uint8_t& Zirkularrichtung) {
  using VelkorWinVAR::TFraesrichtung;
  if (Index < 0 || Index > 7) return;
  if (Index < 4) {
    k.Fraesrichtung = Index % 2 == 0 ? TFraesrichtung::zeilenweise : TFraesrichtung::spaltenweise;
    k.bidirektional_bearbeiten = Index >= 2;
    return;
  }
  k.Fraesrichtung = TFraesrichtung::zirkular;
  Zirkularrichtung = Index >= 6 ? 1 : 0;
  k.Zirkularsinn = Index % 2;
}

}  // namespace workspace::Einstellregeln
