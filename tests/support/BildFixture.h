#pragma once
// The image-cycle fixture: pictures drawn from letters, written into the working directory
// as Teil.bmp (the cycle names it teil.bmp and finds it whatever the case), and a part
// program that mills them with one image cycle under the settings of the worked checks: no
// block numbers, no blanks between addresses, only changed axes, tool T1 of 2.0 mm (run-in
// and overrun 2.0 mm), safety level R2 = 2.0, line-wise, base mode "ohne". A picture of
// w x h pixels lies between (0, 10(h-1), 5) and (10(w-1), 0, 5), so pixel centres sit on a
// 10 mm grid.
#include <string>
#include <vector>

#include "support/EngineFixture.h"
#include "toolkit/Bitmap.h"

namespace testsupport {

// W white, R red, B blue, G green, Y yellow, K black, C cyan, M magenta; a digit d gives
// the grey (25d, 25d, 25d).
toolkit::TColor Farbe(char Buchstabe);
toolkit::TBitmap Bild(const std::vector<std::string>& Zeilen);

class BildFixture : public EngineFixture {
protected:
  void SetUp() override;

  // Writes the picture and the part program; `Absolut` false mills under G91.
  void Bildzyklus(const toolkit::TBitmap& Bild, bool Absolut = true, const std::string& Zusatz = "");
  // FarbModus letters and depths of the colour indexes 0, 1, ...
  void Farben(const std::string& Modi, const std::vector<double>& Tiefen = {});
  // Loads the picture as the main window does and runs the conversion command with the
  // answers "OK" (size window) and "Ja" (reduced picture).
  bool Wandeln();
  // The blocks the milling driver wrote: the lines after "(Beginn der Wandlung: ...)"
  // up to the return move of G80.
  std::vector<std::string> Fraesbloecke() const;
};

}  // namespace testsupport
