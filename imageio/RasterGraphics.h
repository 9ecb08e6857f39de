#pragma once
// The image readers: the reader base TRasterGraphic (a picture that reads one raster format
// into the bitmap it is), the format registry FileFormatList that maps extensions to reader
// classes and picks a reader by a file's content, and the helpers all readers share. Each
// reader lives in its own source file, RasterGraphics_<Format>.cpp.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imageio/RasterColor.h"
#include "toolkit/Picture.h"

namespace RasterGraphics {

enum class TCompressionType : std::uint8_t {
  ctUnknown, ctNone, ctRLE, ctPackedBits, ctLZW, ctFax3, ctFaxRLE, ctFax4, ctFaxRLEW, ctLZ77, ctJPEG, ctOJPEG,
  ctThunderscan, ctNext, ctIT8CTPAD, ctIT8LW, ctIT8MP, ctIT8BL, ctPixarFilm, ctPixarLog, ctDCS, ctJBIG,
  ctPCDHuffmann
};

// TImageOptions: a set of these bits.
using TImageOptions = std::uint8_t;
inline constexpr TImageOptions ioTiled = 1, ioBigEndian = 2, ioMinIsWhite = 4, ioReversed = 8, ioUseGamma = 16;

struct TImageProperties {
  std::uint32_t Version = 0;
  TImageOptions Options = 0;
  std::uint32_t Width = 0, Height = 0;
  RasterColor::TColorScheme ColorScheme = RasterColor::TColorScheme::Unknown;
  std::uint8_t BitsPerSample = 0, SamplesPerPixel = 0, BitsPerPixel = 0;
  TCompressionType Compression = TCompressionType::ctUnknown;
  float FileGamma = 1.0f;
  float XResolution = 0, YResolution = 0;
  bool Interlaced = false, HasAlpha = false;
  std::uint32_t FirstIFD = 0, PlanarConfig = 0, CurrentRow = 0, TileWidth = 0, TileLength = 0, BytesPerLine = 0;
  std::vector<std::uint32_t> RowsPerStrip;
  std::vector<std::uint8_t> YCbCrSubSampling, JPEGTables;
  std::uint32_t JPEGColorMode = 0, JPEGTablesMode = 0;
  std::int32_t CurrentStrip = 0, StripCount = 0, Predictor = 0;
  bool Overview = false;
  std::uint8_t Rotate = 0;
  std::uint16_t ImageCount = 0;
  bool BottomUp = false;
  std::uint8_t Channels = 0, FilterMode = 0;
};

// The reader base. A reader's content test is a static CanLoad(bytes) named in its class
// reference; it never changes anything.
class TRasterGraphic : public toolkit::TGraphic {
public:
  static const toolkit::TGraphicClass Class;
  // Reads the header of image `imageIndex` into the image properties; true when it is valid.
  // The base clears the record (FileGamma 1.0) and answers false.
  virtual bool ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex);
  const TImageProperties& ImageProperties() const { return FImageProperties; }
  RasterColor::TColorManager& ColorManager() { return FColorManager; }

protected:
  // Empties the picture and puts the colour manager back to its start values: every load
  // starts from nothing an earlier load left.
  void BeginLoad();
  // Ends the "Transfering..." progress and takes over the decoded picture.
  void EndLoad(toolkit::TBitmap&& picture);
  // The "Transfering..." progress once `rowsDone` of `rows` rows are in the bitmap.
  void RowProgress(std::uint64_t rowsDone, std::uint64_t rows) const;

  RasterColor::TColorManager FColorManager;
  TImageProperties FImageProperties;
};

// Declares a reader class with its class reference, content test, header reader and loader.
// VELKOR_READER_BASICS is that part alone, for a reader class that adds members of its own.
#define VELKOR_READER_BASICS                                                                \
 public:                                                                                    \
  static const toolkit::TGraphicClass Class;                                                \
  const toolkit::TGraphicClass& ClassType() const override { return Class; }                \
  static bool CanLoad(std::span<const std::uint8_t> bytes);                                 \
  bool ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) override; \
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;

#define VELKOR_RASTER_READER(Name, ParentClass) \
  class Name : public ParentClass {             \
    VELKOR_READER_BASICS                        \
  }

