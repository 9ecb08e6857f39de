// An independent check of line-wise milling: the written blocks are replayed as tool
// paths and laid over the picture. At every pixel centre the deepest point of the paths
// must be that pixel's depth (its colour's, or its grey value's) when the pixel is worked,
// and the tool must stay above the safety level over every pixel of mode "ohne". No rapid
// move ends below the safety level, no point leaves the area widened by run-in, overrun
// and tool radius, and every drilling cycle is closed, with nothing but positioning
// inside it. Pictures: random colours, grey gradients and noise like a photo, milled in
// absolute and incremental form, one way and both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <random>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "support/BildFixture.h"

using namespace VelkorWinVAR;

namespace {

constexpr double kSicherheit = 2.0;
constexpr double kStarthoehe = 5.0;
constexpr double kRaster = 10.0;  // mm between pixel centres

struct Punkt {
  double x, y, z;
};

struct Strecke {
  Punkt von, nach;
};

// The tool paths of the written blocks, each drilling-cycle point as a plunge.
struct Bahnen {
  std::vector<Strecke> strecken;
  std::vector<std::string> fehler;
};

std::optional<double> Wort(const std::string& block, char adresse) {
  for (std::size_t i = 0; i < block.size(); ++i) {
    if (block[i] == adresse && (i == 0 || block[i - 1] == ' ')) return std::stod(block.substr(i + 1));
  }
  return std::nullopt;
}

Bahnen Abfahren(const std::vector<std::string>& bloecke, Punkt start, bool absolut) {
  Bahnen b;
  Punkt p = start;
  bool zyklusOffen = false;
  double bohrtiefe = 0.0;
  for (const std::string& block : bloecke) {
    if (block.rfind("G81 ", 0) == 0) {
      if (zyklusOffen) b.fehler.push_back("drilling cycle opened twice: " + block);
      zyklusOffen = true;
      bohrtiefe = std::stod(block.substr(block.rfind(' ') + 1));
      b.strecken.push_back({{p.x, p.y, kSicherheit}, {p.x, p.y, bohrtiefe}});  // drills where it stands
      continue;
    }
    if (block == "G80") {
      if (!zyklusOffen) b.fehler.push_back("G80 without a drilling cycle");
      zyklusOffen = false;
      continue;
    }
    std::string text = block;
    if (text.rfind("G90 ", 0) == 0 || text.rfind("G91 ", 0) == 0) text = text.substr(4);
    const bool eilgang = text.rfind("G00", 0) == 0;
    if (!eilgang && text.rfind("G01", 0) != 0) {
      b.fehler.push_back("not a move: " + block);
      continue;
    }
    Punkt q = p;
    const auto x = Wort(text, 'X'), y = Wort(text, 'Y'), z = Wort(text, 'Z');
    if (x) q.x = absolut ? *x : q.x + *x;
    if (y) q.y = absolut ? *y : q.y + *y;
    if (z) q.z = absolut ? *z : q.z + *z;
    if (zyklusOffen) {
      if (z) b.fehler.push_back("depth move inside a drilling cycle: " + block);
      b.strecken.push_back({{q.x, q.y, kSicherheit}, {q.x, q.y, bohrtiefe}});
    }
    if (eilgang && q.z < kSicherheit - 1e-9) b.fehler.push_back("rapid move below the safety level: " + block);
    b.strecken.push_back({p, q});
    p = q;
  }
  if (zyklusOffen) b.fehler.push_back("drilling cycle left open");
  return b;
}

// The deepest point of the paths over the point (x, y); +infinity when none passes.
double Tiefste(const Bahnen& b, double x, double y) {
  double tiefste = std::numeric_limits<double>::infinity();
  for (const Strecke& s : b.strecken) {
    const double dx = s.nach.x - s.von.x, dy = s.nach.y - s.von.y;
    const double laenge2 = dx * dx + dy * dy;
    double z;
    if (laenge2 < 1e-12) {
      if (std::hypot(x - s.von.x, y - s.von.y) > 1e-6) continue;
      z = std::min(s.von.z, s.nach.z);
    } else {
      const double kreuz = dx * (y - s.von.y) - dy * (x - s.von.x);
      const double t = (dx * (x - s.von.x) + dy * (y - s.von.y)) / laenge2;
      if (std::fabs(kreuz) / std::sqrt(laenge2) > 1e-6 || t < -1e-9 || t > 1 + 1e-9) continue;
      z = s.von.z + t * (s.nach.z - s.von.z);
    }
    tiefste = std::min(tiefste, z);
  }
  return tiefste;
}

// What a pixel should get, worked out here from the picture and the settings alone.
struct Soll {
  TArbeitsmodus modus = TArbeitsmodus::ohne;
  double tiefe = 0.0;
};

std::vector<std::vector<Soll>> Sollwerte(const toolkit::TBitmap& bild) {
  std::map<toolkit::TColor, int> index;  // order of first appearance
  for (int y = 0; y < bild.Height(); ++y)
    for (int x = 0; x < bild.Width(); ++x) index.emplace(bild.Pixel(x, y), static_cast<int>(index.size()));
  const auto& k = KonfigBlock;
  const bool grau = index.size() > 16 || k.Graubildwandlung;
  auto grauwert = [](toolkit::TColor c) {  // 0.3 R + 0.59 G + 0.11 B, halves to even
    const int n = 30 * toolkit::GetRValue(c) + 59 * toolkit::GetGValue(c) + 11 * toolkit::GetBValue(c);
    const int q = n / 100, r = n % 100;
    return r > 50 || (r == 50 && q % 2 == 1) ? q + 1 : q;
  };
  int hell = 0, dunkel = 255;
  for (const auto& [farbe, i] : index) hell = std::max(hell, grauwert(farbe)), dunkel = std::min(dunkel, grauwert(farbe));
  std::vector<std::vector<Soll>> soll(static_cast<std::size_t>(bild.Height()),
                                      std::vector<Soll>(static_cast<std::size_t>(bild.Width())));
  for (int y = 0; y < bild.Height(); ++y) {
    for (int x = 0; x < bild.Width(); ++x) {
      const toolkit::TColor c = bild.Pixel(x, y);
      const int i = index.at(c);
      Soll& s = soll[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      if (index.size() <= 16) {
        const char m = static_cast<char>(std::toupper(k.FarbModus[static_cast<std::size_t>(i)]));
        s.modus = m == 'F' ? TArbeitsmodus::Fraesen : m == 'S' ? TArbeitsmodus::Sticheln : TArbeitsmodus::ohne;
      } else {
        s.modus = k.GrundArbeitsmodus;
        for (const auto& e : Extrafarbliste) {
          if (e.Farbe == c) {
            s.modus = e.Arbeitsmodus;
            break;
          }
        }
      }
      if (!grau) {
        s.tiefe = k.Farbtiefe[static_cast<std::size_t>(i)];
      } else {
        const double spanne = hell == dunkel ? 1.0 : hell - dunkel;
        const double t = k.GrauFraestiefe_dunkel + (grauwert(c) - dunkel) * (k.GrauFraestiefe_hell - k.GrauFraestiefe_dunkel) / spanne;
        s.tiefe = std::nearbyint(t * 1000.0) / 1000.0;
      }
    }
  }
  return soll;
}

enum class Art { Farben, Verlauf, Rauschen };

struct Fall {
  std::string name;
  Art art;
  unsigned saat;
  bool absolut, beidseitig, kantig, imZyklus;
};

void PrintTo(const Fall& f, std::ostream* os) { *os << f.name; }

class Fraesorakel : public testsupport::BildFixture, public ::testing::WithParamInterface<Fall> {
protected:
  toolkit::TBitmap Erzeugen(std::mt19937& zufall) {
    const Fall& f = GetParam();
    const int w = 5 + static_cast<int>(zufall() % 8), h = 3 + static_cast<int>(zufall() % 5);
    toolkit::TBitmap bild(w, h);
    auto& k = KonfigBlock;
    if (f.art == Art::Farben) {
      std::vector<toolkit::TColor> palette(2 + zufall() % 15);
      for (auto& c : palette) c = static_cast<toolkit::TColor>(zufall() & 0xFFFFFF);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          // runs of equal colour, as in drawings
          const auto c = (x > 0 && zufall() % 3 != 0) ? bild.Pixel(x - 1, y) : palette[zufall() % palette.size()];
          bild.SetPixel(x, y, c);
        }
      for (std::size_t i = 0; i < 16; ++i) {
        k.FarbModus[i] = "FFFSKk"[zufall() % 6];
        k.Farbtiefe[i] = -0.25 * static_cast<double>(1 + zufall() % 8);  // equal depths happen too
      }
      k.FarbModus[0] = 'F';  // something is milled
    } else if (f.art == Art::Verlauf) {
      k.Graubildwandlung = true;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const auto v = static_cast<std::uint8_t>(255 * ((x + y) % 6) / 5);
          bild.SetPixel(x, y, toolkit::RGB(v, v, v));
        }
      for (std::size_t i = 0; i < 16; ++i) k.FarbModus[i] = "FFFSK"[zufall() % 5];
    } else {
      k.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int basis = 40 * x + 10 * y;
          auto kanal = [&](int v) { return static_cast<std::uint8_t>(std::clamp(v + static_cast<int>(zufall() % 50), 0, 255)); };
          bild.SetPixel(x, y, toolkit::RGB(kanal(basis), kanal(basis / 2), kanal(200 - basis)));
        }
      for (int n = 0; n < 6; ++n) {  // some colours of their own
        const toolkit::TColor c = bild.Pixel(static_cast<int>(zufall() % static_cast<unsigned>(w)), static_cast<int>(zufall() % static_cast<unsigned>(h)));
        VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, -1, c, n % 2 ? TArbeitsmodus::Sticheln : TArbeitsmodus::ohne,
                                                TBesonderheit::keine);
      }
    }
    return bild;
  }
};

