#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "engine/VelkorWinZeichensatz.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"
#include "toolkit/FileUtil.h"
#include "tools/HersheyFont.h"

using namespace VelkorWinZeichensatz;
using fontfile::Command;
using testsupport::Draw;
using testsupport::Move;

namespace {

const std::filesystem::path kHersheyDir = "/usr/share/hershey-fonts";
const std::filesystem::path kFontsDir =
    std::filesystem::path(VELKOR_TEST_DATA).parent_path().parent_path() / "fonts";

std::string ReadText(const std::filesystem::path& path) {
  std::string text;
  EXPECT_TRUE(toolkit::ReadFileText(path.string(), text)) << path;
  return text;
}

// A made-up font of 96 glyphs: the space and empty glyphs everywhere except the few given.
std::string SmallJhf(const std::map<char, std::string>& glyphs) {
  std::string text;
  for (int code = 32; code < 128; ++code) {
    const auto it = glyphs.find(static_cast<char>(code));
    text += (it == glyphs.end() ? std::string("12345  1JZ") : it->second) + "\r\n";
  }
  return text;
}

const std::map<char, std::string> kSmall = {
    {'.', "12345  3PTRZR["},  // a tick from (0, 8) to (0, 9): the full stop
    {'a', "12345  3LXNMVM"},  // a bar at x-height from (-4, -5) to (4, -5)
    {'s', "12345  3MWPVTV"},  // a bar from (-2, 4) to (2, 4)
};

int RunConverter(const std::string& arguments) {
  const std::string program = std::string(VELKOR_BINARY_DIR) + "/tools/hershey2fnt";
  const int status = std::system((program + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(HersheyParsing, GlyphsWithPenUpsAndContinuedLines) {
  const auto glyphs = hershey::ParseJhf(
      "12345  9I[RFJ[ RRFZ[ RMTWT\r\n"
      "\r\n"
      "  501  6JZRF\nRGSG RVV\n");
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].number, 12345);
  EXPECT_EQ(glyphs[0].left, -9);
  EXPECT_EQ(glyphs[0].right, 9);
  ASSERT_EQ(glyphs[0].strokes.size(), 3u);
  EXPECT_EQ(glyphs[0].strokes[2][1].x, 5);
  EXPECT_EQ(glyphs[0].strokes[2][1].y, 2);
  EXPECT_EQ(glyphs[1].number, 501);
  ASSERT_EQ(glyphs[1].strokes.size(), 2u);
  EXPECT_EQ(glyphs[1].strokes[0].size(), 3u);  // RF RG SG, across the line break
  EXPECT_EQ(glyphs[1].strokes[1].size(), 1u);
}

TEST(HersheyParsing, MalformedFilesNameTheLine) {
  const std::pair<const char*, const char*> bad[] = {
      {"12345  1JZ\n123", "line 2"},               // too short for its number and count
      {"12345  xJZ\n", "line 1"},                  // count not a number
      {"12345   JZ\n", "line 1"},                  // count missing
      {"12345  0\n", "line 1"},                    // not even the extent
      {"12345  1JZ\n   12  4JZRRRS\n", "line 2"},  // fewer pairs than counted, file ends
      {"12345  2JZR\x01\n", "line 1"},             // a control character
  };
  for (const auto& [text, where] : bad) {
    SCOPED_TRACE(text);
    try {
      hershey::ParseJhf(text);
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
    }
  }
}

TEST(HersheyConversion, AGlyphInFontUnitsEndsWithAPenUpMoveToItsWidth) {
  const auto glyphs = hershey::ParseJhf("12345  9I[RFJ[ RRFZ[ RMTWT\n12345  1JZ\n12345  4MWRR RTV\n");
  // Checked by hand: x from the left extent -9, y up from the baseline 9.
  const auto a = hershey::ConvertGlyph(glyphs[0]);
  EXPECT_EQ(a.width, 18);
  EXPECT_EQ(a.commands, (std::vector<Command>{Move(9, 21), Draw(1, 0), Move(9, 21), Draw(17, 0), Move(4, 7),
                                              Draw(14, 7), Move(18, 0)}));
  const auto space = hershey::ConvertGlyph(glyphs[1]);
  EXPECT_EQ(space.width, 16);
  EXPECT_EQ(space.commands, (std::vector<Command>{Move(16, 0)}));
  // Single points are cut as dots: a move and a draw on the spot.
  EXPECT_EQ(hershey::ConvertGlyph(glyphs[2]).commands,
            (std::vector<Command>{Move(5, 9), Draw(5, 9), Move(7, 5), Draw(7, 5), Move(10, 0)}));
}

TEST(HersheyConversion, GlyphsThatDoNotFitSevenBitsAreRefused) {
  EXPECT_THROW(hershey::ConvertGlyph(hershey::ParseJhf("    1  1\"~\n")[0]), std::out_of_range);  // width 92
  EXPECT_THROW(hershey::ToFont(hershey::ParseJhf("    1  2!RaR\n"), "x"), std::out_of_range);  // x = 15 + 49
  EXPECT_THROW(hershey::ToFont(hershey::ParseJhf(SmallJhf({}) + "12345  1JZ\n"), "x"), std::runtime_error);
}

TEST(HersheyConversion, GermanLettersAreMadeFromTheFontsOwnGlyphs) {
  const auto font = hershey::ToFont(hershey::ParseJhf(SmallJhf(kSmall)), "x");
  EXPECT_EQ(font.first, 32);
  EXPECT_EQ(font.glyphs.size(), 225u - 32 + 1);
  EXPECT_EQ(font.top, 28);  // capitals of 21 units engrave at the programmed height
  EXPECT_EQ(font.bottom, 0);
  auto glyph = [&](int code) { return font.glyphs[code - 32]; };
  // Checked by hand: the bar of 'a' (x 2..10, top 14) and two stops centred at 6 -+ 2,
  // their lower ends two units above it.
  EXPECT_EQ(glyph(132).width, 12);
  EXPECT_EQ(glyph(132).commands, (std::vector<Command>{Move(2, 14), Draw(10, 14), Move(4, 18), Draw(4, 17),
                                                       Move(8, 18), Draw(8, 17), Move(12, 0)}));
  EXPECT_EQ(glyph(225).width, 20);
  EXPECT_EQ(glyph(225).commands,
            (std::vector<Command>{Move(3, 5), Draw(7, 5), Move(13, 5), Draw(17, 5), Move(20, 0)}));
  // Without the plain letter there is nothing to build on; codes between stay empty.
  for (int code : {128, 129, 142, 148, 153, 154, 200}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(glyph(code).width, 0);
    EXPECT_TRUE(glyph(code).commands.empty());
  }
  // A sharp s twice as wide as an 's' of 44 units would not fit: it stays empty.
  auto wideS = kSmall;
  wideS['s'] = "12345  3.ZPVTV";
  EXPECT_TRUE(hershey::ToFont(hershey::ParseJhf(SmallJhf(wideS)), "x").glyphs[225 - 32].commands.empty());
}

TEST(HersheyConversion, TheHeaderTextCreditsHersheyAndFitsItsLimit) {
  const std::string shortText = hershey::HeaderText("rowmans");
  EXPECT_EQ(shortText.find("Hershey-Zeichensatz rowmans\r\n"), 0u);
  EXPECT_NE(shortText.find("A. V. Hershey, U.S. National Bureau of Standards"), std::string::npos);
  const std::string longText = hershey::HeaderText(std::string(300, 'n') + "\x1A");
  EXPECT_LT(longText.size(), TextkopfHoechstlaenge);
  EXPECT_EQ(longText.find('\x1A'), std::string::npos);
}

// ---- The Hershey fonts of the Debian package, converted and read back ---------------------

class HersheyPackageFont : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(kHersheyDir / GetParam()))
      GTEST_SKIP() << "hershey-fonts-data is not installed";
  }
};

