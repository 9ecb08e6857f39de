#include "fuzz/workdir.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {

std::string EigenerOrdner() {
  static std::string ordner = (std::filesystem::temp_directory_path() / "velkor-fuzz-XXXXXX").string();
  if (::mkdtemp(ordner.data()) == nullptr || ::chdir(ordner.c_str()) != 0) Verletzt("kein eigener Ordner: " + ordner);
  std::atexit([] {
    std::error_code fehler;
    std::filesystem::remove_all(ordner, fehler);
  });
  return ordner;
}

void DateiSchreiben(const std::string& Name, std::string_view Bytes) {
  std::ofstream datei(Name, std::ios::binary | std::ios::trunc);
  datei.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  if (!datei.flush()) Verletzt("kann " + Name + " nicht schreiben");
}

void DateiSchreiben(const std::string& Name, const std::uint8_t* Daten, std::size_t Groesse) {
  DateiSchreiben(Name, std::string_view(reinterpret_cast<const char*>(Daten), Groesse));
}

std::string DateiLesen(const std::string& Name) {
  std::ifstream datei(Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>()};
}

void Verletzt(const std::string& Text) {
  std::fprintf(stderr, "fuzz: %s\n", Text.c_str());
  std::abort();
}

}  // namespace fuzz
