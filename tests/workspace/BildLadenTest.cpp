// The part program's picture: loading it and fitting it into the main window's panel;
// saving a prepared picture as PCX, TGA and BMP (round trips through the image registry, the
// question before an existing file is replaced, its backup, a failing write, the window).
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
#include "toolkit/BitmapFile.h"
#include "toolkit/Picture.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/BildLaden.h"
#include "workspace/ImgSaveForm.h"

namespace {

using VelkorWinVAR::QuellImage;
using VelkorWinVAR::TBildFormat;
using toolkit::TBitmap;

// A picture whose pixel (x, y) tells where it came from: red x % 256, green y % 256, blue
// x / 256 * 16 + y / 256.
toolkit::TColor Ortsfarbe(int x, int y) {
  return toolkit::RGB(static_cast<std::uint8_t>(x % 256), static_cast<std::uint8_t>(y % 256),
                      static_cast<std::uint8_t>((x / 256) * 16 + y / 256));
}
TBitmap Ortsbild(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Ortsfarbe(x, y));
  return b;
}

class BildLaden : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    RasterGraphics::ResetState();
    workspace::BildfeldBreite = 705;
    workspace::BildfeldHoehe = 409;
  }
  testsupport::TempDir dir{true};
  testsupport::DialogSkript skript;
};

struct Einpassfall {
  const char* name;
  int w, h;
  int breite, hoehe;  // shown size
  double faktor;
};

class FitImageToPanel : public BildLaden, public ::testing::WithParamInterface<Einpassfall> {};

