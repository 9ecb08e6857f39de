// The image work file without windows: the lines written, the keys read back, the notices
// of a damaged file, the section and the picture the part program names.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include "engine/EngineReset.h"
#include "engine/VelkorWinCNF.h"
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
using Texte = std::vector<std::string>;
const std::string kKeinZeichensatz = "Kein Gravurzeichensatz geladen!";

// The default key lines with the lines of `neu` (UTF-8) put in place of the lines of their
// keys (or in front when the key is not there); "UTF8:" keeps a line in UTF-8.
Texte MitZeilen(const Texte& neu) {
  auto zeilen = workspace::ArbeitsdateiZeilen();
  for (const auto& n : neu) {
    const bool utf8 = n.rfind("UTF8:", 0) == 0;
    const std::string zeile = utf8 ? n.substr(5) : Ansi(n), ansi = Ansi(utf8 ? n.substr(5) : n);
    const std::string schluessel = ansi.substr(0, std::min(ansi.find('='), ansi.size()));
    auto z = std::find_if(zeilen.begin(), zeilen.end(), [&](const std::string& z) {
      return toolkit::EqualsIgnoreCaseAscii(z.substr(0, z.find('=')), schluessel);
    });
    z != zeilen.end() ? void(*z = zeile) : void(zeilen.insert(zeilen.begin(), zeile));
  }
  return zeilen;
}

class ArbeitsdateiCodec : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    workspace::AnfangsbildverkleinerungX = workspace::AnfangsbildverkleinerungY = 1.0L;
  }
  // Services that open every part program and load no picture.
  virtual workspace::TArbeitsdateiDienste Dienste() {
    workspace::TArbeitsdateiDienste d;
    d.TeileprogrammOeffnen = [this](const std::string& n) { return geoeffnet.push_back(n), programmDa; };
    d.BildLaden = [](const std::string&) -> workspace::TEinpassung { throw std::runtime_error("kein Bild erwartet"); };
    return d;
  }
  // The key lines (Windows-1252) read below a head line.
  workspace::TBefehlsergebnis Uebernehmen(Texte zeilen, const std::string& datei = "A.CFG") {
    zeilen.insert(zeilen.begin(), "Kopf");
    return workspace::ArbeitsdateiUebernehmen(zeilen, datei, Dienste());
  }
  Texte Hinweise(bool mitZeichensatz = false) const {
    Texte h;
    for (const auto& z : host.Protokoll)
      if (z.rfind("notice: ", 0) == 0 && (mitZeichensatz || z.substr(8) != kKeinZeichensatz)) h.push_back(z.substr(8));
    return h;
  }
  void Neu() {
    TearDown();
    SetUp();
    host.Protokoll.clear();
  }
  Texte geoeffnet;
  bool programmDa = true;
};

TEST_F(ArbeitsdateiCodec, DefaultFileIsNinetyCrLfLinesInTableOrder) {
  auto zeilen = workspace::ArbeitsdateiZeilen();
  ASSERT_TRUE(VelkorWinFileUtils::BildEinstellDateiSpeichern(zeilen, "A.CFG"));
  const std::string bytes = dir.read("A.CFG");
  const auto z = toolkit::SplitLines(bytes);
  ASSERT_EQ(z.size(), 90u);
  EXPECT_EQ(toolkit::JoinLines(z), bytes);  // every line ends CR LF, nothing else
  EXPECT_EQ(Texte({z[0], z[1], z[67], z[81], z[82], z[89]}),
            Texte({Ansi("Velkor - Einstelldatei für Bildwandlung - Bilddatei = unbekannt"), "Arbeitsdateiname=Name unbekannt",
                   "\xDC" "berlauffaktor=1,000", Ansi("Fräsrichtung=zirkular"), "Zirkularrichtung=nach innen",
                   "Gravurzeichensatz="}));
}

