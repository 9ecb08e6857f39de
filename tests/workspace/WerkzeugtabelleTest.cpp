// The tool list's operations, the tool table's grid logic and one journey through the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWheelEvent>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "qtsupport/DialogSkript.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/NumberFormat.h"
#include "workspace/VelkorWkzUnit.h"
#include "workspace/Werkzeugliste.h"

using namespace workspace;
using VelkorWinVAR::TWerkzeugDaten;

namespace {

TWerkzeugDaten Wkz(int nr, std::string name = "Fräser", double d = 3.0, int farbe = 1) {
  TWerkzeugDaten w;
  w.Nummer = static_cast<std::uint8_t>(nr);
  w.Benennung = std::move(name);
  w.Laenge = 50.0;
  w.Nutzlaenge = 20.0;
  w.Durchmesser = d;
  w.Zeichenfarbe = static_cast<std::uint8_t>(farbe);
  return w;
}

std::vector<int> Nummern(const TWkzListe& l) {
  std::vector<int> n;
  for (const auto& w : l) n.push_back(w.Nummer);
  return n;
}

TWkzEingabe Eingabe(std::string nr, std::optional<int> farbe = 2) {
  return {std::move(nr), "Stichel", "40,5", "0,2", "10", farbe};
}

class WerkzeugtabelleTest : public ::testing::Test {
protected:
  void SetUp() override {
    toolkit::SetDecimalSeparator(',');
    VelkorWinVAR::KonfigBlock = {};
    liste = {Wkz(3), Wkz(9)};
    tabelle.Fuellen();
  }
  TWkzListe liste;
  TWkzTabelle tabelle{liste};
};

}  // namespace

TEST(WerkzeuglisteTest, SearchStableSortAndDeleteOfAnUnknownNumber) {
  EXPECT_EQ(WerkzeugSuchen({}, 5).Benennung, "kein Werkzeug");
  EXPECT_EQ(WerkzeugSuchen({Wkz(1, "a"), Wkz(7, "letzter")}, 7).Benennung, "letzter");
  TWkzListe l = {Wkz(5, "a"), Wkz(0, "null"), Wkz(5, "b"), Wkz(2, "c")};
  WerkzeugListeSortieren(l);
  ASSERT_EQ(Nummern(l), (std::vector<int>{0, 2, 5, 5}));
  EXPECT_EQ(l[2].Benennung, "a");  // duplicates keep their order
  EXPECT_EQ(DoppelteNummern(l), std::vector<int>{5});
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Werkzeug konnte nicht gelöscht werden!");
  EXPECT_FALSE(WerkzeugLoeschen(l, 4));
  EXPECT_TRUE(WerkzeugLoeschen(l, 2));
  EXPECT_EQ(l.size(), 3u);
}

TEST_F(WerkzeugtabelleTest, AddsInOrderAndSuggestsTheNextNumber) {
  const auto e = tabelle.Uebernehmen(Eingabe("7"), false);
  ASSERT_TRUE(e.Ok);
  EXPECT_EQ(e.NaechsteNummer, "8");
  EXPECT_EQ(Nummern(liste), (std::vector<int>{3, 7, 9}));
  ASSERT_EQ(tabelle.Zeilen().size(), 3u);
  EXPECT_EQ(tabelle.Zeilen()[1][0], "7");
  EXPECT_EQ(tabelle.Zeilen()[1][2], "40,50");
  EXPECT_DOUBLE_EQ(liste[1].Laenge, 40.5);
  EXPECT_EQ(liste[1].Zeichenfarbe, 2);
}

struct Abweisung {
  const char* nummer;
  const char* laenge;
  const char* meldung;
  TWkzFeld feld;
};
class WerkzeugAbweisungTest : public WerkzeugtabelleTest, public ::testing::WithParamInterface<Abweisung> {};

TEST_P(WerkzeugAbweisungTest, RefusesAndChangesNothing) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis(GetParam().meldung);
  TWkzEingabe e = Eingabe(GetParam().nummer);
  e.Laenge = GetParam().laenge;
  const auto r = tabelle.Uebernehmen(e, false);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Fokus, GetParam().feld);
  EXPECT_EQ(Nummern(liste), (std::vector<int>{3, 9}));
  EXPECT_EQ(tabelle.Zeilen().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Werkzeug, WerkzeugAbweisungTest,
    ::testing::Values(Abweisung{"0", "1", "Werkzeugnummern sind nur von 1 bis 255 zulässig!", TWkzFeld::Nummer},
                      Abweisung{"256", "1", "Werkzeugnummern sind nur von 1 bis 255 zulässig!", TWkzFeld::Nummer},
                      Abweisung{"9", "1", "Werkzeugnummer bereits belegt!", TWkzFeld::Nummer},
                      Abweisung{"x1", "1", "Falsches Zeichen im Eingabefeld!", TWkzFeld::Nummer},
                      Abweisung{"5", "1.5", "Falsches Zeichen im Eingabefeld!", TWkzFeld::Laenge},
                      Abweisung{"5", "", "Falsches Zeichen im Eingabefeld!", TWkzFeld::Laenge}));

