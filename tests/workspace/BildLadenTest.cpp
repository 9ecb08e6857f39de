// The part program's picture: loading it and fitting it into the main window's panel;
// saving a prepared picture as PCX, TGA and BMP (round trips through the image registry, the
// question before an existing file is replaced, its backup, a failing write, the window).
#include <gtest/gtest.h>

#include <QRadioButton>
#include <filesystem>

#include "engine/EngineReset.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
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

// Fitted into the 705 x 409 panel, never enlarged, at least one pixel either way.
TEST_F(BildLaden, FitImageToPanelShowsTheScaledPictureWithItsFactorsAndSection) {
  const struct {
    int w, h;
    int breite, hoehe;  // shown size
    double faktor;
  } faelle[] = {{705, 409, 705, 409, 1.0},    {300, 200, 300, 200, 1.0},   {1410, 409, 705, 204, 0.5},
                {1000, 1000, 409, 409, 0.409}, {409, 1636, 102, 409, 0.25}, {10000, 1, 705, 1, 0.0705},
                {1, 5000, 1, 409, 0.0818}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::to_string(f.w) + "x" + std::to_string(f.h));
    QuellImage = Ortsbild(f.w, f.h);
    const auto platz = workspace::FitImageToPanel();
    EXPECT_DOUBLE_EQ(VelkorWinVAR::Gesamtbildverkleinerung, f.faktor);
    // The section is the whole picture, right and bottom exclusive, not chosen.
    const auto& a = VelkorWinVAR::Bildausschnitt;
    EXPECT_EQ(std::tuple(QuellImage.Width(), QuellImage.Height(), platz.Breite, platz.Hoehe, workspace::BildOrigBreite,
                         workspace::BildOrigHoehe, a.Links, a.Oben, a.Rechts, a.Unten, a.Gewaehlt,
                         VelkorWinVAR::Bildbreite),
              std::tuple(f.breite, f.hoehe, f.breite, f.hoehe, f.w, f.h, 0, 0, f.breite, f.hoehe, false, f.breite));
    // Nearest neighbour: every shown pixel is the source pixel its place maps to.
    for (int y = 0; y < f.hoehe; y += std::max(1, f.hoehe / 7))
      for (int x = 0; x < f.breite; x += std::max(1, f.breite / 9))
        ASSERT_EQ(QuellImage.Pixel(x, y),
                  Ortsfarbe(static_cast<int>(std::int64_t{x} * f.w / f.breite),
                            static_cast<int>(std::int64_t{y} * f.h / f.hoehe)))
            << x << "," << y;
  }
}

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

// Files that cannot give a picture (none, empty, damaged, 0 x 0, unknown ending, text):
// each raises an error whose text can be shown, and the picture stays as it was.
TEST_F(BildLaden, UnreadableFilesRaiseAnErrorWithText) {
  const std::pair<const char*, std::string> faelle[] = {
      {"NICHTDA.BMP", ""},
      {"LEER.BMP", ""},
      {"KAPUTT.BMP", std::string("BM\x10\x00\x00\x00garbage-bytes", 20)},
      {"NULL.PPM", "P6\n0 0\n255\n         "},
      {"BILD.XYZ", "kein Bild, keine Endung die jemand kennt"},
      {"TEXT.PCX", "Das ist kein Bild, nur ein Text von etwas Laenge.\r\n"}};
  dir.write("LEER.BMP", "");
  for (const auto& [datei, bytes] : faelle) {
    SCOPED_TRACE(datei);
    if (!bytes.empty()) dir.write(datei, bytes);
    TBitmap b = Ortsbild(3, 3);
    try {
      workspace::LoadImageFile(datei, b);
      ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
      EXPECT_STRNE(e.what(), "");
    }
    EXPECT_EQ(b, Ortsbild(3, 3));
  }
}

bool GleichePixel(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// Each format reads back with the same pixels, indexed pictures too; an existing file is kept
// on "Nein" and backed up on "Ja".
TEST_F(BildLaden, EachFormatReadsBackAndAsksBeforeReplacing) {
  TBitmap indiziert(5, 3, toolkit::TPixelFormat::pf8bit);
  indiziert.SetPalette(std::vector<toolkit::TColor>{0x000000, 0x0000FF, 0x00FF00, 0xFF0000});
  for (int x = 0; x < 5; ++x) indiziert.SetPixel(x, 1, 0x00FF00);
  for (TBildFormat format : {TBildFormat::PCX, TBildFormat::TGA, TBildFormat::BMP}) {
    const std::string name = workspace::BildSpeichernName("TEIL.CNC", format);
    SCOPED_TRACE(name);
    ASSERT_TRUE(workspace::SaveImage(indiziert, "TEIL.CNC", format));
    EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), indiziert));
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      EXPECT_NE(e.path().extension(), ".tmp") << e.path();  // no temporary file left

    dir.write(name, "alt");
    std::filesystem::remove(dir.file("TEIL.BAK"));
    const std::string frage = "Die Datei " + name + " existiert bereits. Überschreiben (J/N)?";
    skript.ErwarteFrage(frage, false);
    EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "TEIL.CNC", format));
    EXPECT_EQ(dir.read(name), "alt");
    EXPECT_FALSE(dir.exists("TEIL.BAK"));
    skript.ErwarteFrage(frage, true);
    EXPECT_TRUE(workspace::SaveImage(Ortsbild(37, 11), "TEIL.CNC", format));
    EXPECT_EQ(dir.read("TEIL.BAK"), "alt");
    EXPECT_TRUE(GleichePixel(*RasterGraphics::LoadGraphicFile(name), Ortsbild(37, 11)));
  }
}

// A failing write (the temporary file blocked by a folder, the target a folder, an empty
// picture) gives one notice naming the file and keeps what was there.
TEST_F(BildLaden, FailingSaveGivesOneNoticeAndKeepsWhatWasThere) {
  dir.write("BILD.TGA", "alt");
  std::filesystem::permissions(dir.file("BILD.TGA"), std::filesystem::perms::owner_read);  // write-protected
  skript.ErwarteFrage("Die Datei BILD.TGA existiert bereits. Überschreiben (J/N)?", true);
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.TGA: Keine Berechtigung");
  EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "BILD.PCX", TBildFormat::TGA));
  EXPECT_EQ(dir.read("BILD.TGA"), "alt");
  EXPECT_EQ(dir.read("BILD.BAK"), "alt");

  std::filesystem::create_directory(dir.file("BILD.PCX"));
  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei BILD.PCX: Ist ein Verzeichnis");
  EXPECT_FALSE(workspace::SaveImage(Ortsbild(37, 11), "BILD.TGA", TBildFormat::PCX));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("BILD.PCX")));

  skript.ErwarteHinweis("Fehler beim Speichern der Bilddatei LEER.bmp: Cannot save an empty bitmap.");
  EXPECT_FALSE(workspace::SaveImage(TBitmap(), "LEER.X", TBildFormat::BMP));
  EXPECT_FALSE(dir.exists("LEER.bmp"));
}

// The window: the chosen format is saved beside the picture file.
TEST_F(BildLaden, SaveWindowSavesTheChosenFormatBesideThePicture) {
  TImgSaveForm form;
  // Shows the window modally and, once it is up, clicks `radio` and `knopf`.
  auto Klicke = [](const char* radio, const char* knopf) {
    testsupport::Spaeter([=] {
      testsupport::Kind<QRadioButton>(radio)->click();
      testsupport::Klick(knopf);
    });
    ASSERT_TRUE(toolkit::qt::FensterZeigen<imageprep::TBildSpeicherfenster>());
  };
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
