#include "workspace/rrColors.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "toolkit/Rounding.h"

namespace rrColors {

namespace {

void Pruefe(const char* funktion, const char* name, double v) {
  if (!(v >= 0.0 && v <= 1.0))
    throw EColorConv(std::string(funktion) + ": 0 <= " + name + " value <= 1 required");
}

double Klemme(double v) { return std::clamp(v, 0.0, 1.0); }

std::uint8_t Kanal(double v) { return static_cast<std::uint8_t>(std::clamp(toolkit::RoundEven(v), 0.0, 255.0)); }

}  // namespace

void HLS2RGB(double H, double L, double S, double& R, double& G, double& B) {
  Pruefe("HLS2RGB", "Hue", H);
  Pruefe("HLS2RGB", "Luminance", L);
  Pruefe("HLS2RGB", "Saturation", S);
  // The six corners of the hue hexagon, per channel, on the cube of side -1..1.
  static constexpr double Ecken[6][3] = {{1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}};
  const double h6 = H * 6.0;
  const int sektor = static_cast<int>(std::trunc(h6)) % 6;
  const int naechster = (sektor + 1) % 6;
  const double f = h6 - std::trunc(h6);
  double kanal[3];
  for (int c = 0; c < 3; ++c) {
    const double p = (Ecken[sektor][c] + (Ecken[naechster][c] - Ecken[sektor][c]) * f) * S;
    kanal[c] = Klemme(L > 0.5 ? (1.0 - L) * p + L : (p + 1.0) * L);
  }
  R = kanal[0];
  G = kanal[1];
  B = kanal[2];
}

void RGB2HLS(double R, double G, double B, double& H, double& L, double& S) {
  Pruefe("RGB2HLS", "Red", R);
  Pruefe("RGB2HLS", "Green", G);
  Pruefe("RGB2HLS", "Blue", B);
  const double hoch = std::max({R, G, B}), tief = std::min({R, G, B});
  const double d = hoch - tief;
  if (d < 1e-8) {  // on the grey axis
    H = 0.0;
    S = 0.0;
    L = R;
    return;
  }
  L = (hoch + tief) / 2.0;
  S = L <= 0.5 ? d / (hoch + tief) : d / (2.0 - hoch - tief);
  double h;
  if (hoch - R < 1e-8) h = (G - B) / d;
  else if (hoch - G < 1e-8) h = 2.0 + (B - R) / d;
  else h = 4.0 + (R - G) / d;
  h /= 6.0;
  if (h < 0.0) h += 1.0;
  H = Klemme(h);
  L = Klemme(L);
  S = Klemme(S);
}

TKontrast KontrastFarben(toolkit::TColor Farbe, double rH, double rS) {
  const int r = toolkit::GetRValue(Farbe), g = toolkit::GetGValue(Farbe), b = toolkit::GetBValue(Farbe);
  auto hell = [rH](int v) { return Kanal(255.0 - toolkit::RoundEven((256 - v) * rH)); };
  double h, l, s, rr, gg, bb;
  RGB2HLS(r / 255.0, g / 255.0, b / 255.0, h, l, s);
  HLS2RGB(h, Klemme(l * rS), s, rr, gg, bb);
  return {toolkit::RGB(hell(r), hell(g), hell(b)), toolkit::RGB(Kanal(rr * 255.0), Kanal(gg * 255.0), Kanal(bb * 255.0))};
}

std::array<toolkit::TColor, 256> Verlaufstabelle(toolkit::TColor Farbe, bool abwaerts) {
  std::array<toolkit::TColor, 256> t{};
  for (int i = 0; i < 256; ++i) {
    const double verhaeltnis = (i < 128 ? i : 255 - i) / 128.0;
    const TKontrast k = KontrastFarben(Farbe, verhaeltnis, verhaeltnis);
    const bool hell = (i < 128) == abwaerts;
    t[static_cast<std::size_t>(i)] = hell ? k.Hell : k.Dunkel;
  }
  return t;
}

}  // namespace rrColors
