// The tool list's operations, the tool table's grid logic and one journey through the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWheelEvent>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/qt/QtBild.h"
#include "workspace/VelkorWkzUnit.h"
#include "workspace/Werkzeugliste.h"

using namespace workspace;
using VelkorWinVAR::TWerkzeugDaten;

namespace {

TWerkzeugDaten Wkz(int nr, std::string name = "Fräser", double d = 3.0, int farbe = 1) {
  return {static_cast<std::uint8_t>(nr), std::move(name), 50.0, 20.0, d, static_cast<std::uint8_t>(farbe)};
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
  EXPECT_EQ(std::tuple(WerkzeugSuchen({}, 5).Benennung, WerkzeugSuchen({Wkz(1, "a"), Wkz(7, "letzter")}, 7).Benennung),
            std::tuple("kein Werkzeug", "letzter"));
  TWkzListe l = {Wkz(5, "a"), Wkz(0, "null"), Wkz(5, "b"), Wkz(2, "c")};
  WerkzeugListeSortieren(l);
  EXPECT_EQ(std::tuple(Nummern(l), l[2].Benennung, DoppelteNummern(l)),
            std::tuple(std::vector<int>{0, 2, 5, 5}, "a", std::vector<int>{5}));  // duplicates keep their order
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Werkzeug konnte nicht gelöscht werden!");
  EXPECT_FALSE(WerkzeugLoeschen(l, 4));
  EXPECT_TRUE(WerkzeugLoeschen(l, 2));
  EXPECT_EQ(Nummern(l), (std::vector<int>{0, 5, 5}));
}

TEST_F(WerkzeugtabelleTest, AddsInOrderAndSuggestsTheNextNumber) {
  const auto e = tabelle.Uebernehmen(Eingabe("7"), false);
  EXPECT_EQ(std::tuple(e.Ok, e.NaechsteNummer, Nummern(liste)), std::tuple(true, "8", std::vector<int>{3, 7, 9}));
  ASSERT_EQ(tabelle.Zeilen().size(), 3u);
  EXPECT_EQ(std::tuple(tabelle.Zeilen()[1][0], tabelle.Zeilen()[1][2], liste[1].Laenge, int(liste[1].Zeichenfarbe)),
            std::tuple("7", "40,50", 40.5, 2));
}

TEST_F(WerkzeugtabelleTest, BadEntriesAreRefusedAndChangeNothing) {
  const char* bereich = "Werkzeugnummern sind nur von 1 bis 255 zulässig!";
  const char* falsch = "Falsches Zeichen im Eingabefeld!";
  struct Fall { const char *nummer, *laenge, *meldung; TWkzFeld feld; };
  testsupport::DialogSkript skript;
  for (const Fall& f : {Fall{"0", "1", bereich, TWkzFeld::Nummer}, {"256", "1", bereich, TWkzFeld::Nummer},
                        {"9", "1", "Werkzeugnummer bereits belegt!", TWkzFeld::Nummer}, {"x1", "1", falsch, TWkzFeld::Nummer},
                        {"5", "1.5", falsch, TWkzFeld::Laenge}, {"5", "", falsch, TWkzFeld::Laenge}}) {
    SCOPED_TRACE(std::string(f.nummer) + " " + f.laenge);
    skript.ErwarteHinweis(f.meldung);
    TWkzEingabe e = Eingabe(f.nummer);
    e.Laenge = f.laenge;
    const auto r = tabelle.Uebernehmen(e, false);
    EXPECT_EQ(std::tuple(r.Ok, r.Fokus, Nummern(liste), tabelle.Zeilen().size()),
              std::tuple(false, f.feld, std::vector<int>{3, 9}, 2u));
    EXPECT_EQ(skript.Offen(), 0u);
  }
}

TEST_F(WerkzeugtabelleTest, LongNameIsCutTheHighestToolChangesAndNoColourIsBlack) {
  TWkzEingabe e = Eingabe("9", std::nullopt);
  e.Name = "ABCDEFGHIJKLMNOPQRSTUVWXY";
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Die Zeichenfarbe wird auf schwarz gesetzt!");
  ASSERT_TRUE(tabelle.Uebernehmen(e, true).Ok);
  EXPECT_EQ(std::tuple(liste[1].Benennung, tabelle.Zeilen()[1][1], int(liste[1].Zeichenfarbe)),
            std::tuple("ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST", 0));
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
  EXPECT_EQ(std::tuple(liste[0].Benennung, tabelle.Zeilen()[0][1], int(liste[0].Zeichenfarbe), int(liste[1].Zeichenfarbe)),
            std::tuple("umbenannt", "umbenannt", 7, 4));  // the colour stays with its tool
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
  template <typename T = QPushButton> T* Teil(const char* name) { return testsupport::Kind<T>(name, &form); }
  void Setze(const char* name, const char* text) { Teil<QLineEdit>(name)->setText(text); }
  testsupport::DialogSkript skript;
  TVelkorWkzForm form;
};

TEST_F(WerkzeugfensterTest, AddChangeDeleteAndCloseInInputModeOnlyWithoutDuplicates) {
  Oeffnen(true, {Wkz(3), Wkz(9)});
  form.show();
  auto* gitter = Teil<QTableWidget>("WkzStringGrid");
  ASSERT_EQ(gitter->rowCount(), 2);
  std::vector<int> breiten;
  for (int s = 0; s < gitter->columnCount(); ++s) breiten.push_back(gitter->columnWidth(s));
  EXPECT_EQ(breiten, (std::vector<int>{25, 100, 65, 105, 90, 35}));
  EXPECT_EQ(gitter->viewport()->width(), 420);  // no band beside "Farbe"
  skript.Farbe(toolkit::GraphFarben[13]);  // magenta, stored as 5
  for (auto [name, text] : {std::pair{"NummerEdit", "7"}, {"NameEdit", "Bohrer"}, {"L_Edit", "30"}, {"D_Edit", "1,5"},
                            {"NL_Edit", "12"}})
    Setze(name, text);
  QMouseEvent klick(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(Teil<QLineEdit>("FarbEdit"), &klick);
  Teil("UebernehmenButton")->click();
  ASSERT_EQ(gitter->rowCount(), 3);
  EXPECT_EQ(std::tuple(Teil<QLineEdit>("NummerEdit")->text(), gitter->item(1, 1)->text(), int(VelkorWinWkz::WkzListe[1].Zeichenfarbe)),
            std::tuple("8", "Bohrer", 5));
  skript.ErwarteFrage("Werkzeug 3 löschen?", true);
  Setze("NummerEdit", "3");
  Teil("WkzLoeschenButton")->click();
  ASSERT_EQ(gitter->rowCount(), 2);
  Teil<QRadioButton>("AendernRadio")->click();
  gitter->item(1, 0)->setText("7");
  skript.ErwarteHinweis("Die Werkzeugnummer 7 wurde doppelt vergeben!");
  Teil("SchliessenButton")->click();
  EXPECT_EQ(std::tuple(form.isVisible(), Nummern(VelkorWinWkz::WkzListe)), std::tuple(true, std::vector<int>{7, 9}));
  gitter->item(1, 0)->setText("2");  // tool 9 becomes 2: the list is sorted at closing
  Teil("SchliessenButton")->click();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(Nummern(VelkorWinWkz::WkzListe), (std::vector<int>{2, 7}));
  EXPECT_EQ(std::tuple(VelkorWinWkz::WkzListe[1].Benennung, VelkorWinWkz::WkzListe[1].Durchmesser), std::tuple("Bohrer", 1.5));
}

TEST_F(WerkzeugfensterTest, DuplicatesFromTheFileAreReportedAndViewModeLocksTheInput) {
  skript.ErwarteHinweis("Die Werkzeugnummer 4 steht mehrfach in der Werkzeugliste!");
  Oeffnen(false, {Wkz(4, "a"), Wkz(4, "b"), Wkz(0, "null")});
  EXPECT_EQ(std::tuple(Teil<QTableWidget>("WkzStringGrid")->rowCount(), Teil("UebernehmenButton")->isEnabled(),
                       Teil<QRadioButton>("AendernRadio")->isEnabled(), Teil("ListeDruckenButton")->isEnabled()),
            std::tuple(3, false, false, true));  // every record shows
  Teil("SchliessenButton")->click();
  EXPECT_EQ(VelkorWinWkz::WkzListe.size(), 3u);
}

TEST_F(WerkzeugfensterTest, TheWheelMovesTheSelectedRowAndLeavingTheGridClearsIt) {
  Oeffnen(true, {Wkz(3, "drei", 3.0, 4), Wkz(5, "fünf"), Wkz(9, "neun")});
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
  const QImage kopf = gitter->horizontalHeader()->grab().toImage();
  gitter->setFocus();
  gitter->selectRow(0);
  ASSERT_EQ(nummer->text(), "3");
  // The row shows as selected, but its colour cell only the tool's colour, and the header stays
  // as it was, so a bolder "Farbe" does not lose its first letter.
  const QImage bild = gitter->viewport()->grab().toImage();
  const QRect zelle = gitter->visualRect(gitter->model()->index(0, 5)).adjusted(1, 1, -2, -2);
  QImage farbe(zelle.size(), bild.format());
  farbe.fill(toolkit::qt::QFarbe(toolkit::GraphFarbe(4)));
  const QRect name = gitter->visualRect(gitter->model()->index(0, 1));
  EXPECT_EQ(std::tuple(gitter->horizontalHeader()->grab().toImage() == kopf, bild.copy(zelle) == farbe,
                       QColor(bild.pixel(name.right() - 3, name.center().y()))),
            std::tuple(true, true, gitter->palette().color(QPalette::Highlight)));
  std::vector<std::pair<int, QString>> zeilen;
  for (auto winkel : {std::vector{-120} /* the next row, and its tool in the edits */, {-240} /* no row after the last */,
                      {-60, -60} /* half notches add up */, {120, 120, 120} /* wheel up stops at the first row */}) {
    for (int w : winkel) rad(w);
    zeilen.emplace_back(gewaehlt(), nummer->text());
  }
  EXPECT_EQ(zeilen, (std::vector<std::pair<int, QString>>{{1, "5"}, {2, "9"}, {2, "9"}, {0, "3"}}));

  // The cell editor of "ändern" is part of the grid; the focus going elsewhere is leaving it.
  Teil<QRadioButton>("AendernRadio")->click();
  gitter->setFocus();
  gitter->selectRow(1);
  gitter->editItem(gitter->item(1, 1));
  EXPECT_EQ(gewaehlt(), 1);
  nummer->setFocus();
  EXPECT_EQ(std::tuple(gewaehlt(), nummer->text()), std::tuple(-1, "5"));  // the edits keep the row's values
  Teil<QRadioButton>("UebernehmenRadio")->click();
  Teil("SchliessenButton")->click();
  EXPECT_EQ(VelkorWinWkz::WkzListe.size(), 3u);
}