TEST_F(WerkzeugtabelleTest, LongNameIsCutTheHighestToolChangesAndNoColourIsBlack) {
  TWkzEingabe e = Eingabe("9", std::nullopt);
  e.Name = "ABCDEFGHIJKLMNOPQRSTUVWXY";
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Die Zeichenfarbe wird auf schwarz gesetzt!");
  ASSERT_TRUE(tabelle.Uebernehmen(e, true).Ok);
  EXPECT_EQ(liste[1].Benennung, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(tabelle.Zeilen()[1][1], "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(liste[1].Zeichenfarbe, 0);
}

TEST_F(WerkzeugtabelleTest, BadCellIsNamedAndNothingIsWritten) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Zeile 2, Spalte \"Länge [mm]\": Falsches Zeichen im Eingabefeld!");
  tabelle.ZelleSetzen(0, 2, "77");
  tabelle.ZelleSetzen(1, 2, "abc");
  EXPECT_FALSE(tabelle.Zurueckschreiben());
  EXPECT_DOUBLE_EQ(liste[0].Laenge, 50.0);
}

TEST_F(WerkzeugtabelleTest, DeleteThenEditThenWriteBackKeepsRowsWithTheirTools) {
  liste = {Wkz(3, "a", 1, 4), Wkz(5, "b", 2, 6), Wkz(9, "c", 3, 7)};
  tabelle.Fuellen();
  ASSERT_EQ(tabelle.Loeschen(5), 1);
  EXPECT_EQ(tabelle.Loeschen(5), -1);
  tabelle.ZelleSetzen(1, 0, "1");  // tool 9 becomes tool 1
  tabelle.ZelleSetzen(1, 1, "umbenannt");
  ASSERT_TRUE(tabelle.Zurueckschreiben());
  ASSERT_EQ(Nummern(liste), (std::vector<int>{1, 3}));
  EXPECT_EQ(liste[0].Benennung, "umbenannt");
  EXPECT_EQ(liste[0].Zeichenfarbe, 7);  // the colour stays with its tool
  EXPECT_EQ(liste[1].Zeichenfarbe, 4);
  EXPECT_EQ(tabelle.Zeilen()[0][1], "umbenannt");
}

// The tool window on the tool list of `werkzeuge`, in input mode or not.
class WerkzeugfensterTest : public ::testing::Test {
protected:
  void Oeffnen(bool eingabe, TWkzListe werkzeuge) {
    toolkit::SetDecimalSeparator(',');
    VelkorWinVAR::KonfigBlock = {};
    VelkorWinVAR::WkzEingabemodus = eingabe;
    VelkorWinWkz::WkzListe = std::move(werkzeuge);
    form.Vorbereiten();
  }
  void TearDown() override {
    VelkorWinVAR::WkzEingabemodus = false;
    VelkorWinWkz::WkzListe.clear();
  }
  template <typename T = QPushButton> T* Teil(const char* name) { return form.findChild<T*>(name); }
  void Setze(const char* name, const char* text) { Teil<QLineEdit>(name)->setText(text); }
  testsupport::DialogSkript skript;
  TVelkorWkzForm form;
};