TEST_F(ArbeitsdateiCodec, NumbersAreFixedNeverExponentAndReadBackExactly) {
  struct Fall { double wert; int dezimalen; const char* text; };
  KonfigBlock.Gesamtstellen = 2;  // never limits what is written
  for (const Fall& f : {Fall{-0.0, 3, "0,000"}, Fall{0.1234, 2, "0,1234"}, Fall{1234567.5, 3, "1234567,500"},
                        Fall{1e-7, 3, "0,0000001"}, Fall{2.0, 0, "2"}}) {
    SCOPED_TRACE(f.text);
    KonfigBlock.Nachkommastellen = static_cast<std::uint8_t>(f.dezimalen);
    EXPECT_EQ(workspace::ArbeitsdateiZahl(f.wert), f.text);
    EXPECT_EQ(workspace::ArbeitsdateiZahlLesen(f.text), f.wert);
  }
  const std::pair<const char*, std::optional<double>> lesen[] = {
      {"1,25", 1.25}, {"1.25", 1.25}, {"  -2,5 ", -2.5}, {",5", 0.5}, {"1e400", {}}, {"NaN", {}}, {"1.234,5", {}},
      {"1,2,3", {}},  {"", {}},       {"Farbtiefe0", {}}, {"1e308", {}}};
  for (const auto& [text, wert] : lesen) EXPECT_EQ(workspace::ArbeitsdateiZahlLesen(text), wert) << text;
}

// Every value read back writes the same lines again, whichever separator wrote and read it.
TEST_F(ArbeitsdateiCodec, RoundTripGivesBackEveryValueWhateverTheSeparators) {
  for (const auto& [schreiben, lesen] : {std::pair{',', '.'}, std::pair{'.', ','}, std::pair{',', ','}}) {
    SCOPED_TRACE(std::string("geschrieben mit ") + schreiben);
    Neu();
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
    const auto geschrieben = workspace::ArbeitsdateiZeilen();

    engine::ResetAllModules();
    KonfigBlock.Gesamtstellen = 3;
    KonfigBlock.Nachkommastellen = 1;
    workspace::AnfangsbildverkleinerungX = workspace::AnfangsbildverkleinerungY = 1.0L;
    toolkit::SetDecimalSeparator(lesen);
    Uebernehmen(geschrieben);
    EXPECT_EQ(Hinweise(true), Texte{});
    toolkit::SetDecimalSeparator(schreiben);
    EXPECT_EQ(workspace::ArbeitsdateiZeilen(), geschrieben);
  }
}

// A work file that holds one key: every other key is missing and gives its notice.
TEST_F(ArbeitsdateiCodec, FileWithOneKeyGivesTheOtherKeysNoticesInTableOrder) {
  programmDa = false;
  KonfigBlock.Arbeitsdateiname = "ALT.CNC";
  KonfigBlock.Gravurzeichensatz = "SCRI.FNT";
  KonfigBlock.FarbModus[4] = 'S';
  KonfigBlock.F_Verfolgen[4] = 'J';
  KonfigBlock.bidirektional_bearbeiten = true;
  KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
  TeileprogrammListe = TNcZeilen{"N10 G00 X0"};
  Uebernehmen({"Grafik ein=TRUE"});
  Texte erwartet = {"Fehler beim Laden der Arbeitsdatei Arbeitsdateiname!"};
  for (int i = 0; i < 16; ++i) erwartet.push_back("Fehler beim Laden von Farbtiefe [" + std::to_string(i) + "!");
  for (const char* t : {"Fehler beim Laden  des Anlauffaktors!", "Fehler beim Laden  des Überlauffaktors!",
                        "Fehler beim Laden  der GrauFraestiefe_hell!", "Fehler beim Laden  der GrauFraestiefe_dunkel!",
                        "Fehler beim Laden der Ausschnittgrenze xl !", "Fehler beim Laden der Ausschnittgrenze yo !",
                        "Fehler beim Laden der Ausschnittgrenze xr !", "Fehler beim Laden der Ausschnittgrenze yu !",
                        "Fehler beim Laden der Anfangsverkleinerung x!", "Fehler beim Laden der Anfangsverkleinerung y!",
                        "Fehler beim Laden der Gesamtverkleinerung!", "Kein Gravurzeichensatz geladen!"})
    erwartet.push_back(t);
  EXPECT_EQ(Hinweise(true), erwartet);
  EXPECT_EQ(geoeffnet, Texte{"Arbeitsdateiname"});
  const auto& k = KonfigBlock;
  EXPECT_EQ(std::tuple(k.FarbModus, k.F_Verfolgen, k.bidirektional_bearbeiten, k.Fraesrichtung, k.GrafikEin,
                       k.Arbeitsdateiname, k.Gravurzeichensatz, TeileprogrammListe.has_value()),
            std::tuple(Gefuellt<char, 16>('F'), Gefuellt<char, 16>('F'), true, TFraesrichtung::spaltenweise, true, "", "",
                       false));
}

