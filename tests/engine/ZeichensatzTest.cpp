#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "engine/VelkorWinZeichensatz.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"

using namespace VelkorWinZeichensatz;
using testsupport::BufferOf;
using testsupport::Draw;
using testsupport::FontBuilder;
using testsupport::Move;
using testsupport::Nothing;
using testsupport::TestFontAB;

namespace {

std::vector<TStiftAktion> Actions(std::initializer_list<TStiftAktion> list) { return list; }
TStiftAktion Up(int x, int y) { return {false, x, y}; }
TStiftAktion Down(int x, int y) { return {true, x, y}; }

const std::vector<TStiftAktion> kStrokesA = {Up(0, 0), Down(0, 10), Up(6, 0)};
const std::vector<TStiftAktion> kStrokesB = {Up(0, 5), Down(6, 5), Up(6, 0)};

TZeichensatzKopf HeaderOf(const TZeichensatzpuffer& buffer) {
  TZeichensatzKopf kopf;
  EXPECT_EQ(ZeichensatzKopfLesen(buffer, kopf), TKopfBefund::Gueltig);
  return kopf;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

}  // namespace

TEST(FontFile, TheTwoLetterTestFontByteForByte) {
  // Checked by hand: text, 0x1A at 8, H = 16, n = 2, first 'A', stroke data at H + 22,
  // top 10, bottom -3, offsets 0 and 8, widths 6 and 6, then the commands of 'A' and 'B'.
  EXPECT_EQ(Hex(TestFontAB().Bytes()),
            "54 65 73 74 66 6F 6E 74 1A 10 00 00 00 00 00 00 "
            "00 02 00 00 41 16 00 00 0A 00 FD 00 00 00 00 00 "
            "00 00 08 00 06 06 "
            "80 00 80 8A 86 00 00 00 80 05 86 85 86 00 00 00");
}

TEST(FontFile, HeaderFieldsAndBothCharacters) {
  const auto buffer = BufferOf(TestFontAB().Bytes());
  const TZeichensatzKopf kopf = HeaderOf(buffer);
  EXPECT_EQ(kopf.Textende, 8u);
  EXPECT_EQ(kopf.Kopfoffset, 16u);
  EXPECT_EQ(kopf.Zeichenanzahl, 2);
  EXPECT_EQ(kopf.ErstesZeichen, 'A');
  EXPECT_EQ(kopf.Strichdatenoffset, 22u);
  EXPECT_EQ(kopf.Oberlaenge, 10);
  EXPECT_EQ(kopf.Unterlaenge, -3);

  const TZeichenStriche a = ZeichenStricheLesen(buffer, kopf, 'A');
  EXPECT_EQ(a.Breite, 6);
  EXPECT_EQ(a.Aktionen, kStrokesA);
  const TZeichenStriche b = ZeichenStricheLesen(buffer, kopf, 'B');
  EXPECT_EQ(b.Breite, 6);
  EXPECT_EQ(b.Aktionen, kStrokesB);
}

TEST(FontFile, CommandBytesDecodeToOperationAndSignedOffsets) {
  struct Row {
    std::uint8_t b1, b2;
    TStiftOperation op;
    int dx, dy;
  };
  const Row rows[] = {
      {0xFD, 0xF9, TStiftOperation::Zeichnen, -3, -7}, {0x00, 0x00, TStiftOperation::Ende, 0, 0},
      {0x7F, 0x80, TStiftOperation::Keine, -1, 0},     {0x3F, 0x40, TStiftOperation::Ende, 63, -64},
      {0xC0, 0x3F, TStiftOperation::Bewegen, -64, 63},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(Hex(std::string{static_cast<char>(r.b1), static_cast<char>(r.b2)}));
    const TStrichbefehl c = StrichbefehlLesen(r.b1, r.b2);
    EXPECT_EQ(c.Operation, r.op);
    EXPECT_EQ(c.Dx, r.dx);
    EXPECT_EQ(c.Dy, r.dy);
  }
}

TEST(FontFile, CommandsOfOperationOneChangeNothing) {
  const auto buffer = BufferOf(FontBuilder()
                                   .Top(10)
                                   .Glyph('A', 6,
                                          {Nothing(5, 5), Move(0, 0), Nothing(), Draw(0, 10),
                                           Nothing(-64, 63), Draw(3, 3), Move(6, 0)})
                                   .Bytes());
  EXPECT_EQ(ZeichenStricheLesen(buffer, HeaderOf(buffer), 'A').Aktionen,
            Actions({Up(0, 0), Down(0, 10), Down(3, 3), Up(6, 0)}));
}

TEST(FontFile, CodesOutsideTheFontHaveNoWidthAndNoStrokes) {
  const auto buffer = BufferOf(TestFontAB().Bytes());
  const TZeichensatzKopf kopf = HeaderOf(buffer);
  for (int code : {0, int{'@'}, int{'C'}, 255}) {
    SCOPED_TRACE(code);
    const auto z = ZeichenStricheLesen(buffer, kopf, static_cast<std::uint8_t>(code));
    EXPECT_EQ(z.Breite, 0);
    EXPECT_TRUE(z.Aktionen.empty());
    EXPECT_EQ(ZeichenBreite(buffer, kopf, static_cast<std::uint8_t>(code)), 0);
  }
}

TEST(FontFile, GapsInTheCodeRangeAreEmptyCharacters) {
  const auto buffer =
      BufferOf(FontBuilder().Top(10).Glyph('a', 4, {Move(4, 0)}).Glyph('c', 5, {Move(5, 0)}).Bytes());
  const TZeichensatzKopf kopf = HeaderOf(buffer);
  EXPECT_EQ(kopf.Zeichenanzahl, 3);
  EXPECT_EQ(ZeichenBreite(buffer, kopf, 'b'), 0);
  EXPECT_TRUE(ZeichenStricheLesen(buffer, kopf, 'b').Aktionen.empty());
  EXPECT_EQ(ZeichenStricheLesen(buffer, kopf, 'c').Aktionen, Actions({Up(5, 0)}));
}

// ---- The header check ----------------------------------------------------------------

struct HeaderCase {
  const char* name;
  std::function<std::string()> bytes;
  TKopfBefund expected;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class FontHeaderCheck : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FontHeaderCheck, Finds) {
  TZeichensatzKopf kopf;
  EXPECT_EQ(ZeichensatzKopfLesen(BufferOf(GetParam().bytes()), kopf), GetParam().expected);
}

std::string WithWordAt(std::string bytes, std::size_t at, std::uint16_t value) {
  fontfile::PutWord(bytes, at, value);
  return bytes;
}

const HeaderCase kHeaderCases[] = {
    {"EndMarkerAt127", [] { return TestFontAB().Text(std::string(127, 'x')).Bytes(); }, TKopfBefund::Gueltig},
    {"EndMarkerAt128", [] { return TestFontAB().Text(std::string(128, 'x')).Bytes(); },
     TKopfBefund::KeinTextende},
    {"EndMarkerAt0", [] { return TestFontAB().Text("").Bytes(); }, TKopfBefund::Gueltig},
    {"EmptyFile", [] { return std::string(); }, TKopfBefund::KeinTextende},
    {"ShortTextOnly", [] { return std::string("Zeichensatz"); }, TKopfBefund::KeinTextende},
    {"EndMarkerIsTheLastByte", [] { return std::string("abc\x1A"); }, TKopfBefund::OberlaengeNull},
    {"TopZero", [] { return TestFontAB().Top(0).Bytes(); }, TKopfBefund::OberlaengeNull},
    {"HeaderOffsetPastTheEnd", [] { return WithWordAt(TestFontAB().Bytes(), 9, 0xFFFF); },
     TKopfBefund::OberlaengeNull},
    {"CutBeforeTheTop", [] { return TestFontAB().Bytes().substr(0, 24); }, TKopfBefund::OberlaengeNull},
    {"CutAfterTheTop", [] { return TestFontAB().Bytes().substr(0, 25); }, TKopfBefund::Gueltig},
};

INSTANTIATE_TEST_SUITE_P(All, FontHeaderCheck, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Damaged and hostile fonts: the test font with one fault each ----------------------

struct DamageCase {
  const char* name;
  int widthA;
  std::vector<TStiftAktion> strokesA;
  int widthB;
  std::vector<TStiftAktion> strokesB;
  std::function<std::string(const std::string&, const fontfile::Layout&)> damage;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedFont : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFont, DrawsTheDamagedCharactersAsNothing) {
  const DamageCase& c = GetParam();
  const FontBuilder font = TestFontAB();
  const auto buffer = BufferOf(c.damage(font.Bytes(), font.Layout()));
  TZeichensatzKopf kopf;
  ASSERT_EQ(ZeichensatzKopfLesen(buffer, kopf), TKopfBefund::Gueltig);
  const auto a = ZeichenStricheLesen(buffer, kopf, 'A');
  const auto b = ZeichenStricheLesen(buffer, kopf, 'B');
  EXPECT_EQ(a.Breite, c.widthA);
  EXPECT_EQ(a.Aktionen, c.strokesA);
  EXPECT_EQ(b.Breite, c.widthB);
  EXPECT_EQ(b.Aktionen, c.strokesB);
}

using Layout = fontfile::Layout;

// clang-format off
const DamageCase kDamageCases[] = {
    {"StrokeOffsetPastTheEnd", 6, {}, 6, kStrokesB,
     [](std::string b, const Layout& l) { return WithWordAt(b, l.offsetTable, 0xFFFF); }},
    {"StrokeOffsetIntoTheLastByte", 6, kStrokesA, 6, {},
     [](std::string b, const Layout& l) {
       return WithWordAt(b, l.offsetTable + 2, static_cast<std::uint16_t>(b.size() - 1 - l.strokeData));
     }},
    {"NoEndCommandBeforeTheEndOfTheFile", 6, kStrokesA, 6, {},
     [](std::string b, const Layout&) { return b.substr(0, b.size() - 2); }},
    {"FileEndsInsideTheEndCommand", 6, kStrokesA, 6, {},
     [](std::string b, const Layout&) { return b.substr(0, b.size() - 1); }},
    {"StrokeDataOffsetPastTheEnd", 6, {}, 6, {},
     [](std::string b, const Layout& l) { return WithWordAt(b, l.header + 5, 0xFFFF); }},
    {"CountTooLargeMovesTheWidthsOutOfTheFile", 0, kStrokesA, 0, kStrokesB,
     [](std::string b, const Layout& l) { return WithWordAt(b, l.header + 1, 200); }},
    {"FileEndsInsideTheOffsetTable", 0, {}, 0, {},
     [](std::string b, const Layout& l) { return b.substr(0, l.offsetTable + 3); }},
    {"FileEndsInsideTheWidths", 6, {}, 0, {},
     [](std::string b, const Layout& l) { return b.substr(0, l.widthTable + 1); }},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(All, DamagedFont, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every code of a font drawn from arbitrary bytes: no read outside the file (the sanitizer
// build watches), no endless loop, and only strokes whose commands lie in the file.
void DrawEveryCode(const std::string& bytes) {
  const auto buffer = BufferOf(bytes);
  TZeichensatzKopf kopf;
  if (ZeichensatzKopfLesen(buffer, kopf) == TKopfBefund::KeinTextende) return;
  for (int code = 0; code < 256; ++code) {
    const auto z = ZeichenStricheLesen(buffer, kopf, static_cast<std::uint8_t>(code));
    if (!z.Aktionen.empty()) {
      ASSERT_LE(2 * z.Aktionen.size() + 2, bytes.size());
    }
    ASSERT_LE(z.Breite, 255);
    for (const auto& a : z.Aktionen) {
      ASSERT_TRUE(a.Dx >= -64 && a.Dx <= 63 && a.Dy >= -64 && a.Dy <= 63);
    }
  }
}

TEST(FontFileFuzz, EveryPrefixOfAFont) {
  FontBuilder font = TestFontAB().Text("Fuzz");
  for (int c = 'C'; c <= 'Z'; ++c) {
    font.Glyph(static_cast<std::uint8_t>(c), 7, {Move(1, 1), Draw(5, 9), Nothing(), Move(7, 0)});
  }
  const std::string bytes = font.Bytes();
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    SCOPED_TRACE(n);
    DrawEveryCode(bytes.substr(0, n));
  }
}

TEST(FontFileFuzz, FlippedBytesAndRandomFiles) {
  std::mt19937 random(20240607);
  const std::string good = TestFontAB().Bytes();
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = good;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int f = 0; f < flips; ++f) bytes[random() % bytes.size()] = static_cast<char>(random());
    DrawEveryCode(bytes);
  }
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    if (!bytes.empty()) bytes[random() % std::min<std::size_t>(bytes.size(), 16)] = '\x1A';
    DrawEveryCode(bytes);
  }
}

// ---- Loading a file ----------------------------------------------------------------------

TEST(FontLoading, ReadsAFileOfUpTo20001Bytes) {
  testsupport::TempDir dir;
  std::string bytes = TestFontAB().Bytes();
  bytes.resize(ZeichensatzpufferGroesse, '\x55');
  dir.write("GROSS.FNT", bytes);
  TZeichensatzpuffer buffer;
  ASSERT_EQ(ZeichensatzLaden(dir.file("GROSS.FNT"), buffer), 0);
  EXPECT_EQ(buffer.Groesse(), ZeichensatzpufferGroesse);
  EXPECT_EQ(ZeichenStricheLesen(buffer, HeaderOf(buffer), 'B').Aktionen, kStrokesB);
}

TEST(FontLoading, RefusesWhatCannotBeReadAndKeepsTheFontItHeld) {
  testsupport::TempDir dir;
  TestFontAB().Save(dir.file("T.FNT"));
  std::string tooBig = TestFontAB().Top(20).Bytes();
  tooBig.resize(ZeichensatzpufferGroesse + 1, '\0');
  dir.write("ZUGROSS.FNT", tooBig);
  std::filesystem::create_directory(dir.path() / "ORDNER.FNT");

  TZeichensatzpuffer buffer;
  ASSERT_EQ(ZeichensatzLaden(dir.file("T.FNT"), buffer), 0);
  EXPECT_EQ(ZeichensatzLaden(dir.file("ZUGROSS.FNT"), buffer), FehlerDateiZuGross);
  EXPECT_NE(ZeichensatzLaden(dir.file("FEHLT.FNT"), buffer), 0);
  EXPECT_NE(ZeichensatzLaden(dir.file("ORDNER.FNT"), buffer), 0);
  EXPECT_NE(ZeichensatzLaden("", buffer), 0);
  EXPECT_EQ(HeaderOf(buffer).Oberlaenge, 10);  // still the first font
}

TEST(FontLoading, AnEmptyFileLoadsAndFailsTheHeaderCheck) {
  testsupport::TempDir dir;
  dir.write("LEER.FNT", "");
  TZeichensatzpuffer buffer;
  ASSERT_EQ(ZeichensatzLaden(dir.file("LEER.FNT"), buffer), 0);
  TZeichensatzKopf kopf;
  EXPECT_EQ(ZeichensatzKopfLesen(buffer, kopf), TKopfBefund::KeinTextende);
}

TEST(FontLoading, AShorterFontNeverReadsTheBytesOfTheOneBefore) {
  testsupport::TempDir dir;
  const std::string good = TestFontAB().Bytes();
  std::string big = good;
  big.resize(ZeichensatzpufferGroesse, '\0');
  dir.write("GROSS.FNT", big);
  dir.write("KAPUTT.FNT", good.substr(0, good.size() - 2));  // 'B' has lost its end command

  TZeichensatzpuffer buffer;
  ASSERT_EQ(ZeichensatzLaden(dir.file("GROSS.FNT"), buffer), 0);
  ASSERT_EQ(ZeichensatzLaden(dir.file("KAPUTT.FNT"), buffer), 0);
  EXPECT_TRUE(ZeichenStricheLesen(buffer, HeaderOf(buffer), 'B').Aktionen.empty());
}

// ---- The character map -------------------------------------------------------------------

TEST(AnsiNachDos, GermanLettersGoToTheirDosPositions) {
  const std::pair<int, int> pairs[] = {{228, 132}, {246, 148}, {252, 129}, {223, 225}, {196, 142}, {214, 153},
                                       {220, 154}, {128, 32},  {176, 248}, {254, 231}, {225, 225}, {129, 129},
                                       {255, 255}, {65, 65},   {0, 0},     {127, 127}};
  for (const auto& [ansi, dos] : pairs) EXPECT_EQ(AnsiNachDos(static_cast<std::uint8_t>(ansi)), dos) << ansi;
}

TEST(AnsiNachDos, Only54CodesAbove127AndBelow255Change) {
  int changed = 0;
  for (int code = 0; code < 256; ++code) {
    if (AnsiNachDos(static_cast<std::uint8_t>(code)) == code) continue;
    ++changed;
    EXPECT_TRUE(code >= 128 && code <= 254) << code;
  }
  EXPECT_EQ(changed, 54);
}