TEST_F(WerkzeugfensterTest, AddChangeDeleteAndCloseInInputModeOnlyWithoutDuplicates) {
  Oeffnen(true, {Wkz(3), Wkz(9)});
  form.show();
  auto* gitter = Teil<QTableWidget>("WkzStringGrid");
  ASSERT_EQ(gitter->rowCount(), 2);
  skript.Farbe(toolkit::GraphFarben[13]);  // magenta, stored as 5
  for (auto [name, text] : {std::pair{"NummerEdit", "7"}, {"NameEdit", "Bohrer"}, {"L_Edit", "30"}, {"D_Edit", "1,5"},
                            {"NL_Edit", "12"}})
    Setze(name, text);
  QMouseEvent klick(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(Teil<QLineEdit>("FarbEdit"), &klick);
  Teil("UebernehmenButton")->click();
  EXPECT_EQ(Teil<QLineEdit>("NummerEdit")->text(), "8");
  ASSERT_EQ(gitter->rowCount(), 3);
  EXPECT_EQ(gitter->item(1, 1)->text(), "Bohrer");
  EXPECT_EQ(VelkorWinWkz::WkzListe[1].Zeichenfarbe, 5);
  skript.ErwarteFrage("Werkzeug 3 löschen?", true);
  Setze("NummerEdit", "3");
  Teil("WkzLoeschenButton")->click();
  ASSERT_EQ(gitter->rowCount(), 2);
  Teil<QRadioButton>("AendernRadio")->click();
  gitter->item(1, 0)->setText("7");
  skript.ErwarteHinweis("Die Werkzeugnummer 7 wurde doppelt vergeben!");
  Teil("SchliessenButton")->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Nummern(VelkorWinWkz::WkzListe), (std::vector<int>{7, 9}));
  gitter->item(1, 0)->setText("2");  // tool 9 becomes 2: the list is sorted at closing
  Teil("SchliessenButton")->click();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(Nummern(VelkorWinWkz::WkzListe), (std::vector<int>{2, 7}));
  EXPECT_EQ(VelkorWinWkz::WkzListe[1].Benennung, "Bohrer");
  EXPECT_DOUBLE_EQ(VelkorWinWkz::WkzListe[1].Durchmesser, 1.5);
}

TEST_F(WerkzeugfensterTest, DuplicatesFromTheFileAreReportedAndViewModeLocksTheInput) {
  skript.ErwarteHinweis("Die Werkzeugnummer 4 steht mehrfach in der Werkzeugliste!");
  Oeffnen(false, {Wkz(4, "a"), Wkz(4, "b"), Wkz(0, "null")});
  EXPECT_EQ(Teil<QTableWidget>("WkzStringGrid")->rowCount(), 3);  // every record shows
  EXPECT_FALSE(Teil("UebernehmenButton")->isEnabled());
  EXPECT_FALSE(Teil<QRadioButton>("AendernRadio")->isEnabled());
  EXPECT_TRUE(Teil("ListeDruckenButton")->isEnabled());
  Teil("SchliessenButton")->click();
  EXPECT_EQ(VelkorWinWkz::WkzListe.size(), 3u);
}

TEST_F(WerkzeugfensterTest, TheWheelMovesTheSelectedRowAndLeavingTheGridClearsIt) {
  Oeffnen(true, {Wkz(3, "drei"), Wkz(5, "fünf"), Wkz(9, "neun")});
  form.show();
  QApplication::setActiveWindow(&form);
  auto* gitter = Teil<QTableWidget>("WkzStringGrid");
  auto* nummer = Teil<QLineEdit>("NummerEdit");
  const auto rad = [&](int winkel) {
    const QPointF p(10, 10);
    QWheelEvent e(p, gitter->viewport()->mapToGlobal(p), QPoint(), QPoint(0, winkel), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(gitter->viewport(), &e);
  };
  const auto gewaehlt = [&] {
    const auto zeilen = gitter->selectionModel()->selectedRows();
    return zeilen.isEmpty() ? -1 : zeilen.front().row();
  };
  gitter->setFocus();
  gitter->selectRow(0);
  ASSERT_EQ(nummer->text(), "3");
  rad(-120);  // wheel down: the next row, and its tool in the edits
  EXPECT_EQ(gewaehlt(), 1);
  EXPECT_EQ(nummer->text(), "5");
  rad(-240);  // two notches, but no row follows the last
  EXPECT_EQ(gewaehlt(), 2);
  rad(-60);
  rad(-60);  // half notches add up
  EXPECT_EQ(gewaehlt(), 2);
  for (int i = 0; i < 3; ++i) rad(120);  // wheel up stops at the first row
  EXPECT_EQ(gewaehlt(), 0);
  EXPECT_EQ(nummer->text(), "3");

  // The cell editor of "ändern" is part of the grid; the focus going elsewhere is leaving it.
  Teil<QRadioButton>("AendernRadio")->click();
  gitter->setFocus();
  gitter->selectRow(1);
  gitter->editItem(gitter->item(1, 1));
  EXPECT_EQ(gewaehlt(), 1);
  nummer->setFocus();
  EXPECT_EQ(gewaehlt(), -1);
  EXPECT_EQ(nummer->text(), "5");  // the edits keep the row's values
  Teil<QRadioButton>("UebernehmenRadio")->click();
  Teil("SchliessenButton")->click();
  EXPECT_EQ(VelkorWinWkz::WkzListe.size(), 3u);
}