// Refused whole, with one notice and nothing changed: a file in which no line holds a key
// (only the head line, random bytes, nothing), and any file while NC blocks buffered for the
// program that stands cannot be saved.
TEST_F(ArbeitsdateiCodec, RefusedFilesChangeNothing) {
  std::mt19937 zufall(7);
  std::string bytes(4000, '\0');
  for (char& c : bytes) c = static_cast<char>(zufall());
  const std::string keineArbeitsdatei = "notice: Fehler beim Laden der Bildkonfigurationsdatei A.CFG !";
  const struct {
    const char* name;
    Texte zeilen;
    bool gepuffert;
    Texte protokoll;
  } faelle[] = {
      {"nur Kopf", {"Velkor - Einstelldatei für Bildwandlung - Bilddatei = unbekannt"}, false, {keineArbeitsdatei}},
      {"Zufall", toolkit::SplitLines(bytes), false, {keineArbeitsdatei}},
      {"leer", {}, false, {keineArbeitsdatei}},
      {"Sätze nicht gesichert", workspace::ArbeitsdateiZeilen(), true,
       {"confirm: Die erzeugten NC-Sätze speichern? -> Ja", "tone: 440 200",
        "notice: Fehler beim Speichern in fehlt/TEIL.CVT: Datei oder Verzeichnis nicht gefunden"}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Neu();
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
    KonfigBlock.Zieldateiname = "fehlt/TEIL.CVT";
    KonfigBlock.Anlauffaktor = 1.5;
    Gesamtbildverkleinerung = 0.5;
    TeileprogrammListe = TNcZeilen{"N10 G00 X0"};
    if (f.gepuffert) testsupport::GepufferteSaetze({"N1 G00 X0"}, KonfigBlock.Zieldateiname);
    host.Antworten = {"Ja"};
    const auto vorher = VelkorWinCNF::KonfigBlockKodieren(KonfigBlock);
    EXPECT_FALSE(workspace::ArbeitsdateiUebernehmen(f.zeilen, "A.CFG", Dienste()).Geaendert);
    EXPECT_EQ(host.Protokoll, f.protokoll);
    EXPECT_EQ(std::tuple(VelkorWinCNF::KonfigBlockKodieren(KonfigBlock) == vorher, Gesamtbildverkleinerung, geoeffnet,
                         TeileprogrammListe, VelkorWinFileUtils::NcSatzPuffer.size()),
              std::tuple(true, 0.5, Texte{}, std::optional(TNcZeilen{"N10 G00 X0"}), f.gepuffert ? 1u : 0u));
  }
}

// One key line among a complete file; what it leaves in the settings and which notices.
TEST_F(ArbeitsdateiCodec, KeysReadAsHandEditedFilesNeed) {
  struct Fall { Texte zeilen; std::function<bool()> pruefe; Texte hinweise; };
  const std::string lang(300, '7');
  const Fall faelle[] = {
      {{"fräsrichtung=Zirkular"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::zirkular; }, {}},
      {{"Fräsrichtung=diagonal"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::spaltenweise; }, {}},
      {{"UTF8:Fräsrichtung=zeilenweise"}, [] { return KonfigBlock.Fraesrichtung == TFraesrichtung::zeilenweise; }, {}},
      {{"UTF8:ÜBERLAUFFAKTOR=0,5"}, [] { return KonfigBlock.Ueberlauffaktor == 0.5; }, {}},
      {{"Farbtiefe0=-2,0", "Farbtiefe0=-9,0"}, [] { return KonfigBlock.Farbtiefe[0] == -9.0; }, {}},
      {{"Farbtiefe1"}, [] { return KonfigBlock.Farbtiefe[1] == -3.0; }, {"Fehler beim Laden von Farbtiefe [1!"}},
      {{"Anlauffaktor=NaN"}, [] { return KonfigBlock.Anlauffaktor == 1.0; }, {"Fehler beim Laden  des Anlauffaktors!"}},
      {{"Farbtiefe1=" + lang}, [] { return KonfigBlock.Farbtiefe[1] > 7.7e299; }, {}},
      {{"Arbeitsdateiname=" + lang}, [&] { return KonfigBlock.Arbeitsdateiname == lang; }, {}},
      {{"FarbModus1="}, [] { return KonfigBlock.FarbModus[1] == 'S'; }, {}},
      {{"FarbModus1=k"}, [] { return KonfigBlock.FarbModus[1] == 'K'; }, {}},
      {{"Grafik ein=true"}, [] { return KonfigBlock.GrafikEin; }, {}},
      {{"Zirkularrichtung=nach aussen"}, [] { return Zirkularrichtung == 1; }, {}},
      {{"Grafik ein=ja"}, [] { return !KonfigBlock.GrafikEin; }, {}},
      {{"UTF8:\xC3\x28\xFF=5", "UTF8:Anlauffaktor\xA0=1,5"}, [] { return KonfigBlock.Anlauffaktor == 1.0; }, {}},
      {{"Bildausschnitt oben=zehn"}, [] { return true; }, {"Fehler beim Laden der Ausschnittgrenze yo !"}},
      {{"Bildausschnitt links=99999999999"}, [] { return true; }, {"Fehler beim Laden der Ausschnittgrenze xl !"}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.zeilen.back().substr(0, 40));
    Neu();
    KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
    KonfigBlock.FarbModus[1] = 'S';
    KonfigBlock.Farbtiefe[1] = -3.0;
    Uebernehmen(MitZeilen(f.zeilen));
    EXPECT_TRUE(f.pruefe());
    EXPECT_EQ(Hinweise(), f.hinweise);
  }
}

// Without a picture nothing bounds a reduction, but one that is not above 0 is refused all
// the same, and the old factor stays.
TEST_F(ArbeitsdateiCodec, ReductionsNotAboveZeroAreRefusedWithoutAPicture) {
  Gesamtbildverkleinerung = 0.8;
  Uebernehmen(MitZeilen({"Gesamtbildverkleinerung=0", "Anfangsbildverkleinerung x=-0,5",
                         "Anfangsbildverkleinerung y=2,5"}));
  EXPECT_EQ(Hinweise(), (Texte{"Fehler beim Laden der Anfangsverkleinerung x!",
                               "Fehler beim Laden der Gesamtverkleinerung!"}));
  EXPECT_EQ(std::tuple(Gesamtbildverkleinerung, workspace::AnfangsbildverkleinerungX,
                       workspace::AnfangsbildverkleinerungY, BildGeladen),
            std::tuple(0.8, 1.0L, 2.5L, false));
}

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
  workspace::TBefehlsergebnis Abschnitt(const char* l, const char* o, const char* r, const char* u) {
    return Uebernehmen(MitZeilen({std::string("Bildausschnitt links=") + l, std::string("Bildausschnitt oben=") + o,
                                  std::string("Bildausschnitt rechts=") + r, std::string("Bildausschnitt unten=") + u,
                                  "Ausschnitt gewählt=TRUE", "Gesamtbildverkleinerung=1,000"}));
  }
  workspace::TArbeitsdateiDienste Dienste() override {
    auto d = ArbeitsdateiCodec::Dienste();
    d.TeileprogrammOeffnen = [this](const std::string& n) { return geoeffnet.push_back(n), TeileprogrammListe = programm, true; };
    d.DateiExistiert = [](const std::string& n) { return n == "NEU.BMP"; };
    d.BildLaden = [this](const std::string& n) {
      geladen.push_back(n);
      Bild();
      QuellImage.SetPixel(0, 0, 0x00FF00);
      return workspace::TEinpassung{100, 80, 322, 180};
    };
    return d;
  }
  static auto Ausschnitt() {
    const auto& a = Bildausschnitt;
    return std::tuple(a.Links, a.Oben, a.Rechts, a.Unten, a.Gewaehlt, Bearbeitungsbild.Width(), Bearbeitungsbild.Height());
  }
  TNcZeilen programm = {"N10 G189 P'BILD.BMP'"};
  Texte geladen;
};

