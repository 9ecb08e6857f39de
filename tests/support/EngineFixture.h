#pragma once
// The engine fixture: every module reset (the picture readers registered), the scripted
// host installed, the clock fixed at 07.12.2025 9:05, the German separator ',' and short
// date, and a fresh working directory. Checks the NC output and the host transcript together.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace testsupport {

// Lines a buffered run for the target `ziel` left in the NC buffer.
void GepufferteSaetze(const std::vector<std::string>& zeilen, const std::string& ziel);

class EngineFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // The part program (UTF-8 lines) becomes TeileprogrammListe; the target is TEIL.CVT.
  void Teileprogramm(const std::vector<std::string>& zeilen);
  // The lines of a file in the working directory (UTF-8); a missing file has none.
  std::vector<std::string> Zeilen(const std::string& name = "TEIL.CVT") const;
  // The file holds exactly these lines, each ended by CR LF (Windows-1252 on disk).
  void ErwarteDatei(const std::string& name, const std::vector<std::string>& zeilen) const;
  // The target file and the transcript, checked together.
  void Erwarte(const std::vector<std::string>& ausgabe, const std::vector<std::string>& protokoll) const;

  TempDir dir{true};
  ScriptedHost host;
};

}  // namespace testsupport
