// The whole conversion on an arbitrary part program: the first bytes make the picture the
// image cycles mill (up to 8 x 8 pixels of up to 20 colours), the rest are the program's
// lines. Both passes run with buffered output, a text cycle engraves with a real font, and
// an operator stops a run that goes on too long. Whatever the program holds, the run ends
// without a fault.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "fuzz/workdir.h"
#include "toolkit/LineFile.h"

namespace {

class Bediener : public engine::EngineHost {
public:
  toolkit::TBitmap Bild;
  int Ereignisse = 0;
  void processEvents() override {
    if (++Ereignisse > 200000) VelkorWinVAR::Abbruch = VelkorWinVAR::WandlungsFehler = true;
  }
  bool confirm(const std::string&) override { return Ereignisse % 2 == 0; }
  void loadImage(const std::string&, toolkit::TBitmap& bild) override { bild = Bild; }
};

toolkit::TBitmap BildAus(const std::uint8_t*& data, std::size_t& size) {
  if (size < 2) return toolkit::TBitmap(1, 1);
  const int breite = 1 + data[0] % 8, hoehe = 1 + data[1] % 8;
  data += 2;
  size -= 2;
  toolkit::TBitmap bild(breite, hoehe);
  for (int y = 0; y < hoehe; ++y)
    for (int x = 0; x < breite; ++x) {
      const std::uint8_t i = size > 0 ? *data % 20 : 0;
      if (size > 0) ++data, --size;
      bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(i * 13), static_cast<std::uint8_t>(255 - i * 7), 40));
    }
  return bild;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every run works in a directory of its own: the target, its backups and the picture.
  fuzz::EigenerOrdner();
  fuzz::DateiSchreiben("BILD.BMP", "BM");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace VelkorWinVAR;
  static Bediener bediener;
  engine::ResetAllModules();
  bediener.Ereignisse = 0;
  bediener.Bild = BildAus(data, size);
  engine::InstallHost(&bediener);
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "F.CVT";
  KonfigBlock.Gravurzeichensatz = VELKOR_SOURCE_DIR "/fonts/ROMANS.FNT";
  KonfigBlock.Fraesrichtung = static_cast<TFraesrichtung>(size % 3);
  VelkorWinWkz::WkzListe = {{1, "Stichel", 50, 20, 0.5, 1}, {2, "Fraeser", 60, 30, 2.0, 2}};
  TeileprogrammListe = toolkit::SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
  VelkorWinINTR::WandlungDurchfuehren();
  VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
  engine::InstallHost(nullptr);
  return 0;
}