TEST_F(ArbeitsdateiAusschnitt, WithoutPictureTheSectionStays) {
  Bildausschnitt = {1, 2, 3, 4, false};
  programm = {"N10 G00 X0"};
  Abschnitt("10", "10", "50", "40");
  EXPECT_EQ(Ausschnitt(), std::tuple(1, 2, 3, 4, false, 0, 0));
}

TEST_F(ArbeitsdateiAusschnitt, SectionOfALoadedPictureIsCroppedRightAndBottomExclusive) {
  BildLaden();
  Abschnitt("10", "10", "50", "40");
  EXPECT_EQ(Hinweise(true), Texte{kKeinZeichensatz});
  EXPECT_EQ(Ausschnitt(), std::tuple(10, 10, 50, 40, true, 40, 30));
  EXPECT_EQ(std::tuple(Bearbeitungsbereich.Rechts, Bearbeitungsbereich.Unten, Bildbreite, Farbanzahl, geladen.size()),
            std::tuple(39, 29, 40, 2, 0u));  // the same picture stays
  ASSERT_TRUE(Arbeitsbild.has_value());
  EXPECT_EQ(std::tuple(Arbeitsbild->Pixel(19, 0), Arbeitsbild->Pixel(20, 0)), std::tuple(0x0000FF, 0xFFFFFF));

  Bildausschnitt = {0, 5, 100, 80, true};  // a saved section comes back the same
  const auto zeilen = workspace::ArbeitsdateiZeilen();
  Bildausschnitt = {};
  Uebernehmen(zeilen);
  EXPECT_EQ(Ausschnitt(), std::tuple(0, 5, 100, 80, true, 100, 75));
}

