// The image work file without windows: the lines written, the keys read back, the notices
// of a damaged file, the section and the picture the part program names.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "workspace/Arbeitsdatei_Codec.h"
#include "workspace/BildLaden.h"

namespace {

using namespace VelkorWinVAR;
using toolkit::Ansi;
using workspace::TArbeitsdateiDienste;

// The key lines that stand, with the lines of `neu` (UTF-8) put in place of the lines of
// their keys (or in front when the key is not there); "UTF8:" keeps a line in UTF-8.
std::vector<std::string> MitZeilen(const std::vector<std::string>& neu) {
  auto zeilen = workspace::ArbeitsdateiZeilen();
  for (const auto& n : neu) {
    const bool utf8 = n.rfind("UTF8:", 0) == 0;
    const std::string zeile = utf8 ? n.substr(5) : Ansi(n);
    const std::string ansi = Ansi(utf8 ? n.substr(5) : n);
    const std::string schluessel = ansi.substr(0, std::min(ansi.find('='), ansi.size()));
    bool ersetzt = false;
    for (auto& z : zeilen)
      if (!ersetzt && toolkit::EqualsIgnoreCaseAscii(z.substr(0, z.find('=')), schluessel)) {
        z = zeile;
        ersetzt = true;
      }
    if (!ersetzt) zeilen.insert(zeilen.begin(), zeile);
  }
  zeilen.insert(zeilen.begin(), "Kopf");
  return zeilen;
}

class ArbeitsdateiCodec : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    workspace::AnfangsbildverkleinerungX = workspace::AnfangsbildverkleinerungY = 1.0L;
  }
  // Services that open every part program and load no picture.
  TArbeitsdateiDienste Dienste() {
    TArbeitsdateiDienste d;
    d.TeileprogrammOeffnen = [this](const std::string& n) {
      geoeffnet.push_back(n);
      return programmDa;
    };
    d.BildLaden = [](const std::string&) { throw std::runtime_error("kein Bild erwartet"); };
    return d;
  }
  // The file's key lines (UTF-8) read with the services above.
  void Lesen(std::vector<std::string> zeilen, const std::string& datei = "A.CFG") {
    for (auto& z : zeilen) z = Ansi(z);
    zeilen.insert(zeilen.begin(), "Kopf");
    workspace::ArbeitsdateiUebernehmen(zeilen, datei, Dienste());
  }
  std::vector<std::string> Hinweise() const {
    std::vector<std::string> h;
    for (const auto& z : host.Protokoll)
      if (z.rfind("notice: ", 0) == 0) h.push_back(z.substr(8));
    return h;
  }
  std::vector<std::string> geoeffnet;
  bool programmDa = true;
};

TEST_F(ArbeitsdateiCodec, DefaultFileIsNinetyCrLfLinesInTableOrder) {
  auto zeilen = workspace::ArbeitsdateiZeilen();
  ASSERT_TRUE(VelkorWinFileUtils::BildEinstellDateiSpeichern(zeilen, "A.CFG"));
  const std::string bytes = dir.read("A.CFG");
  const auto geteilt = toolkit::SplitLines(bytes);
  ASSERT_EQ(geteilt.size(), 90u);
  EXPECT_EQ(toolkit::JoinLines(geteilt), bytes);  // every line ends CR LF, nothing else
  EXPECT_EQ(geteilt[0], Ansi("Velkor - Einstelldatei für Bildwandlung - Bilddatei = unbekannt"));
  EXPECT_EQ(geteilt[1], "Arbeitsdateiname=Name unbekannt");
  EXPECT_EQ(geteilt[67], "\xDC" "berlauffaktor=1,000");
  EXPECT_EQ(geteilt[81], Ansi("Fräsrichtung=zirkular"));
  EXPECT_EQ(geteilt[89], "Gravurzeichensatz=");
}

