// The main window's start and exit (what start-up reads, what the first showing loads, exactly
// which files the exit writes), its menu tree, and the circular-sense dialog.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

#include "HauptFixture.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"
#include "workspace/UserDialog.h"

namespace hauptfenster {
namespace {

using namespace VelkorWinVAR;
namespace fs = std::filesystem;

const std::vector<std::string> kMitBild = {"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X30 Y0 P'BILD.BMP'",
                                           "N40 G80", "N50 M30"};

std::vector<std::string> Dateien(const fs::path& ordner) {
  std::vector<std::string> namen;
  for (const auto& e : fs::directory_iterator(ordner)) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

class HauptStart : public HauptFixture {
protected:
  void TeilMitBild() {
    // Named with its folder: the target and the extra-colour file lie in the working directory.
    Einstellungen([&](TKonfigBlock& k) { k.Arbeitsdateiname = dir.file("TEIL.CNC"); });
    Datei("TEIL.CNC", kMitBild);
  }
  // The source and target labels, "source|target".
  std::string Beschriftung() {
    auto text = [&](const char* l) { return testsupport::Kind<QLabel>(l, form)->text().toStdString(); };
    return text("QuellLabel") + "|" + text("ZielLabel");
  }
  testsupport::DialogSkript skript;
};

TEST_F(HauptStart, ErsterStartOhneDateienSchreibtNichts) {
  Starten();
  EXPECT_EQ(std::tuple(KonfigBlock.Konfigurationsdateiname, KonfigBlock.AktWerkzeug.Benennung,
                       form->Aktion("ein1")->isEnabled(), form->Aktion("aus1")->isEnabled()),
            std::tuple("Velkor.CNF", "kein Werkzeug", true, false));
  KonfigBlock.Graubildwandlung = true;  // extra colours would be kept, but there are none
  Bilddateiname = "BILD.BMP";
  Ausloesen("Beenden1");
  EXPECT_FALSE(haupt->isVisible());
  EXPECT_TRUE(Dateien(dir.path()).empty());
  EXPECT_TRUE(skript.Protokoll.empty());
}

TEST_F(HauptStart, NachDemHaftungsausschlussSchreibtDasEndeEinstellungenUndWerkzeuge) {
  Starten();
  workspace::KonfigSpeichernBeimEnde = true;  // "einverstanden!" in the disclaimer
  // A dialog that changed the working directory does not move where the files go.
  testsupport::TempDir anderswo;
  fs::current_path(anderswo.path());
  Ausloesen("Beenden1");
  fs::current_path(dir.path());
  EXPECT_EQ(Dateien(dir.path()), (std::vector<std::string>{"VelkorWin.CNF", "VelkorWkz.DAT"}));
  EXPECT_TRUE(Dateien(anderswo.path()).empty());
  const std::string konfig = dir.read("VelkorWin.CNF");
  ASSERT_EQ(konfig.size(), 2212u);
  EXPECT_EQ(konfig.substr(0, 32), std::string("Velkorquin Konfigurationsdatei \x1A", 32));
  EXPECT_EQ(dir.read("VelkorWkz.DAT"), toolkit::ProgramFileName() + " - Werkzeugdatei\r\n");
}

// A settings file refused and a tool file read only in part (its last record breaks off after
// its name) are reported at the start. The exit keeps them as BAK before it writes them anew;
// files the user made read-only it leaves as they are, with their mode, moves nothing to a BAK
// and says once each that it could not write them.
class HauptStartVerweigert : public HauptStart, public ::testing::WithParamInterface<bool> {};

TEST_P(HauptStartVerweigert, DateienBleibenAlsBakOderWieSieSind) {
  const bool schreibgeschuetzt = GetParam();
  const std::vector<std::string> werkzeuge = {
      "Velkor - Werkzeugdatei",        "Werkzeugnummer=1",            "          Werkzeugbenennung=A",
      "          Werkzeuglänge=2",     "          Werkzeugnutzlänge=1", "          Werkzeugdurchmesser=1",
      "          Zeichenfarbe=1",      "Werkzeugnummer=2",            "          Werkzeugbenennung=B"};
  const auto lesbar = fs::perms::owner_read | fs::perms::group_read;
  dir.write("VelkorWin.CNF", std::string(2211, 'x'));
  Datei("VelkorWkz.DAT", werkzeuge);
  skript.ErwarteHinweis("Dateigrößenfehler! Die Konfigurationsdatei VelkorWin.CNF wurde nicht geladen.");
  skript.ErwarteHinweis("Fehler beim Laden der Werkzeuglänge!");
  if (schreibgeschuetzt) {
    for (const char* name : {"VelkorWin.CNF", "VelkorWkz.DAT"}) fs::permissions(dir.file(name), lesbar);
    skript.ErwarteHinweis("Die Konfigurationsdatei " + dir.file("VelkorWin.CNF") + "wurde nicht erzeugt");
    skript.ErwarteHinweis("Fehler beim Speichern der Werkzeugdatei " + dir.file("VelkorWkz.DAT") +
                          ": Keine Berechtigung");
  }
  Starten();
  EXPECT_EQ(std::tuple(KonfigBlock.GrafikzyklusNummer, VelkorWinWkz::WkzListe.size()), std::tuple(189, 1u));
  const std::string werkzeugdatei = dir.read("VelkorWkz.DAT");
  Ausloesen("Beenden1");
  if (schreibgeschuetzt) {
    EXPECT_EQ(Dateien(dir.path()), (std::vector<std::string>{"VelkorWin.CNF", "VelkorWkz.DAT"}));
    EXPECT_EQ(std::tuple(dir.read("VelkorWin.CNF"), dir.read("VelkorWkz.DAT"),
                         fs::status(dir.file("VelkorWkz.DAT")).permissions()),
              std::tuple(std::string(2211, 'x'), werkzeugdatei, lesbar));
  } else {
    EXPECT_EQ(std::tuple(dir.read("VelkorWin.BAK"), dir.read("VelkorWin.CNF").size(), Zeilen("VelkorWkz.BAK"),
                         Zeilen("VelkorWkz.DAT").size()),
              std::tuple(std::string(2211, 'x'), 2212u, werkzeuge, 7u));
  }
}

INSTANTIATE_TEST_SUITE_P(Schreibschutz, HauptStartVerweigert, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Schreibgeschuetzt" : "Beschreibbar"; });

TEST_F(HauptStart, TeileprogrammMitFehlendemBildMeldetEinmal) {
  TeilMitBild();
  skript.ErwarteHinweis("Die Bilddatei BILD.BMP wurde nicht gefunden!");
  Starten();
  EXPECT_EQ(Beschriftung(), "Quelldatei: TEIL.CNC|Zieldatei: TEIL.CVT");
  EXPECT_EQ(std::tuple(KonfigBlock.Zieldateiname, KonfigBlock.Extrafarbdateiname), std::tuple("TEIL.CVT", "TEIL.NOP"));
  EXPECT_EQ(TeileprogrammListe, TNcZeilen(kMitBild.begin(), kMitBild.end()));
  // Closing a window or a notice never runs the first activation again.
  skript.ErwarteHinweis("Spiegelschrift eingeschaltet!");
  Sobald(ModalOffen, [] { QApplication::activeModalWidget()->close(); });
  Ausloesen("Copyright1");
  QTest::keyClick(form, Qt::Key_M, Qt::ControlModifier);
  form->FormActivate();
}

TEST_F(HauptStart, GrossesBildWirdEingepasst) {
  TeilMitBild();
  toolkit::TBitmap bild(1410, 409, toolkit::TPixelFormat::pf24bit);
  for (int y = 0; y < 409; ++y)
    for (int x = 0; x < 1410; ++x) bild.SetPixel(x, y, x < 705 ? 0x0000FF : 0xFF0000);
  toolkit::SaveBitmapFile(bild, dir.file("BILD.BMP"));
  Starten();
  EXPECT_EQ(testsupport::Kind<QLabel>("QuellImage", form)->geometry(), QRect(19, 118, 705, 204));
  EXPECT_EQ(testsupport::Kind<QFrame>("ImgBevel", form)->geometry(), QRect(14, 113, 715, 214));
  EXPECT_EQ(std::tuple(Bearbeitungsbild.Width(), Farbanzahl), std::tuple(705, 2));  // no new colours
}

// "Einstelldatei > Laden" shows what "Teileprogramm > Laden" shows: the picture the work
// file's program names fitted and centred in the panel, whether larger or smaller than the one
// shown, the labels of that program and empty block fields.
TEST_F(HauptStart, ArbeitsdateiZeigtIhrBildWieTeileprogrammLaden) {
  TeilMitBild();
  toolkit::SaveBitmapFile(toolkit::TBitmap(300, 200, toolkit::TPixelFormat::pf24bit), dir.file("BILD.BMP"));
  Starten();
  dir.write("SCRI.FNT", "x");
  KonfigBlock.Gravurzeichensatz = "SCRI.FNT";
  const struct {
    const char* name;
    int breite, hoehe;
    QSize gezeigt;
  } faelle[] = {{"GROSS", 1000, 800, {511, 409}}, {"KLEIN", 60, 40, {60, 40}}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::string name = f.name;
    toolkit::SaveBitmapFile(toolkit::TBitmap(f.breite, f.hoehe, toolkit::TPixelFormat::pf24bit),
                            dir.file(name + ".BMP"));
    Datei(name + ".CNC", {"N10 G189 R2=2", "N20 X30 Y0 P'" + name + ".BMP'", "N30 G80", "N40 M30"});
    Arbeitsdatei(dir.file(name + ".CFG"), dir.file(name + ".CNC"));
    form->SatzZeigen(engine::TSatzAnzeige::HauptQuelle, "N10 G01 X1");
    form->SatzZeigen(engine::TSatzAnzeige::HauptZiel, "N1 G01 X1");
    skript.DateiOeffnen(dir.file(name + ".CFG"));
    Ausloesen("Laden2");
    auto* bild = testsupport::Kind<QLabel>("QuellImage", form);
    auto* panel = testsupport::Kind<QWidget>("ImgPanel", form);
    EXPECT_EQ(bild->size(), f.gezeigt);
    EXPECT_LE((bild->geometry().center() - panel->rect().center()).manhattanLength(), 1);
    EXPECT_EQ(testsupport::Kind<QFrame>("ImgBevel", form)->geometry(), bild->geometry().adjusted(-5, -5, 5, 5));
    EXPECT_EQ(Beschriftung(), "Quelldatei: " + name + ".CNC|Zieldatei: " + name + ".CVT");
    for (const char* feld : {"QuellEdit", "ZielEdit"})
      EXPECT_TRUE(testsupport::Kind<QLineEdit>(feld, form)->text().isEmpty()) << feld;
  }
}

// The labels are measured whenever their text changes, also when a run writes its grey-value
// count into the target label: the block fields begin 20 pixels right of the longer text.
TEST_F(HauptStart, BlockfelderBeginnen20PixelHinterDerLaengerenBeschriftung) {
  Starten();
  auto* quelle = testsupport::Kind<QLabel>("QuellLabel", form);
  auto* ziel = testsupport::Kind<QLabel>("ZielLabel", form);
  auto* feld = testsupport::Kind<QLineEdit>("QuellEdit", form);
  const auto abstand = [&] {
    const QFontMetrics masse(quelle->font());
    return feld->x() - quelle->x() -
           std::max(masse.horizontalAdvance(quelle->text()), masse.horizontalAdvance(ziel->text()));
  };
  const auto zeigen = [](const std::string& text) {  // as a run does, at its next message-loop turn
    engine::Host().showBlock(engine::TSatzAnzeige::ZielLabel, text);
    workspace::FensterHost().Abgleichen();
  };
  const int anfang = feld->x();
  EXPECT_EQ(abstand(), 20);
  zeigen("Zieldatei: " + std::string(24, 'X') + ".CVT");
  EXPECT_EQ(abstand(), 20);
  EXPECT_GT(feld->x(), anfang);
  zeigen("2");
  EXPECT_EQ(std::tuple(abstand(), feld->x(), ziel->width()), std::tuple(20, anfang, quelle->width()));
}

TEST_F(HauptStart, UnlesbaresBildMeldetUndDieTastenGehenDoch) {
  TeilMitBild();
  dir.write("BILD.BMP", "BM kein Bild");
  skript.ErwarteHinweis("Bitmap image is not valid.");
  Starten();
  EXPECT_FALSE(BildGeladen);
  skript.ErwarteHinweis("Spiegelschrift eingeschaltet!");
  QTest::keyClick(form, Qt::Key_M, Qt::ControlModifier);
}

TEST_F(HauptStart, TeileprogrammLadenUeberDasMenue) {
  Starten();
  Datei("NEU.CNC", {"N10 G90 G00 X0 Y0 Z5", "N20 M30"});
  skript.DateiOeffnen(dir.file("NEU.CNC"));
  skript.ErwarteHinweis("Keine Bilddatei in der Datei " + dir.file("NEU.CNC") + "!");
  Ausloesen("Laden1");
  EXPECT_EQ(Beschriftung(), "Quelldatei: NEU.CNC|Zieldatei: NEU.CVT");
  EXPECT_EQ(TeileprogrammListe, (TNcZeilen{"N10 G90 G00 X0 Y0 Z5", "N20 M30"}));
}

TEST_F(HauptStart, FehlendesTeileprogrammWirdStillVergessen) {
  Einstellungen([](TKonfigBlock& k) { k.Arbeitsdateiname = "/tmp/gone/X.CNC"; });
  Starten();
  EXPECT_EQ(std::tuple(KonfigBlock.Arbeitsdateiname, TeileprogrammListe.has_value()), std::tuple("", false));
}

// The buffered blocks at the exit: "Ja" writes them over the target with a backup, "Nein"
// leaves it. A part program changed in the editor is written back first, with its BAK.
class HauptStartPuffer : public HauptStart, public ::testing::WithParamInterface<bool> {};

TEST_P(HauptStartPuffer, GepufferteSaetzeUndGeaendertesProgrammBeimEnde) {
  const bool ja = GetParam();
  Einstellungen([](TKonfigBlock& k) { k.Arbeitsdateiname = "TEIL.CNC"; });
  Datei("TEIL.CNC", {"N10 G90 G00 X0 Y0 Z5", "N20 M30"});
  dir.write("TEIL.CVT", "ALT\r\n");
  Starten();
  TeileprogrammListe->push_back("(neu)");
  workspace::TeileprogrammGeaendert = true;
  testsupport::GepufferteSaetze({"N1 G00 X0", "N2 G01 X1", "N3 M30"}, KonfigBlock.Zieldateiname);
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", ja);
  Ausloesen("Beenden1");
  EXPECT_EQ(Zeilen("TEIL.CNC"), (std::vector<std::string>{"N10 G90 G00 X0 Y0 Z5", "N20 M30", "(neu)"}));
  EXPECT_EQ(dir.read("TEIL.CVT"), ja ? "N1 G00 X0\r\nN2 G01 X1\r\nN3 M30\r\n" : "ALT\r\n");
  // One BAK name for both: the target's backup comes last.
  EXPECT_EQ(dir.read("TEIL.BAK"), ja ? "ALT\r\n" : "N10 G90 G00 X0 Y0 Z5\r\nN20 M30\r\n");
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
}

INSTANTIATE_TEST_SUITE_P(Antwort, HauptStartPuffer, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ja" : "Nein"; });

// The extra colours at the exit are written, without a notice, only for a picture of more
// than 16 colours or with grey conversion.
TEST_F(HauptStart, ExtrafarbenBeimEnde) {
  for (const auto& [farben, grau] : {std::pair{16, false}, {17, false}, {16, true}}) {
    SCOPED_TRACE(farben + 100 * grau);
    fs::remove(dir.file(workspace::EndeExtrafarbdatei));
    Starten();
    Farbanzahl = farben;
    KonfigBlock.Graubildwandlung = grau;
    Bilddateiname = "BILD.BMP";
    VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, 3, 0x123456, TArbeitsmodus::Fraesen, TBesonderheit::keine);
    Ausloesen("Beenden1");
    const auto zeilen = Zeilen(workspace::EndeExtrafarbdatei);
    EXPECT_EQ(zeilen.empty(), farben <= 16 && !grau);
    if (zeilen.empty()) continue;
    ASSERT_GE(zeilen.size(), 5u);
    EXPECT_THAT(zeilen[0], testing::EndsWith(" - Extrafarb-Behandlung"));
    EXPECT_EQ(std::vector(zeilen.begin() + 2, zeilen.begin() + 4),
              (std::vector<std::string>{"Bildame: BILD.BMP", "Farbnummer=3"}));
  }
}

// Buffered lines whose save fails at the exit: the exit asks whether to try again and drops
// them only when told not to.
TEST_F(HauptStart, GescheiterteSicherungBeimEndeFragtNochEinmal) {
  for (const bool nochmal : {true, false}) {
    SCOPED_TRACE(nochmal);
    fs::remove_all(dir.file("ziel"));
    Starten();
    KonfigBlock.Zieldateiname = "ziel/TEIL.CVT";
    testsupport::GepufferteSaetze({"N1 G00 X0", "N2 M30"}, KonfigBlock.Zieldateiname);
    skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", true);
    skript.ErwarteHinweis("Fehler beim Speichern in ziel/TEIL.CVT: Datei oder Verzeichnis nicht gefunden");
    skript.Waehrenddessen([&] { fs::create_directory(dir.file("ziel")); });  // the operator makes room
    skript.ErwarteFrage("Erneut versuchen?", nochmal);
    Ausloesen("Beenden1");
    EXPECT_EQ(dir.read("ziel/TEIL.CVT"), nochmal ? "N1 G00 X0\r\nN2 M30\r\n" : "");
    EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  }
}

// The menu tree as a text: "caption" per entry, "-" per separator, submenus indented.
void Baum(const QWidget* menu, const std::string& einzug, std::vector<std::string>& zeilen) {
  for (const QAction* a : menu->actions()) {
    zeilen.push_back(einzug + (a->isSeparator() ? "-" : a->text().toStdString()));
    if (a->menu()) Baum(a->menu(), einzug + "  ", zeilen);
  }
}

TEST_F(HauptStart, MenuebaumMitAllenBeschriftungen) {
  Starten();
  std::vector<std::string> zeilen;
  Baum(form->menuBar(), "", zeilen);
  const std::vector<std::string> erwartet = {
      "Datei", "  Beenden", "Werkzeuge", "  Werkzeugliste", "  Werkzeugeingabe", "Einrichtebetrieb",
      "  Kommastellen", "  -", "  Schrifteinstellungen", "    Zeichensatz zeigen", "    Zeichensatz wählen",
      "    Spiegelschrift ein /aus", "    -", "    alle Schrifteinstellungen", "  -", "  Grundeinstellungen",
      "  Fräsgrundeinstellungen", "  -", "  Einstelldatei", "    Laden", "    Speichern", "  Grafiksimulation",
      "    Grafikgrenzen", "    Darstelungsart", "    -", "    Grafik ein", "    Grafik aus", "  Farbe",
      "    Fräs-/ Sticheltiefe", "    Modus für Farbe", "    Farbe verfolgen", "    Farbfläche ausschneiden",
      "    Farbextrabehandlung", "Teileprogramm", "  Laden", "  Editieren", "Bildinformation", "Wandlung",
      "Hinweise", "  Haftungsausschluss", "  Copyright"};
  EXPECT_EQ(zeilen, erwartet);
  std::vector<std::string> popup;
  Baum(form->Popup(), "", popup);
  EXPECT_EQ(popup, (std::vector<std::string>{"Bild gespiegelt wandeln", "Spiegelschrift", "Kreisschrift nach innen",
                                              "Alle Schrifteinstellungen", "-", "Wandlung fortsetzen"}));
}

// The circular-sense dialog: its three buttons, the item chosen kept between showings (-1:
// left as it is).
TEST_F(HauptStart, ZirkularsinnAntwortUndRichtung) {
  Starten();
  auto* dialog = toolkit::qt::Fenster<TUserDialog>();
  ASSERT_NE(dialog, nullptr);
  const struct {
    const char* knopf;
    int eintrag;
    engine::TZirkularAntwort antwort;
    const char* richtung;
  } faelle[] = {{"OKButton", 1, engine::TZirkularAntwort::Uebernehmen, "contraclockwise"},
                {"AbbruchButton", 0, engine::TZirkularAntwort::Abbrechen, "clockwise"},
                {"HilfeButton", 1, engine::TZirkularAntwort::Hilfe, "contraclockwise"},
                {"OKButton", -1, engine::TZirkularAntwort::Uebernehmen, "contraclockwise"}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.knopf);
    Sobald([dialog] { return dialog->isVisible(); },
           [&] {
             auto* liste = testsupport::Kind<QComboBox>("Z_RichtungComboBox", dialog);
             if (f.eintrag >= 0) liste->setCurrentIndex(f.eintrag);
             testsupport::Klick(f.knopf, dialog);
           });
    std::string richtung;
    EXPECT_EQ(engine::Host().askCircularSense(richtung), f.antwort);
    EXPECT_EQ(richtung, f.richtung);
    EXPECT_EQ(dialog->Z_Richtung, f.richtung);
  }
}

}  // namespace
}  // namespace hauptfenster
