// The move writer: absolute and incremental motion blocks, number fields, drilling-cycle
// blocks and the engraving helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/EngineFixture.h"

using namespace VelkorWinGrvTXT;
using namespace VelkorWinVAR;

namespace {

class Satzschreiber : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    Interpretermodus = TInterpretermodus::Wandlung;
  }
  void Fahre(bool absolut, TPunkt3D von, TPunkt3D nach) { FahreNach(absolut, von, nach); }
};

struct FormFall {
  const char* name;
  bool leerschritte, nurGeaenderte, nummern;
  std::string satz;
};
class Satzform : public Satzschreiber, public ::testing::WithParamInterface<FormFall> {};

TEST_P(Satzform, OfAnAbsoluteMove) {
  KonfigBlock.LeerschritteZwischenAdressen = GetParam().leerschritte;
  KonfigBlock.NurGeaenderteAdressen = GetParam().nurGeaenderte;
  KonfigBlock.MitSatznummern = GetParam().nummern;
  Fahre(true, {0, 0, 0}, {-12.5, 3, 0});
  Erwarte({GetParam().satz}, {});
}

const FormFall kFormen[] = {
    {"Defaults", true, true, true, "N1 G01 X -12.500 Y 3.000"},
    {"NoBlanks", false, true, true, "N1 G01 X-12.500 Y3.000"},
    {"AllAxes", true, false, true, "N1 G01 X -12.500 Y 3.000 Z 0.000"},
    {"NoNumbers", true, true, false, "G01 X -12.500 Y 3.000"},
};
INSTANTIATE_TEST_SUITE_P(All, Satzform, ::testing::ValuesIn(kFormen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Satzschreiber, AMoveToTheCurrentPositionWritesNothing) {
  TPunkt3D position{1, 2, 3}, ziel{1, 2, 3};
  FahreNach(true, position, ziel);
  FahreNach(false, position, ziel);
  EXPECT_EQ(VelkorWinFileUtils::Satznummer, 0);
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
}

TEST_F(Satzschreiber, IncrementalBlocksCarryTheirPrefixOnce) {
  AbsolutMass = false;
  MassPraefixFaellig = true;
  Eilgang = true;
  TPunkt3D position{10, 10, 5}, ziel{12.5, 10, 2};
  FahreNach(false, position, ziel);
  EXPECT_EQ(position.X, 12.5);
  ziel = {12.5, 11, 2};
  FahreNach(false, position, ziel);
  ziel = {12.5, 11, 7};
  FahreNach(false, position, ziel);
  Erwarte({"N1 G91 G00 X 2.500 Z -3.000", "N2 G00 Y 1.000", "N3 G00 Z 5.000"}, {});
}

TEST_F(Satzschreiber, IncrementalWordsAddUpToTheAbsoluteTarget) {
  TPunkt3D position{0, 0, 0};
  for (int i = 1; i <= 1000; ++i) {
    TPunkt3D ziel{i * 0.0625, 0, 0};
    FahreNach(false, position, ziel);
  }
  double summe = 0;
  for (const auto& zeile : Zeilen()) summe += std::stod(zeile.substr(zeile.find('X') + 1));
  EXPECT_EQ(summe, 62.5);
}

TEST_F(Satzschreiber, TheMeasuringPassWritesNoMove) {
  Interpretermodus = TInterpretermodus::Messlauf;
  Fahre(true, {0, 0, 0}, {1, 0, 0});
  Fahre(false, {0, 0, 0}, {1, 0, 0});
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
}

TEST_F(Satzschreiber, WithGraphicsTheMoveIsDrawnFirst) {
  KonfigBlock.GrafikEin = true;
  Fahre(true, {0, 0, 0}, {1, 0, 0});
  EXPECT_TRUE(GrafikVorhanden);
  Erwarte({"N1 G01 X 1.000"}, {"draw: 0.000 0.000 0.000 -> 1.000 0.000 0.000"});
}

struct ZahlFall {
  const char* name;
  int gesamt;
  double wert;
  std::string text;
};
class Zahlfeld : public Satzschreiber, public ::testing::WithParamInterface<ZahlFall> {};

TEST_P(Zahlfeld, HoldsAtMostTenCharacters) {
  KonfigBlock.Gesamtstellen = static_cast<std::uint8_t>(GetParam().gesamt);
  EXPECT_EQ(NcZahltext(GetParam().wert, true), GetParam().text);
  EXPECT_TRUE(host.Protokoll.empty());
}

const ZahlFall kZahlen[] = {
    {"Padded", 10, -12.5, "   -12.500"},
    {"FullField", 10, 1234567.891, "1234567.89"},
    {"WiderField", 12, -12.345, "   -12.345"},
    {"NarrowField", 4, 2.5, "2.500"},
    {"HalvesToEven", 10, 0.0625, "     0.062"},
    {"NegativeZero", 10, -0.0, "     0.000"},
    {"TinyNegative", 10, -1e-9, "     0.000"},
    {"TenWholeDigits", 10, 1234567890.4, "1234567890"},
};
INSTANTIATE_TEST_SUITE_P(All, Zahlfeld, ::testing::ValuesIn(kZahlen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Satzschreiber, AValueThatCannotBeWrittenStopsTheRun) {
  Fahre(true, {0, 0, 0}, {123456789012.0, 0, 0});
  EXPECT_TRUE(Abbruch);
  EXPECT_TRUE(WandlungsFehler);
  Fahre(true, {0, 0, 0}, {std::nan(""), 1, 0});
  Erwarte({}, {"notice: Zahlenwert 123456789012.000 passt nicht in das NC-Zahlenformat!"});
  Abbruch = false;
  EXPECT_FALSE(NcZahltext(-std::numeric_limits<double>::infinity(), true));
  EXPECT_EQ(host.Protokoll.back(), "notice: Zahlenwert -INF passt nicht in das NC-Zahlenformat!");
}

TEST_F(Satzschreiber, DrillingCycleBlocks) {
  WerkzeugSatzAusgeben(-0.5, 2);
  ZusatzSatzAusgeben();
  KonfigBlock.LeerschritteZwischenAdressen = false;
  WerkzeugSatzAusgeben(-0.5, 2);
  KonfigBlock.ZyklusendeWort.clear();
  ZusatzSatzAusgeben();
  EXPECT_EQ(VelkorWinFileUtils::Satznummer, 3);
  Erwarte({"N1 G81 R02 2.000 R03 -0.500", "N2 G80", "N3 G81 R02 2.000 R03 -0.500"}, {});
}

TEST_F(Satzschreiber, APointIsEngravedDownAndUpAgain) {
  Zyklusstartpunkt.Z = 5;
  TPunkt3D position{0, 0, 5}, ziel{10, 20, 0};
  PunktSticheln(-0.5, position, ziel, false, 2);
  EXPECT_FALSE(Eilgang);
  EXPECT_FALSE(WerkzeugUnten);
  Erwarte({"N1 G00 X 10.000 Y 20.000", "N2 G00 Z 2.000", "N3 G01 Z -0.500", "N4 G00 Z 5.000"}, {});
}

class Bildpunkte : public Satzschreiber, public ::testing::WithParamInterface<int> {};

TEST_P(Bildpunkte, InsideDrillingCyclesThatFollowTheDepth) {
  KonfigBlock.Sticheln_im_Zyklus = true;
  KonfigBlock.PositionierZiffern = static_cast<std::uint16_t>(GetParam());
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, 10, 10, 0, 0, 10, 10);
  Farbtabelle = {{100, 1}, {200, 1}, {300, 1}};
  Farbanzahl = 3;
  KonfigBlock.Farbtiefe[0] = KonfigBlock.Farbtiefe[1] = -0.5;
  KonfigBlock.Farbtiefe[2] = -0.8;
  TPunkt3D position{0, 0, 5}, ziel{0, 0, 5};
  double letzteTiefe = 0;
  bool offen = false;
  BildpunktSticheln(100, letzteTiefe, offen, ziel, position, 2, 3, 4);
  BildpunktSticheln(200, letzteTiefe, offen, ziel, position, 2, 5, 4);
  BildpunktSticheln(300, letzteTiefe, offen, ziel, position, 2, 6, 4);
  EXPECT_TRUE(offen);
  EXPECT_EQ(letzteTiefe, -0.8);
  const std::string wort = GetParam() == 0 ? "G00" : GetParam() == 1 ? "G01" : "G" + std::to_string(GetParam());
  Erwarte({"N1 G81 R02 2.000 R03 -0.500", "N2 " + wort + " X 3.000 Y 4.000", "N3 " + wort + " X 5.000", "N4 G80",
           "N5 G81 R02 2.000 R03 -0.800", "N6 " + wort + " X 6.000"},
          {});
}
INSTANTIATE_TEST_SUITE_P(PositionierZiffern, Bildpunkte, ::testing::Values(0, 1, 2));

TEST_F(Satzschreiber, APixelOutsideACycleIsEngravedAtTheColoursDepth) {
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, 10, 10, 0, 0, 10, 10);
  Farbtabelle = {{100, 1}};
  Farbanzahl = 1;
  KonfigBlock.Farbtiefe[0] = -0.5;
  Zyklusstartpunkt.Z = 5;
  Sicherheitsabstand = 2;
  TPunkt3D position{0, 0, 5}, ziel{0, 0, 5};
  double letzteTiefe = 0;
  bool offen = false;
  BildpunktSticheln(100, letzteTiefe, offen, ziel, position, 2, 3, 4);
  BildpunktSticheln(999, letzteTiefe, offen, ziel, position, 2, 3, 4);  // not in the table
  Erwarte({"N1 G00 X 3.000 Y 4.000", "N2 G00 Z 2.000", "N3 G01 Z -0.500", "N4 G00 Z 5.000"},
          {"notice: Keine Frästiefe für die Farbe 999!"});
  EXPECT_TRUE(Abbruch);
}

