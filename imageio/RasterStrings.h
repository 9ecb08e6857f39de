#pragma once
// Every text of the image readers and writers: format descriptions, error messages,
// progress texts. English, used exactly as written.
#include <initializer_list>
#include <string>
#include <string_view>

namespace RasterStrings {

// Format descriptions.
inline constexpr const char* gesBitmaps = "Windows bitmaps";
inline constexpr const char* gesRLEBitmaps = "Run length encoded Windows bitmaps";
inline constexpr const char* gesDIBs = "Device independant Windows bitmaps";
inline constexpr const char* gesIcons = "Windows icons";
inline constexpr const char* gesMetaFiles = "Windows metafiles";
inline constexpr const char* gesEnhancedMetaFiles = "Windows enhanced meta files";
inline constexpr const char* gesJPGImages = "JPG images";
inline constexpr const char* gesJPEGImages = "JPEG images";
inline constexpr const char* gesJPEImages = "JPE images";
inline constexpr const char* gesJFIFImages = "JFIF images";
inline constexpr const char* gesTruevision = "Truevision images";
inline constexpr const char* gesTIFF = "Tagged image file format images";
inline constexpr const char* gesMacTIFF = "Macintosh TIFF images";
inline constexpr const char* gesPCTIF = "PC TIF images";
inline constexpr const char* gesGFIFax = "GFI fax images";
inline constexpr const char* gesEPS = "Encapsulated Postscript images";
inline constexpr const char* gesPCX = "ZSoft Paintbrush images";
inline constexpr const char* gesDCX = "Word 5.x screen capture images";
inline constexpr const char* gesRLA = "Alias/Wavefront images";
inline constexpr const char* gesSGI = "SGI images";
inline constexpr const char* gesSGITrueColor = "SGI true color images";
inline constexpr const char* gesSGITrueColorAlpha = "SGI true color images with alpha";
inline constexpr const char* gesSGIMono = "SGI black/white images";
inline constexpr const char* gesPhotoshop = "Photoshop images";
inline constexpr const char* gesPortable = "Portable map images";
inline constexpr const char* gesPortablePixel = "Portable pixel map images";
inline constexpr const char* gesPortableGray = "Portable gray map images";
inline constexpr const char* gesPortableMono = "Portable bitmap images";
inline constexpr const char* gesAutodesk = "Autodesk images";
inline constexpr const char* gesKodakPhotoCD = "Kodak Photo-CD images";
inline constexpr const char* gesHalo = "Dr. Halo images";
inline constexpr const char* gesPaintShopPro = "Paintshop Pro images";
inline constexpr const char* gesPortableNetworkGraphic = "Portable network graphic images";

// Messages of the readers and the registry (%s filled by the caller).
inline constexpr const char* gesInvalidImage = "Cannot load image. Invalid or unexpected %s image format.";
inline constexpr const char* gesInvalidColorFormat = "Invalid color format in %s file.";
inline constexpr const char* gesStreamReadError = "Stream read error in %s file.";
// The toolkit's stream read error (toolkit::ByteReader's own text), raised for data that end early.
inline constexpr const char* gesReadError = "Stream read error.";
inline constexpr const char* gesUnsupportedFeature = "Cannot load image. %s not supported for %s files.";
inline constexpr const char* gesCompression = "The compression scheme is";
inline constexpr const char* gesCRCError = "Cannot load image. CRC error found in %s file.";
inline constexpr const char* gesCompressionError = "Cannot load image. Compression error found in %s file.";
inline constexpr const char* gesExtraCompressedData = "Cannot load image. Extra compressed data found in %s file.";
inline constexpr const char* gesInvalidPalette = "Cannot load image. Palette in %s file is invalid.";
inline constexpr const char* gesUnknownCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr const char* gesRegistration = "Attempt to register %s twice.";
// Readers of formats this program cannot read yet.
inline constexpr const char* gesReading = "Reading";
// Lead-ins of the TIFF reader's refusals, used with gesUnsupportedFeature.
inline constexpr const char* gesTiledImages = "Tiled images are";
inline constexpr const char* gesSeparatePlanes = "Separate color planes are";
inline constexpr const char* gesPredictor = "The predictor is";
inline constexpr const char* gesSubsampledYCbCr = "Subsampled YCbCr data are";

// Messages of the colour manager.
inline constexpr const char* gesInvalidSampleDepth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
inline constexpr const char* gesInvalidPixelDepth = "Sample count per pixel does not correspond to the given color scheme.";
inline constexpr const char* gesInvalidSubSampling = "Subsampling value is invalid. Allowed are 1, 2 and 4.";
inline constexpr const char* gesVerticalSubSamplingError = "Vertical subsampling value must be <= horizontal subsampling value.";
inline constexpr const char* gesIndexedNotSupported = "Conversion between indexed and non-indexed pixel formats is not supported.";
inline constexpr const char* gesConversionUnsupported = "Color conversion failed. Could not find a proper method.";

// Messages of the decoders.
inline constexpr const char* gesLZ77Error = "LZ77 decompression error.";
inline constexpr const char* gesJPEGEOI = "JPEG decompression error. Unexpected end of input.";
inline constexpr const char* gesJPEGStripSize = "Improper JPEG strip/tile size.";
inline constexpr const char* gesJPEGComponentCount = "Improper JPEG component count.";
inline constexpr const char* gesJPEGDataPrecision = "Improper JPEG data precision.";
inline constexpr const char* gesJPEGSamplingFactors = "Improper JPEG sampling factors.";
inline constexpr const char* gesJPEGBogusTableField = "Bogus JPEG tables field.";
inline constexpr const char* gesJPEGFractionalLine = "Fractional JPEG scanline unsupported.";
inline constexpr const char* gesJPEGError = "JPEG error #%d";

// Messages of the PCX writer.
inline constexpr const char* gesBitmapEmpty = "The bitmap is empty";
inline constexpr const char* gesNoFileName = "Cannot save image. No file name given.";

// Progress texts and the message-box caption of the JPEG-in-TIFF decoder.
inline constexpr const char* gesPreparing = "Preparing...";
inline constexpr const char* gesLoadingData = "Loading data...";
inline constexpr const char* gesUpsampling = "Upsampling...";
inline constexpr const char* gesTransfering = "Transfering...";
inline constexpr const char* gesWarning = "Warning";

// Fills the placeholders (%s, %d) from left to right with `args`. A placeholder without an
// argument stays as written; arguments without a placeholder are ignored; "%%" gives "%".
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace RasterStrings
