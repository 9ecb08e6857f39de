#include "support/EngineFixture.h"

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/Clock.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace testsupport {

void GepufferteSaetze(const std::vector<std::string>& zeilen, const std::string& ziel) {
  for (const auto& zeile : zeilen) VelkorWinFileUtils::NcSatzPuffer.push_back(zeile);
  VelkorWinFileUtils::NcSatzPuffer.ZielSetzen(ziel);
}

void EngineFixture::SetUp() {
  engine::ResetAllModules();
  RasterGraphics::ResetState();
  toolkit::SetFixedClock({2025, 12, 7, 9, 5, 0, 0});
  toolkit::SetDecimalSeparator(',');
  toolkit::SetShortDateFormat("%d.%m.%Y");
}

void EngineFixture::TearDown() {
  toolkit::SetClock(nullptr);
  toolkit::SetDecimalSeparator('.');
  engine::ResetAllModules();
}

void EngineFixture::Teileprogramm(const std::vector<std::string>& zeilen) {
  VelkorWinVAR::TNcZeilen liste;
  for (const auto& zeile : zeilen) liste.push_back(toolkit::Ansi(zeile));
  VelkorWinVAR::TeileprogrammListe = std::move(liste);
  VelkorWinVAR::KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  VelkorWinVAR::KonfigBlock.Zieldateiname = "TEIL.CVT";
}

std::vector<std::string> EngineFixture::Zeilen(const std::string& name) const {
  std::vector<std::string> zeilen = toolkit::SplitLines(dir.read(name));
  for (auto& zeile : zeilen) zeile = toolkit::Cp1252ToUtf8(zeile);
  return zeilen;
}

void EngineFixture::ErwarteDatei(const std::string& name, const std::vector<std::string>& zeilen) const {
  std::vector<std::string> ansi;
  for (const auto& zeile : zeilen) ansi.push_back(toolkit::Ansi(zeile));
  EXPECT_EQ(toolkit::Cp1252ToUtf8(dir.read(name)), toolkit::Cp1252ToUtf8(toolkit::JoinLines(ansi))) << name;
}

void EngineFixture::Erwarte(const std::vector<std::string>& ausgabe, const std::vector<std::string>& protokoll) const {
  ErwarteDatei("TEIL.CVT", ausgabe);
  EXPECT_EQ(host.Protokoll, protokoll);
}

}  // namespace testsupport