struct ZahlFall {
  const char* name;
  double wert;
  int dezimalen;
  const char* text;
};
class ArbeitsdateiZahlen : public testsupport::EngineFixture, public ::testing::WithParamInterface<ZahlFall> {};
TEST_P(ArbeitsdateiZahlen, FixedNeverExponentAndReadsBackExactly) {
  const auto& f = GetParam();
  KonfigBlock.Nachkommastellen = static_cast<std::uint8_t>(f.dezimalen);
  KonfigBlock.Gesamtstellen = 2;  // never limits what is written
  const std::string text = workspace::ArbeitsdateiZahl(f.wert);
  EXPECT_EQ(text, f.text);
  EXPECT_EQ(workspace::ArbeitsdateiZahlLesen(text), f.wert);
}
const ZahlFall kZahlen[] = {
    {"NegativeNull", -0.0, 3, "0,000"},
    {"MehrStellenAlsNachkomma", 0.1234, 2, "0,1234"},
    {"GrosseZahl", 1234567.5, 3, "1234567,500"},
    {"WinzigOhneExponent", 1e-7, 3, "0,0000001"},
    {"KeineNachkomma", 2.0, 0, "2"},
};
INSTANTIATE_TEST_SUITE_P(Alle, ArbeitsdateiZahlen, ::testing::ValuesIn(kZahlen),
                         [](const auto& i) { return std::string(i.param.name); });

struct LeseFall {
  const char* name;
  const char* text;
  std::optional<double> wert;
};
class ArbeitsdateiZahlLesen : public ::testing::TestWithParam<LeseFall> {};
TEST_P(ArbeitsdateiZahlLesen, AcceptsPointAndCommaRefusesTheRest) {
  EXPECT_EQ(workspace::ArbeitsdateiZahlLesen(GetParam().text), GetParam().wert);
}
const LeseFall kLesen[] = {
    {"Komma", "1,25", 1.25},       {"Punkt", "1.25", 1.25},        {"Blanks", "  -2,5 ", -2.5},
    {"NurBruch", ",5", 0.5},       {"Exponent", "1e400", {}},      {"NaN", "NaN", {}},
    {"Inf", "inf", {}},            {"Gruppierung", "1.234,5", {}}, {"ZweiKommas", "1,2,3", {}},
    {"Leer", "", {}},              {"Text", "Farbtiefe0", {}},     {"Riesig", "1e308", {}},
};
INSTANTIATE_TEST_SUITE_P(Alle, ArbeitsdateiZahlLesen, ::testing::ValuesIn(kLesen),
                         [](const auto& i) { return std::string(i.param.name); });

// Every value read back writes the same lines again, whichever separator wrote and read it.
TEST_F(ArbeitsdateiCodec, RoundTripGivesBackEveryValueWhateverTheSeparators) {
  for (const auto& [schreiben, lesen] : {std::pair{',', '.'}, std::pair{'.', ','}, std::pair{',', ','}}) {
    SCOPED_TRACE(std::string("geschrieben mit ") + schreiben);
    engine::ResetAllModules();
    dir.write("SCRI.FNT", "x");
    TKonfigBlock& k = KonfigBlock;
    k.Arbeitsdateiname = "TEIL.CNC";
    k.Gesamtstellen = 3;
    k.Nachkommastellen = 1;
    k.Farbtiefe[3] = -1.5;
    k.Farbtiefe[15] = -0.123456;
    k.FarbModus[0] = 'S';
    k.FarbModus[7] = 'K';
    k.F_Verfolgen[2] = 'J';
    k.Farbgeschwindigkeit[15] = true;
    k.Anlauffaktor = 1.75;
    k.Ueberlauffaktor = 0.3333;
    k.Sticheln_im_Zyklus = k.bidirektional_bearbeiten = k.Graubildwandlung = true;
    k.GrauFraestiefe_hell = -0.25;
    k.GrauFraestiefe_dunkel = -12345.625;
    k.Fraesrichtung = TFraesrichtung::spaltenweise;
    k.Umlaufsinn = 1;
    k.LinienanfangSuchen = k.GrafikEin = true;
    Zirkularrichtung = 1;
    KonturKantigFraesen = GrafikbereichAutomatisch = true;
    VelkorWinMOVE::HelligkeitVerfolgen = 1;
    workspace::AnfangsbildverkleinerungX = 0.5L;
    workspace::AnfangsbildverkleinerungY = 0.25L;
    Gesamtbildverkleinerung = 0.125;
    k.Gravurzeichensatz = "SCRI.FNT";
    toolkit::SetDecimalSeparator(schreiben);
    auto zeilen = workspace::ArbeitsdateiZeilen();
    const auto geschrieben = zeilen;
    zeilen.insert(zeilen.begin(), "Kopf");

    engine::ResetAllModules();
    KonfigBlock.Gesamtstellen = 3;
    KonfigBlock.Nachkommastellen = 1;
    workspace::AnfangsbildverkleinerungX = workspace::AnfangsbildverkleinerungY = 1.0L;
    toolkit::SetDecimalSeparator(lesen);
    workspace::ArbeitsdateiUebernehmen(zeilen, "A.CFG", Dienste());
    EXPECT_EQ(Hinweise(), std::vector<std::string>{});
    toolkit::SetDecimalSeparator(schreiben);
    EXPECT_EQ(workspace::ArbeitsdateiZeilen(), geschrieben);
    host.Protokoll.clear();
  }
}

