// The image section and size window's model: the section, its grabs, drags and keys, the
// size steps and what accepting and cancelling leave in the engine's state.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/VelkorWinVAR.h"
#include "imageprep/BildausschnittModell.h"
#include "tests/imageprep/ImageprepHilfen.h"
#include "toolkit/NumberFormat.h"

using namespace imageprep;
using imageprep_test::KoordinatenBild;
namespace var = VelkorWinVAR;

namespace {

class BAModellTest : public imageprep_test::ImageprepFixture {
protected:
  void SetUp() override {
    imageprep_test::ImageprepFixture::SetUp();
    var::BildFraesbereich = {0.0, 30.0, 40.0, 0.0};
  }
  void Oeffnen() { m.Vorbereiten(quelle, false); }
  static std::tuple<int, int, int, int, bool> Gewaehlt() {
    const auto& a = var::Bildausschnitt;
    return {a.Links, a.Oben, a.Rechts, a.Unten, a.Gewaehlt};
  }
  const toolkit::TBitmap quelle = KoordinatenBild(100, 80);
  TBAModell m;
  testsupport::DialogSkript dialoge;
};

TEST_F(BAModellTest, OeffnetMitEingerueckemAusschnitt) {
  var::Gesamtbildverkleinerung = 0.5;
  var::AnfangsbildverkleinerungX = 0.5L;
  var::AnfangsbildverkleinerungY = 0.25L;
  Oeffnen();
  // Every showing starts from the unreduced picture: the main window's fit factors too.
  EXPECT_EQ(std::tuple(var::Gesamtbildverkleinerung, var::AnfangsbildverkleinerungX, var::AnfangsbildverkleinerungY),
            std::tuple(1.0, 1.0L, 1.0L));
  EXPECT_EQ(m.Ausschnitt(), (TRechteck{10, 10, 90, 70}));
  EXPECT_EQ(std::pair(m.FraesbreiteText(), m.Hinweistext()),
            std::pair("0,500"s, toolkit::Ansi("Breite = 80 Höhe = 60")));
  // A picture too small for the inset keeps its whole extent on that axis.
  m.Vorbereiten(KoordinatenBild(15, 300), false);
  EXPECT_EQ(m.Ausschnitt(), (TRechteck{0, 10, 15, 290}));
}

// Which grip a press takes on section (10, 10, 90, 70), middles mx = 50, my = 40.
TEST_F(BAModellTest, DruckGreiftDieZone) {
  Oeffnen();
  using Z = TGreifzone;
  const std::tuple<int, int, Z> faelle[] = {{3, 40, Z::links},       {97, 40, Z::keine},      {95, 40, Z::rechts},
                                            {50, 40, Z::innen},      {50, 5, Z::oben},        {50, 75, Z::unten},
                                            {10, 10, Z::linksOben},  {90, 10, Z::rechtsOben}, {90, 70, Z::rechtsUnten},
                                            {10, 70, Z::linksUnten}, {25, 25, Z::keine}};
  for (const auto& [x, y, zone] : faelle) EXPECT_EQ(m.ZoneFuerDruck(x, y), zone) << x << "," << y;
}

// A corner moves two edges, the whole section shrinks at the edge; single steps add up exactly,
// and a release away from the last move applies only the rest.
TEST_F(BAModellTest, ZuegeBewegenDieGegriffenenKanten) {
  struct TZug {
    std::vector<int> xs;
    int y, nachY, loslassenX;
    TRechteck ergebnis;
  };
  std::vector<int> schritte;
  for (int x = 3; x <= 23; ++x) schritte.push_back(x);
  for (const auto& z : {TZug{{10, 15}, 70, 75, 15, {15, 10, 90, 75}}, TZug{{50, 70}, 40, 40, 70, {30, 10, 100, 70}},
                        TZug{schritte, 40, 40, 23, {30, 10, 90, 70}}, TZug{{10, 15}, 40, 40, 18, {18, 10, 90, 70}}}) {
    Oeffnen();
    m.Druecken(z.xs.front(), z.y, true);
    for (std::size_t i = 1; i < z.xs.size(); ++i) m.Ziehen(z.xs[i], z.nachY);
    m.Loslassen(z.loslassenX, z.nachY);
    EXPECT_EQ(m.Ausschnitt(), z.ergebnis);
  }
}

TEST_F(BAModellTest, StrgPfeilVerschiebtDieKanteUnterDerPosition) {
  Oeffnen();
  m.Druecken(10, 40, false);
  for (int i = 0; i < 3; ++i) m.Taste(TBATaste::Links, true);
  m.Taste(TBATaste::Runter, false);  // without Ctrl only the position moves
  EXPECT_EQ(m.Ausschnitt(), (TRechteck{7, 10, 90, 70}));
  EXPECT_EQ(m.ZeigerY(), 41);
}

// An inverted section and an empty picture are refused, with no division by their span.
TEST_F(BAModellTest, VerdrehterAusschnittUndLeeresBildWerdenAbgewiesen) {
  Oeffnen();
  m.Druecken(90, 40, true);
  m.Ziehen(5, 40);
  EXPECT_LE(m.Ausschnitt().Rechts, m.Ausschnitt().Links);
  EXPECT_EQ(m.FraesbreiteText(), "");
  dialoge.ErwarteHinweis("Ausschnittgrenzen ändern oder abbrechen!")
      .ErwarteHinweis("Ausschnittgrenzen ändern oder abbrechen!");
  EXPECT_FALSE(m.AusschnittOK());
  EXPECT_FALSE(m.Groessenwahl());
  EXPECT_FALSE(var::Bildausschnitt.Gewaehlt);

  m.Vorbereiten(toolkit::TBitmap{}, false);
  EXPECT_EQ(m.Ausschnitt(), (TRechteck{0, 0, 0, 0}));
  EXPECT_EQ(m.FraesbreiteText(), "");
  EXPECT_FALSE(m.AusschnittOK());
  m.Vorbereiten(toolkit::TBitmap{}, true);
  m.GrobGeaendert(10);
  EXPECT_TRUE(m.GroesseOK().Empty());
}

TEST_F(BAModellTest, GrobeSchritteUndFeineRueckstellung) {
  const auto bild = KoordinatenBild(200, 100);
  m.Vorbereiten(bild, true);
  m.GrobGeaendert(26);
  m.GrobGeaendert(36);  // a jump of ten positions is one step
  m.GrobGeaendert(37);
  const double g = m.Faktor();
  EXPECT_NEAR(g, 1 / (1.1 * 1.1 * 1.1), 1e-12);
  EXPECT_EQ(std::pair(m.Bild().Width(), m.FeinPosition()),
            std::pair(int(std::lround(200 / (1.1 * 1.1 * 1.1))), TBAModell::BalkenMitte));
  m.FeinGeaendert(m.FeinPosition());  // the reset itself makes no step
  EXPECT_EQ(m.Faktor(), g);
  m.FeinGeaendert(24);
  EXPECT_NEAR(m.Faktor(), g * 1.01, 1e-12);
  EXPECT_EQ(var::Gesamtbildverkleinerung, m.Faktor());
  m.Zurueck();
  EXPECT_EQ(std::pair(m.Faktor(), m.Bild()), std::pair(1.0, bild));
}

TEST_F(BAModellTest, VergroesserungMitGrenze) {
  m.Vorbereiten(KoordinatenBild(8000, 2), true);
  dialoge.ErwarteHinweis("Weitere Bildvergrößerung nicht möglich!");
  for (int p = 24; p >= 17; --p) m.GrobGeaendert(p);  // the eighth step would pass 16384
  EXPECT_NEAR(m.Faktor(), std::pow(1.1, 7), 1e-9);
  EXPECT_EQ(m.Bild().Width(), std::lround(8000 * std::pow(1.1, 7)));
}

TEST_F(BAModellTest, AusschnittOKUndGroesseOK) {
  var::Bearbeitungsbild = quelle;
  Oeffnen();
  ASSERT_TRUE(m.AusschnittOK());
  auto crop = quelle;
  BildAusschnittKopieren(crop, 10, 10, 90, 70);
  EXPECT_EQ(std::tuple(m.Bild(), var::Bearbeitungsbild, *var::Arbeitsbild, *toolkit::AbgelegtesBild()),
            std::tuple(crop, crop, crop, crop));
  EXPECT_EQ(Gewaehlt(), std::tuple(10, 10, 90, 70, true));
  EXPECT_TRUE(m.Groessenwahl());
  EXPECT_EQ(AusschnittwahlGesperrt, 1);

  m.GrobGeaendert(26);
  const auto ergebnis = m.GroesseOK();
  EXPECT_EQ(ergebnis.Width(), std::lround(80 / 1.1));
  // The working picture stays unscaled: "Nein" mills the picture itself.
  EXPECT_EQ(std::tuple(var::BildKopie, var::Bearbeitungsbild, *var::Arbeitsbild), std::tuple(ergebnis, ergebnis, crop));
  EXPECT_NEAR(var::Gesamtbildverkleinerung, 1 / 1.1, 1e-12);
}

TEST_F(BAModellTest, AbbruchNachAusschnittStelltDieBilderWiederHer) {
  var::Bearbeitungsbild = quelle;
  var::Arbeitsbild.reset();
  var::Bildausschnitt = {1, 2, 3, 4, true};
  Oeffnen();
  ASSERT_TRUE(m.AusschnittOK());
  m.Abbrechen();
  EXPECT_TRUE(var::WandlungsFehler);
  EXPECT_EQ(Gewaehlt(), std::tuple(10, 10, 90, 70, false));  // the bounds stay
  EXPECT_EQ(std::pair(var::Bearbeitungsbild, *var::Arbeitsbild), std::pair(quelle, quelle));
  EXPECT_EQ(AusschnittwahlGesperrt, 1);
}

TEST_F(BAModellTest, SeltsameBildgroessenBleibenGueltig) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 10000}, std::pair{10000, 1}, std::pair{21, 21}, std::pair{20, 20},
                      std::pair{15, 15}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    m.Vorbereiten(KoordinatenBild(w, h), false);
    for (auto [x, y] : {std::pair{-100000, -100000}, std::pair{100000, 100000}, std::pair{0, 0}}) {
      m.Druecken(m.Ausschnitt().Rechts, (m.Ausschnitt().Oben + m.Ausschnitt().Unten) / 2, true);
      m.Ziehen(x, y);
      m.Loslassen(x, y);
      const auto a = m.Ausschnitt();
      EXPECT_TRUE(a.Links >= 0 && a.Rechts <= w && a.Oben >= 0 && a.Unten <= h);
    }
    m.Taste(TBATaste::Ende, false);
    m.Taste(TBATaste::Pos1, false);
    ASSERT_TRUE(m.AusschnittOK());
    EXPECT_EQ(std::pair(m.Bild().Width(), m.Bild().Height()), std::pair(w, h));
    m.GrobGeaendert(24);
    for (int p = 26; p <= 50; ++p) m.GrobGeaendert(p);
    EXPECT_TRUE(m.Bild().Width() >= 1 && m.Bild().Width() <= TBAModell::GroessteSeite);
    EXPECT_TRUE(m.Bild().Height() >= 1 && m.Bild().Height() <= TBAModell::GroessteSeite);
  }
}

}  // namespace
