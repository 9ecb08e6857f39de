#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "imageio/Save_as_PCX_Unit.h"
#include "support/TempDir.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/GraphicError.h"

using namespace RasterGraphics;
using toolkit::TPicture::ClassForExtension;
using toolkit::TPicture::DescriptionForExtension;
using Bytes = std::vector<std::uint8_t>;

class Registry : public ::testing::Test {
protected:
  void SetUp() override { ResetState(); }
  void TearDown() override { ResetState(); }
};

TEST_F(Registry, StartUpTableAndDescriptions) {
  EXPECT_EQ(FileFormatList.ExtensionList().size(), 39u);
  std::vector<std::string> order;
  for (const auto& c : FileFormatList.ClassList())
    if (c->GraphicClass->InheritsFrom(TRasterGraphic::Class)) order.push_back(c->GraphicClass->ClassName);
  EXPECT_EQ(order, (std::vector<std::string>{"TTargaGraphic", "TTIFFGraphic", "TEPSGraphic", "TPCXGraphic", "TRLAGraphic",
                                             "TSGIGraphic", "TPSDGraphic", "TPPMGraphic", "TAutodeskGraphic", "TPCDGraphic",
                                             "TCUTGraphic", "TPSPGraphic", "TPNGGraphic"}));
  EXPECT_EQ(DescriptionForExtension("vst"), "Truevision images");
  EXPECT_EQ(DescriptionForExtension("emf"), "Windows enhanced meta files");
  EXPECT_EQ(DescriptionForExtension("wmf"), "Windows metafiles");
  EXPECT_EQ(DescriptionForExtension("pcc"), "ZSoft Paintbrush images");
  EXPECT_EQ(DescriptionForExtension("jpg"), "JPG images");
  EXPECT_EQ(ClassForExtension("DIB"), &toolkit::TBitmapGraphic::Class);
  EXPECT_EQ(FileFormatList.FindExtension("TGA"), FileFormatList.FindExtension("tga"));
  EXPECT_EQ(FileFormatList.FindExtension("Tga"), 13);
  EXPECT_EQ(FileFormatList.FindExtension(""), -1);
  const auto& jpeg = *FileFormatList.ClassList()[static_cast<std::size_t>(FileFormatList.FindGraphicClass(toolkit::TJPEGImage::Class))];
  EXPECT_EQ(jpeg.Description, "JPG images");
  EXPECT_EQ(jpeg.Count, 4);
}

TEST_F(Registry, DuplicatesReplacementAndRemoval) {
  try {
    FileFormatList.RegisterFileFormat("bmp", "", "", ftRaster, false, TPCXGraphic::Class);
    FAIL();
  } catch (const toolkit::EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Attempt to register bmp twice.");
  }
  // Replace moves "ico" to the PCX reader; the icon class, left without extensions, goes.
  FileFormatList.RegisterFileFormat("ICO", "", "", ftRaster, true, TPCXGraphic::Class);
  EXPECT_EQ(FileFormatList.FindGraphicClass(toolkit::TIcon::Class), -1);
  EXPECT_EQ(ClassForExtension("ico"), &TPCXGraphic::Class);
  EXPECT_EQ(DescriptionForExtension("ico"), "ZSoft Paintbrush images");
  FileFormatList.UnregisterFileFormat("pcx", nullptr);
  FileFormatList.UnregisterFileFormat("nope", nullptr);
  EXPECT_EQ(FileFormatList.FindExtension("pcx"), -1);
  EXPECT_NE(FileFormatList.FindExtension("pcc"), -1);
  FileFormatList.UnregisterFileFormat("", &TPCXGraphic::Class);
  EXPECT_EQ(ClassForExtension("scr"), nullptr);
  EXPECT_EQ(ClassForExtension("ico"), nullptr);
  EXPECT_EQ(FileFormatList.FindGraphicClass(TPCXGraphic::Class), -1);
  FileFormatList.RegisterFileFormat("", "x", "y", ftRaster, false, TPCXGraphic::Class);  // nothing
  EXPECT_EQ(FileFormatList.FindGraphicClass(TPCXGraphic::Class), -1);
  UnregisterStandardFormats();
  EXPECT_EQ(FileFormatList.FindExtension("rle"), -1);
  EXPECT_NE(FileFormatList.FindExtension("bmp"), -1);
  EXPECT_EQ(ClassForExtension("png"), nullptr);
}

