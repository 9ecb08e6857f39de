// An independent check of the milling drivers: the written blocks are replayed as tool
// paths and laid over the picture. Line-wise and column-wise, at every pixel centre the
// deepest point of the paths must be that pixel's depth (its colour's, or its grey
// value's) when the pixel is worked, and the tool must stay above the safety level over
// every pixel of mode "ohne"; both give the same depths. Along the spiral, wherever the
// tool stands below the safety level it stands on the centre of a worked pixel at that
// pixel's depth. No rapid move ends below the safety level, no point leaves the area
// widened by run-in, overrun and tool radius, and every drilling cycle is closed, with
// nothing but positioning inside it. Pictures: random colours, grey gradients and noise
// like a photo, milled in absolute and incremental form, one way and both ways, spirals
// inward and outward.
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
  TFraesrichtung richtung;
  bool absolut, beidseitig, kantig, imZyklus;
  std::uint8_t nachAussen;  // the spiral's Zirkularrichtung
};

void PrintTo(const Fall& f, std::ostream* os) { *os << f.name; }

// The picture and settings of a case, made from its seed alone. Spiral pictures stay
// within 57 mm of their centre, where one angle step moves the tool less than a pixel.
toolkit::TBitmap Erzeugen(const Fall& f) {
  std::mt19937 zufall(f.saat);
  auto& k = KonfigBlock;
  k.bidirektional_bearbeiten = f.beidseitig;
  KonturKantigFraesen = f.kantig;
  k.Sticheln_im_Zyklus = f.imZyklus;
  k.Fraesrichtung = f.richtung;
  Zirkularrichtung = f.nachAussen;
  const bool spirale = f.richtung == TFraesrichtung::zirkular;
  const int w = 5 + static_cast<int>(zufall() % (spirale ? 5 : 8)), h = 3 + static_cast<int>(zufall() % 5);
  toolkit::TBitmap bild(w, h);
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

class Fraesorakel : public testsupport::BildFixture, public ::testing::WithParamInterface<Fall> {
protected:
  // Mills the picture and replays the driver's blocks and the return move of G80.
  Bahnen Fraesen(const toolkit::TBitmap& bild, bool absolut) {
    Bildzyklus(bild, absolut);
    EXPECT_TRUE(Wandeln());
    auto bloecke = Fraesbloecke();
    const auto zeilen = Zeilen();
    const auto m30 = std::find(zeilen.begin(), zeilen.end(), "M30");
    if (m30 != zeilen.end() && m30 != zeilen.begin() && (m30 - 1)->rfind("G", 0) == 0) bloecke.push_back(*(m30 - 1));
    return Abfahren(bloecke, {0, kRaster * (bild.Height() - 1), kStarthoehe}, absolut);
  }
};

TEST_P(Fraesorakel, EveryPixelIsCutAtItsDepthAndNothingElse) {
  const Fall& f = GetParam();
  const toolkit::TBitmap bild = Erzeugen(f);
  const Bahnen bahnen = Fraesen(bild, f.absolut);
  SCOPED_TRACE(testing::PrintToString(Zeilen()));
  EXPECT_EQ(bahnen.fehler, std::vector<std::string>{});

  const double hoehe = kRaster * (bild.Height() - 1), breite = kRaster * (bild.Width() - 1);
  const auto soll = Sollwerte(bild);
  auto sollwert = [&](int x, int y) -> const Soll& { return soll[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; };
  bool gefraest = false;
  if (f.richtung != TFraesrichtung::zirkular) {
    for (int y = 0; y < bild.Height(); ++y) {
      for (int x = 0; x < bild.Width(); ++x) {
        const Soll& s = sollwert(x, y);
        const double tiefste = Tiefste(bahnen, kRaster * x, hoehe - kRaster * y);
        if (s.modus == TArbeitsmodus::ohne) {
          EXPECT_GE(tiefste, kSicherheit) << "pixel " << x << "," << y << " of mode ohne";
        } else {
          gefraest = true;
          EXPECT_NEAR(tiefste, s.tiefe, 1e-9) << "pixel " << x << "," << y;
        }
      }
    }
  } else {
    // The spiral visits pixels, not rows: every point where the tool stands below the
    // safety level is a pixel centre of a worked pixel, at that pixel's depth.
    for (const Strecke& s : bahnen.strecken) {
      for (const Punkt& p : {s.von, s.nach}) {
        if (p.z >= kSicherheit - 1e-9) continue;
        const int x = static_cast<int>(std::lround(p.x / kRaster)), y = static_cast<int>(std::lround((hoehe - p.y) / kRaster));
        ASSERT_TRUE(std::fabs(p.x - kRaster * x) < 1e-6 && std::fabs(hoehe - p.y - kRaster * y) < 1e-6 && x >= 0 &&
                    y >= 0 && x < bild.Width() && y < bild.Height())
            << "below the safety level off a pixel centre: " << p.x << " " << p.y << " " << p.z;
        EXPECT_NE(sollwert(x, y).modus, TArbeitsmodus::ohne) << "pixel " << x << "," << y;
        EXPECT_NEAR(p.z, sollwert(x, y).tiefe, 1e-9) << "pixel " << x << "," << y;
        gefraest = true;
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
  const struct {
    TFraesrichtung richtung;
    const char* name;
  } richtungen[] = {{TFraesrichtung::zeilenweise, "Rows"}, {TFraesrichtung::spaltenweise, "Columns"},
                    {TFraesrichtung::zirkular, "Spiral"}};
  for (const auto& r : richtungen) {
    for (const Art art : {Art::Farben, Art::Verlauf, Art::Rauschen}) {
      for (unsigned saat = 1; saat <= 4; ++saat) {
        for (int form = 0; form < 4; ++form) {
          const bool absolut = form % 2 == 0, beidseitig = form >= 2;
          const bool spirale = r.richtung == TFraesrichtung::zirkular;
          // the spiral has no second direction; outward instead
          faelle.push_back({std::string(r.name) + namen[static_cast<int>(art)] + std::to_string(saat) +
                                (absolut ? "Absolute" : "Incremental") +
                                (spirale ? (beidseitig ? "Outward" : "Inward") : (beidseitig ? "BothWays" : "OneWay")),
                            art, saat * 7919u + static_cast<unsigned>(form), r.richtung, absolut,
                            beidseitig && !spirale, saat % 2 == 0, saat >= 3,
                            static_cast<std::uint8_t>(spirale && beidseitig)});
        }
      }
    }
  }
  return faelle;
}

INSTANTIATE_TEST_SUITE_P(Bilder, Fraesorakel, ::testing::ValuesIn(Faelle()),
                         [](const auto& info) { return info.param.name; });

// Line-wise and column-wise milling of one picture leave every pixel at the same depth.
class ZeilenUndSpalten : public Fraesorakel {
protected:
  // Per pixel its deepest cut, or +infinity for a pixel the tool never went below the safety level over.
  std::vector<double> Tiefenkarte(TFraesrichtung richtung) {
    Fall f = GetParam();
    f.richtung = richtung;
    const toolkit::TBitmap bild = Erzeugen(f);
    const Bahnen bahnen = Fraesen(bild, f.absolut);
    const double hoehe = kRaster * (bild.Height() - 1);
    std::vector<double> karte;
    for (int y = 0; y < bild.Height(); ++y)
      for (int x = 0; x < bild.Width(); ++x) {
        const double t = Tiefste(bahnen, kRaster * x, hoehe - kRaster * y);
        karte.push_back(t >= kSicherheit ? std::numeric_limits<double>::infinity() : t);
      }
    return karte;
  }
};

TEST_P(ZeilenUndSpalten, GiveTheSameDepthMap) {
  const auto zeilen = Tiefenkarte(TFraesrichtung::zeilenweise);
  TearDown();
  SetUp();
  const auto spalten = Tiefenkarte(TFraesrichtung::spaltenweise);
  ASSERT_EQ(zeilen.size(), spalten.size());
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    if (std::isinf(zeilen[i]) || std::isinf(spalten[i])) EXPECT_EQ(zeilen[i], spalten[i]) << "pixel " << i;
    else EXPECT_NEAR(zeilen[i], spalten[i], 1e-9) << "pixel " << i;  // incremental words add up
  }
}

std::vector<Fall> Zeilenfaelle() {
  std::vector<Fall> faelle;
  for (const Fall& f : Faelle()) {
    if (f.richtung == TFraesrichtung::zeilenweise) faelle.push_back(f);
  }
  return faelle;
}

INSTANTIATE_TEST_SUITE_P(Bilder, ZeilenUndSpalten, ::testing::ValuesIn(Zeilenfaelle()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