TEST_P(HersheyPackageFont, EveryGlyphReadsBackAsItsStrokes) {
  const auto glyphs = hershey::ParseJhf(ReadText(kHersheyDir / GetParam()));
  ASSERT_EQ(glyphs.size(), hershey::kMaxGlyphs);
  const std::string bytes = fontfile::Write(hershey::ToFont(glyphs, hershey::HeaderText(GetParam())));
  ASSERT_LE(bytes.size(), ZeichensatzpufferGroesse);
  const auto buffer = testsupport::BufferOf(bytes);
  TZeichensatzKopf kopf;
  ASSERT_EQ(ZeichensatzKopfLesen(buffer, kopf), TKopfBefund::Gueltig);
  EXPECT_EQ(kopf.Oberlaenge, 28);
  EXPECT_LT(kopf.Unterlaenge, 0);

  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const auto& g = glyphs[i];
    SCOPED_TRACE(32 + i);
    const auto z = ZeichenStricheLesen(buffer, kopf, static_cast<std::uint8_t>(32 + i));
    EXPECT_EQ(z.Breite, g.right - g.left);
    ASSERT_FALSE(z.Aktionen.empty());
    EXPECT_EQ(z.Aktionen.back(), (TStiftAktion{false, z.Breite, 0}));
    // Each pen-up starts the next stroke of the file; the points follow in font units.
    std::vector<std::vector<hershey::Point>> strokes;
    for (std::size_t k = 0; k + 1 < z.Aktionen.size(); ++k) {
      const auto& a = z.Aktionen[k];
      if (!a.Zeichnen) strokes.emplace_back();
      const hershey::Point p{a.Dx + g.left, hershey::kBaseline - a.Dy};
      if (a.Zeichnen && strokes.back().size() == 1 && strokes.back()[0].x == p.x &&
          strokes.back()[0].y == p.y)
        continue;
      strokes.back().push_back(p);
    }
    ASSERT_EQ(strokes.size(), g.strokes.size());
    for (std::size_t s = 0; s < strokes.size(); ++s) {
      ASSERT_EQ(strokes[s].size(), g.strokes[s].size());
      for (std::size_t p = 0; p < strokes[s].size(); ++p) {
        EXPECT_EQ(strokes[s][p].x, g.strokes[s][p].x);
        EXPECT_EQ(strokes[s][p].y, g.strokes[s][p].y);
      }
    }
  }
  // The German letters, looked up as the engraving cycle does, begin with their plain letter.
  const std::pair<std::uint8_t, char> german[] = {{228, 'a'}, {246, 'o'}, {252, 'u'}, {196, 'A'},
                                                  {214, 'O'}, {220, 'U'}, {223, 's'}};
  for (const auto& [ansi, plain] : german) {
    SCOPED_TRACE(plain);
    const auto letter = ZeichenStricheLesen(buffer, kopf, static_cast<std::uint8_t>(plain));
    const auto composed = ZeichenStricheLesen(buffer, kopf, AnsiNachDos(ansi));
    ASSERT_GT(composed.Aktionen.size(), letter.Aktionen.size());
    EXPECT_TRUE(std::equal(letter.Aktionen.begin(), letter.Aktionen.end() - 1, composed.Aktionen.begin()));
    EXPECT_EQ(composed.Breite, plain == 's' ? 2 * letter.Breite : letter.Breite);
  }
}

