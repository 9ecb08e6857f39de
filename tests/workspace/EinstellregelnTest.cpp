// The checks of the settings dialogs: what each entry becomes or which notice refuses it.
#include <gtest/gtest.h>

#include <functional>

#include "engine/VelkorWinVAR.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "workspace/Einstellregeln.h"

namespace {

namespace R = workspace::Einstellregeln;

struct RegelFall {
  const char* name;
  std::function<std::string(std::string_view)> regel;  // "=value" or the notice (UTF-8)
  const char* eingabe;
  const char* ergebnis;
};
template <typename T>
std::function<std::string(std::string_view)> Als(R::TEingabe<T> (*f)(std::string_view)) {
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

class Einstellregeln : public ::testing::TestWithParam<RegelFall> {
protected:
  void SetUp() override { toolkit::SetDecimalSeparator(','); }
  void TearDown() override { toolkit::SetDecimalSeparator('.'); }
};
TEST_P(Einstellregeln, EntryBecomesValueOrNotice) {
  EXPECT_EQ(GetParam().regel(GetParam().eingabe), GetParam().ergebnis);
}
const char* kFalsch = "Falsches Zeichen im Eingabefeld!";
const char* kNull = "Der Wert muß größer als Null sein!";
const RegelFall kRegeln[] = {
    {"ZahlKomma", Als(R::Zahl), "-1,5", "=-1.500"},
    {"ZahlPunkt", Als(R::Zahl), " 2.25 ", "=2.250"},
    {"ZahlText", Als(R::Zahl), "abc", kFalsch},
    {"ZahlExponent", Als(R::Zahl), "1e3", kFalsch},
    {"AnlaufZwei", Als(+Anlauf), "2,0", "=2.000"},
    {"AnlaufZuGross", Als(+Anlauf), "2,01", "Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
    {"AnlaufNegativ", Als(+Anlauf), "-0,1", "Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
    {"UeberlaufX", Als(+Ueberlauf), "x", kFalsch},
    {"UeberlaufZuGross", Als(+Ueberlauf), "3", "Der Überlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!"},
    {"SkalaNull", Als(R::Skaleneinheit), "0", kNull},
    {"SkalaNegativ", Als(R::Skaleneinheit), "-5", kNull},
    {"SkalaWinzig", Als(R::Skaleneinheit), "0,001", "=0.001"},
    {"ZyklusNull", Als(R::Zyklusnummer), "0", "=0"},
    {"ZyklusMinus", Als(R::Zyklusnummer), "-5", kNull},
    {"ZyklusWort", Als(R::Zyklusnummer), "65535", "=65535"},
    {"ZyklusZuGross", Als(R::Zyklusnummer), "70000", "Der Wert muß zwischen 0 und 65535 liegen!"},
    {"ZyklusRiesig", Als(R::Zyklusnummer), "99999999999999999999", "Der Wert muß zwischen 0 und 65535 liegen!"},
    {"ZyklusText", Als(R::Zyklusnummer), "8a", kFalsch},
    {"StellenNull", Als(R::Stellenzahl), "0", kNull},
    {"StellenByte", Als(R::Stellenzahl), "255", "=255"},
    {"StellenZuGross", Als(R::Stellenzahl), "256", "Der Wert muß zwischen 1 und 255 liegen!"},
    {"ExtLeer", Als(R::Namenserweiterung), "", "Die Namenserweiterung muß mindestens 1 Zeichen lang sein!"},
    {"ExtVier", Als(R::Namenserweiterung), "ABCD", "Die Namenserweiterung darf maximal 3 Zeichen lang sein!"},
    {"ExtDrei", Als(R::Namenserweiterung), "NC1", "=NC1"},
    {"SteuerungLang", Als(R::Steuerungsname), "123456789012345678901", "Der Steuerungsname darf maximal 20 Zeichen lang sein!"},
    {"ZyklusendeGekuerzt", Als(R::Zyklusendewort), "G800X", "=G800"},
    {"ZyklusendeMinus", Als(R::Zyklusendewort), "G-8", kNull},
};
INSTANTIATE_TEST_SUITE_P(Alle, Einstellregeln, ::testing::ValuesIn(kRegeln),
                         [](const auto& i) { return std::string(i.param.name); });

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
