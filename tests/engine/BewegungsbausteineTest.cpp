// The pixel-to-move builders: the axes of each working plane, run-in and overrun, the
// plunge into a colour's depth, and pictures one pixel wide.
#include <gtest/gtest.h>

#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using namespace VelkorWinMOVE;
using VelkorWinGrvTXT::Eilgang;
using VelkorWinGrvTXT::WerkzeugUnten;
using VelkorWinMATH::TPunkt3D;

namespace {

class Bewegungsbausteine : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    Teileprogramm({});
    KonfigBlock.MitSatznummern = false;
    KonfigBlock.LeerschritteZwischenAdressen = false;
    KonfigBlock.AktWerkzeug.Durchmesser = 2.0;
    Interpretermodus = TInterpretermodus::Wandlung;
    VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
    Bereich(3, 3);
  }
  // The area of a w x h picture on the 10 mm grid, from (0, 10(h-1), 5).
  void Bereich(int w, int h) {
    Bearbeitungsbereich = {0, 0, static_cast<std::uint16_t>(w - 1), static_cast<std::uint16_t>(h - 1)};
    VelkorWinGrvTXT::Zyklusstartpunkt = {0, 10.0 * (h - 1), 5};
    Zyklusendpunkt = {10.0 * (w - 1), 0, 5};
    VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, static_cast<std::uint16_t>(w - 1), static_cast<std::uint16_t>(h - 1),
                                               0, 10.0 * (h - 1), 10.0 * (w - 1), 0);
  }
  TPunkt3D position{0, 20, 5}, ziel{0, 20, 5};
};

TEST_F(Bewegungsbausteine, EachPlaneTakesItsOwnAxes) {
  position = ziel = {7, 8, 9};
  Eilgang = true;
  PixelAnfahren(true, TEbene::ZX, 3, 1, ziel, position);  // column -> Z, row -> X, Y stays
  Bereich(4, 3);
  EXPECT_EQ(ziel.Y, 8.0);
  Erwarte({"G00 X10.000 Z30.000"}, {});
}

TEST_F(Bewegungsbausteine, TheRunInLiesBeforeTheRowStart) {
  Bearbeitungsbereich.Links = 2;
  Eilgang = true;
  ZeilenAnlaufAnfahren(true, TEbene::XY, 0, 0, ziel, position);
  EXPECT_EQ(ziel.X, 20.0 - 2.0);
  KonfigBlock.Anlauffaktor = 0.0;
  ZeilenAnlaufAnfahren(true, TEbene::XY, 2, 0, ziel, position);
  EXPECT_EQ(ziel.X, 20.0);
  KonfigBlock.Anlauffaktor = 2.0;
  KonfigBlock.AktWerkzeug.Durchmesser = 3.0;
  ZeilenAnlaufAnfahren(true, TEbene::XY, 2, 0, ziel, position);
  EXPECT_EQ(ziel.X, 14.0);
}

TEST_F(Bewegungsbausteine, RunInAndOverrunPointAwayFromTheAreaWhereverItStarts) {
  // An area from its lower right corner to its upper left one.
  VelkorWinGrvTXT::Zyklusstartpunkt = {20, 0, 5};
  Zyklusendpunkt = {0, 20, 5};
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, 2, 2, 20, 0, 0, 20);
  StartAnlaufZeileAnfahren(true, TEbene::XY, ziel, position);
  EXPECT_EQ(ziel.X, 22.0);
  ZeilenUeberlaufAnfahren(true, TEbene::XY, ziel, position);
  EXPECT_EQ(ziel.X, -2.0);
  SpaltenAnlaufAnfahren(true, TEbene::XY, 0, 0, ziel, position);
  EXPECT_EQ(ziel.Y, -2.0);
  SpaltenUeberlaufAnfahren(true, TEbene::XY, ziel, position);
  EXPECT_EQ(ziel.Y, 22.0);
}

TEST_F(Bewegungsbausteine, MovingOverAndPlungingIntoAColour) {
  BildFarbenZaehlen(testsupport::Bild({"W"}));
  KonfigBlock.Farbtiefe[0] = -1.0;
  Eilgang = false;
  UmsetzenUndEintauchen(true, TEbene::XY, testsupport::Farbe('W'), TPunkt3D{10, 10, 0}, ziel, position);
  EXPECT_TRUE(WerkzeugUnten);
  EXPECT_FALSE(Eilgang);
  EXPECT_EQ(position.Z, -1.0);
  Erwarte({"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000"}, {});
}

TEST_F(Bewegungsbausteine, ManyColoursPlungeToTheirGreyDepth) {
  toolkit::TBitmap bild(300, 1);
  for (int x = 0; x < 300; ++x) bild.SetPixel(x, 0, toolkit::RGB(static_cast<std::uint8_t>(x % 256), static_cast<std::uint8_t>(x / 256), 0));
  BildFarbenZaehlen(bild);
  KonfigBlock.Farbtiefe.fill(-9.0);
  FarbtiefeEintauchen(true, TEbene::XY, toolkit::RGB(128, 0, 0), ziel, position);  // grey 38 of 0..76
  EXPECT_GT(position.Z, -2.5);
  EXPECT_LT(position.Z, -1.0);
  EXPECT_TRUE(WerkzeugUnten);
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Bewegungsbausteine, TheRowTheToolIsOnWritesNothing) {
  ZeileAnfahren(true, TEbene::XY, 0, ziel, position);
  SpalteAnfahren(true, TEbene::XY, 0, ziel, position);
  Erwarte({}, {});
}

TEST_F(Bewegungsbausteine, APointFindsItsPixel) {
  int spalte = -1, zeile = -1;
  Eilgang = true;
  PunktAnfahrenPixel(true, TEbene::XY, TPunkt3D{19, 1, 5}, ziel, position, spalte, zeile);
  EXPECT_EQ(spalte, 2);
  EXPECT_EQ(zeile, 2);
  Erwarte({"G00 X19.000 Y1.000"}, {});
}

using EinPixelBreit = testsupport::BildFixture;

TEST_F(EinPixelBreit, APictureOneColumnWideLiesOnTheStartOfItsArea) {
  toolkit::SaveBitmapFile(testsupport::Bild({"R", "R"}), dir.file("Teil.bmp"));
  Teileprogramm({"N10 G90 G00 X40 Y10 Z5 T1", "N20 G189 R2=2", "N30 X60 Y0 P'teil.bmp'", "N40 G80", "N50 M30"});
  Farben("F", {-1});
  EXPECT_TRUE(Wandeln());
  // The column lies on X40; the cut runs over the whole area from the run-in to the overrun.
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X38.000", "G00 Z2.000", "G01 Z-1.000", "G01 X62.000",
                                                       "G00 Z5.000", "G00 Y0.000", "G00 X38.000", "G00 Z2.000",
                                                       "G01 Z-1.000", "G01 X62.000", "G00 Z5.000"}));
}

}  // namespace