TEST_P(FitImageToPanel, ShowsTheScaledPictureWithItsFactorsAndSection) {
  const auto& f = GetParam();
  QuellImage = Ortsbild(f.w, f.h);
  const auto platz = workspace::FitImageToPanel();
  EXPECT_EQ(std::tuple(QuellImage.Width(), QuellImage.Height(), platz.Breite, platz.Hoehe),
            std::tuple(f.breite, f.hoehe, f.breite, f.hoehe));
  EXPECT_DOUBLE_EQ(VelkorWinVAR::Gesamtbildverkleinerung, f.faktor);
  EXPECT_EQ(std::tuple(workspace::BildOrigBreite, workspace::BildOrigHoehe), std::tuple(f.w, f.h));
  // The whole picture, right and bottom exclusive, not chosen.
  const auto& a = VelkorWinVAR::Bildausschnitt;
  EXPECT_EQ(std::tuple(a.Links, a.Oben, a.Rechts, a.Unten, a.Gewaehlt), std::tuple(0, 0, f.breite, f.hoehe, false));
  EXPECT_EQ(VelkorWinVAR::Bildbreite, f.breite);
  // Nearest neighbour: every shown pixel is the source pixel its place maps to.
  for (int y = 0; y < f.hoehe; y += std::max(1, f.hoehe / 7))
    for (int x = 0; x < f.breite; x += std::max(1, f.breite / 9))
      ASSERT_EQ(QuellImage.Pixel(x, y),
                Ortsfarbe(static_cast<int>(std::int64_t{x} * f.w / f.breite),
                          static_cast<int>(std::int64_t{y} * f.h / f.hoehe)))
          << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Groessen, FitImageToPanel,
                         ::testing::Values(Einpassfall{"Passend", 705, 409, 705, 409, 1.0},
                                           Einpassfall{"Klein", 300, 200, 300, 200, 1.0},
                                           Einpassfall{"Quer", 1410, 409, 705, 204, 0.5},
                                           Einpassfall{"Quadrat", 1000, 1000, 409, 409, 0.409},
                                           Einpassfall{"Hochkant", 409, 1636, 102, 409, 0.25},
                                           Einpassfall{"Strich", 10000, 1, 705, 1, 0.0705},
                                           Einpassfall{"Saeule", 1, 5000, 1, 409, 0.0818}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BildLaden, EmptyPictureChangesNothing) {
  VelkorWinVAR::Bildbreite = 7;
  QuellImage = {};
  const auto platz = workspace::FitImageToPanel();
  EXPECT_EQ(platz.Breite, 0);
  EXPECT_EQ(VelkorWinVAR::Bildbreite, 7);
}

TEST_F(BildLaden, LoadsABitmapFoundWithoutRegardToCase) {
  toolkit::SaveBitmapFile(Ortsbild(20, 10), dir.file("teil.bmp"));
  TBitmap b;
  workspace::LoadImageFile("TEIL.BMP", b);
  EXPECT_EQ(b.Width(), 20);
  EXPECT_EQ(b.Pixel(13, 7), Ortsfarbe(13, 7));
}

// A picture class whose files hold no pixels.
class TLeeresBild : public toolkit::TGraphic {
public:
  static const toolkit::TGraphicClass Class;
  const toolkit::TGraphicClass& ClassType() const override { return Class; }
  void LoadFromBytes(std::span<const std::uint8_t>) override {}
};
const toolkit::TGraphicClass TLeeresBild::Class = {"TLeeresBild", &toolkit::MakeGraphic<TLeeresBild>,
                                                   &toolkit::TGraphic::Class};

TEST_F(BildLaden, PictureWithoutPixelsCountsAsUnreadable) {
  toolkit::TPicture::RegisterFileFormat("LEER", "leer", TLeeresBild::Class);
  dir.write("NICHTS.LEER", "irgendwas");
  TBitmap b = Ortsbild(2, 2);
  try {
    workspace::LoadImageFile("NICHTS.LEER", b);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Die Bilddatei NICHTS.LEER enth\xE4lt kein Bild!");
  }
  toolkit::TPicture::UnregisterGraphicClass(TLeeresBild::Class);
  EXPECT_EQ(b, Ortsbild(2, 2));
}

// Files that cannot give a picture: each raises an error whose text can be shown, and
// the picture it was to go into stays as it was.
struct Unlesbar {
  const char* name;
  const char* datei;
  std::string bytes;  // nothing written when empty and `fehlt`
  bool fehlt = false;
};

class LoadImageFileFehler : public BildLaden, public ::testing::WithParamInterface<Unlesbar> {};

TEST_P(LoadImageFileFehler, RaisesAnErrorWithText) {
  const auto& f = GetParam();
  if (!f.fehlt) dir.write(f.datei, f.bytes);
  TBitmap b = Ortsbild(3, 3);
  try {
    workspace::LoadImageFile(f.datei, b);
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STRNE(e.what(), "");
  }
  EXPECT_EQ(b, Ortsbild(3, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Dateien, LoadImageFileFehler,
    ::testing::Values(Unlesbar{"Fehlt", "NICHTDA.BMP", "", true},
                      Unlesbar{"Leer", "LEER.BMP", ""},
                      Unlesbar{"Beschaedigt", "KAPUTT.BMP", std::string("BM\x10\x00\x00\x00garbage-bytes", 20)},
                      Unlesbar{"NullMalNull", "NULL.PPM", "P6\n0 0\n255\n         "},
                      Unlesbar{"UnbekannteEndung", "BILD.XYZ", "kein Bild, keine Endung die jemand kennt"},
                      Unlesbar{"Textdatei", "TEXT.PCX", "Das ist kein Bild, nur ein Text von etwas Laenge.\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

bool GleichePixel(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

std::string FormatName(const ::testing::TestParamInfo<TBildFormat>& info) {
  static const char* const namen[] = {"PCX", "TGA", "BMP"};
  return namen[static_cast<int>(info.param)];
}

class BildSpeichernFormat : public BildLaden, public ::testing::WithParamInterface<TBildFormat> {};

// Each format reads back with the same pixels; an existing file is kept on "Nein" and backed
// up on "Ja".
TEST_P(BildSpeichernFormat, ReadsBackAndAsksBeforeReplacing) {
  const std::string name = workspace::BildSpeichernName("TEIL.CNC", GetParam());
  ASSERT_TRUE(workspace::SaveImage(Ortsbild(37, 11), "TEIL.CNC", GetParam()));
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), Ortsbild(37, 11)));
  EXPECT_FALSE(dir.exists(name + ".tmp"));

  dir.write(name, "alt");
  skript.ErwarteFrage("Die Datei " + name + " existiert bereits. Überschreiben (J/N)?", false);
  EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "TEIL.CNC", GetParam()));
  EXPECT_EQ(dir.read(name), "alt");
  EXPECT_FALSE(dir.exists("TEIL.BAK"));
  skript.ErwarteFrage("Die Datei " + name + " existiert bereits. Überschreiben (J/N)?", true);
  EXPECT_TRUE(workspace::SaveImage(Ortsbild(37, 11), "TEIL.CNC", GetParam()));
  EXPECT_EQ(dir.read("TEIL.BAK"), "alt");
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), Ortsbild(37, 11)));
}

