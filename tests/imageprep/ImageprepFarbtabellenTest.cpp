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
  testsupport::DialogSkript dialoge;
};

// Saving at once and "Nein" restoring are the depth window's journey; here the rest: the same
// value and an unreadable one change nothing, "Übernehmen" stops at the wrong row, "Ja" keeps.
TEST_F(FarbtabellenTest, TiefeGleicheUndUnlesbareWerteUebernehmenUndJa) {
  var::KonfigBlock.Farbtiefe.fill(-0.1);
  TFarbtabellenModell m(TTabellenArt::Tiefe);
  m.Vorbereiten();
  EXPECT_EQ(m.TiefeVerlassen(2, "-0,1"), "-0,100");
  dialoge.ErwarteHinweis("Der Ausdruck kann nicht berechnet werden!");
  EXPECT_FALSE(m.TiefeVerlassen(1, "abc"));
  EXPECT_FALSE(m.Geaendert());
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[1], -0.1);
  m.TiefeVerlassen(0, "1");
  dialoge.ErwarteHinweis("Falsches Zeichen im Eingabefeld!").ErwarteFrage("Geänderte Werte speichern?", true);
  EXPECT_EQ(m.Uebernehmen({"1", "2", "3", "4", "5", "x"}), 5);
  m.Schliessen();
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[4], 5.0);
  m.Vorbereiten();
  m.Schliessen();  // nothing changed: no question
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
  EXPECT_EQ(m.Uebernehmen(eintraege), -1);
  EXPECT_EQ(std::pair(var::KonfigBlock.FarbModus[3], var::KonfigBlock.FarbModus[2]), std::pair('k', 'F'));
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
  dialoge.ErwarteHinweis("Falsches Zeichen im Eingabefeld! Zulässig sind J und N.");
  EXPECT_EQ(m.Uebernehmen(eintraege), 4);
  EXPECT_EQ(var::KonfigBlock.F_Verfolgen[1], 'J');
  EXPECT_TRUE(m.Geaendert());  // kept, so the rows after it are not lost
  eintraege[4] = "0";
  EXPECT_EQ(m.Uebernehmen(eintraege), -1);
  EXPECT_FALSE(m.Geaendert());
}

// Only rows of colours the picture uses, and only the 16 the table shows, get a colour; the
// count may pass the table's end.
TEST_F(FarbtabellenTest, ZeilenfarbenNurFuerBenutzteZeilen) {
  var::Farbtabelle.clear();
  for (int i = 0; i < 20; ++i) var::Farbtabelle.push_back({i * 100, 1});
  const std::array<int, 4> faelle[] = {{3, 2, 20, 200},  {3, 3, 20, -1},   {20, 15, 20, 1500},
                                       {20, 16, 20, -1}, {20, -1, 20, -1}, {30, 7, 5, -1}};  // -1: no colour
  for (const auto& [anzahl, zeile, groesse, farbe] : faelle) {
    var::Farbanzahl = anzahl;
    var::Farbtabelle.resize(static_cast<std::size_t>(groesse));
    EXPECT_EQ(Zeilenfarbe(zeile).value_or(-1), farbe) << anzahl << " " << zeile;
  }
}

TEST_F(FarbtabellenTest, AusschneidenNeinStelltHer) {
  TAusschneidModell m;
  m.Vorbereiten();
  m.Umgeschaltet(3, true);
  EXPECT_TRUE(m.Geaendert());
  dialoge.ErwarteFrage("Geänderte Werte speichern?", false);
  m.Schliessen();
  EXPECT_FALSE(var::KonfigBlock.Ausschneidfarben[3]);
}

}  // namespace