TEST_F(ArbeitsdateiCodec, HeaderOnlyFileGivesItsNoticesInTableOrder) {
  programmDa = false;
  KonfigBlock.Arbeitsdateiname = "ALT.CNC";
  KonfigBlock.Gravurzeichensatz = "SCRI.FNT";
  KonfigBlock.FarbModus[4] = 'S';
  KonfigBlock.F_Verfolgen[4] = 'J';
  KonfigBlock.bidirektional_bearbeiten = true;
  KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
  TeileprogrammListe = TNcZeilen{"N10 G00 X0"};
  Lesen({});
  std::vector<std::string> erwartet = {"Fehler beim Laden der Arbeitsdatei Arbeitsdateiname!"};
  for (int i = 0; i < 16; ++i) erwartet.push_back("Fehler beim Laden von Farbtiefe [" + std::to_string(i) + "!");
  for (const char* t : {"Fehler beim Laden  des Anlauffaktors!", "Fehler beim Laden  des Überlauffaktors!",
                        "Fehler beim Laden  der GrauFraestiefe_hell!", "Fehler beim Laden  der GrauFraestiefe_dunkel!",
                        "Fehler beim Laden der Ausschnittgrenze xl !", "Fehler beim Laden der Ausschnittgrenze yo !",
                        "Fehler beim Laden der Ausschnittgrenze xr !", "Fehler beim Laden der Ausschnittgrenze yu !",
                        "Fehler beim Laden der Anfangsverkleinerung x!", "Fehler beim Laden der Anfangsverkleinerung y!",
                        "Fehler beim Laden der Gesamtverkleinerung!", "Kein Gravurzeichensatz geladen!"})
    erwartet.push_back(t);
  EXPECT_EQ(Hinweise(), erwartet);
  EXPECT_EQ(erwartet.size(), 29u);
  EXPECT_EQ(geoeffnet, std::vector<std::string>{"Arbeitsdateiname"});
  EXPECT_EQ(KonfigBlock.FarbModus, (Gefuellt<char, 16>('F')));
  EXPECT_EQ(KonfigBlock.F_Verfolgen, (Gefuellt<char, 16>('F')));
  EXPECT_TRUE(KonfigBlock.bidirektional_bearbeiten);
  EXPECT_EQ(KonfigBlock.Fraesrichtung, TFraesrichtung::spaltenweise);
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, "");
  EXPECT_EQ(KonfigBlock.Gravurzeichensatz, "");
  EXPECT_FALSE(TeileprogrammListe.has_value());
}

