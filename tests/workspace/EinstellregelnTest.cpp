// The checks of the settings dialogs: what each entry becomes or which notice refuses it.
#include <gtest/gtest.h>

#include <functional>

#include "engine/VelkorWinVAR.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "workspace/Einstellregeln.h"

namespace {

namespace R = workspace::Einstellregeln;

using TRegel = std::function<std::string(std::string_view)>;  // "=value" or the notice (UTF-8)
template <typename T>
TRegel Als(R::TEingabe<T> (*f)(std::string_view)) {
  return [f](std::string_view t) {
    const auto e = f(t);
    if (!e.Wert) return toolkit::Cp1252ToUtf8(e.Hinweis);
    if constexpr (std::is_same_v<T, double>) return "=" + toolkit::FormatFixed(*e.Wert, 3);
    else if constexpr (std::is_same_v<T, std::string>) return "=" + *e.Wert;
    else return "=" + std::to_string(+*e.Wert);
  };
}
const auto Anlauf = [](std::string_view t) { return R::Faktor(t, false); };
const auto Ueberlauf = [](std::string_view t) { return R::Faktor(t, true); };

TEST(Einstellregeln, EntryBecomesValueOrNotice) {
  toolkit::SetDecimalSeparator(',');
  const char* kFalsch = "Falsches Zeichen im Eingabefeld!";
  const char* kNull = "Der Wert muß größer als Null sein!";
  const std::tuple<TRegel, const char*, const char*> regeln[] = {
      {Als(R::Zahl), "-1,5", "=-1.500"}, {Als(R::Zahl), " 2.25 ", "=2.250"}, {Als(R::Zahl), "abc", kFalsch},
      {Als(R::Zahl), "1e3", kFalsch}, {Als(+Anlauf), "2,0", "=2.000"},
      {Als(+Anlauf), "2,01", "Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
      {Als(+Anlauf), "-0,1", "Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
      {Als(+Ueberlauf), "x", kFalsch},
      {Als(+Ueberlauf), "3", "Der Überlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
      {Als(R::Skaleneinheit), "0", kNull}, {Als(R::Skaleneinheit), "-5", kNull},
      {Als(R::Skaleneinheit), "0,001", "=0.001"}, {Als(R::Zyklusnummer), "0", "=0"},
      {Als(R::Zyklusnummer), "-5", kNull}, {Als(R::Zyklusnummer), "65535", "=65535"},
      {Als(R::Zyklusnummer), "70000", "Der Wert muß zwischen 0 und 65535 liegen!"},
      {Als(R::Zyklusnummer), "99999999999999999999", "Der Wert muß zwischen 0 und 65535 liegen!"},
      {Als(R::Zyklusnummer), "8a", kFalsch}, {Als(R::Stellenzahl), "0", kNull}, {Als(R::Stellenzahl), "255", "=255"},
      {Als(R::Stellenzahl), "256", "Der Wert muß zwischen 1 und 255 liegen!"},
      {Als(R::Namenserweiterung), "", "Die Namenserweiterung muß mindestens 1 Zeichen lang sein!"},
      {Als(R::Namenserweiterung), "ABCD", "Die Namenserweiterung darf maximal 3 Zeichen lang sein!"},
      {Als(R::Namenserweiterung), "NC1", "=NC1"},
      {Als(R::Steuerungsname), "123456789012345678901", "Der Steuerungsname darf maximal 20 Zeichen lang sein!"},
      {Als(R::Zyklusendewort), "G800X", "=G800"}, {Als(R::Zyklusendewort), "G-8", kNull},
  };
  for (const auto& [regel, eingabe, ergebnis] : regeln) EXPECT_EQ(regel(eingabe), ergebnis) << eingabe;
  toolkit::SetDecimalSeparator('.');
}

TEST(EinstellregelnFraesbahn, EachItemSetsOnlyWhatItDecidesAndReadsBack) {
  using VelkorWinVAR::TFraesrichtung;
  VelkorWinVAR::TKonfigBlock k;
  std::uint8_t zirkular = 0;
  R::FraesbahnSetzen(7, k, zirkular);  // "zirkular ccw nach außen"
  R::FraesbahnSetzen(0, k, zirkular);  // "zeilenweise"
  EXPECT_EQ(k.Fraesrichtung, TFraesrichtung::zeilenweise);
  EXPECT_FALSE(k.bidirektional_bearbeiten);
  EXPECT_EQ(zirkular, 1);
  EXPECT_EQ(k.Zirkularsinn, 1);
  for (int i = 0; i < 8; ++i) {
    R::FraesbahnSetzen(i, k, zirkular);
    EXPECT_EQ(R::FraesbahnIndex(k, zirkular), i);
  }
  k.Fraesrichtung = TFraesrichtung::zirkular;
  k.Zirkularsinn = 0;
  EXPECT_EQ(R::FraesbahnIndex(k, 1), 6);  // "zirkular cw nach außen"
}

}  // namespace
