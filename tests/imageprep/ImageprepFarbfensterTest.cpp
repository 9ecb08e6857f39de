// The colour choice, replacement and display models, and the information windows' texts.
#include <gtest/gtest.h>

#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/BildinfoModell.h"
#include "imageprep/Bildroutinen.h"
#include "imageprep/FarbfensterModelle.h"
#include "imageprep/Fensteraufrufe.h"
#include "tests/imageprep/ImageprepHilfen.h"
#include "toolkit/GraphFarben.h"

using namespace imageprep;
namespace var = VelkorWinVAR;

namespace {

class FarbfensterTest : public imageprep_test::ImageprepFixture {
protected:
  // Colours 0..5 in a 10 x 10 picture; colour 2 covers exactly 40 pixels (rows 2..5).
  void SetUp() override {
    imageprep_test::ImageprepFixture::SetUp();
    bild = toolkit::TBitmap(10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        const int i = y < 2 ? (x < 5 ? 0 : 1) : y < 6 ? 2 : y < 8 ? 3 : x < 5 ? 4 : 5;
        bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(40 * i), 10, 200));
      }
    var::QuellImage = var::Bearbeitungsbild = bild;
    VelkorWinMOVE::BildFarbenZaehlen(bild);
  }
  toolkit::TBitmap bild;
  testsupport::DialogSkript dialoge;
};

TEST_F(FarbfensterTest, ErsetzenFaerbtGenauDieQuellfarbe) {
  ASSERT_EQ(var::Farbanzahl, 6);
  const auto zaehlung = imageprep_test::Zaehlung(var::Farbtabelle);
  TFarbersetzModell m;
  m.Vorbereiten();
  TFarbersetzModell::TFeld feld{};
  dialoge.ErwarteHinweis("40 Pixel umgefärbt!");
  EXPECT_EQ(m.Ersetzen("2", "5", feld), 40);
  EXPECT_TRUE(m.Geaendert());
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(var::Bearbeitungsbild.Pixel(x, y),
                y >= 2 && y < 6 ? var::Farbtabelle[5].Farbe : bild.Pixel(x, y));
  EXPECT_EQ(imageprep_test::Zaehlung(var::Farbtabelle), zaehlung);
  m.Uebernehmen();
  EXPECT_TRUE(var::BildGeaendert);
  EXPECT_TRUE(ErsetztesBildUebergeben);
  EXPECT_EQ(*toolkit::AbgelegtesBild(), var::Bearbeitungsbild);
}

TEST_F(FarbfensterTest, FalscheNummernWerdenAbgewiesen) {
  using F = TFarbersetzModell::TFeld;
  const std::string quelle = "Die Quellfarbnummer muss der Anzahl der verwendeten Farben entsprechen!";
  const std::string format = "Fehlendes oder falsches Zahlenformat!";
  const std::tuple<std::string, std::string, std::string, F> faelle[] = {
      {"6", "1", quelle, F::Quelle},
      {"-1", "1", quelle, F::Quelle},
      {"x", "1", format, F::Quelle},
      {"1", "", format, F::Ziel},
      {"1", "99", "Die Zielfarbnummer muss der Anzahl der verwendeten Farben entsprechen!", F::Ziel}};
  TFarbersetzModell m;
  m.Vorbereiten();
  for (const auto& [q, z, text, fehler] : faelle) {
    TFarbersetzModell::TFeld feld{};
    dialoge.ErwarteHinweis(text);
    EXPECT_EQ(m.Ersetzen(q, z, feld), std::nullopt);
    EXPECT_EQ(feld, fehler) << q << " -> " << z;
  }
  EXPECT_EQ(var::Bearbeitungsbild, bild);
  EXPECT_FALSE(m.Geaendert());
}

TEST_F(FarbfensterTest, GleicheFarbeZaehltNichtsUndBeendenFragtNurNachAenderung) {
  TFarbersetzModell m;
  m.Vorbereiten();
  TFarbersetzModell::TFeld feld{};
  dialoge.ErwarteHinweis("0 Pixel umgefärbt!");
  EXPECT_EQ(m.Ersetzen("3", "3", feld), 0);
  EXPECT_FALSE(m.Geaendert());
  m.Beenden();
  EXPECT_FALSE(ErsetztesBildUebergeben);

  dialoge.ErwarteHinweis("20 Pixel umgefärbt!");
  dialoge.ErwarteFrage("Farben wurden geändert! Übernehmen?", true);
  m.Ersetzen("3", "0", feld);
  m.Beenden();
  EXPECT_TRUE(var::BildGeaendert);  // handed back: the save question will come
  EXPECT_TRUE(ErsetztesBildUebergeben);
}

