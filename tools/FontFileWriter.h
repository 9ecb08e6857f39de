#pragma once
// Writes single-stroke engraving fonts in the program's font file format (the reader is
// engine/VelkorWinZeichensatz.h). Shared by the Hershey converter and the tests' font builder,
// so both lay a font out the same way. Header-only: every tools/*.cpp is a program of its own.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fontfile {

enum Operation : std::uint8_t { End = 0, Nothing = 1, Move = 2, Draw = 3 };

struct Command {
  Operation op = End;
  int dx = 0;  // font units from the character's origin, -64 .. 63
  int dy = 0;
  bool operator==(const Command&) const = default;
};

struct Glyph {
  std::uint8_t width = 0;
  std::vector<Command> commands;  // the writer appends the end command
};

struct Font {
  std::string text = "Testfont";  // free text before the 0x1A, at most 127 bytes to be readable
  std::uint8_t first = 32;        // code of glyphs[0]
  std::uint8_t top = 0;           // Oberlaenge
  std::int8_t bottom = 0;         // Unterlaenge
  std::vector<Glyph> glyphs;      // at most 255
};

// Where the writer put each part, as offsets into the file.
struct Layout {
  std::size_t textEnd = 0;      // the 0x1A
  std::size_t header = 0;       // H
  std::size_t offsetTable = 0;  // H + 16
  std::size_t widthTable = 0;   // H + 16 + 2n
  std::size_t strokeData = 0;   // H + 16 + 3n: the commands follow the widths at once
  std::vector<std::size_t> glyphStart;
};

// True when both coordinates fit the 7 bits of a command.
inline bool Fits(const Command& c) { return c.dx >= -64 && c.dx <= 63 && c.dy >= -64 && c.dy <= 63; }

// The two bytes of one command; throws std::out_of_range for a coordinate outside 7 bits.
inline void AppendCommand(std::string& out, const Command& c) {
  if (!Fits(c)) {
    throw std::out_of_range("coordinate outside -64..63: " + std::to_string(c.dx) + "," + std::to_string(c.dy));
  }
  out += static_cast<char>(((c.op >> 1) & 1) << 7 | (c.dx & 0x7F));
  out += static_cast<char>((c.op & 1) << 7 | (c.dy & 0x7F));
}

inline void PutWord(std::string& bytes, std::size_t at, std::uint16_t value) {
  if (bytes.size() < at + 2) bytes.resize(at + 2, '\0');
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

// The whole file. The font header starts at the first multiple of 16 after the text's 0x1A
// and its offset word. Throws std::length_error when the glyphs do not fit the tables.
inline std::string Write(const Font& font, Layout* layout = nullptr) {
  const std::size_t n = font.glyphs.size();
  if (n > 255) throw std::length_error("more than 255 glyphs");
  Layout l;
  l.textEnd = font.text.size();
  l.header = (l.textEnd + 3 + 15) / 16 * 16;
  l.offsetTable = l.header + 16;
  l.widthTable = l.offsetTable + 2 * n;
  l.strokeData = l.widthTable + n;
  if (l.header > 0xFFFF) throw std::length_error("text too long");

  std::string strokes;
  for (const Glyph& g : font.glyphs) {
    l.glyphStart.push_back(l.strokeData + strokes.size());
    for (const Command& c : g.commands) AppendCommand(strokes, c);
    AppendCommand(strokes, Command{});
  }
  if (!font.glyphs.empty() && l.glyphStart.back() - l.strokeData > 0xFFFF) {
    throw std::length_error("stroke data beyond 64 KiB");
  }

  std::string out = font.text;
  out += '\x1A';
  PutWord(out, l.textEnd + 1, static_cast<std::uint16_t>(l.header));
  out.resize(l.header + 16, '\0');
  PutWord(out, l.header + 1, static_cast<std::uint16_t>(n));
  out[l.header + 4] = static_cast<char>(font.first);
  PutWord(out, l.header + 5, static_cast<std::uint16_t>(l.strokeData - l.header));
  out[l.header + 8] = static_cast<char>(font.top);
  out[l.header + 10] = static_cast<char>(font.bottom);
  for (std::size_t i = 0; i < n; ++i) {
    PutWord(out, l.offsetTable + 2 * i, static_cast<std::uint16_t>(l.glyphStart[i] - l.strokeData));
  }
  for (const Glyph& g : font.glyphs) out += static_cast<char>(g.width);
  out += strokes;
  if (layout) *layout = std::move(l);
  return out;
}

}  // namespace fontfile
