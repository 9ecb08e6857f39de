// The colour choice, replacement and display models, and the information windows' texts.
#include <gtest/gtest.h>

#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/BildinfoModell.h"
#include "imageprep/Bildroutinen.h"
#include "imageprep/FarbfensterModelle.h"
#include "imageprep/VelkorBAUnit.h"
#include "qtsupport/Fensterhilfen.h"
#include "tests/imageprep/ImageprepHilfen.h"
#include "toolkit/GraphFarben.h"

using namespace imageprep;
namespace var = VelkorWinVAR;

namespace {

// Colour i of rows y: 0 and 1 (rows 0, 1), 2 (rows 2..5: exactly 40 pixels), 3, 4 and 5.
int Farbindex(int x, int y) { return y < 2 ? (x < 5 ? 0 : 1) : y < 6 ? 2 : y < 8 ? 3 : x < 5 ? 4 : 5; }

class FarbfensterTest : public imageprep_test::ImageprepFixture {
protected:
  void SetUp() override {
    imageprep_test::ImageprepFixture::SetUp();
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(40 * Farbindex(x, y)), 10, 200));
    var::QuellImage = var::Bearbeitungsbild = bild;
    VelkorWinMOVE::BildFarbenZaehlen(bild);
    ersetzen.Vorbereiten();
  }
  toolkit::TBitmap bild{10, 10};
  TFarbersetzModell ersetzen;
  TFarbersetzModell::TFeld feld{};
  testsupport::DialogSkript dialoge;
};

TEST_F(FarbfensterTest, ErsetzenFaerbtGenauDieQuellfarbe) {
  const auto zaehlung = imageprep_test::Zaehlung(var::Farbtabelle);
  dialoge.ErwarteHinweis("40 Pixel umgefärbt!");
  EXPECT_EQ(ersetzen.Ersetzen("2", "5", feld), 40);
  auto erwartet = bild;
  for (int y = 2; y < 6; ++y)
    for (int x = 0; x < 10; ++x) erwartet.SetPixel(x, y, var::Farbtabelle[5].Farbe);
  EXPECT_EQ(var::Bearbeitungsbild, erwartet);
  EXPECT_EQ(imageprep_test::Zaehlung(var::Farbtabelle), zaehlung);
  ersetzen.Uebernehmen();
  EXPECT_TRUE(var::BildGeaendert && ErsetztesBildUebergeben);
  EXPECT_EQ(*toolkit::AbgelegtesBild(), erwartet);
}

// Wrong numbers are refused at their field; the same colour counts nothing, and ending asks
// only after a change.
TEST_F(FarbfensterTest, FalscheUndGleicheNummernAendernNichts) {
  using F = TFarbersetzModell::TFeld;
  const std::string quelle = "Die Quellfarbnummer muss der Anzahl der verwendeten Farben entsprechen!",
                    ziel = "Die Zielfarbnummer muss der Anzahl der verwendeten Farben entsprechen!",
                    format = "Fehlendes oder falsches Zahlenformat!";
  const std::tuple<std::string, std::string, std::string, F> faelle[] = {{"6", "1", quelle, F::Quelle},
                                                                         {"-1", "1", quelle, F::Quelle},
                                                                         {"x", "1", format, F::Quelle},
                                                                         {"1", "", format, F::Ziel},
                                                                         {"1", "99", ziel, F::Ziel}};
  for (const auto& [q, z, text, fehler] : faelle) {
    feld = {};
    dialoge.ErwarteHinweis(text);
    EXPECT_EQ(ersetzen.Ersetzen(q, z, feld), std::nullopt);
    EXPECT_EQ(feld, fehler) << q << " -> " << z;
  }
  dialoge.ErwarteHinweis("0 Pixel umgefärbt!");
  EXPECT_EQ(ersetzen.Ersetzen("3", "3", feld), 0);
  EXPECT_EQ(var::Bearbeitungsbild, bild);
  ersetzen.Beenden();
  EXPECT_FALSE(ErsetztesBildUebergeben);
  dialoge.ErwarteHinweis("20 Pixel umgefärbt!").ErwarteFrage("Farben wurden geändert! Übernehmen?", true);
  ersetzen.Ersetzen("3", "0", feld);
  ersetzen.Beenden();
  EXPECT_TRUE(var::BildGeaendert && ErsetztesBildUebergeben);  // handed back: the save question will come
}

TEST_F(FarbfensterTest, FarbeErsetzenUebernimmtNurEinUebergebenesBild) {
  toolkit::BildAblegen(imageprep_test::KoordinatenBild(3, 3));  // someone else's picture
  EXPECT_FALSE(FarbeErsetzenAusfuehren());                      // no replacement window: nothing handed back
  EXPECT_EQ(var::QuellImage, bild);
}

// Choosing and "Übernehmen" are the window's journey; here closing without it.
TEST_F(FarbfensterTest, FarbwahlSchliessenFragtNurNachAenderung) {
  GewaehlteFarbe = toolkit::GraphFarben[4];
  TFarbWahlModell m;
  m.Vorbereiten();
  EXPECT_EQ(m.WahlIndex(), 4);
  m.Waehlen(2);
  dialoge.ErwarteFrage("Geänderte Farbe übernehmen?", false);
  m.Schliessen();
  EXPECT_EQ(GewaehlteFarbe, toolkit::GraphFarben[4]);
  m.Vorbereiten();
  m.Waehlen(2);
  m.Waehlen(4);  // back to the colour it had: no question
  m.Schliessen();
  m.Waehlen(13);
  EXPECT_EQ(m.WahlIndex(), 5);  // magenta stands twice
}

