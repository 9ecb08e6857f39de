// The settings file packed byte by byte from the layout table by a script of its own
// (tests/data/konfig/konfig_packen.py), with a value of its own in every field: loaded,
// each field holds the value the script put at its offset; saved again, the file is the
// same apart from the reserved fields, which never come from a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"

using namespace VelkorWinVAR;

namespace {

const std::filesystem::path kFelder = std::filesystem::path(VELKOR_TEST_DATA) / "konfig" / "FELDER.CNF";

std::string Bytes(const std::filesystem::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

// "1" and "0" for the switches, in order: a wrong one shows where it stands.
template <class Schalter>
std::string Bits(const Schalter& schalter) {
  std::string s;
  for (const bool b : schalter) s += b ? '1' : '0';
  return s;
}

auto Werkzeug(const TWerkzeugDaten& w) {
  return std::tuple{int{w.Nummer}, w.Benennung, w.Laenge, w.Nutzlaenge, w.Durchmesser, int{w.Zeichenfarbe}};
}

class KonfigFelder : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_EQ(Bytes(kFelder).size(), 2212u);
    ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden(kFelder.string()));
  }
};

TEST_F(KonfigFelder, EveryFieldHoldsTheValueAtItsOffset) {
  const auto& k = KonfigBlock;
  EXPECT_EQ(std::string(k.KonfigKennung.begin(), k.KonfigKennung.end()), "Felderprobe der Einstellungen!!\x1a");
  EXPECT_EQ(k.Reserviert1, 0);
  EXPECT_EQ(k.Reserviert2, (std::array<std::uint8_t, 21>{}));
  EXPECT_EQ(k.Reserviert3, (std::array<std::uint8_t, 6>{}));
  EXPECT_EQ(Werkzeug(k.KeinWerkzeug), std::tuple(7, std::string("Leerstelle"), 11.5, 12.25, 0.75, 3));
  EXPECT_EQ(Werkzeug(k.AktWerkzeug), std::tuple(42, std::string("Kugelkopf 3"), 45.5, 30.125, 3.0, 9));
  EXPECT_EQ(k.SimuGrenzeMin, (TPunkt3D{-11, -12, -13}));
  EXPECT_EQ(k.SimuGrenzeMax, (TPunkt3D{21, 22, 23}));
  EXPECT_EQ(k.Bezugspunkt, (TPunkt3D{1.5, 2.5, 3.5}));
  EXPECT_EQ(Bits(std::array{k.TestschalterS, k.TestschalterT, k.MitSatznummern, k.LeerschritteZwischenAdressen,
                            k.NurGeaenderteAdressen, k.Fraeserbahn, k.GrafikEin, k.Spiegelschrift,
                            k.FarbverfolgungAktiv, k.Sticheln_im_Zyklus, k.bidirektional_bearbeiten,
                            k.Graubildwandlung, k.DirektSpeichern, k.LinienanfangSuchen}),
            "10010101010101");
  EXPECT_EQ((std::vector<double>{k.Schrifttiefe, k.SkaleneinheitX, k.SkaleneinheitY, k.SkaleneinheitZ, k.Kursivwinkel,
                                 k.Anlauffaktor, k.Ueberlauffaktor, k.GrauFraestiefe_hell, k.GrauFraestiefe_dunkel}),
            (std::vector<double>{-0.35, 10, 20, 30, 12.5, 0.25, 1.75, -0.5, -3.25}));
  EXPECT_EQ((std::vector<int>{k.Gesamtstellen, k.Nachkommastellen, k.SatznummernInkrement, k.TextzyklusNummer,
                              k.GrafikzyklusNummer, k.BohrzyklusNummer, k.PositionierZiffern, k.Zirkularsinn,
                              k.Umlaufsinn}),
            (std::vector<int>{9, 2, 5, 88, 188, 83, 73, 1, 1}));
  EXPECT_EQ(k.Fraesrichtung, TFraesrichtung::spaltenweise);
  EXPECT_EQ(k.GrundArbeitsmodus, TArbeitsmodus::Sticheln);
  EXPECT_EQ(k.GrundBesonderheit, TBesonderheit::Farbe_verfolgen);
  EXPECT_EQ((std::vector<std::string>{k.ZyklusendeWort, k.SicherheitsabstandWort, k.BohrtiefeWort, k.Arbeitsdateiname,
                                      k.QuellExt, k.ZielExt, k.Steuerungsbezeichnung, k.Zieldateiname,
                                      k.Gravurzeichensatz, k.Konfigurationsdateiname, k.Werkzeugdateiname,
                                      k.Extrafarbdateiname}),
            (std::vector<std::string>{"G79", "R2", "R3x", "PROGRAMM/ARBEIT.CNC", "NC", "OUT", "Fr\xE4se Nummer zwei",
                                      "ZIEL/ARBEIT.OUT", "SCHRIFT/GOTISCH.FNT", "EINSTELL.CNF", "WERKZEUG.DAT",
                                      "EXTRA.NOP"}));
  EXPECT_EQ(std::string(k.FarbModus.begin(), k.FarbModus.end()), "FSKkSFKkFSKkSFKk");
  EXPECT_EQ(std::string(k.F_Verfolgen.begin(), k.F_Verfolgen.end()), "JNNJJNNJJNNJJNNJ");
  EXPECT_EQ(Bits(k.Farbgeschwindigkeit), "0101010101010101");
  EXPECT_EQ(Bits(k.Ausschneidfarben), "0011001100110011");
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(k.Farbtiefe[i], -0.125 * static_cast<double>(i + 1)) << i;
}

TEST_F(KonfigFelder, SavedAgainEveryByteButTheReservedOnesComesBack) {
  ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern(dir.file("WIEDER.CNF")));
  std::string soll = Bytes(kFelder);
  for (const auto& [von, laenge] : {std::pair{32, 2}, std::pair{36, 21}, std::pair{2204, 6}}) {
    soll.replace(static_cast<std::size_t>(von), static_cast<std::size_t>(laenge), static_cast<std::size_t>(laenge), '\0');
  }
  const std::string ist = Bytes(dir.file("WIEDER.CNF"));
  ASSERT_EQ(ist.size(), soll.size());
  for (std::size_t i = 0; i < soll.size(); ++i) EXPECT_EQ(ist[i], soll[i]) << "byte " << i;
}

}  // namespace