// One key line among a complete file; what it leaves in the settings and which notices.
struct SchluesselFall {
  const char* name;
  std::vector<std::string> zeilen;  // replace the lines of these keys
  std::function<bool()> pruefe;
  std::vector<std::string> hinweise;
};
class ArbeitsdateiSchluessel : public ArbeitsdateiCodec, public ::testing::WithParamInterface<SchluesselFall> {};
TEST_P(ArbeitsdateiSchluessel, ReadsAsHandEditedFilesNeed) {
  KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
  KonfigBlock.FarbModus[1] = 'S';
  KonfigBlock.Farbtiefe[1] = -3.0;
  const auto zeilen = MitZeilen(GetParam().zeilen);
  workspace::ArbeitsdateiUebernehmen(zeilen, "A.CFG", Dienste());
  EXPECT_TRUE(GetParam().pruefe());
  auto h = Hinweise();
  std::erase(h, "Kein Gravurzeichensatz geladen!");
  EXPECT_EQ(h, GetParam().hinweise);
}
const std::string kLang(300, '7');
const SchluesselFall kSchluessel[] = {
    {"FraesrichtungGemischt", {"fräsrichtung=Zirkular"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::zirkular; }, {}},
    {"FraesrichtungUnbekannt", {"Fräsrichtung=diagonal"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::spaltenweise; }, {}},
    {"FraesrichtungUtf8", {"UTF8:Fräsrichtung=zeilenweise"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::zeilenweise; }, {}},
    {"UeberlaufUtf8", {"UTF8:ÜBERLAUFFAKTOR=0,5"}, [] { return KonfigBlock.Ueberlauffaktor == 0.5; }, {}},
    {"ErsteZeileGewinnt", {"Farbtiefe0=-2,0", "Farbtiefe0=-9,0"}, [] { return KonfigBlock.Farbtiefe[0] == -9.0; }, {}},
    {"OhneGleich", {"Farbtiefe1"}, [] { return KonfigBlock.Farbtiefe[1] == -3.0; }, {"Fehler beim Laden von Farbtiefe [1!"}},
    {"NaN", {"Anlauffaktor=NaN"}, [] { return KonfigBlock.Anlauffaktor == 1.0; }, {"Fehler beim Laden  des Anlauffaktors!"}},
    {"LangeZahl", {"Farbtiefe1=" + kLang}, [] { return KonfigBlock.Farbtiefe[1] > 7.7e299; }, {}},
    {"LangerName", {"Arbeitsdateiname=" + kLang}, [] { return KonfigBlock.Arbeitsdateiname == kLang; }, {}},
    {"LeererModusBleibt", {"FarbModus1="}, [] { return KonfigBlock.FarbModus[1] == 'S'; }, {}},
    {"ModusKlein", {"FarbModus1=k"}, [] { return KonfigBlock.FarbModus[1] == 'K'; }, {}},
    {"WahrheitKlein", {"Grafik ein=true"}, [] { return KonfigBlock.GrafikEin; }, {}},
    {"WahrheitUnbekannt", {"Grafik ein=ja"}, [] { return !KonfigBlock.GrafikEin; }, {}},
    {"HoheBytesImSchluessel", {"UTF8:\xC3\x28\xFF=5", "UTF8:Anlauffaktor\xA0=1,5"}, [] { return KonfigBlock.Anlauffaktor == 1.0; }, {}},
    {"GrenzeFalsch", {"Bildausschnitt oben=zehn"}, [] { return true; }, {"Fehler beim Laden der Ausschnittgrenze yo !"}},
    {"GrenzeUeberlauf", {"Bildausschnitt links=99999999999"}, [] { return true; }, {"Fehler beim Laden der Ausschnittgrenze xl !"}},
};
INSTANTIATE_TEST_SUITE_P(Alle, ArbeitsdateiSchluessel, ::testing::ValuesIn(kSchluessel),
                         [](const auto& i) { return std::string(i.param.name); });

