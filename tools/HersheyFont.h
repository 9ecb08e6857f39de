#pragma once
// Converts the public-domain Hershey vector fonts (".jhf" files) into engraving fonts.
// Header-only so that the converter program and the tests share it.
//
// A .jhf glyph is a 5-character glyph number, a 3-character count of coordinate pairs and the
// pairs, each coordinate a character minus 'R'; the first pair is the glyph's left and right
// extent, " R" lifts the pen, y grows downwards and the baseline lies at y = 9. A glyph's
// pairs may run on over the following lines.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VelkorWinZeichensatz.h"
#include "tools/FontFileWriter.h"

namespace hershey {

struct Point {
  int x = 0;
  int y = 0;
};

struct Glyph {
  int number = 0;
  int left = 0;  // extent as given in the file
  int right = 0;
  std::vector<std::vector<Point>> strokes;
};

inline constexpr int kBaseline = 9;    // y of the baseline in Hershey coordinates
inline constexpr int kCapTop = -12;    // y of the top of the capitals
inline constexpr int kFirstCode = 32;  // the glyphs of a file stand for the codes 32, 33, ...
inline constexpr std::size_t kMaxGlyphs = 96;

namespace detail {

inline int Field(std::string_view line, std::size_t from, std::size_t width, std::size_t lineNo) {
  if (line.size() < from + width) throw std::runtime_error("line " + std::to_string(lineNo) + ": too short");
  int value = 0;
  bool digit = false;
  for (char c : line.substr(from, width)) {
    if (c == ' ' && !digit) continue;
    if (c < '0' || c > '9') throw std::runtime_error("line " + std::to_string(lineNo) + ": not a number");
    value = value * 10 + (c - '0');
    digit = true;
  }
  if (!digit) throw std::runtime_error("line " + std::to_string(lineNo) + ": number missing");
  return value;
}

}  // namespace detail

// Throws std::runtime_error naming the line of the first fault.
inline std::vector<Glyph> ParseJhf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }

  std::vector<Glyph> glyphs;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find_first_not_of(' ') == std::string_view::npos) continue;
    const std::size_t lineNo = i + 1;
    Glyph g;
    g.number = detail::Field(lines[i], 0, 5, lineNo);
    const int pairs = detail::Field(lines[i], 5, 3, lineNo);
    if (pairs < 1) throw std::runtime_error("line " + std::to_string(lineNo) + ": no extent");
    std::string body(lines[i].substr(8));
    while (body.size() < 2 * static_cast<std::size_t>(pairs) && i + 1 < lines.size()) body += lines[++i];
    if (body.size() < 2 * static_cast<std::size_t>(pairs)) {
      throw std::runtime_error("line " + std::to_string(lineNo) + ": fewer pairs than counted");
    }
    for (char c : body) {
      if (c < ' ' || c > '~')
        throw std::runtime_error("line " + std::to_string(lineNo) + ": invalid character");
    }
    g.left = body[0] - 'R';
    g.right = body[1] - 'R';
    std::vector<Point> stroke;
    for (int k = 1; k < pairs; ++k) {
      const char a = body[2 * k];
      const char b = body[2 * k + 1];
      if (a == ' ' && b == 'R') {
        if (!stroke.empty()) g.strokes.push_back(std::move(stroke));
        stroke.clear();
      } else {
        stroke.push_back({a - 'R', b - 'R'});
      }
    }
    if (!stroke.empty()) g.strokes.push_back(std::move(stroke));
    glyphs.push_back(std::move(g));
  }
  return glyphs;
}

// One glyph in font units: x from the left extent, y up from the baseline; every stroke a
// move and its draws (a single point becomes a move and a draw on the spot), then the pen-up
// move to (width, 0) that leaves the pen at the next character's origin.
inline fontfile::Glyph ConvertGlyph(const Glyph& g) {
  const int width = g.right - g.left;
  if (width < 0 || width > 63) {
    throw std::out_of_range("glyph " + std::to_string(g.number) + ": width outside 0..63");
  }
  fontfile::Glyph out;
  out.width = static_cast<std::uint8_t>(width);
  for (const auto& stroke : g.strokes) {
    for (std::size_t i = 0; i < stroke.size(); ++i) {
      const fontfile::Command c{i == 0 ? fontfile::Move : fontfile::Draw, stroke[i].x - g.left,
                                kBaseline - stroke[i].y};
      out.commands.push_back(c);
      if (stroke.size() == 1) out.commands.push_back({fontfile::Draw, c.dx, c.dy});
    }
  }
  out.commands.push_back({fontfile::Move, width, 0});
  return out;
}