// Defines a reader class's class reference (in its source): the class name, how to make
// one, the parent class and the content test.
#define VELKOR_DEFINE_READER_CLASS(Name, ParentClass) \
  const toolkit::TGraphicClass Name::Class = {#Name, &toolkit::MakeGraphic<Name>, &ParentClass::Class, &Name::CanLoad}

// Truevision Targa: reads types 1-3 and 9-11 and is the one reader that also writes.
class TTargaGraphic : public TRasterGraphic {
  VELKOR_READER_BASICS
  // Takes over the picture's pixels, format and palette.
  void Assign(const toolkit::TBitmap& bitmap) { static_cast<toolkit::TBitmap&>(*this) = bitmap; }
  // The picture as a run-length coded Targa file; std::runtime_error for an empty picture
  // ("The bitmap is empty") and for one wider or higher than 65535 pixels.
  std::vector<std::uint8_t> SaveToBytes() const;
  // Writes through a temporary file; EFileError names the file and the reason.
  void SaveToFile(const std::string& fileName) const;
};
// TIFF 6.0 in strips, both byte orders: the first image of the file.
class TTIFFGraphic : public TRasterGraphic {
  VELKOR_READER_BASICS

  // One directory entry in host byte order; ValueAt is where its values start in the TIFF
  // data (inside the entry when they fit in four bytes).
  struct TIFDEntry {
    std::uint16_t Tag = 0, DataType = 0;
    std::uint32_t DataLength = 0;
    std::size_t ValueAt = 0;
  };

private:
  // Tag access on the directory read last; `tiff` are the bytes it was read from.
  bool FindTag(std::uint16_t tag, std::size_t& index) const;
  std::uint32_t GetValue(std::span<const std::uint8_t> tiff, std::uint16_t tag, std::uint32_t fallback) const;
  float GetFloatValue(std::span<const std::uint8_t> tiff, std::uint16_t tag, float fallback) const;
  std::vector<std::uint32_t> GetValueList(std::span<const std::uint8_t> tiff, std::uint16_t tag) const;
  std::vector<float> GetFloatList(std::span<const std::uint8_t> tiff, std::uint16_t tag) const;
  std::span<const std::uint8_t> GetBytes(std::span<const std::uint8_t> tiff, std::uint16_t tag) const;
  std::span<const std::uint8_t> ColorMapOf(std::span<const std::uint8_t> tiff, std::uint32_t& count) const;
  void ReadDirectory(std::span<const std::uint8_t> tiff, std::size_t offset);

  std::vector<TIFDEntry> FIFD;
  std::uint32_t FYCbCrPositioning = 1;
  std::vector<float> FYCbCrCoefficients;
};

// The TIFF preview of a DOS-binary Encapsulated PostScript file; its image properties are
// the preview's.
VELKOR_RASTER_READER(TEPSGraphic, TTIFFGraphic);

VELKOR_RASTER_READER(TPCXGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TRLAGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TSGIGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TPSDGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TPPMGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TAutodeskGraphic, TRasterGraphic);
VELKOR_RASTER_READER(TPCDGraphic, TRasterGraphic);
// Dr. Halo CUT, coloured by the palette file of the same name with the extension ".pal".
class TCUTGraphic : public TRasterGraphic {
  VELKOR_READER_BASICS
  // Sets FPaletteFile from the file name, then loads.
  void LoadFromFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes) override;
  std::string FPaletteFile;  // "" or missing: a grey palette
};
VELKOR_RASTER_READER(TPSPGraphic, TRasterGraphic);
// Portable Network Graphics: every colour type and bit depth, Adam7 interlacing, gamma.
class TPNGGraphic : public TRasterGraphic {
  VELKOR_READER_BASICS

  // What the last load found besides the pixels: the bKGD colour (white without one), the
  // tRNS colour of a grey or RGB picture (0x1FFFFFFF without one) and the tRNS alpha of
  // each palette entry (empty without one; 255 past the stored values).
  toolkit::TColor BackgroundColor() const { return FBackgroundColor; }
  toolkit::TColor TransparentColor() const { return FTransparentColor; }
  const std::vector<std::uint8_t>& Transparency() const { return FTransparency; }

private:
  struct TLoad;
  std::uint32_t SetupColorDepth(int colorType, int bitDepth);
  void ReadImageData(TLoad& load, toolkit::TBitmap& bitmap);

