#include "toolkit/qt/GraphWin.h"

#include <set>

#include "toolkit/qt/Dialoge.h"

namespace toolkit::qt {

// Canvases that exist, so that a current canvas that ended is never drawn on.
namespace {
std::set<const TZeichenflaeche*>& Lebende() {
  static std::set<const TZeichenflaeche*> lebende;
  return lebende;
}
TZeichenflaeche* Aktuelle = nullptr;
}  // namespace

void ZeichenflaecheEntsteht(const TZeichenflaeche* flaeche) { Lebende().insert(flaeche); }
void ZeichenflaecheEndet(const TZeichenflaeche* flaeche) {
  Lebende().erase(flaeche);
  if (Aktuelle == flaeche) Aktuelle = nullptr;
}

namespace GraphWin {

TZeichenflaeche* AktuelleZeichenflaeche() { return Aktuelle && Lebende().count(Aktuelle) ? Aktuelle : nullptr; }

TZeichenflaecheWahl::TZeichenflaecheWahl(TZeichenflaeche* flaeche) : vorher_(AktuelleZeichenflaeche()) {
  Aktuelle = flaeche;
}

TZeichenflaecheWahl::~TZeichenflaecheWahl() { Aktuelle = vorher_ && Lebende().count(vorher_) ? vorher_ : nullptr; }

void PutPixel(int x, int y, TColor farbe) {
  if (auto* f = AktuelleZeichenflaeche()) f->PixelSetzen(x, y, farbe);
}

void Line(int x1, int y1, int x2, int y2) {
  if (auto* f = AktuelleZeichenflaeche()) {
    f->MoveTo(x1, y1);
    f->LineTo(x2, y2);
  }
}

void LineTo(int x, int y) {
  if (auto* f = AktuelleZeichenflaeche()) f->LineTo(x, y);
}

void MoveTo(int x, int y) {
  if (auto* f = AktuelleZeichenflaeche()) f->MoveTo(x, y);
}

void SetColor(TColor farbe) {
  if (auto* f = AktuelleZeichenflaeche()) f->StiftFarbe(farbe);
}

void SetFillColor(TColor farbe) {
  if (auto* f = AktuelleZeichenflaeche()) f->PinselFarbe(farbe);
}

void SetLineStyle(int stil, int /*muster*/, int breite) {
  auto* f = AktuelleZeichenflaeche();
  if (stil < psSolid || stil > psInsideFrame) Hinweis("Unbekannter Linienstil!");
  else if (f) f->StiftStil(stil);
  if (f) f->StiftBreite(breite);
}

void SetWriteMode(int modus) {
  if (auto* f = AktuelleZeichenflaeche()) f->StiftModus(modus);
}

void Ellipse(int x1, int y1, int x2, int y2) {
  if (auto* f = AktuelleZeichenflaeche()) f->Ellipse(x1, y1, x2, y2);
}

void OutTextXY(int x, int y, const std::string& text) {
  if (auto* f = AktuelleZeichenflaeche()) f->TextAus(x, y, text);
}

int TextWidth(const std::string& text) {
  auto* f = AktuelleZeichenflaeche();
  return f ? f->TextBreite(text) : 0;
}

int TextHeight(const std::string& text) {
  auto* f = AktuelleZeichenflaeche();
  return f ? f->TextHoehe(text) : 0;
}

int GetX() {
  auto* f = AktuelleZeichenflaeche();
  return f ? f->X() : 0;
}

int GetY() {
  auto* f = AktuelleZeichenflaeche();
  return f ? f->Y() : 0;
}

}  // namespace GraphWin
}  // namespace toolkit::qt
