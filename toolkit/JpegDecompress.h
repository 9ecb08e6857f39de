#pragma once
// The one wrapper around libjpeg's decompressor (release-6 interface), used by the JPEG
// picture class and by the TIFF reader's JPEG strips. It reads from a span through a source
// manager of its own that feeds a fake end marker when the data runs out, turns the
// library's fatal errors into EInvalidGraphic with the library's message, and hands
// warnings to a sink.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/GraphicError.h"

namespace toolkit {

// How the stored components are to be taken, when the file's own markers do not say it
// (TIFF keeps the colour space in its own fields).
enum class JpegStoredAs { Marked, Components, Grey, RGB, YCbCr };

// The frame header of a picture, before any row is decoded.
struct JpegHeader {
  int width = 0;
  int height = 0;
  int components = 0;
  int precision = 0;
  std::array<int, 4> hSampling{};  // of the first four components
  std::array<int, 4> vSampling{};
};

struct JpegOptions {
  // A tables-only stream (TIFF JPEGTables) read before the data; empty when there is none.
  std::span<const std::uint8_t> tables;
  // True: colour pictures come out as RGB (CMYK stays CMYK); false: components as stored.
  bool convertToRgb = true;
  // With convertToRgb: blue, green, red, the byte order of 24-bit bitmaps.
  bool bgr = false;
  // Receives each warning's text; must not throw.
  std::function<void(int code, const std::string& message)> warning;
  // When set, called once the size is known (the picture's pixels stay empty); then every
  // row is decoded straight into rowTarget(row), which must hold width x components bytes.
  std::function<void(const struct JpegPicture& header)> start;
  std::function<std::uint8_t*(int row)> rowTarget;
  // Components: as the markers say, or as given (Components: as stored, no conversion).
  JpegStoredAs storedAs = JpegStoredAs::Marked;
  // When set: told whether the tables stream held tables only, once it is read.
  std::function<void(bool tablesOnly)> tablesRead;
  // When set: sees the frame header before decoding starts; may raise to refuse it.
  std::function<void(const JpegHeader& header)> checkHeader;
};

struct JpegPicture {
  int width = 0;
  int height = 0;
  int components = 0;            // 1 grey, 3 RGB or YCbCr, 4 CMYK or YCCK
  bool adobeInverted = false;    // CMYK stored inverted (Adobe marker)
  int warnings = 0;
  bool truncated = false;        // the data ended before the picture did
  bool bgr = false;              // colour rows come as blue, green, red
  std::vector<std::uint8_t> pixels;  // rows from the top, width x components bytes each
};

// A fatal error of the library: its message, and its message number (0 for our own refusals).
class EJpegError : public EInvalidGraphic {
public:
  EJpegError(const std::string& message, int code) : EInvalidGraphic(message), code_(code) {}
  int Code() const { return code_; }

private:
  int code_;
};

// True for the warning given when the data end before the picture does.
bool IsEndOfDataWarning(int code);

// Raises EJpegError with the library's message on a fatal error, and for pictures whose
// pixels would exceed the bitmap size limit. The hooks' own errors pass through.
JpegPicture DecodeJpeg(std::span<const std::uint8_t> data, const JpegOptions& options = {});

}  // namespace toolkit
