#pragma once
// Small exact engraving fonts for tests, built byte by byte so that every check knows each
// stroke. The test font of two characters, 'A' and 'B', is
//
//   FontBuilder().Top(10).Bottom(-3)
//       .Glyph('A', 6, {Move(0, 0), Draw(0, 10), Move(6, 0)})
//       .Glyph('B', 6, {Move(0, 5), Draw(6, 5), Move(6, 0)});
//
// Damaged files are made from Bytes() with the offsets of Layout() (fontfile::PutWord, cuts,
// padding).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/VelkorWinZeichensatz.h"
#include "tools/FontFileWriter.h"

namespace testsupport {

inline fontfile::Command Move(int x, int y) { return {fontfile::Move, x, y}; }
inline fontfile::Command Draw(int x, int y) { return {fontfile::Draw, x, y}; }
inline fontfile::Command Nothing(int x = 0, int y = 0) { return {fontfile::Nothing, x, y}; }

class FontBuilder {
public:
  // The free text before the 0x1A ("Testfont" unless set).
  FontBuilder& Text(std::string text);
  FontBuilder& Top(std::uint8_t top);
  FontBuilder& Bottom(std::int8_t bottom);
  // The glyph of `code` (the end command is added). The font spans the lowest to the highest
  // code given; a code in between without a glyph is empty: width 0, only the end command.
  FontBuilder& Glyph(std::uint8_t code, std::uint8_t width, std::vector<fontfile::Command> commands);

  std::string Bytes() const;
  fontfile::Layout Layout() const;
  void Save(const std::string& path) const;

private:
  fontfile::Font Font() const;

  std::string text_ = "Testfont";
  std::uint8_t top_ = 0;
  std::int8_t bottom_ = 0;
  std::map<std::uint8_t, fontfile::Glyph> glyphs_;
};

// The two-character test font above.
FontBuilder TestFontAB();

// A font buffer holding `bytes` as if read from a file (at most 20,001 bytes).
VelkorWinZeichensatz::TZeichensatzpuffer BufferOf(const std::string& bytes);

}  // namespace testsupport
