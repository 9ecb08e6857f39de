#pragma once
// What the conversion benchmarks share: a working directory of their own, removed at the
// end, and a generated part program of plain motion blocks ended by M30.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/VelkorWinVAR.h"

namespace bench {

struct Arbeitsordner {
  std::filesystem::path pfad, vorher;
  Arbeitsordner() {
    vorher = std::filesystem::current_path();
    std::string muster = (std::filesystem::temp_directory_path() / "velkor-bench-XXXXXX").string();
    if (::mkdtemp(muster.data()) == nullptr) std::abort();
    pfad = muster;
    std::filesystem::current_path(pfad);
  }
  ~Arbeitsordner() {
    std::error_code ec;
    std::filesystem::current_path(vorher, ec);
    std::filesystem::remove_all(pfad, ec);
  }
  Arbeitsordner(const Arbeitsordner&) = delete;
  Arbeitsordner& operator=(const Arbeitsordner&) = delete;
};

inline VelkorWinVAR::TNcZeilen Programm(std::size_t saetze) {
  VelkorWinVAR::TNcZeilen zeilen;
  zeilen.reserve(saetze + 1);
  char satz[64];
  for (std::size_t i = 0; i < saetze; ++i) {
    std::snprintf(satz, sizeof satz, "N%zu G01 X%.3f Y%.3f Z-1.5 F250", (i + 1) * 10, (i % 1000) * 0.125,
                  (i / 1000) * 0.25);
    zeilen.emplace_back(satz);
  }
  zeilen.emplace_back("M30");
  return zeilen;
}

}  // namespace bench