TEST_F(Satzschreiber, AMillingStepRisesStraightUpBeforeItMovesOver) {
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, 10, 10, 0, 0, 10, 10);
  Farbtabelle = {{100, 1}, {200, 1}};
  Farbanzahl = 2;
  KonfigBlock.Farbtiefe[0] = 3.0;  // above the safety level
  KonfigBlock.Farbtiefe[1] = -1.0;
  KonfigBlock.Farbgeschwindigkeit[1] = true;
  TPunkt3D position{1, 1, -1}, ziel{1, 1, -1};
  bool offen = true;
  ZeilenabschnittFraesen(100, 4, 1, offen, ziel, position, 2);
  ZeilenabschnittFraesen(200, 6, 1, offen, ziel, position, 2);
  EXPECT_FALSE(offen);
  Erwarte({"N1 G80", "N2 G00 Z 2.000", "N3 G01 X 4.000 Z 3.000", "N4 G00 X 6.000 Z -1.000"}, {});
}

TEST_F(Satzschreiber, BlankHelpers) {
  EXPECT_EQ(LeerzeichenNormieren("  G01  X  1.0   Y 2 "), "G01 X 1.0 Y 2");
  EXPECT_EQ(LeerzeichenEntfernen(" X  -1.0 "), "X-1.0");
}

}  // namespace