TEST_F(FarbfensterTest, FarbeErsetzenUebernimmtNurEinUebergebenesBild) {
  toolkit::BildAblegen(imageprep_test::KoordinatenBild(3, 3));  // someone else's picture
  EXPECT_FALSE(FarbeErsetzenAusfuehren());  // no replacement window: nothing handed back
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
  TFarbAnzeigModell m;
  var::Gesamtbildverkleinerung = 0.5;
  m.Vorbereiten();
  EXPECT_EQ(var::Gesamtbildverkleinerung, 1.0);
  EXPECT_EQ(m.Anzeige(3, 4).Tiefe, "-1,250");
  EXPECT_EQ(m.Anzeige(3, 4).Farbwert, std::to_string(bild.Pixel(3, 4)));
  EXPECT_EQ(m.Anzeige(10, 0).Farbe, std::nullopt);  // outside the picture
  EXPECT_EQ(m.Anzeige(10, 0).Nummer, "");
  m.Schliessen();
  EXPECT_FALSE(FarbinfoAktiv);

  auto viele = imageprep_test::KoordinatenBild(6, 5);
  var::QuellImage = viele;
  VelkorWinMOVE::BildFarbenZaehlen(viele);
  var::KonfigBlock.GrundArbeitsmodus = var::TArbeitsmodus::Fraesen;
  var::Extrafarbliste = {{20, viele.Pixel(2, 3), var::TArbeitsmodus::Sticheln, var::TBesonderheit::keine}};
  var::Extrafarbanzahl = 1;
  m.Vorbereiten();
  EXPECT_EQ(m.Anzeige(2, 3).Modus, "S");
  EXPECT_EQ(m.Anzeige(5, 4).Nummer, "29");  // index above 15, no 16-entry table read
  EXPECT_EQ(m.Anzeige(5, 4).Modus, "F");
}

TEST_F(FarbfensterTest, AnzeigeNimmtDenGewaehltenAusschnitt) {
  auto ausschnitt = bild;
  ASSERT_TRUE(imageprep::BildAusschnittKopieren(ausschnitt, 0, 2, 10, 6));
  toolkit::BildAblegen(ausschnitt);
  var::Bildausschnitt = {0, 2, 10, 6, true};
  TFarbAnzeigModell m;
  m.Vorbereiten();
  EXPECT_EQ(m.Bild(), ausschnitt);
  EXPECT_EQ(m.Anzeige(0, 0).Anzahl, "40");
  EXPECT_EQ(m.Anzeige(0, 0).Nummer, "2");  // counted again into the table that stands
}

TEST_F(FarbfensterTest, BildinfoTexte) {
  var::Bildbreite = 160;
  var::Bildhoehe = 120;
  var::BildFraesbereich = {10, 80, 90, 20};
  VelkorWinINTR::Ebene = var::TEbene::ZX;
  VelkorWinGrvTXT::Zyklusstartpunkt = {1, 2, 123456789.5};
  var::KonfigBlock.Fraesrichtung = var::TFraesrichtung::spaltenweise;
  const auto zx = BildinfoErmitteln(false);
  EXPECT_EQ(zx.Spaltenbreite + " " + zx.Zeilenhoehe, "0,500 0,500");
  EXPECT_EQ(var::Fraesspaltenbreite, 0.5);
  EXPECT_EQ(var::Fraeszeilenhoehe, 0.5);
  EXPECT_EQ(zx.Ebene, "ZX");
  EXPECT_EQ(zx.EckLabel, (std::array<std::string, 4>{"z = ", "x = ", "z = ", "x = "}));
  EXPECT_EQ(zx.EckWert[0], "123456789,50");  // cut to 12 characters
  EXPECT_EQ(zx.Zeilenweise, "nein");
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
  std::vector<bool> aufrufe;
  imageprep::BildausschnittWaehlen = [&](bool nurGroesse, toolkit::TBitmap&) {
    aufrufe.push_back(nurGroesse);
    return true;
  };
  dialoge.ErwarteFrage("Gewählten Bildausschnitt verwerfen? (J/N)?", true);
  FarbinformationAusfuehren(false);
  EXPECT_EQ(aufrufe, std::vector<bool>{false});  // the section choice, not the size alone
  EXPECT_FALSE(FarbinfoAktiv);
  imageprep::BildausschnittWaehlen = nullptr;
}

}  // namespace
