#include "support/FontBuilder.h"

#include <fstream>
#include <stdexcept>

namespace testsupport {

FontBuilder& FontBuilder::Text(std::string text) {
  text_ = std::move(text);
  return *this;
}

FontBuilder& FontBuilder::Top(std::uint8_t top) {
  top_ = top;
  return *this;
}

FontBuilder& FontBuilder::Bottom(std::int8_t bottom) {
  bottom_ = bottom;
  return *this;
}

FontBuilder& FontBuilder::Glyph(std::uint8_t code, std::uint8_t width,
                                std::vector<fontfile::Command> commands) {
  glyphs_[code] = fontfile::Glyph{width, std::move(commands)};
  return *this;
}

fontfile::Font FontBuilder::Font() const {
  fontfile::Font font;
  font.text = text_;
  font.top = top_;
  font.bottom = bottom_;
  if (glyphs_.empty()) return font;
  font.first = glyphs_.begin()->first;
  font.glyphs.resize(glyphs_.rbegin()->first - font.first + 1u);
  for (const auto& [code, glyph] : glyphs_) font.glyphs[code - font.first] = glyph;
  return font;
}

std::string FontBuilder::Bytes() const { return fontfile::Write(Font()); }

fontfile::Layout FontBuilder::Layout() const {
  fontfile::Layout layout;
  fontfile::Write(Font(), &layout);
  return layout;
}

void FontBuilder::Save(const std::string& path) const {
  const std::string bytes = Bytes();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

FontBuilder TestFontAB() {
  return FontBuilder()
      .Top(10)
      .Bottom(-3)
      .Glyph('A', 6, {Move(0, 0), Draw(0, 10), Move(6, 0)})
      .Glyph('B', 6, {Move(0, 5), Draw(6, 5), Move(6, 0)});
}

VelkorWinZeichensatz::TZeichensatzpuffer BufferOf(const std::string& bytes) {
  VelkorWinZeichensatz::TZeichensatzpuffer buffer;
  if (!buffer.Fuellen(std::vector<std::uint8_t>(bytes.begin(), bytes.end()))) {
    throw std::length_error("font bytes exceed the buffer");
  }
  return buffer;
}

}  // namespace testsupport