TEST_F(FarbfensterTest, AnzeigeZeigtDenEchtenModusAuchUeber16Farben) {
  var::KonfigBlock.FarbModus[2] = 'S';
  var::KonfigBlock.Farbtiefe[2] = -1.25;
  var::Gesamtbildverkleinerung = 0.5;
  TFarbAnzeigModell m;
  m.Vorbereiten();
  EXPECT_EQ(var::Gesamtbildverkleinerung, 1.0);
  const auto a = m.Anzeige(3, 4), aussen = m.Anzeige(10, 0);
  EXPECT_EQ(std::tie(a.Tiefe, a.Farbwert), std::tuple("-1,250", std::to_string(bild.Pixel(3, 4))));
  EXPECT_EQ(std::tie(aussen.Farbe, aussen.Nummer), std::tuple(std::nullopt, ""));  // outside the picture
  m.Schliessen();
  EXPECT_FALSE(FarbinfoAktiv);

  const auto viele = imageprep_test::KoordinatenBild(6, 5);
  var::QuellImage = viele;
  VelkorWinMOVE::BildFarbenZaehlen(viele);
  var::KonfigBlock.GrundArbeitsmodus = var::TArbeitsmodus::Fraesen;
  var::Extrafarbliste = {{20, viele.Pixel(2, 3), var::TArbeitsmodus::Sticheln, var::TBesonderheit::keine}};
  var::Extrafarbanzahl = 1;
  m.Vorbereiten();
  const auto extra = m.Anzeige(2, 3), hoch = m.Anzeige(5, 4);  // index 29: no 16-entry table read
  EXPECT_EQ(std::tie(extra.Modus, hoch.Nummer, hoch.Modus), std::tuple("S", "29", "F"));
}

TEST_F(FarbfensterTest, AnzeigeNimmtDenGewaehltenAusschnitt) {
  auto ausschnitt = bild;
  ASSERT_TRUE(imageprep::BildAusschnittKopieren(ausschnitt, 0, 2, 10, 6));
  toolkit::BildAblegen(ausschnitt);
  var::Bildausschnitt = {0, 2, 10, 6, true};
  TFarbAnzeigModell m;
  m.Vorbereiten();
  EXPECT_EQ(m.Bild(), ausschnitt);
  const auto a = m.Anzeige(0, 0);
  EXPECT_EQ(std::tie(a.Anzahl, a.Nummer), std::tuple("40", "2"));  // counted again into the table that stands
}

TEST_F(FarbfensterTest, BildinfoTexte) {
  var::Bildbreite = 160;
  var::Bildhoehe = 120;
  var::BildFraesbereich = {10, 80, 90, 20};
  VelkorWinINTR::Ebene = var::TEbene::ZX;
  VelkorWinGrvTXT::Zyklusstartpunkt = {1, 2, 123456789.5};
  var::KonfigBlock.Fraesrichtung = var::TFraesrichtung::spaltenweise;
  const auto zx = BildinfoErmitteln(false);
  EXPECT_EQ(std::tuple(zx.Spaltenbreite, zx.Zeilenhoehe, zx.Ebene, zx.EckWert[0], zx.Zeilenweise),
            std::tuple("0,500", "0,500", "ZX", "123456789,50", "nein"));  // the corner cut to 12 characters
  EXPECT_EQ(std::pair(var::Fraesspaltenbreite, var::Fraeszeilenhoehe), std::pair(0.5, 0.5));
  EXPECT_EQ(zx.EckLabel, (std::array<std::string, 4>{"z = ", "x = ", "z = ", "x = "}));
  EXPECT_EQ(zx.Zeilen[6].Farbe, std::nullopt);
  EXPECT_EQ(BildinfoErmitteln(true).EckLabel, (std::array<std::string, 4>{"zl = ", "xo = ", "zr = ", "xu = "}));

  var::Bildbreite = var::Bildhoehe = 0;  // no picture size: no division
  var::Fraesspaltenbreite = 0;
  const auto ohne = BildinfoErmitteln(false);
  EXPECT_EQ(ohne.Spaltenbreite + ohne.Zeilenhoehe, "");
  EXPECT_EQ(var::Fraesspaltenbreite, 0.0);
}

TEST_F(FarbfensterTest, FarbinformationBietetDieAuswahlNachVerwerfenWiederAn) {
  var::FraesbereichGegeben = true;
  var::Bildausschnitt = {1, 1, 5, 5, true};
  AusschnittwahlGesperrt = 1;
  TVelkorBAForm ausschnitt(nullptr);
  std::vector<bool> groessenwahl;
  testsupport::Spaeter([&] {
    groessenwahl.push_back(ausschnitt.Modell().Groessenwahl());
    ausschnitt.close();
  });
  dialoge.ErwarteFrage("Gewählten Bildausschnitt verwerfen? (J/N)?", true);
  FarbinformationAusfuehren(false);
  EXPECT_EQ(groessenwahl, std::vector<bool>{false});  // the section choice, not the size alone
  EXPECT_FALSE(FarbinfoAktiv);
}

}  // namespace