INSTANTIATE_TEST_SUITE_P(Formate, BildSpeichernFormat,
                         ::testing::Values(TBildFormat::PCX, TBildFormat::TGA, TBildFormat::BMP),
                         FormatName);

TEST_F(BildLaden, IndexedPictureKeepsItsColours) {
  TBitmap b(5, 3, toolkit::TPixelFormat::pf8bit);
  b.SetPalette(std::vector<toolkit::TColor>{0x000000, 0x0000FF, 0x00FF00, 0xFF0000});
  for (int x = 0; x < 5; ++x) b.SetPixel(x, 1, 0x00FF00);
  for (TBildFormat f : {TBildFormat::PCX, TBildFormat::TGA, TBildFormat::BMP}) {
    ASSERT_TRUE(workspace::SaveImage(b, "IDX", f));
    EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(workspace::BildSpeichernName("IDX", f)), b));
  }
}

TEST_F(BildLaden, FailingWriteLeavesTheOldFileAndItsBackupAndGivesOneNotice) {
  dir.write("BILD.TGA", "alt");
  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(dir.file("BILD.TGA.tmp"));
  dir.write("BILD.TGA.tmp/x", "x");
  skript.ErwarteFrage("Die Datei BILD.TGA existiert bereits. Überschreiben (J/N)?", true);
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.TGA: Is a directory");
  EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "BILD.PCX", TBildFormat::TGA));
  EXPECT_EQ(dir.read("BILD.TGA"), "alt");
  EXPECT_EQ(dir.read("BILD.BAK"), "alt");
}

TEST_F(BildLaden, TargetThatIsAFolderGivesOneNoticeNamingIt) {
  std::filesystem::create_directory(dir.file("BILD.PCX"));
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.PCX: Is a directory");
  EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "BILD.TGA", TBildFormat::PCX));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("BILD.PCX")));
}

TEST_F(BildLaden, EmptyPictureIsRefusedWithOneNotice) {
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei LEER.bmp: Cannot save an empty bitmap.");
  EXPECT_FALSE(workspace::SaveImage(TBitmap(), "LEER.X", TBildFormat::BMP));
  EXPECT_FALSE(dir.exists("LEER.bmp"));
}

// The window: the chosen format is saved beside the picture file.
class ImgSaveFormTest : public BildLaden {
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
  VelkorWinVAR::QuellImage = Ortsbild(37, 11);
  Klicke("GrafikRadio0", "EndButton");  // "Nicht speichern"
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  Klicke("GrafikRadio2", "SaveButton");  // no name: saved as "Unbenannt"
  EXPECT_TRUE(dir.exists("Unbenannt.bmp"));
  VelkorWinVAR::Bilddateiname = "TEIL.PCX";
  Klicke("GrafikRadio1", "SaveButton");
  EXPECT_EQ(workspace::Bildformat, TBildFormat::TGA);
  EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile("TEIL.TGA"), Ortsbild(37, 11)));
  EXPECT_FALSE(dir.exists("TEIL.PCX"));
}

}  // namespace
