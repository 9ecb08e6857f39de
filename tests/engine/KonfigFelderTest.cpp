// The settings file packed byte by byte from the layout table by a script of its own
// (tests/data/konfig/konfig_packen.py), with a value of its own in every field: loaded,
// each field holds the value the script put at its offset; saved again, the file is the
// same apart from the reserved fields, which never come from a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

class KonfigFelder : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_EQ(Bytes(kFelder).size(), 2212u);
    ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden(kFelder.string()));
  }
};

void WerkzeugPruefen(const TWerkzeugDaten& w, int nummer, const std::string& benennung, double laenge,
                     double nutzlaenge, double durchmesser, int farbe) {
  EXPECT_EQ(w.Nummer, nummer);
  EXPECT_EQ(w.Benennung, benennung);
  EXPECT_EQ(w.Laenge, laenge);
  EXPECT_EQ(w.Nutzlaenge, nutzlaenge);
  EXPECT_EQ(w.Durchmesser, durchmesser);
  EXPECT_EQ(w.Zeichenfarbe, farbe);
}

TEST_F(KonfigFelder, EveryFieldHoldsTheValueAtItsOffset) {
  const auto& k = KonfigBlock;
  EXPECT_EQ(std::string(k.KonfigKennung.begin(), k.KonfigKennung.end()), "Felderprobe der Einstellungen!!\x1a");
  EXPECT_EQ(k.Reserviert1, 0);
  EXPECT_EQ(k.Reserviert2, (std::array<std::uint8_t, 21>{}));
  EXPECT_EQ(k.Reserviert3, (std::array<std::uint8_t, 6>{}));
  WerkzeugPruefen(k.KeinWerkzeug, 7, "Leerstelle", 11.5, 12.25, 0.75, 3);
  WerkzeugPruefen(k.AktWerkzeug, 42, "Kugelkopf 3", 45.5, 30.125, 3.0, 9);
  EXPECT_TRUE(k.TestschalterS);
  EXPECT_FALSE(k.TestschalterT);
  EXPECT_EQ(k.SimuGrenzeMin, (TPunkt3D{-11, -12, -13}));
  EXPECT_EQ(k.SimuGrenzeMax, (TPunkt3D{21, 22, 23}));
  EXPECT_EQ(k.Bezugspunkt, (TPunkt3D{1.5, 2.5, 3.5}));
  EXPECT_EQ(k.Schrifttiefe, -0.35);
  EXPECT_EQ(k.Gesamtstellen, 9);
  EXPECT_EQ(k.Nachkommastellen, 2);
  EXPECT_EQ(k.SkaleneinheitX, 10.0);
  EXPECT_EQ(k.SkaleneinheitY, 20.0);
  EXPECT_EQ(k.SkaleneinheitZ, 30.0);
  EXPECT_EQ(k.Kursivwinkel, 12.5);
  EXPECT_FALSE(k.MitSatznummern);
  EXPECT_TRUE(k.LeerschritteZwischenAdressen);
  EXPECT_FALSE(k.NurGeaenderteAdressen);
  EXPECT_TRUE(k.Fraeserbahn);
  EXPECT_FALSE(k.GrafikEin);
  EXPECT_TRUE(k.Spiegelschrift);
  EXPECT_FALSE(k.FarbverfolgungAktiv);
  EXPECT_EQ(k.SatznummernInkrement, 5);
  EXPECT_EQ(k.TextzyklusNummer, 88);
  EXPECT_EQ(k.GrafikzyklusNummer, 188);
  EXPECT_EQ(k.BohrzyklusNummer, 83);
  EXPECT_EQ(k.PositionierZiffern, 73);
  EXPECT_EQ(k.ZyklusendeWort, "G79");
  EXPECT_EQ(k.SicherheitsabstandWort, "R2");
  EXPECT_EQ(k.BohrtiefeWort, "R3x");
  EXPECT_EQ(k.Arbeitsdateiname, "PROGRAMM/ARBEIT.CNC");
  EXPECT_EQ(k.QuellExt, "NC");
  EXPECT_EQ(k.ZielExt, "OUT");
  EXPECT_EQ(k.Steuerungsbezeichnung, "Fr\xE4se Nummer zwei");
  EXPECT_EQ(k.Zieldateiname, "ZIEL/ARBEIT.OUT");
  EXPECT_EQ(k.Gravurzeichensatz, "SCHRIFT/GOTISCH.FNT");
  EXPECT_EQ(k.Konfigurationsdateiname, "EINSTELL.CNF");
  EXPECT_EQ(k.Werkzeugdateiname, "WERKZEUG.DAT");
  EXPECT_EQ(k.Extrafarbdateiname, "EXTRA.NOP");
  for (std::size_t i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(k.Farbtiefe[i], -0.125 * static_cast<double>(i + 1));
    EXPECT_EQ(k.FarbModus[i], "FSKkSFKkFSKkSFKk"[i]);
    EXPECT_EQ(k.F_Verfolgen[i], "JNNJJNNJJNNJJNNJ"[i]);
    EXPECT_EQ(k.Farbgeschwindigkeit[i], i % 2 == 1);
    EXPECT_EQ(k.Ausschneidfarben[i], (i / 2) % 2 == 1);
  }
  EXPECT_EQ(k.Anlauffaktor, 0.25);
  EXPECT_EQ(k.Ueberlauffaktor, 1.75);
  EXPECT_TRUE(k.Sticheln_im_Zyklus);
  EXPECT_FALSE(k.bidirektional_bearbeiten);
  EXPECT_EQ(k.GrauFraestiefe_hell, -0.5);
  EXPECT_EQ(k.GrauFraestiefe_dunkel, -3.25);
  EXPECT_TRUE(k.Graubildwandlung);
  EXPECT_FALSE(k.DirektSpeichern);
  EXPECT_EQ(k.Fraesrichtung, TFraesrichtung::spaltenweise);
  EXPECT_EQ(k.Zirkularsinn, 1);
  EXPECT_EQ(k.GrundArbeitsmodus, TArbeitsmodus::Sticheln);
  EXPECT_EQ(k.GrundBesonderheit, TBesonderheit::Farbe_verfolgen);
  EXPECT_EQ(k.Umlaufsinn, 1);
  EXPECT_TRUE(k.LinienanfangSuchen);
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
