#pragma once
// What loading a file's bytes with one reader gives: "" when it loads, else the text of the
// error it raised.
#include <exception>
#include <span>
#include <string>

#include "imageio/RasterColor.h"
#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/GraphicError.h"

namespace fixtures {

inline std::string LoadError(toolkit::TGraphic& graphic, std::span<const std::uint8_t> bytes) {
  try {
    graphic.LoadFromBytes(bytes);
    return "";
  } catch (const std::exception& e) {
    return e.what();
  }
}

// The same for a new picture of the reader class `Reader`.
template <class Reader>
std::string LoadError(std::span<const std::uint8_t> bytes) {
  Reader graphic;
  return LoadError(graphic, bytes);
}

// Runs a load that must either succeed or raise one of our error classes; anything else
// escapes and fails the test.
template <class Load>
void LoadOrRefuse(Load&& load) {
  try {
    load();
  } catch (const toolkit::EInvalidGraphic&) {
  } catch (const RasterColor::EColorConversionError&) {
  } catch (const RasterCompression::ERasterCompression&) {
  }
}

// The picture as rows of colours, for pixel checks of small pictures.
inline std::vector<std::vector<toolkit::TColor>> Rows(const toolkit::TBitmap& bitmap) {
  std::vector<std::vector<toolkit::TColor>> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    rows.emplace_back();
    for (int x = 0; x < bitmap.Width(); ++x) rows.back().push_back(bitmap.Pixel(x, y));
  }
  return rows;
}

}  // namespace fixtures
