// The image work file as "Einrichtebetrieb" > "Einstelldatei" > "Laden" reads it
// (Laden2Click), the open dialog naming the input and every notice answered silently. The
// folder holds a part program TEIL.CNC whose image cycle names BILD.BMP, a picture of 8 x 6
// pixels in 20 colours, and an engraving font SCHRIFT.FNT, so a work file can load the
// program, its picture and a section of it. Whatever the file holds, reading it ends
// without a fault.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineReset.h"
#include "engine/VelkorWinVAR.h"
#include "fuzz/silentdialogs.h"
#include "fuzz/workdir.h"
#include "imageio/RasterGraphics.h"
#include "imageprep/Bildzustand.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/NumberFormat.h"
#include "workspace/Arbeitsdatei.h"
#include "workspace/Teileprogramm.h"

namespace {

std::string Bilddatei() {
  toolkit::TBitmap bild(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const int i = (x + 8 * y) % 20;
      bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(i * 12), static_cast<std::uint8_t>(250 - i * 9), 60));
    }
  const std::vector<std::uint8_t> bytes = toolkit::SaveBitmapToBytes(bild);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EigenerOrdner();
  toolkit::SetDecimalSeparator(',');
  RasterGraphics::ResetState();
  fuzz::DateiSchreiben("TEIL.CNC", "N10 G00 X0 Y0 Z5\r\nN20 G189 R2=2\r\nN30 X60 Y0 P'BILD.BMP'\r\nN40 G80\r\nN50 M30\r\n");
  fuzz::DateiSchreiben("BILD.BMP", Bilddatei());
  fuzz::DateiSchreiben("SCHRIFT.FNT", "");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::TStilleDialoge dialoge;
  engine::ResetAllModules();
  imageprep::BildzustandZuruecksetzen();
  workspace::TeileprogrammGeaendert = false;
  VelkorWinVAR::KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  fuzz::DateiSchreiben("A.CFG", data, size);
  dialoge.Oeffnen = "A.CFG";
  workspace::Laden2Click();
  return 0;
}
