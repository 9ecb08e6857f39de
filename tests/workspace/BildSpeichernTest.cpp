// Saving a prepared picture as PCX, TGA and BMP: names, round trips through the image
// registry, the question before an existing file is replaced, its backup, a failing write.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>

#include "engine/EngineReset.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "qtsupport/DialogSkript.h"
#include "support/TempDir.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/BildLaden.h"
#include "workspace/ImgSaveForm.h"

namespace {

using VelkorWinVAR::TBildFormat;
using toolkit::TBitmap;

TBitmap Muster() {
  TBitmap b(37, 11);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 37; ++x)
      b.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 23),
                                    static_cast<std::uint8_t>((x + y) % 3 * 100)));
  return b;
}

bool GleichePixel(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

class BildSpeichern : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    RasterGraphics::ResetState();
  }
  testsupport::TempDir dir{true};
  testsupport::DialogSkript skript;
};

std::string FormatName(const ::testing::TestParamInfo<TBildFormat>& info) {
  static const char* const namen[] = {"PCX", "TGA", "BMP"};
  return namen[static_cast<int>(info.param)];
}

class BildSpeichernFormat : public BildSpeichern, public ::testing::WithParamInterface<TBildFormat> {};

// Each format reads back with the same pixels; an existing file is kept on "Nein" and backed
// up on "Ja".
TEST_P(BildSpeichernFormat, ReadsBackAndAsksBeforeReplacing) {
  const std::string name = workspace::BildSpeichernName("TEIL.CNC", GetParam());
  ASSERT_TRUE(workspace::SaveImage(Muster(), "TEIL.CNC", GetParam()));
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), Muster()));
  EXPECT_FALSE(dir.exists(name + ".tmp"));

  dir.write(name, "alt");
  skript.ErwarteFrage("Die Datei " + name + " existiert bereits. Überschreiben (J/N)?", false);
  EXPECT_FALSE(workspace::SaveImage(Muster(), "TEIL.CNC", GetParam()));
  EXPECT_EQ(dir.read(name), "alt");
  EXPECT_FALSE(dir.exists("TEIL.BAK"));
  skript.ErwarteFrage("Die Datei " + name + " existiert bereits. Überschreiben (J/N)?", true);
  EXPECT_TRUE(workspace::SaveImage(Muster(), "TEIL.CNC", GetParam()));
  EXPECT_EQ(dir.read("TEIL.BAK"), "alt");
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), Muster()));
}

INSTANTIATE_TEST_SUITE_P(Formate, BildSpeichernFormat,
                         ::testing::Values(TBildFormat::PCX, TBildFormat::TGA, TBildFormat::BMP),
                         FormatName);

TEST_F(BildSpeichern, IndexedPictureKeepsItsColours) {
  TBitmap b(5, 3, toolkit::TPixelFormat::pf8bit);
  b.SetPalette(std::vector<toolkit::TColor>{0x000000, 0x0000FF, 0x00FF00, 0xFF0000});
  for (int x = 0; x < 5; ++x) b.SetPixel(x, 1, 0x00FF00);
  for (TBildFormat f : {TBildFormat::PCX, TBildFormat::TGA, TBildFormat::BMP}) {
    ASSERT_TRUE(workspace::SaveImage(b, "IDX", f));
    EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(workspace::BildSpeichernName("IDX", f)), b));
  }
}

TEST_F(BildSpeichern, FailingWriteLeavesTheOldFileAndItsBackupAndGivesOneNotice) {
  dir.write("BILD.TGA", "alt");
  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(dir.file("BILD.TGA.tmp"));
  dir.write("BILD.TGA.tmp/x", "x");
  skript.ErwarteFrage("Die Datei BILD.TGA existiert bereits. Überschreiben (J/N)?", true);
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.TGA: Is a directory");
  EXPECT_FALSE(workspace::SaveImage(Muster(), "BILD.PCX", TBildFormat::TGA));
  EXPECT_EQ(dir.read("BILD.TGA"), "alt");
  EXPECT_EQ(dir.read("BILD.BAK"), "alt");
}

TEST_F(BildSpeichern, TargetThatIsAFolderGivesOneNoticeNamingIt) {
  std::filesystem::create_directory(dir.file("BILD.PCX"));
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.PCX: Is a directory");
  EXPECT_FALSE(workspace::SaveImage(Muster(), "BILD.TGA", TBildFormat::PCX));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("BILD.PCX")));
}

TEST_F(BildSpeichern, EmptyPictureIsRefusedWithOneNotice) {
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei LEER.bmp: Cannot save an empty bitmap.");
  EXPECT_FALSE(workspace::SaveImage(TBitmap(), "LEER.X", TBildFormat::BMP));
  EXPECT_FALSE(dir.exists("LEER.bmp"));
}

// The window: the chosen format is saved beside the picture file.
class ImgSaveFormTest : public BildSpeichern {
protected:
  // Shows the window modally and, once it is up, clicks `radio` (when given) and `knopf`.
  void Klicke(const char* radio, const char* knopf) {
    QTimer::singleShot(0, [&] {
      if (radio) form.findChild<QRadioButton*>(radio)->click();
      form.findChild<QPushButton*>(knopf)->click();
    });
    ASSERT_TRUE(toolkit::qt::FensterZeigen("TImgSaveForm"));
  }
  TImgSaveForm form;
};

TEST_F(ImgSaveFormTest, SavesTheChosenFormatBesideThePicture) {
  VelkorWinVAR::QuellImage = Muster();
  Klicke("GrafikRadio0", "EndButton");  // "Nicht speichern"
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  Klicke("GrafikRadio2", "SaveButton");  // no name: saved as "Unbenannt"
  EXPECT_TRUE(dir.exists("Unbenannt.bmp"));
  VelkorWinVAR::Bilddateiname = "TEIL.PCX";
  Klicke("GrafikRadio1", "SaveButton");
  EXPECT_EQ(workspace::Bildformat, TBildFormat::TGA);
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile("TEIL.TGA"), Muster()));
  EXPECT_FALSE(dir.exists("TEIL.PCX"));
}

}  // namespace