  std::uint32_t FBytesPerPixel = 1;
  std::vector<toolkit::TColor> FPalette;
  std::vector<std::uint8_t> FTransparency;
  toolkit::TColor FTransparentColor = 0x1FFFFFFF;
  toolkit::TColor FBackgroundColor = 0xFFFFFF;
};

// ---- The format registry ----

// TFormatTypes: a set of these bits, stored with each extension.
using TFormatTypes = std::uint8_t;
inline constexpr TFormatTypes ftRaster = 1, ftMultiImage = 2, ftVector = 4, ftLayered = 8;

struct TClassEntry {
  const toolkit::TGraphicClass* GraphicClass;
  std::string Description;
  int Count = 0;
};

struct TExtensionEntry {
  std::string Extension;
  std::string Description;
  TFormatTypes FormatTypes = 0;
  TClassEntry* ClassReference = nullptr;
};

class TFileFormatList {
public:
  TFileFormatList() = default;
  TFileFormatList(const TFileFormatList&) = delete;
  TFileFormatList& operator=(const TFileFormatList&) = delete;
  ~TFileFormatList();

  // Unregisters every class from the picture registry and empties both lists.
  void Clear();
  int FindExtension(std::string_view extension) const;  // ignoring case; -1 for "" or none
  int FindGraphicClass(const toolkit::TGraphicClass& graphicClass) const;
  void RegisterFileFormat(const std::string& extension, const std::string& common, const std::string& individual,
                          TFormatTypes formatTypes, bool replace, const toolkit::TGraphicClass& graphicClass);
  // With an extension: that extension; with "" and a class: every extension of the class.
  void UnregisterFileFormat(const std::string& extension, const toolkit::TGraphicClass* graphicClass);
  // The first registered reader class whose content test accepts the bytes (only classes
  // below TRasterGraphic are asked); nullptr when none does.
  const toolkit::TGraphicClass* GraphicFromContent(std::span<const std::uint8_t> bytes) const;
  // The same for a file (EFileError when it cannot be read).
  const toolkit::TGraphicClass* GraphicFromContent(const std::string& fileName) const;

  const std::vector<std::unique_ptr<TClassEntry>>& ClassList() const { return FClassList; }
  const std::vector<std::unique_ptr<TExtensionEntry>>& ExtensionList() const { return FExtensionList; }

private:
  TClassEntry& SettleClass(const toolkit::TGraphicClass& graphicClass, const std::string& common);
  void DropClassIfUnused(TClassEntry* entry);

  std::vector<std::unique_ptr<TClassEntry>> FClassList;
  std::vector<std::unique_ptr<TExtensionEntry>> FExtensionList;
};

extern TFileFormatList FileFormatList;

// Registers every format of the program, in the start-up order.
void RegisterStandardFormats();
// The start-up unregistration.
void UnregisterStandardFormats();
// Empties the registry and registers the standard formats again.
void ResetState();

// Loads a picture file as the program does: a reader chosen by the file's content, else the
// class registered for its extension (EInvalidGraphic "Unknown picture file extension (.x)").
std::unique_ptr<toolkit::TGraphic> LoadGraphicFile(const std::string& fileName);
// The same for a file's bytes and its extension (without the dot).
std::unique_ptr<toolkit::TGraphic> LoadGraphicFromBytes(std::span<const std::uint8_t> bytes, std::string_view extension);

// ---- Helpers of all readers ----

[[noreturn]] void RaiseGraphicError(const std::string& message);
[[noreturn]] void RaiseGraphicError(std::string_view format, std::initializer_list<std::string_view> arguments);
// "Stream read error in <format> file.": the portable map reader's text for data that end early.
std::string StreamReadError(std::string_view format);
void SwapShortArray(std::span<std::uint16_t> words);
void SwapLongArray(std::span<std::uint32_t> longs);
std::uint32_t SwapLong(std::uint32_t value);
// Undoes 8-bit horizontal differencing in place: `count` pixels after the first, of
// `samples` (1, 3 or 4) samples each; refused when the row is shorter.
void ApplyPredictor8(std::span<std::uint8_t> row, std::uint32_t count, std::uint32_t samples);
// Doubles an 8-bit plane of width x height samples (rows scanLength apart) in both
// directions in place; the plane must hold 2 x height rows of scanLength >= 2 x width.
void UpsamplePlane(std::uint32_t width, std::uint32_t height, std::uint32_t scanLength, std::span<std::uint8_t> plane);

}  // namespace RasterGraphics
