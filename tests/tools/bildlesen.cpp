// bildlesen DATEI [AUSGABE.pam]: loads a picture file through the format registry as the
// program does (reader by content first, then by extension), prints the reader's class,
// width, height and pixel format and, with a second argument, writes the pixels as a PAM
// file (RGB, 8 bits per sample). On a reader error it prints the message and exits 1.
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "imageio/RasterGraphics.h"

namespace {

const char* FormatName(toolkit::TPixelFormat f) {
  switch (f) {
    case toolkit::TPixelFormat::pf1bit: return "pf1bit";
    case toolkit::TPixelFormat::pf4bit: return "pf4bit";
    case toolkit::TPixelFormat::pf8bit: return "pf8bit";
    case toolkit::TPixelFormat::pf15bit: return "pf15bit";
    case toolkit::TPixelFormat::pf16bit: return "pf16bit";
    case toolkit::TPixelFormat::pf24bit: return "pf24bit";
    case toolkit::TPixelFormat::pf32bit: return "pf32bit";
    case toolkit::TPixelFormat::pfCustom: break;
  }
  return "pfCustom";
}

bool WritePam(const toolkit::TBitmap& b, const char* fileName) {
  std::FILE* out = std::fopen(fileName, "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n", b.Width(), b.Height());
  std::vector<std::uint8_t> rgb(3 * static_cast<std::size_t>(b.Width()));
  bool ok = true;
  for (int y = 0; y < b.Height() && ok; ++y) {
    b.ReadRowBGR(y, rgb);
    for (std::size_t x = 0; x < rgb.size(); x += 3) std::swap(rgb[x], rgb[x + 2]);
    ok = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
  }
  return std::fclose(out) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "Aufruf: bildlesen DATEI [AUSGABE.pam]\n");
    return 2;
  }
  RasterGraphics::ResetState();
  try {
    const auto graphic = RasterGraphics::LoadGraphicFile(argv[1]);
    std::printf("%s %d %d %s\n", graphic->ClassType().ClassName, graphic->Width(), graphic->Height(),
                FormatName(graphic->PixelFormat()));
    if (argc == 3 && !WritePam(*graphic, argv[2])) {
      std::fprintf(stderr, "Fehler beim Schreiben von %s\n", argv[2]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::printf("%s\n", e.what());
    return 1;
  }
  return 0;
}
