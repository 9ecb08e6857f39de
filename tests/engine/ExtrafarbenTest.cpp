// The extra-colour file, the image work file's lines, the simulation picture's file and
// the scans of a part program for its image.
#include <gtest/gtest.h>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "support/BildFixture.h"

using namespace VelkorWinVAR;
using namespace VelkorWinFileUtils;

namespace {

class Extrafarben : public testsupport::EngineFixture {
protected:
  // A counted picture holding red (255) at index 0 and blue (16711680) at index 1.
  void Bildfarben() { VelkorWinMOVE::BildFarbenZaehlen(testsupport::Bild({"RB"})); }
  void Datei(const std::vector<std::string>& zeilen) {
    std::string text;
    for (const auto& z : zeilen) text += z + "\r\n";
    dir.write("TEIL.NOP", text);
  }
  std::vector<TEF_Datentyp> Laden() {
    std::vector<TEF_Datentyp> liste = {{9, 9, TArbeitsmodus::ohne, TBesonderheit::keine}};  // never kept
    ExtrafarbDateiLaden(liste, "TEIL.NOP");
    EXPECT_EQ(Extrafarbanzahl, static_cast<std::int32_t>(liste.size()));
    return liste;
  }
};

const std::vector<std::string> kSatz = {
    "Farbnummer=3", "          Farbe=255", "          Arbeitsmodus=Fraesen", "          Besonderheit=keine",
    "Farbnummer=7", "          Farbe=16711680", "          Arbeitsmodus=Sticheln",
    "          Besonderheit=Farbe verfolgen"};

TEST_F(Extrafarben, TheFileHoldsThreeHeadLinesAndFourLinesPerColour) {
  Bilddateiname = "TEIL.BMP";
  ExtraFarbeEintragen(Extrafarbliste, 3, 255, TArbeitsmodus::Fraesen, TBesonderheit::keine);
  ExtraFarbeEintragen(Extrafarbliste, 7, 16711680, TArbeitsmodus::Sticheln, TBesonderheit::Farbe_verfolgen);
  ASSERT_TRUE(ExtrafarbDateiSpeichern(Extrafarbliste, "TEIL.NOP"));
  const auto zeilen = Zeilen("TEIL.NOP");
  ASSERT_EQ(zeilen.size(), 11u);
  EXPECT_NE(zeilen[0].find(" - Extrafarb-Behandlung"), std::string::npos);
  EXPECT_EQ(zeilen[1].substr(0, 11), "07.12.2025 ");
  EXPECT_EQ(zeilen[2], "Bildame: TEIL.BMP");
  EXPECT_EQ(std::vector<std::string>(zeilen.begin() + 3, zeilen.end()), kSatz);
}

TEST_F(Extrafarben, ARoundTripTakesTheIndexesOfThePicture) {
  Bildfarben();
  std::vector<std::string> datei = {"kopf", "datum", "Bildame: TEIL.BMP"};
  datei.insert(datei.end(), kSatz.begin(), kSatz.end());
  Datei(datei);
  EXPECT_EQ(Laden(), (std::vector<TEF_Datentyp>{{0, 255, TArbeitsmodus::Fraesen, TBesonderheit::keine},
                                                 {1, 16711680, TArbeitsmodus::Sticheln, TBesonderheit::Farbe_verfolgen}}));
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Extrafarben, KeysAreFoundInAnyOrderCaseAndIndentation) {
  Bildfarben();
  Datei({"Bildame: X", "   BESONDERHEIT=keine", "FARBE=255", "    arbeitsmodus=Fraesen", "farbnummer=0",
         "Farbe=16711680", "Farbnummer=1", "Besonderheit=Farbe verfolgen", "Arbeitsmodus=Sticheln"});
  EXPECT_EQ(Laden().size(), 2u);
}

TEST_F(Extrafarben, ARecordWithoutItsColourEndsTheReadingAndKeepsTheRecordsBefore) {
  Bildfarben();
  Datei({"Farbnummer=3", "Farbe=255", "Arbeitsmodus=Fraesen", "Besonderheit=keine", "Farbnummer=7",
         "Arbeitsmodus=Sticheln", "Besonderheit=keine"});
  EXPECT_EQ(Laden(), (std::vector<TEF_Datentyp>{{0, 255, TArbeitsmodus::Fraesen, TBesonderheit::keine}}));
  EXPECT_TRUE(host.Protokoll.empty());
}

struct Fehlwert {
  const char* name;
  std::size_t zeile;  // the line of the second record that is replaced
  std::string text;
  std::string meldung;
};

class ExtrafarbFehler : public Extrafarben, public ::testing::WithParamInterface<Fehlwert> {};

TEST_P(ExtrafarbFehler, EndTheReadingWithTheirNotice) {
  Bildfarben();
  std::vector<std::string> datei = kSatz;
  datei[4 + GetParam().zeile] = GetParam().text;
  Datei(datei);
  EXPECT_EQ(Laden().size(), 1u);  // the first record stays
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: " + GetParam().meldung});
}

const Fehlwert kFehlwerte[] = {
    {"Number", 0, "Farbnummer=7x", "Fehler beim Laden  der Extrafarbnummer!"},
    {"Colour", 1, "Farbe=12x", "Fehler beim Laden  der Extrafarbe!"},
    {"ModeInOtherCase", 2, "Arbeitsmodus=sticheln", "Fehler beim Laden des Arbeitsmodus!"},
    {"Treatment", 3, "Besonderheit=verfolgen", "Fehler beim Laden der Besonderheit der Farbe!"},
};
INSTANTIATE_TEST_SUITE_P(Werte, ExtrafarbFehler, ::testing::ValuesIn(kFehlwerte),
                         [](const auto& info) { return std::string(info.param.name); });

// A colour the picture lacks is asked for once and taken only after "Ja"; a colour that came
// before in the file is skipped without a question, however often it comes.
TEST_F(Extrafarben, AColourThePictureLacksIsAskedForOnceAndTakenOnlyAfterYes) {
  Bildfarben();
  std::vector<std::string> datei;
  for (int i = 0; i < 100000; ++i)
    datei.insert(datei.end(), {"Farbnummer=1", "Farbe=12345", "Arbeitsmodus=ohne", "Besonderheit=keine"});
  for (int i = 0; i < 2; ++i) datei.insert(datei.end(), kSatz.begin(), kSatz.end());
  Datei(datei);
  const std::vector<TEF_Datentyp> bildfarben = {{0, 255, TArbeitsmodus::Fraesen, TBesonderheit::keine},
                                                {1, 16711680, TArbeitsmodus::Sticheln, TBesonderheit::Farbe_verfolgen}};
  for (const char* antwort : {"Ja", "Nein"}) {
    SCOPED_TRACE(antwort);
    host.Protokoll.clear();
    host.Antworten = {antwort};
    auto erwartet = bildfarben;
    if (*antwort == 'J') erwartet.insert(erwartet.begin(), {-1, 12345, TArbeitsmodus::ohne, TBesonderheit::keine});
    EXPECT_EQ(Laden(), erwartet);
    EXPECT_EQ(host.Protokoll, std::vector<std::string>{"confirm: Die Farbe 12345 kommt in dem Bild nicht vor! "
                                                       "Trotzdem laden (J/N)?  -> " + std::string(antwort)});
  }
}

TEST_F(Extrafarben, AMissingFileIsReported) {
  EXPECT_TRUE(Laden().empty());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Fehler beim Laden der Extrafarbdatei TEIL.NOP !"});
}

TEST_F(Extrafarben, AnEmptyListIsNotSavedAndTheOldFileStays) {
  dir.write("TEIL.NOP", "alt\r\n");
  EXPECT_FALSE(ExtrafarbDateiSpeichern(Extrafarbliste, "TEIL.NOP"));
  EXPECT_EQ(dir.read("TEIL.NOP"), "alt\r\n");
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Extrafarben noch nicht aktiviert!"});
}

TEST_F(Extrafarben, LookupsAndDeletion) {
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Sticheln;
  ExtraFarbeEintragen(Extrafarbliste, 0, 10, TArbeitsmodus::Fraesen, TBesonderheit::keine);
  ExtraFarbeEintragen(Extrafarbliste, 1, 20, TArbeitsmodus::ohne, TBesonderheit::Farbe_verfolgen);
  EXPECT_TRUE(IstExtrafarbe(20, Extrafarbliste));
  EXPECT_EQ(ExtrafarbeSuchen(Extrafarbliste, 20).Farbnummer, 1);
  EXPECT_TRUE((ExtrafarbeSuchen(Extrafarbliste, 30) == TEF_Datentyp{-1, -1, TArbeitsmodus::Sticheln, TBesonderheit::keine}));
  ExtraFarbeLoeschen(5);
  ExtraFarbeLoeschen(-1);
  EXPECT_EQ(Extrafarbanzahl, 2);
  ExtraFarbeLoeschen(0);
  EXPECT_EQ(Extrafarbanzahl, 1);
  EXPECT_FALSE(IstExtrafarbe(10, Extrafarbliste));
  EXPECT_EQ(Extrafarbliste[0].Farbe, 20);
}

TEST_F(Extrafarben, TheImageWorkFileGetsItsHeadLine) {
  std::vector<std::string> liste = {"Gesamtbildverkleinerung=1,000"};
  ASSERT_TRUE(BildEinstellDateiSpeichern(liste, "BILD.CFG"));
  EXPECT_EQ(BildEinstellDateiLesen("BILD.CFG"),
            (std::vector<std::string>{toolkit::Ansi("Velkor - Einstelldatei für Bildwandlung - Bilddatei = unbekannt"),
                                      "Gesamtbildverkleinerung=1,000"}));
  EXPECT_TRUE(BildEinstellDateiLesen("FEHLT.CFG").empty());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Fehler beim Laden der Bildkonfigurationsdatei FEHLT.CFG !"});
}

TEST_F(Extrafarben, TheSimulationPictureIsBackedUpOnlyAfterYes) {
  dir.write("SCHILD_CNC.BMP", "alt");
  host.Antworten = {"Nein", "Ja"};
  NcGrafikSpeichern("C:\\TEILE\\SCHILD.CNC");
  EXPECT_EQ(dir.read("SCHILD_CNC.BMP"), "alt");
  EXPECT_FALSE(dir.exists("SCHILD_CNC.BAK"));
  NcGrafikSpeichern("C:\\TEILE\\SCHILD.CNC");
  EXPECT_EQ(dir.read("SCHILD_CNC.BAK"), "alt");
  EXPECT_EQ(host.Protokoll,
            (std::vector<std::string>{"confirm: Speichern der Grafik-Datei unter dem Namen SCHILD_CNC.BMP (J/N)? -> Nein",
                                      "confirm: Speichern der Grafik-Datei unter dem Namen SCHILD_CNC.BMP (J/N)? -> Ja",
                                      "save simulation: SCHILD_CNC.BMP"}));
}

struct Scan {
  const char* name;
  std::vector<std::string> programm;
  bool zyklus;
  std::string bild;
};

class Teileprogrammscan : public testsupport::EngineFixture, public ::testing::WithParamInterface<Scan> {};

TEST_P(Teileprogrammscan, FindsTheImageTheCycleNames) {
  EXPECT_EQ(GrafikzyklusInListe(GetParam().programm), GetParam().zyklus);
  EXPECT_EQ(BilddateinameAusListe(GetParam().programm), GetParam().bild);
}

const Scan kScans[] = {
    {"AreaSwitch", {"N30 G189 R2=2", "N40 X100 Y0 P'TEIL.BMP /A'"}, true, "TEIL.BMP"},
    {"WithoutCycle", {"N30 G1 R2=2", "N40 X100 Y0 P'TEIL.BMP'"}, false, ""},
    {"CycleNumberInsideALongerOne", {"N30 G1890", "N40 X100"}, true, ""},
    {"BlankAfterG", {"N30 G 189 R2=2", "N40 P'teil.bmp'"}, true, "TEIL.BMP"},
    {"WordsAfterTheClosingQuote", {"N30 G189 R2=2", "N40 P'TEIL.BMP' X10"}, true, "TEIL.BMP"},
    {"WithoutExtension", {"N30 G189 R2=2", "N40 P'schild'"}, true, "SCHILD.PCX"},
    {"LowerCaseAreaSwitch", {"N30 G189 R2=2", "N40 P'Teil .bmp/a'"}, true, "TEIL.BMP"},
};
INSTANTIATE_TEST_SUITE_P(Programme, Teileprogrammscan, ::testing::ValuesIn(kScans),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