namespace detail {

struct Box {
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// The strokes of a converted glyph without its closing pen-up move.
inline std::vector<fontfile::Command> Strokes(const fontfile::Glyph& g) {
  std::vector<fontfile::Command> strokes = g.commands;
  if (!strokes.empty()) strokes.pop_back();
  return strokes;
}

inline std::optional<Box> Bounds(const std::vector<fontfile::Command>& commands) {
  if (commands.empty()) return std::nullopt;
  Box b{commands[0].dx, commands[0].dx, commands[0].dy, commands[0].dy};
  for (const auto& c : commands) {
    b.minX = std::min(b.minX, c.dx);
    b.maxX = std::max(b.maxX, c.dx);
    b.minY = std::min(b.minY, c.dy);
    b.maxY = std::max(b.maxY, c.dy);
  }
  return b;
}

inline void AppendShifted(std::vector<fontfile::Command>& to, const std::vector<fontfile::Command>& from,
                          int dx, int dy) {
  for (auto c : from) to.push_back({c.op, c.dx + dx, c.dy + dy});
}

// The composed glyph, or none when one of its points leaves the 7-bit range.
inline std::optional<fontfile::Glyph> Closed(std::vector<fontfile::Command> strokes, int width) {
  strokes.push_back({fontfile::Move, width, 0});
  for (const auto& c : strokes) {
    if (!fontfile::Fits(c)) return std::nullopt;
  }
  return fontfile::Glyph{static_cast<std::uint8_t>(width), std::move(strokes)};
}

// `letter` with two of the font's own full stops centred above it, two units clear.
inline std::optional<fontfile::Glyph> WithDiaeresis(const fontfile::Glyph& letter,
                                                    const fontfile::Glyph& stop) {
  const auto dot = Strokes(stop);
  const auto base = Strokes(letter);
  const auto d = Bounds(dot);
  const auto l = Bounds(base);
  if (!d || !l) return std::nullopt;
  const int centreX = (l->minX + l->maxX) / 2;
  const int spread = std::max(2, (l->maxX - l->minX + 2) / 4);
  const int dotCentreX = (d->minX + d->maxX) / 2;
  const int dotCentreY = (d->minY + d->maxY) / 2;
  const int targetY = l->maxY + 2 + (d->maxY - d->minY + 1) / 2;
  auto strokes = base;
  AppendShifted(strokes, dot, centreX - spread - dotCentreX, targetY - dotCentreY);
  AppendShifted(strokes, dot, centreX + spread - dotCentreX, targetY - dotCentreY);
  return Closed(std::move(strokes), letter.width);
}

// Two of `s` side by side, the usual stand-in for the sharp s.
inline std::optional<fontfile::Glyph> Doubled(const fontfile::Glyph& s) {
  const auto one = Strokes(s);
  if (one.empty()) return std::nullopt;
  auto strokes = one;
  AppendShifted(strokes, one, s.width, 0);
  return Closed(std::move(strokes), 2 * s.width);
}

}  // namespace detail

// The engraving font of a .jhf file: its glyphs at the codes 32, 33, ...; the German letters
// with diaeresis at their DOS code page positions (where AnsiNachDos puts them), made from the
// plain letter and two full stops, and the sharp s as "ss" (each left empty where it would not
// fit the format); other codes up to the last of these are empty. Oberlaenge is chosen so that
// the capitals engrave at the programmed height (the cycle scales by Hoehenfaktor /
// Oberlaenge); Unterlaenge is the lowest point of any glyph. Throws std::runtime_error or
// std::out_of_range (naming the code) when the glyphs do not fit the format.
inline fontfile::Font ToFont(const std::vector<Glyph>& glyphs, const std::string& text) {
  if (glyphs.size() > kMaxGlyphs) throw std::runtime_error("more than 96 glyphs");
  struct Composite {
    std::uint8_t code;
    char base;
  };
  constexpr Composite kUmlauts[] = {{129, 'u'}, {132, 'a'}, {142, 'A'}, {148, 'o'}, {153, 'O'}, {154, 'U'}};
  constexpr std::uint8_t kSharpS = 225;

  fontfile::Font font;
  font.text = text;
  font.first = kFirstCode;
  font.top =
      static_cast<std::uint8_t>(std::lround(VelkorWinZeichensatz::Hoehenfaktor * (kBaseline - kCapTop)));
  font.glyphs.resize(kSharpS - kFirstCode + 1);
  for (std::size_t i = 0; i < glyphs.size(); ++i) font.glyphs[i] = ConvertGlyph(glyphs[i]);

  auto glyphOf = [&](char c) -> const fontfile::Glyph& {
    return font.glyphs[static_cast<unsigned char>(c) - kFirstCode];
  };
  for (const auto& u : kUmlauts) {
    if (auto g = detail::WithDiaeresis(glyphOf(u.base), glyphOf('.'))) font.glyphs[u.code - kFirstCode] = *g;
  }
  if (auto g = detail::Doubled(glyphOf('s'))) font.glyphs[kSharpS - kFirstCode] = *g;

  int lowest = 0;
  for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
    for (const auto& c : font.glyphs[i].commands) {
      if (!fontfile::Fits(c)) {
        throw std::out_of_range("code " + std::to_string(kFirstCode + i) + ": coordinate outside -64..63");
      }
      lowest = std::min(lowest, c.dy);
    }
  }
  font.bottom = static_cast<std::int8_t>(std::max(lowest, -128));
  return font;
}

// The free text of a converted font: where it comes from, with the acknowledgement the
// Hershey fonts ask for, cut so that its end marker stays within the first 128 bytes.
inline std::string HeaderText(const std::string& sourceName) {
  const std::string credit = "\r\nDr. A. V. Hershey, U.S. National Bureau of Standards\r\n";
  std::string name;
  for (char c : sourceName) {
    if (static_cast<unsigned char>(c) >= ' ' && c != '\x7F') name += c;
  }
  const std::string head = "Hershey-Zeichensatz ";
  name = name.substr(0, VelkorWinZeichensatz::TextkopfHoechstlaenge - 1 - head.size() - credit.size());
  return head + name + credit;
}

}  // namespace hershey
