// hershey2fnt: converts a Hershey vector font (.jhf) into an engraving font (.FNT).
//   hershey2fnt EINGABE.jhf AUSGABE.FNT
// The glyphs and the letters made from them are described in tools/HersheyFont.h.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "engine/VelkorWinZeichensatz.h"
#include "toolkit/FileUtil.h"
#include "tools/HersheyFont.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Aufruf: hershey2fnt EINGABE.jhf AUSGABE.FNT\n");
    return 2;
  }
  const std::string input = argv[1];
  const std::string output = argv[2];
  std::string text;
  if (!toolkit::ReadFileText(input, text, 1u << 20)) {
    std::fprintf(stderr, "%s: nicht lesbar: %s\n", input.c_str(), toolkit::LastErrorText().c_str());
    return 1;
  }
  try {
    const auto glyphs = hershey::ParseJhf(text);
    const auto font =
        hershey::ToFont(glyphs, hershey::HeaderText(std::filesystem::path(input).stem().string()));
    const std::string bytes = fontfile::Write(font);
    if (bytes.size() > VelkorWinZeichensatz::ZeichensatzpufferGroesse) {
      std::fprintf(stderr, "%s: %zu Bytes, mehr als ein Zeichensatz fassen darf (%zu)\n", input.c_str(),
                   bytes.size(), VelkorWinZeichensatz::ZeichensatzpufferGroesse);
      return 1;
    }
    std::string error;
    if (!toolkit::WriteFileAtomic(output, bytes, &error)) {
      std::fprintf(stderr, "%s: nicht geschrieben: %s\n", output.c_str(), error.c_str());
      return 1;
    }
    std::printf("%s: %zu Zeichen, %zu Bytes\n", output.c_str(), glyphs.size(), bytes.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), e.what());
    return 1;
  }
  return 0;
}
