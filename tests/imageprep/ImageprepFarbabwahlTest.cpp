// The colour editor's model: zoom, pipette, recolouring with undo and redo, extra colours,
// the preview and leaving the window.
#include <gtest/gtest.h>

#include "engine/VelkorWinVAR.h"
#include "imageprep/FarbabwahlModell.h"
#include "tests/imageprep/ImageprepHilfen.h"

using namespace imageprep;
namespace var = VelkorWinVAR;

namespace {

using var::TArbeitsmodus, var::TBesonderheit;

class FarbabwahlTest : public imageprep_test::ImageprepFixture {
protected:
  void SetUp() override {
    imageprep_test::ImageprepFixture::SetUp();
    imageprep_test::FuerDenEditor(bild);
    m.Vorbereiten();
  }
  const toolkit::TBitmap bild = imageprep_test::KoordinatenBild(40, 30);  // 1200 colours
  TFarbabwahlModell m;
  testsupport::DialogSkript dialoge;
};

TEST_F(FarbabwahlTest, Zoom) {
  dialoge.ErwarteHinweis("Weitere Verkleinerung nicht möglich!");
  m.Verkleinern();
  EXPECT_EQ(m.Zoomfaktor(), 1);
  m.Vergroessern();
  m.Vergroessern();
  EXPECT_EQ(std::tuple(m.Zoomfaktor(), m.Anzeige().Width(), m.Anzeige().Pixel(13, 9)),
            std::tuple(4, 160, bild.Pixel(3, 2)));
  EXPECT_EQ(m.Pixel(13, 9), (std::pair{3, 2}));
  EXPECT_EQ(m.Pixel(160, 0), std::nullopt);
  while (m.Zoomfaktor() < 128) m.Vergroessern();
  dialoge.ErwarteHinweis("Weitere Bildvergrößerung nicht möglich!");
  m.Vergroessern();  // 10240 x 7680 pixels: beyond the limit
  EXPECT_EQ(m.Zoomfaktor(), 128);
}

TEST_F(FarbabwahlTest, PipetteUndUmfaerbenRueckgaengigWiderrufen) {
  const auto zaehlung = imageprep_test::Zaehlung(var::Farbtabelle);
  dialoge.ErwarteHinweis("Umfarben kann nur bei gefüllter Pipette erfolgenn!")
      .ErwarteHinweis("Zum Füllen der Pipette muss sich der Mauszeiger über dem Bild befinden!");
  EXPECT_FALSE(m.Umfaerben(1, 1, toolkit::Ansi("Umfarben kann nur bei gefüllter Pipette erfolgenn!")));
  m.PipetteFuellen(-1, 3);
  m.Klicken(5, 5);  // at 1:1 a click only reads
  EXPECT_EQ(m.Pipette(), -1);
  m.Vergroessern();
  m.Klicken(4, 6);
  EXPECT_EQ(m.Pipette(), bild.Pixel(2, 3));
  EXPECT_FALSE(var::BildGeaendert);
  m.Klicken(21, 11);
  auto erwartet = bild;
  erwartet.SetPixel(10, 5, bild.Pixel(2, 3));
  EXPECT_EQ(m.Arbeitsbild(), erwartet);
  EXPECT_EQ(m.Anzeige().Pixel(21, 11), bild.Pixel(2, 3));
  EXPECT_TRUE(var::BildGeaendert && m.AenderungenVorhanden());
  EXPECT_EQ(imageprep_test::Zaehlung(var::Farbtabelle), zaehlung);

  m.Umfaerben(40, 2, "");
  m.Umfaerben(60, 2, "");
  const auto nachher = m.Arbeitsbild();
  for (int i = 0; i < 3; ++i) m.Rueckgaengig();
  EXPECT_EQ(m.Arbeitsbild(), bild);
  EXPECT_EQ(m.Anzeige().Pixel(20, 10), bild.Pixel(10, 5));
  for (int i = 0; i < 3; ++i) m.Widerrufen();
  EXPECT_EQ(m.Arbeitsbild(), nachher);
  for (int i = 0; i < 3; ++i) m.Rueckgaengig();
  EXPECT_EQ(imageprep_test::Zaehlung(var::Farbtabelle), zaehlung);
  dialoge.ErwarteHinweis("Kein Rückgängigmachen möglich!");
  m.Rueckgaengig();
}

TEST_F(FarbabwahlTest, ExtrafarbenAnfuegenDoppeltLoeschenFremdeNummern) {
  dialoge.ErwarteHinweis("Eine Extrafarbe kann nur bei gefüllter Pipette angefügt werden!");
  EXPECT_EQ(m.ExtrafarbeAnfuegen(), -1);
  for (int x : {1, 2, 3}) {
    m.PipetteFuellen(x, 0);
    EXPECT_EQ(m.ExtrafarbeAnfuegen(), x - 1);
  }
  EXPECT_EQ(var::Extrafarbliste[0], (var::TEF_Datentyp{1, bild.Pixel(1, 0), var::KonfigBlock.GrundArbeitsmodus,
                                                       var::KonfigBlock.GrundBesonderheit}));
  EXPECT_EQ(std::pair(m.Extrapixelanzahl(), m.Grundpixelanzahl()), std::pair(std::int64_t{3}, std::int64_t{1200 - 3}));
  m.PipetteFuellen(2, 0);
  dialoge.ErwarteHinweis("Die Farbe ist schon eine Extrafarbe!");
  EXPECT_EQ(m.ExtrafarbeAnfuegen(), 1);  // refused, its row selected
  EXPECT_EQ(var::Extrafarbliste.size(), 3u);
  m.Loeschen(1);
  ASSERT_EQ(var::Extrafarbanzahl, 2);
  EXPECT_EQ(var::Extrafarbliste[1].Farbe, bild.Pixel(3, 0));
  m.Loeschen(2);  // "alle"
  EXPECT_EQ(var::Extrafarbanzahl, 0);
  EXPECT_EQ(m.Grundpixelanzahl(), var::Pixelanzahl);
  // Numbers that are no colour of the picture count nothing.
  var::Extrafarbliste = {{-1, 5, TArbeitsmodus::ohne, TBesonderheit::keine},
                         {5000, 6, TArbeitsmodus::ohne, TBesonderheit::keine},
                         {0, bild.Pixel(0, 0), TArbeitsmodus::ohne, TBesonderheit::keine}};
  var::Extrafarbanzahl = 3;
  EXPECT_EQ(m.Extrapixelanzahl(), 1);
}

TEST_F(FarbabwahlTest, VorschauMaltNurInDieAnzeige) {
  const toolkit::TColor hell = toolkit::RGB(200, 200, 200), dunkel = toolkit::RGB(50, 50, 50);
  toolkit::TBitmap grau(2, 1);
  grau.SetPixel(0, 0, hell);
  grau.SetPixel(1, 0, dunkel);
  imageprep_test::FuerDenEditor(grau);
  var::Bearbeitungsbild = grau;
  m.Vorbereiten();
  var::Extrafarbliste = {{0, hell, TArbeitsmodus::ohne, TBesonderheit::keine},
                         {1, dunkel, TArbeitsmodus::ohne, TBesonderheit::keine}};
  var::Extrafarbanzahl = 2;
  m.AbwahlUmschalten();
  EXPECT_EQ(std::pair(m.Anzeige().Pixel(0, 0), m.Anzeige().Pixel(1, 0)), std::pair(0x000000, 0xFFFFFF));
  m.ModusWaehlen(1, 1);  // milled: unchanged in the preview
  EXPECT_EQ(m.Anzeige().Pixel(1, 0), dunkel);
  EXPECT_EQ(std::pair(m.Arbeitsbild(), var::Bearbeitungsbild), std::pair(grau, grau));
  m.AbwahlUmschalten();
  EXPECT_EQ(m.Anzeige(), grau);
}

// A colour the picture lacks is taken only on "Ja"; a cancelled palette keeps the pipette.
TEST_F(FarbabwahlTest, Palette) {
  const char* frage = "Die Farbe ist in dem Bild nicht vorhanden`\rTrotzdem verwenden (J/N)?";
  const int anzahl = var::Farbanzahl;
  dialoge.Farbe(0x123456).ErwarteFrage(frage, false);
  m.PaletteWaehlen();
  EXPECT_EQ(std::pair(var::Farbanzahl, m.Pipette()), std::pair(anzahl, -1));
  dialoge.Farbe(0x123456).ErwarteFrage(frage, true);
  m.PaletteWaehlen();
  EXPECT_EQ(std::pair(var::Farbanzahl, m.Pipette()), std::pair(anzahl + 1, 0x123456));
  EXPECT_EQ(var::Farbtabelle[static_cast<std::size_t>(anzahl)].Anzahl, 0);
  dialoge.Farbe(bild.Pixel(4, 4)).Farbe(std::nullopt);
  m.PaletteWaehlen();
  m.PaletteWaehlen();
  EXPECT_EQ(m.Pipette(), bild.Pixel(4, 4));
}

TEST_F(FarbabwahlTest, ListenUndGetippteTexte) {
  m.PipetteFuellen(0, 0);
  m.ExtrafarbeAnfuegen();
  m.ModusWaehlen(0, 2);
  EXPECT_EQ(var::Extrafarbliste[0].Arbeitsmodus, TArbeitsmodus::Sticheln);
  EXPECT_TRUE(m.AenderungenVorhanden());
  EXPECT_EQ(m.ModusText("Fraesen"), 1);
  EXPECT_EQ(m.BesonderheitText(0, "verfolgen "), 1);
  dialoge.ErwarteHinweis("Zulässig sind nur 'kein', 'Fräsen' und 'Sticheln'!")
      .ErwarteHinweis("Zulässig sind nur 'ohne'  und 'verfolgen'!")
      .ErwarteHinweis("Zulässig sind nur 'ohne' und 'verfolgen'!");
  EXPECT_EQ(m.ModusText("xyz"), std::nullopt);
  EXPECT_EQ(m.BesonderheitText(-1, "xyz"), std::nullopt);
  EXPECT_EQ(m.BesonderheitText(0, "xyz"), std::nullopt);
}

TEST_F(FarbabwahlTest, EscapeMitJaVerwirftAlles) {
  const auto grundModus = var::KonfigBlock.GrundArbeitsmodus;
  m.Vergroessern();
  m.PipetteFuellen(0, 0);
  m.ExtrafarbeAnfuegen();
  m.ModusWaehlen(-1, 2);
  m.Umfaerben(10, 10, "");
  dialoge.ErwarteFrage("Geänderte Werte verwerfen?", true);
  EXPECT_TRUE(m.Escape());
  m.Verlassen();
  EXPECT_TRUE(var::Extrafarbliste.empty());
  EXPECT_EQ(var::KonfigBlock.GrundArbeitsmodus, grundModus);
  EXPECT_EQ(std::pair(m.Arbeitsbild(), var::QuellImage), std::pair(bild, bild));
  EXPECT_FALSE(var::BildGeaendert);
}

TEST_F(FarbabwahlTest, EscapeMitNeinBehaeltUndSchliessenFragtNachDemSpeichern) {
  dialoge.ErwarteFrage("Fenster schließen?", false);  // nothing changed yet
  EXPECT_FALSE(m.Escape());
  m.Vergroessern();
  m.PipetteFuellen(0, 0);
  m.Umfaerben(10, 10, "");
  dialoge.ErwarteFrage("Geänderte Werte verwerfen?", false).ErwarteFrage("Das Bild wurde geändert! Speichern?", false);
  EXPECT_TRUE(m.Escape());
  m.Schliessen();
  m.Verlassen();
  EXPECT_EQ(var::QuellImage.Pixel(5, 5), bild.Pixel(0, 0));
  EXPECT_FALSE(var::BildGeaendert);
}

TEST_F(FarbabwahlTest, PalettenbildNimmtJedeFarbeAn) {
  toolkit::TBitmap vier(4, 2, toolkit::TPixelFormat::pf4bit);
  vier.SetPalette(toolkit::StandardPalette16());
  var::QuellImage = vier;
  toolkit::BildAblegen(vier);
  m.Vorbereiten();
  dialoge.Farbe(0x123456).ErwarteFrage("Die Farbe ist in dem Bild nicht vorhanden`\rTrotzdem verwenden (J/N)?", true);
  m.PaletteWaehlen();
  m.Vergroessern();
  m.Umfaerben(2, 2, "");
  m.Verlassen();
  EXPECT_EQ(var::QuellImage.Pixel(1, 1), 0x123456);
}

using FarbabwahlOhneBildTest = imageprep_test::ImageprepFixture;

TEST_F(FarbabwahlOhneBildTest, LeeresBildSperrtAlles) {
  var::Bilddateiname = "FEHLT.BMP";
  testsupport::DialogSkript dialoge;
  dialoge.ErwarteHinweis("Die Datei FEHLT.BMP kann nicht geöffnet werden!");
  TFarbabwahlModell m;
  m.Vorbereiten();
  EXPECT_FALSE(m.BildVorhanden());
  m.Vergroessern();
  EXPECT_EQ(m.Zoomfaktor(), 1);
  EXPECT_EQ(m.Pixel(0, 0), std::nullopt);
  m.Klicken(0, 0);
}

}  // namespace
