// Golden runs of the headless driver: each folder of tests/data/wandeln holds a part
// program we made (TEIL.CNC), the files lying beside it before the run (vorher/), the
// call (fall.txt: extra options and the exit status), the expected notices on standard
// error (meldungen.txt) and every file expected afterwards (erwartet/), byte for byte.
// The clock stands at 07.12.2025 9:05 and the separator is ','. A failing case leaves
// its actual files in <build>/golden-ist/<case>/ for diff.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "support/TempDir.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFaelle = fs::path(VELKOR_TEST_DATA) / "wandeln";

std::vector<std::string> Faelle() {
  std::vector<std::string> namen;
  for (const auto& eintrag : fs::directory_iterator(kFaelle)) {
    if (eintrag.is_directory()) namen.push_back(eintrag.path().filename().string());
  }
  std::sort(namen.begin(), namen.end());
  return namen;
}

std::string Lesen(const fs::path& datei) {
  std::string inhalt;
  toolkit::ReadFileText(datei.string(), inhalt);
  return inhalt;
}

std::set<std::string> Dateien(const fs::path& ordner) {
  std::set<std::string> namen;
  if (fs::exists(ordner)) {
    for (const auto& eintrag : fs::directory_iterator(ordner)) namen.insert(eintrag.path().filename().string());
  }
  return namen;
}

// The first differing line of two texts, both versions shown.
std::string ErsterUnterschied(const std::string& soll, const std::string& ist) {
  const auto a = toolkit::SplitLines(soll);
  const auto b = toolkit::SplitLines(ist);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string x = i < a.size() ? a[i] : "<none>";
    const std::string y = i < b.size() ? b[i] : "<none>";
    if (x != y) return "line " + std::to_string(i + 1) + "\n  expected: " + x + "\n  actual:   " + y;
  }
  return "line ends or bytes differ";
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ConvertsAsExpected) {
  const fs::path fall = kFaelle / GetParam();
  testsupport::TempDir temp;
  const fs::path arbeit = temp.path() / "arbeit";
  fs::create_directory(arbeit);
  fs::copy_file(fall / "TEIL.CNC", arbeit / "TEIL.CNC");
  for (const auto& name : Dateien(fall / "vorher")) fs::copy_file(fall / "vorher" / name, arbeit / name);

  std::string aufruf;
  int status = 0;
  std::ifstream angaben(fall / "fall.txt");
  for (std::string zeile; std::getline(angaben, zeile);) {
    if (zeile.rfind("aufruf:", 0) == 0) aufruf = zeile.substr(7);
    if (zeile.rfind("status:", 0) == 0) status = std::stoi(zeile.substr(7));
  }
  const fs::path meldungen = temp.path() / "meldungen.txt";
  const std::string befehl = "cd '" + arbeit.string() + "' && '" + VELKOR_BINARY_DIR +
                             "/tests/wandeln' --uhr '07.12.2025 09:05' --trenner , " + aufruf + " TEIL.CNC 2> '" +
                             meldungen.string() + "'";
  const int ergebnis = std::system(befehl.c_str());
  ASSERT_TRUE(WIFEXITED(ergebnis)) << befehl;

  bool gleich = true;
  EXPECT_EQ(WEXITSTATUS(ergebnis), status);
  const std::string sollMeldungen = Lesen(fall / "meldungen.txt");
  const std::string istMeldungen = Lesen(meldungen);
  if (sollMeldungen != istMeldungen) {
    gleich = false;
    ADD_FAILURE() << "notices: " << ErsterUnterschied(sollMeldungen, istMeldungen);
  }
  std::set<std::string> erwartet = Dateien(fall / "erwartet");
  erwartet.insert("TEIL.CNC");
  if (Dateien(arbeit) != erwartet) {
    gleich = false;
    ADD_FAILURE() << "the files beside the part program differ from erwartet/";
  }
  for (const auto& name : Dateien(fall / "erwartet")) {
    const std::string soll = Lesen(fall / "erwartet" / name);
    const std::string ist = Lesen(arbeit / name);
    if (soll != ist) {
      gleich = false;
      ADD_FAILURE() << name << ": " << ErsterUnterschied(soll, ist);
    }
  }
  if (!gleich) {
    const fs::path ablage = fs::path(VELKOR_BINARY_DIR) / "golden-ist" / GetParam();
    fs::remove_all(ablage);
    fs::create_directories(ablage.parent_path());
    fs::copy(arbeit, ablage, fs::copy_options::recursive);
    fs::copy_file(meldungen, ablage / "meldungen.txt", fs::copy_options::overwrite_existing);
  }
}

INSTANTIATE_TEST_SUITE_P(Wandeln, Golden, ::testing::ValuesIn(Faelle()), [](const auto& info) {
  std::string name;  // "programm-a" becomes "ProgrammA"
  bool gross = true;
  for (const char c : info.param) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      gross = true;
    } else {
      name += gross ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      gross = false;
    }
  }
  return name;
});

}  // namespace