// A 100 x 80 picture of two colours, loaded as the part program's picture.
class ArbeitsdateiAusschnitt : public ArbeitsdateiCodec {
protected:
  static void Bild() {
    QuellImage = toolkit::TBitmap(100, 80);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) QuellImage.SetPixel(x, y, x < 30 ? 0x0000FF : 0xFFFFFF);
  }
  void BildLaden() {
    Bild();
    BildGeladen = true;
    Bilddateiname = "BILD.BMP";
  }
  std::vector<std::string> Abschnitt(const char* l, const char* o, const char* r, const char* u) {
    return {std::string("Bildausschnitt links=") + l, std::string("Bildausschnitt oben=") + o,
            std::string("Bildausschnitt rechts=") + r, std::string("Bildausschnitt unten=") + u,
            "Ausschnitt gewählt=TRUE", "Gesamtbildverkleinerung=1,000"};
  }
  TArbeitsdateiDienste Dienste() {
    auto d = ArbeitsdateiCodec::Dienste();
    d.TeileprogrammOeffnen = [this](const std::string& n) {
      geoeffnet.push_back(n);
      TeileprogrammListe = programm;
      return true;
    };
    d.DateiExistiert = [](const std::string& n) { return n == "NEU.BMP"; };
    d.BildLaden = [this](const std::string& n) {
      geladen.push_back(n);
      Bild();
      QuellImage.SetPixel(0, 0, 0x00FF00);
    };
    return d;
  }
  void Lesen(const std::vector<std::string>& z) {
    workspace::ArbeitsdateiUebernehmen(MitZeilen(z), "A.CFG", Dienste());
  }
  TNcZeilen programm = {"N10 G189 P'BILD.BMP'"};
  std::vector<std::string> geladen;
};

TEST_F(ArbeitsdateiAusschnitt, WithoutPictureTheSectionStays) {
  Bildausschnitt = {1, 2, 3, 4, false};
  programm = {"N10 G00 X0"};
  Lesen(Abschnitt("10", "10", "50", "40"));
  EXPECT_EQ(Bildausschnitt.Rechts, 3);
  EXPECT_FALSE(Bildausschnitt.Gewaehlt);
}

TEST_F(ArbeitsdateiAusschnitt, SectionOfALoadedPictureIsCroppedRightAndBottomExclusive) {
  BildLaden();
  Lesen(Abschnitt("10", "10", "50", "40"));
  EXPECT_EQ(Hinweise(), std::vector<std::string>{"Kein Gravurzeichensatz geladen!"});
  EXPECT_TRUE(geladen.empty());  // the same picture stays
  EXPECT_EQ(std::tuple(Bearbeitungsbild.Width(), Bearbeitungsbild.Height()), std::tuple(40, 30));
  EXPECT_EQ(std::tuple(Bearbeitungsbereich.Rechts, Bearbeitungsbereich.Unten, Bildbreite), std::tuple(39, 29, 40));
  EXPECT_TRUE(Bildausschnitt.Gewaehlt);
  EXPECT_EQ(Farbanzahl, 2);
  ASSERT_TRUE(Arbeitsbild.has_value());
  EXPECT_EQ(Arbeitsbild->Pixel(19, 0), 0x0000FF);
  EXPECT_EQ(Arbeitsbild->Pixel(20, 0), 0xFFFFFF);
}

TEST_F(ArbeitsdateiAusschnitt, SavedSectionComesBackTheSame) {
  BildLaden();
  Bildausschnitt = {0, 5, 100, 80, true};
  auto zeilen = workspace::ArbeitsdateiZeilen();
  Bildausschnitt = {};
  zeilen.insert(zeilen.begin(), "Kopf");
  workspace::ArbeitsdateiUebernehmen(zeilen, "A.CFG", Dienste());
  const auto& a = Bildausschnitt;
  EXPECT_EQ(std::tuple(a.Links, a.Oben, a.Rechts, a.Unten), std::tuple(0, 5, 100, 80));
  EXPECT_EQ(std::tuple(Bearbeitungsbild.Width(), Bearbeitungsbild.Height()), std::tuple(100, 75));
}