// The reloaded section is sized by the work file's Gesamtbildverkleinerung. A reduction that
// is not above 0, or would blow the section (the whole picture without one) up beyond the size
// window's limits, fails with its notice like a value that does not convert: the old factor
// stays and the load goes on to its end.
TEST_F(ArbeitsdateiAusschnitt, ReductionsSizeTheSectionAndAbsurdOnesAreRefused) {
  const std::string gesamt = "Fehler beim Laden der Gesamtverkleinerung!";
  const struct {
    Texte zeilen;
    bool gewaehlt;
    Texte hinweise;
    double faktor;
    int breite, hoehe;
  } faelle[] = {
      {{"Gesamtbildverkleinerung=0,5"}, true, {}, 0.5, 20, 15},
      {{"Gesamtbildverkleinerung=1000000"}, true, {gesamt}, 0.8, 32, 24},
      {{"Gesamtbildverkleinerung=400"}, true, {gesamt}, 0.8, 32, 24},  // 16000 x 12000 pixels
      {{"Gesamtbildverkleinerung=0"}, true, {gesamt}, 0.8, 32, 24},
      {{"Gesamtbildverkleinerung=-1"}, true, {gesamt}, 0.8, 32, 24},
      {{"Gesamtbildverkleinerung=200"}, false, {gesamt}, 0.8, 0, 0},  // the whole picture: 20000 wide
      {{"Anfangsbildverkleinerung x=0", "Anfangsbildverkleinerung y=1000000"}, true,
       {"Fehler beim Laden der Anfangsverkleinerung x!", "Fehler beim Laden der Anfangsverkleinerung y!"}, 0.8, 32, 24},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.zeilen.front());
    Neu();
    BildLaden();
    Gesamtbildverkleinerung = 0.8;
    workspace::AnfangsbildverkleinerungX = workspace::AnfangsbildverkleinerungY = 0.75L;
    Texte zeilen = {"Bildausschnitt links=10", "Bildausschnitt oben=10", "Bildausschnitt rechts=50",
                    "Bildausschnitt unten=40", std::string("Ausschnitt gewählt=") + (f.gewaehlt ? "TRUE" : "FALSE"),
                    "Gesamtbildverkleinerung=0,8"};
    zeilen.insert(zeilen.end(), f.zeilen.begin(), f.zeilen.end());
    Uebernehmen(MitZeilen(zeilen));
    EXPECT_EQ(Hinweise(), f.hinweise);
    EXPECT_EQ(std::tuple(Gesamtbildverkleinerung, workspace::AnfangsbildverkleinerungX,
                         workspace::AnfangsbildverkleinerungY, Bearbeitungsbild.Width(), Bearbeitungsbild.Height(),
                         KonfigBlock.Extrafarbdateiname),
              std::tuple(f.faktor, 0.75L, 0.75L, f.breite, f.hoehe, "A.NOP"));
  }
}

