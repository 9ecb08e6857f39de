// The colour-table windows' model (depth, mode, contour following) and the cut-out choice.
#include <gtest/gtest.h>

#include "engine/VelkorWinVAR.h"
#include "imageprep/FarbtabellenModell.h"
#include "tests/imageprep/ImageprepHilfen.h"

using namespace imageprep;
namespace var = VelkorWinVAR;

namespace {

class FarbtabellenTest : public imageprep_test::ImageprepFixture {
protected:
  std::array<std::string, 16> Eintraege(TFarbtabellenModell& m) {
    std::array<std::string, 16> t;
    for (int i = 0; i < 16; ++i) t[static_cast<std::size_t>(i)] = std::to_string(m.Eintrag(i));
    return t;
  }
};

// Saving at once and "Nein" restoring are the depth window's journey; here the rest.
TEST_F(FarbtabellenTest, TiefeGleicherWertUndJaBehaelt) {
  var::KonfigBlock.Farbtiefe.fill(-0.1);
  TFarbtabellenModell m(TTabellenArt::Tiefe);
  m.Vorbereiten();
  EXPECT_EQ(m.TiefeVerlassen(2, "-0,1"), "-0,100");  // the same value: no change
  EXPECT_FALSE(m.Geaendert());
  m.TiefeVerlassen(2, "1,5");
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteFrage("Geänderte Werte speichern?", true);
  m.Schliessen();
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[2], 1.5);
  m.Vorbereiten();
  m.Schliessen();  // nothing changed: no question
}

TEST_F(FarbtabellenTest, UnlesbareTiefeAendertNichts) {
  TFarbtabellenModell m(TTabellenArt::Tiefe);
  m.Vorbereiten();
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteHinweis("Der Ausdruck kann nicht berechnet werden!");
  EXPECT_FALSE(m.TiefeVerlassen(1, "abc"));
  EXPECT_FALSE(m.Geaendert());
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[1], 0.0);
}

TEST_F(FarbtabellenTest, UebernehmenHaeltAnDerFalschenZeile) {
  TFarbtabellenModell m(TTabellenArt::Tiefe);
  m.Vorbereiten();
  std::array<std::string, 16> texte{"1", "2", "3", "4", "5", "x"};
  m.TiefeVerlassen(0, "1");
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  EXPECT_EQ(m.Uebernehmen(texte), 5);
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[4], 5.0);
  EXPECT_TRUE(m.Geaendert());
}

TEST_F(FarbtabellenTest, ModusKeinWirdKleinesK) {
  TFarbtabellenModell m(TTabellenArt::Modus);
  m.Vorbereiten();
  EXPECT_EQ(m.Eintrag(0), 1);  // "F" shows "Fräsen"
  m.Gewaehlt(0, 1);            // the letter it had: no change
  EXPECT_FALSE(m.Geaendert());
  auto eintraege = Eintraege(m);
  m.Gewaehlt(3, 0);
  eintraege[3] = "0";
  EXPECT_TRUE(m.Geaendert());
  EXPECT_EQ(m.Uebernehmen(eintraege), -1);
  EXPECT_EQ(var::KonfigBlock.FarbModus[3], 'k');
  EXPECT_EQ(var::KonfigBlock.FarbModus[2], 'F');
  EXPECT_FALSE(m.Geaendert());
  m.Vorbereiten();
  EXPECT_EQ(m.Eintrag(3), 0);
}

TEST_F(FarbtabellenTest, VerfolgenJaUndFalscheZeileBehaeltDieMarke) {
  TFarbtabellenModell m(TTabellenArt::Verfolgen);
  m.Vorbereiten();
  auto eintraege = Eintraege(m);
  m.Gewaehlt(1, 1);
  eintraege[1] = "1";
  eintraege[4] = "-1";
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteHinweis("Falsches Zeichen im Eingabefeld! Zulässig sind J und N.");
  EXPECT_EQ(m.Uebernehmen(eintraege), 4);
  EXPECT_EQ(var::KonfigBlock.F_Verfolgen[1], 'J');
  EXPECT_TRUE(m.Geaendert());  // kept, so the rows after it are not lost
  eintraege[4] = "0";
  EXPECT_EQ(m.Uebernehmen(eintraege), -1);
  EXPECT_FALSE(m.Geaendert());
}

TEST_F(FarbtabellenTest, ZeilenfarbenNurFuerBenutzteZeilen) {
  var::Farbtabelle.assign(20, {});
  for (int i = 0; i < 20; ++i) var::Farbtabelle[static_cast<std::size_t>(i)] = {i * 100, 1};
  var::Farbanzahl = 3;
  EXPECT_EQ(Zeilenfarbe(2), 200);
  EXPECT_EQ(Zeilenfarbe(3), std::nullopt);
  var::Farbanzahl = 20;
  EXPECT_EQ(Zeilenfarbe(15), 1500);
  EXPECT_EQ(Zeilenfarbe(16), std::nullopt);
  EXPECT_EQ(Zeilenfarbe(-1), std::nullopt);
  var::Farbanzahl = 30;  // more than the table holds
  var::Farbtabelle.resize(5);
  EXPECT_EQ(Zeilenfarbe(7), std::nullopt);
}

TEST_F(FarbtabellenTest, AusschneidenNeinStelltHer) {
  TAusschneidModell m;
  m.Vorbereiten();
  m.Umgeschaltet(3, true);
  EXPECT_TRUE(m.Geaendert());
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteFrage("Geänderte Werte speichern?", false);
  m.Schliessen();
  EXPECT_FALSE(var::KonfigBlock.Ausschneidfarben[3]);
}

}  // namespace
