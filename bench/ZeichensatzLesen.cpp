// Decoding the strokes of engraved text: per character a table lookup and one pass over its
// commands, so the cost grows with the text's length. A hostile font whose characters never
// reach an end command costs at most one pass over the 20,001-byte buffer per character.
#include <benchmark/benchmark.h>

#include "engine/VelkorWinZeichensatz.h"
#include "tools/FontFileWriter.h"

using namespace VelkorWinZeichensatz;

namespace {

TZeichensatzpuffer BufferOf(const std::string& bytes) {
  TZeichensatzpuffer buffer;
  buffer.Fuellen(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return buffer;
}

// 96 glyphs of 24 commands each, about the size of a simplex font.
std::string TypicalFont() {
  fontfile::Font font;
  font.top = 28;
  for (int code = 32; code < 128; ++code) {
    fontfile::Glyph g{20, {}};
    for (int k = 0; k < 23; ++k)
      g.commands.push_back({k % 6 == 0 ? fontfile::Move : fontfile::Draw, (code + k) % 20, k});
    g.commands.push_back({fontfile::Move, 20, 0});
    font.glyphs.push_back(g);
  }
  return fontfile::Write(font);
}

// Every character starts at the same stroke data, which fills the rest of the buffer with
// draw commands and has no end command.
std::string FontWithoutEndCommands() {
  fontfile::Font font;
  font.top = 28;
  font.glyphs.resize(96);
  std::string bytes = fontfile::Write(font);
  const std::size_t strokes = bytes.size() - 2 * 96;  // the end commands of the empty glyphs
  bytes.resize(strokes);
  while (bytes.size() + 2 <= ZeichensatzpufferGroesse) bytes += "\x81\x82";
  for (int i = 0; i < 96; ++i) fontfile::PutWord(bytes, 16 + 16 + 2 * i, 0);
  return bytes;
}

void DecodeText(benchmark::State& state, const std::string& fontBytes) {
  const auto buffer = BufferOf(fontBytes);
  TZeichensatzKopf kopf;
  ZeichensatzKopfLesen(buffer, kopf);
  std::vector<std::uint8_t> text(static_cast<std::size_t>(state.range(0)));
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<std::uint8_t>(32 + (i * 7) % 96);
  std::size_t actions = 0;
  for (auto _ : state) {
    for (std::uint8_t code : text) {
      const TZeichenStriche z = ZeichenStricheLesen(buffer, kopf, code);
      actions += z.Aktionen.size();
      benchmark::DoNotOptimize(z);
    }
  }
  benchmark::DoNotOptimize(actions);
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TypicalFont(benchmark::State& state) { DecodeText(state, TypicalFont()); }
void BM_FontWithoutEndCommands(benchmark::State& state) { DecodeText(state, FontWithoutEndCommands()); }

}  // namespace

BENCHMARK(BM_TypicalFont)->RangeMultiplier(4)->Range(16, 4096)->Complexity(benchmark::oN);
BENCHMARK(BM_FontWithoutEndCommands)->RangeMultiplier(4)->Range(16, 256)->Complexity(benchmark::oN);
