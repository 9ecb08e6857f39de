#pragma once
// The drawing layer: plain drawing calls on one current canvas. Whoever draws makes its
// canvas current for as long as it draws, through a TZeichenflaecheWahl, which puts the
// canvas before it back when it ends; with no current canvas every call does nothing.
// Coordinates are signed 32-bit (the canvas clips). Colours are 0x00BBGGRR; the 16
// drawing colours are toolkit::GraphFarben (toolkit/GraphFarben.h).
#include <string>

#include "toolkit/GraphFarben.h"
#include "toolkit/qt/Zeichenflaeche.h"

namespace toolkit::qt::GraphWin {

using toolkit::FarbNummer;

// The current canvas; nullptr when none is, or when it no longer exists.
TZeichenflaeche* AktuelleZeichenflaeche();

// Makes a canvas current while it lives and then the one before it again (when that one
// still exists). Canvases that end while current stop being current.
class TZeichenflaecheWahl {
public:
  explicit TZeichenflaecheWahl(TZeichenflaeche* flaeche);
  ~TZeichenflaecheWahl();
  TZeichenflaecheWahl(const TZeichenflaecheWahl&) = delete;
  TZeichenflaecheWahl& operator=(const TZeichenflaecheWahl&) = delete;

private:
  TZeichenflaeche* vorher_;
};

// Pen colour := farbe; the pixel takes exactly that colour.
void PutPixel(int x, int y, TColor farbe);
// From (x1, y1) to (x2, y2), the last pixel left out; the pen stays at (x2, y2).
void Line(int x1, int y1, int x2, int y2);
void LineTo(int x, int y);
void MoveTo(int x, int y);
void SetColor(TColor farbe);
void SetFillColor(TColor farbe);
// Style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear, 6 inside frame; any
// other gives the notice "Unbekannter Linienstil!" and keeps the style. The pattern is not
// used; the width is set in every case.
void SetLineStyle(int stil, int muster, int breite);
// Pen mode 0..15 (4 copy, 15 not-xor).
void SetWriteMode(int modus);
// The outline of the ellipse inside x1..x2-1, y1..y2-1.
void Ellipse(int x1, int y1, int x2, int y2);
// Text (Windows-1252) whose top-left corner is (x, y), on the fill colour.
void OutTextXY(int x, int y, const std::string& text);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
int GetX();
int GetY();

}  // namespace toolkit::qt::GraphWin