TEST_F(ArbeitsdateiAusschnitt, BoundsOutsideThePictureAreNotApplied) {
  const auto xl = "Fehler beim Laden der Ausschnittgrenze xl !", xr = "Fehler beim Laden der Ausschnittgrenze xr !",
             yo = "Fehler beim Laden der Ausschnittgrenze yo !", yu = "Fehler beim Laden der Ausschnittgrenze yu !";
  struct Fall { const char *l, *o, *r, *u; Texte hinweise; };
  for (const Fall& f : {Fall{"-1", "0", "50", "40", {xl}}, Fall{"0", "0", "101", "40", {xr}}, Fall{"20", "0", "20", "40", {xr}},
                        Fall{"0", "30", "50", "10", {yu}}, Fall{"0", "80", "50", "81", {yo, yu}}}) {
    SCOPED_TRACE(std::string(f.l) + " " + f.o + " " + f.r + " " + f.u);
    Neu();
    BildLaden();
    Abschnitt(f.l, f.o, f.r, f.u);
    EXPECT_EQ(Hinweise(), f.hinweise);
    EXPECT_EQ(std::tuple(Bildausschnitt.Gewaehlt, Bearbeitungsbild.Empty()), std::tuple(false, true));
  }
}

// The main window is told what to show as after loading the part program: its labels, and
// the new picture with its place in the panel, or none.
TEST_F(ArbeitsdateiAusschnitt, TheNewProgramsPictureIsLoadedBeforeTheSectionAndAMissingOneReported) {
  BildLaden();
  KonfigBlock.Arbeitsdateiname = "werk/TEIL.CNC";
  programm = {"N10 G189 P'NEU.BMP'"};
  auto e = Abschnitt("10", "10", "50", "40");
  EXPECT_EQ(std::tuple(geladen, Bilddateiname, Bearbeitungsbild.Width()), std::tuple(Texte{"NEU.BMP"}, "NEU.BMP", 40));
  EXPECT_EQ(std::tuple(Arbeitsbild->Pixel(0, 0), QuellImage.Pixel(0, 0)), std::tuple(0x0000FF, 0x00FF00));
  const auto gezeigt = [](const workspace::TBefehlsergebnis& e) {
    return std::tuple(e.Geaendert, e.QuellLabel, e.ZielLabel, e.BildGeaendert, e.BildDa, e.Einpassung.Breite,
                      e.Einpassung.Links);
  };
  EXPECT_EQ(gezeigt(e), std::tuple(true, "Quelldatei: TEIL.CNC", "Zieldatei: TEIL.CVT", true, true, 100, 322));

  Neu();
  BildLaden();
  KonfigBlock.Arbeitsdateiname = "werk/TEIL.CNC";
  programm = {"N10 G189 P'FEHLT.BMP'"};
  e = Abschnitt("10", "10", "50", "40");
  ASSERT_FALSE(Hinweise().empty());
  EXPECT_EQ(std::tuple(Hinweise()[0], BildGeladen, Bildausschnitt.Gewaehlt),
            std::tuple("Die Bilddatei FEHLT.BMP wurde nicht gefunden!", false, false));
  EXPECT_EQ(gezeigt(e), std::tuple(true, "Quelldatei: TEIL.CNC", "Zieldatei: TEIL.CVT", true, false, 0, 0));
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
  Uebernehmen({"Gravurzeichensatz="}, dir.file("sub/A.CFG"));
  EXPECT_EQ(KonfigBlock.Extrafarbdateiname, dir.file("sub/A.NOP"));
  ASSERT_EQ(Extrafarbliste.size(), 1u);
  EXPECT_EQ(Extrafarbliste[0].Arbeitsmodus, TArbeitsmodus::Sticheln);
  for (const auto& z : host.Protokoll) EXPECT_EQ(z.find("Extrafarb"), std::string::npos) << z;
}

}  // namespace