INSTANTIATE_TEST_SUITE_P(Hershey, HersheyPackageFont,
                         ::testing::Values("rowmans.jhf", "scripts.jhf", "futural.jhf", "gothgbt.jhf"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

TEST(HersheyFontsForUsers, AreTheConverterOutputOfThePackageFonts) {
  const std::pair<const char*, const char*> fonts[] = {{"rowmans.jhf", "ROMANS.FNT"},
                                                       {"scripts.jhf", "SCRIPTS.FNT"}};
  for (const auto& [source, target] : fonts) {
    SCOPED_TRACE(target);
    if (!std::filesystem::exists(kHersheyDir / source)) GTEST_SKIP() << "hershey-fonts-data is not installed";
    const std::string expected =
        fontfile::Write(hershey::ToFont(hershey::ParseJhf(ReadText(kHersheyDir / source)),
                                        hershey::HeaderText(std::filesystem::path(source).stem().string())));
    EXPECT_TRUE(ReadText(kFontsDir / target) == expected);
  }
  EXPECT_NE(ReadText(kFontsDir / "README").find("Dr. A. V. Hershey"), std::string::npos);
}

TEST(HersheyConverterProgram, WritesTheFontOrSaysWhyNot) {
  testsupport::TempDir dir;
  dir.write("klein.jhf", SmallJhf(kSmall));
  dir.write("kaputt.jhf", "12345  9I[RF\n");
  ASSERT_EQ(RunConverter(dir.file("klein.jhf") + " " + dir.file("KLEIN.FNT")), 0);
  EXPECT_EQ(dir.read("KLEIN.FNT"), fontfile::Write(hershey::ToFont(hershey::ParseJhf(SmallJhf(kSmall)),
                                                                   hershey::HeaderText("klein"))));
  EXPECT_EQ(RunConverter(dir.file("kaputt.jhf") + " " + dir.file("KAPUTT.FNT")), 1);
  EXPECT_FALSE(dir.exists("KAPUTT.FNT"));
  EXPECT_EQ(RunConverter(dir.file("fehlt.jhf") + " " + dir.file("FEHLT.FNT")), 1);
  EXPECT_EQ(RunConverter(dir.file("klein.jhf")), 2);
}