TEST_P(Fraesorakel, EveryPixelIsCutAtItsDepthAndNothingElse) {
  const Fall& f = GetParam();
  std::mt19937 zufall(f.saat);
  KonfigBlock.bidirektional_bearbeiten = f.beidseitig;
  KonturKantigFraesen = f.kantig;
  KonfigBlock.Sticheln_im_Zyklus = f.imZyklus;
  const toolkit::TBitmap bild = Erzeugen(zufall);
  Bildzyklus(bild, f.absolut);
  ASSERT_TRUE(Wandeln());
  SCOPED_TRACE(testing::PrintToString(Zeilen()));

  const double hoehe = kRaster * (bild.Height() - 1), breite = kRaster * (bild.Width() - 1);
  // The driver's blocks and the return move of G80.
  auto bloecke = Fraesbloecke();
  const auto zeilen = Zeilen();
  const std::string rueckweg = *(std::find(zeilen.begin(), zeilen.end(), "M30") - 1);
  if (rueckweg.rfind("G", 0) == 0) bloecke.push_back(rueckweg);
  const Bahnen bahnen = Abfahren(bloecke, {0, hoehe, kStarthoehe}, f.absolut);
  EXPECT_EQ(bahnen.fehler, std::vector<std::string>{});

  const auto soll = Sollwerte(bild);
  bool gefraest = false;
  for (int y = 0; y < bild.Height(); ++y) {
    for (int x = 0; x < bild.Width(); ++x) {
      const Soll& s = soll[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      const double tiefste = Tiefste(bahnen, kRaster * x, hoehe - kRaster * y);
      if (s.modus == TArbeitsmodus::ohne) {
        EXPECT_GE(tiefste, kSicherheit) << "pixel " << x << "," << y << " of mode ohne";
      } else {
        gefraest = true;
        EXPECT_NEAR(tiefste, s.tiefe, 1e-9) << "pixel " << x << "," << y;
      }
    }
  }
  const double rand = 2.0 + 1.0;  // run-in / overrun and the tool's radius
  for (const Strecke& s : bahnen.strecken) {
    for (const Punkt& p : {s.von, s.nach}) {
      EXPECT_TRUE(p.x >= -rand && p.x <= breite + rand && p.y >= -rand && p.y <= hoehe + rand)
          << p.x << " " << p.y;
    }
  }
  EXPECT_TRUE(gefraest) << "the picture had no worked pixel";
}

std::vector<Fall> Faelle() {
  std::vector<Fall> faelle;
  const char* namen[] = {"Colours", "Gradient", "Noise"};
  for (const Art art : {Art::Farben, Art::Verlauf, Art::Rauschen}) {
    for (unsigned saat = 1; saat <= 4; ++saat) {
      for (int form = 0; form < 4; ++form) {
        const bool absolut = form % 2 == 0, beidseitig = form >= 2;
        faelle.push_back({std::string(namen[static_cast<int>(art)]) + std::to_string(saat) +
                              (absolut ? "Absolute" : "Incremental") + (beidseitig ? "BothWays" : "OneWay"),
                          art, saat * 7919u + static_cast<unsigned>(form), absolut, beidseitig,
                          saat % 2 == 0, saat >= 3});
      }
    }
  }
  return faelle;
}

INSTANTIATE_TEST_SUITE_P(Bilder, Fraesorakel, ::testing::ValuesIn(Faelle()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