TEST_F(Registry, ContentFirstThenExtension) {
  testsupport::TempDir dir;
  toolkit::TBitmap b(3, 2, toolkit::TPixelFormat::pf24bit);
  b.SetPixel(2, 1, toolkit::RGB(1, 2, 3));
  const std::string pcx = Save_as_PCX_Unit::SaveImageAsPCX(b, dir.path().string() + "/", "BILD.TGA");
  std::filesystem::rename(pcx, dir.file("BILD.TGA"));  // a PCX under a Targa name: content wins
  EXPECT_EQ(FileFormatList.GraphicFromContent(dir.file("BILD.TGA")), &TPCXGraphic::Class);
  auto g = LoadGraphicFile(dir.file("BILD.TGA"));
  EXPECT_EQ(&g->ClassType(), &TPCXGraphic::Class);
  EXPECT_EQ(g->Pixel(2, 1), toolkit::RGB(1, 2, 3));

  toolkit::SaveBitmapFile(b, dir.file("bild.bmp"));
  EXPECT_EQ(FileFormatList.GraphicFromContent(dir.file("bild.bmp")), nullptr);
  EXPECT_EQ(&LoadGraphicFile(dir.file("bild.bmp"))->ClassType(), &toolkit::TBitmapGraphic::Class);

  std::mt19937 random(3);
  for (std::size_t size : {0u, 8u, 300u}) {
    Bytes noise(size);
    for (auto& x : noise) x = static_cast<std::uint8_t>(random());
    EXPECT_EQ(FileFormatList.GraphicFromContent(noise), nullptr) << size;
  }
  dir.write("x.xyz", "data");
  EXPECT_THROW(
      {
        try {
          LoadGraphicFile(dir.file("x.xyz"));
        } catch (const toolkit::EInvalidGraphic& e) {
          EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
          throw;
        }
      },
      toolkit::EInvalidGraphic);
  EXPECT_THROW(LoadGraphicFile(dir.file("missing.pcx")), toolkit::EFileError);
  dir.write("a.png", "\x89PNG\r\n\x1a\n");
  try {
    LoadGraphicFile(dir.file("a.png"));
    FAIL();
  } catch (const toolkit::EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Cannot load image. Invalid or unexpected PNG image format.");
  }
  dir.write("a.wmf", "metafile");
  EXPECT_THROW(LoadGraphicFile(dir.file("a.wmf")), toolkit::EInvalidGraphic);
}

TEST(ReaderHelpers, PredictorAndByteSwaps) {
  Bytes row = {10, 20, 30, 1, 1, 1, 2, 2, 2};
  ApplyPredictor8(row, 2, 3);
  EXPECT_EQ(row, (Bytes{10, 20, 30, 11, 21, 31, 13, 23, 33}));
  EXPECT_THROW(ApplyPredictor8(row, 3, 3), std::invalid_argument);
  EXPECT_EQ(SwapLong(0x11223344), 0x44332211u);
  std::vector<std::uint16_t> words = {0x1234, 0xABCD};
  SwapShortArray(words);
  EXPECT_EQ(words, (std::vector<std::uint16_t>{0x3412, 0xCDAB}));
  std::vector<std::uint32_t> longs = {0x01020304};
  SwapLongArray(longs);
  EXPECT_EQ(longs[0], 0x04030201u);
}

TEST(ReaderHelpers, UpsamplePlaneDoublesInPlaceWithinItsRoom) {
  Bytes plane(16, 0);
  plane[0] = 0, plane[1] = 100, plane[4] = 200, plane[5] = 50;  // 2 x 2, rows 4 apart
  UpsamplePlane(2, 2, 4, plane);
  EXPECT_EQ(plane, (Bytes{0, 50, 100, 100, 100, 88, 75, 75, 200, 125, 50, 50, 200, 125, 50, 50}));
  Bytes single = {7, 0, 0, 0};
  UpsamplePlane(1, 1, 2, single);
  EXPECT_EQ(single, (Bytes{7, 7, 7, 7}));
  Bytes line = {10, 20, 30, 0, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};  // 3 x 1 in 6 x 2; nothing after
  UpsamplePlane(3, 1, 6, std::span(line).first(12));
  EXPECT_EQ(line, (Bytes{10, 15, 20, 25, 30, 30, 10, 15, 20, 25, 30, 30}));
  UpsamplePlane(0, 5, 0, {});
  EXPECT_THROW(UpsamplePlane(2, 2, 3, plane), std::invalid_argument);
  EXPECT_THROW(UpsamplePlane(2, 3, 4, plane), std::invalid_argument);
}

TEST(PictureWriters, AFileThatCannotBeCreatedIsNamedWithTheReason) {
  testsupport::TempDir dir;
  toolkit::TBitmap picture(2, 2, toolkit::TPixelFormat::pf24bit);
  const std::string target = dir.file("missing/BILD");
  const std::string expected =
      "Die Datei \"" + target + "\" kann nicht angelegt werden: Datei oder Verzeichnis nicht gefunden";
  Save_as_PCX_Unit::TPCX_Image pcx;
  pcx.Assign(picture);
  TTargaGraphic tga;
  tga.Assign(picture);
  for (const auto& save : std::vector<std::function<void()>>{[&] { pcx.SaveToFile(target); }, [&] { tga.SaveToFile(target); }}) {
    try {
      save();
      ADD_FAILURE() << "saved";
    } catch (const toolkit::EFileError& e) {
      EXPECT_EQ(e.what(), expected);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}