struct GrenzenFall {
  const char* name;
  const char *l, *o, *r, *u;
  std::vector<std::string> hinweise;
};
class ArbeitsdateiGrenzen : public ArbeitsdateiAusschnitt, public ::testing::WithParamInterface<GrenzenFall> {};
TEST_P(ArbeitsdateiGrenzen, BoundsOutsideThePictureAreNotApplied) {
  BildLaden();
  const auto& f = GetParam();
  Lesen(Abschnitt(f.l, f.o, f.r, f.u));
  auto h = Hinweise();
  std::erase(h, "Kein Gravurzeichensatz geladen!");
  EXPECT_EQ(h, f.hinweise);
  EXPECT_FALSE(Bildausschnitt.Gewaehlt);
  EXPECT_TRUE(Bearbeitungsbild.Empty());
}
const GrenzenFall kGrenzen[] = {
    {"LinksNegativ", "-1", "0", "50", "40", {"Fehler beim Laden der Ausschnittgrenze xl !"}},
    {"RechtsZuBreit", "0", "0", "101", "40", {"Fehler beim Laden der Ausschnittgrenze xr !"}},
    {"LinksGleichRechts", "20", "0", "20", "40", {"Fehler beim Laden der Ausschnittgrenze xr !"}},
    {"UntenUeberOben", "0", "30", "50", "10", {"Fehler beim Laden der Ausschnittgrenze yu !"}},
    {"ObenZuTief", "0", "80", "50", "81", {"Fehler beim Laden der Ausschnittgrenze yo !", "Fehler beim Laden der Ausschnittgrenze yu !"}},
};
INSTANTIATE_TEST_SUITE_P(Alle, ArbeitsdateiGrenzen, ::testing::ValuesIn(kGrenzen),
                         [](const auto& i) { return std::string(i.param.name); });

TEST_F(ArbeitsdateiAusschnitt, AnotherPictureOfTheNewProgramIsLoadedBeforeTheSection) {
  BildLaden();
  programm = {"N10 G189 P'NEU.BMP'"};
  Lesen(Abschnitt("10", "10", "50", "40"));
  EXPECT_EQ(geladen, std::vector<std::string>{"NEU.BMP"});
  EXPECT_EQ(Bilddateiname, "NEU.BMP");
  EXPECT_EQ(Bearbeitungsbild.Width(), 40);
  EXPECT_EQ(Arbeitsbild->Pixel(0, 0), 0x0000FF);  // cropped from the new picture
  EXPECT_EQ(QuellImage.Pixel(0, 0), 0x00FF00);
}

TEST_F(ArbeitsdateiAusschnitt, AMissingPictureOfTheNewProgramIsReportedAndNothingIsCropped) {
  BildLaden();
  programm = {"N10 G189 P'FEHLT.BMP'"};
  Lesen(Abschnitt("10", "10", "50", "40"));
  auto h = Hinweise();
  ASSERT_FALSE(h.empty());
  EXPECT_EQ(h[0], "Die Bilddatei FEHLT.BMP wurde nicht gefunden!");
  EXPECT_FALSE(BildGeladen);
  EXPECT_FALSE(Bildausschnitt.Gewaehlt);
}

TEST_F(ArbeitsdateiCodec, ExtraColoursComeOnceFromTheWorkFilesOwnFile) {
  KonfigBlock.Extrafarbdateiname = "ALT.NOP";
  dir.write("ALT.NOP", "kaputt");
  std::vector<TEF_Datentyp> liste;
  Farbtabelle = {{0x0000FF, 10}};
  Farbanzahl = 1;
  VelkorWinFileUtils::ExtraFarbeEintragen(liste, 0, 0x0000FF, TArbeitsmodus::Sticheln, TBesonderheit::keine);
  std::filesystem::create_directory(dir.file("sub"));
  ASSERT_TRUE(VelkorWinFileUtils::ExtrafarbDateiSpeichern(liste, dir.file("sub/A.NOP")));
  host.Protokoll.clear();
  Extrafarbliste.clear();
  Extrafarbanzahl = 0;
  Lesen({"Gravurzeichensatz="}, dir.file("sub/A.CFG"));
  EXPECT_EQ(KonfigBlock.Extrafarbdateiname, dir.file("sub/A.NOP"));
  ASSERT_EQ(Extrafarbliste.size(), 1u);
  EXPECT_EQ(Extrafarbliste[0].Arbeitsmodus, TArbeitsmodus::Sticheln);
  for (const auto& z : host.Protokoll) EXPECT_EQ(z.find("Extrafarb"), std::string::npos) << z;
}

}  // namespace
