// The main window's start and exit: what start-up reads, what the first showing loads, and
// exactly which files the exit writes.
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "HauptFixture.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"

namespace hauptfenster {
namespace {

using namespace VelkorWinVAR;
namespace fs = std::filesystem;

std::vector<std::string> Dateien(const fs::path& ordner) {
  std::vector<std::string> namen;
  for (const auto& e : fs::directory_iterator(ordner)) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

class HauptStart : public HauptFixture {};

TEST_F(HauptStart, ErsterStartOhneDateienSchreibtNichts) {
  testsupport::DialogSkript skript;
  Starten();
  EXPECT_EQ(KonfigBlock.Konfigurationsdateiname, "Velkor.CNF");
  EXPECT_TRUE(form->Aktion("ein1")->isEnabled());
  EXPECT_FALSE(form->Aktion("aus1")->isEnabled());
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Benennung, "kein Werkzeug");
  Ausloesen("Beenden1");
  EXPECT_FALSE(haupt->isVisible());
  EXPECT_TRUE(Dateien(dir.path()).empty());
  EXPECT_TRUE(skript.Protokoll.empty());
}

TEST_F(HauptStart, NachDemHaftungsausschlussSchreibtDasEndeEinstellungenUndWerkzeuge) {
  testsupport::DialogSkript skript;
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

TEST_F(HauptStart, VerweigerteEinstelldateiBleibtAlsBak) {
  dir.write("VelkorWin.CNF", std::string(2211, 'x'));
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Dateigrößenfehler! Die Konfigurationsdatei VelkorWin.CNF wurde nicht geladen.");
  Starten();
  EXPECT_EQ(KonfigBlock.GrafikzyklusNummer, 189);
  EXPECT_EQ(KonfigBlock.Fraesrichtung, TFraesrichtung::zirkular);
  Ausloesen("Beenden1");
  EXPECT_EQ(dir.read("VelkorWin.BAK"), std::string(2211, 'x'));
  EXPECT_EQ(dir.read("VelkorWin.CNF").size(), 2212u);
}

TEST_F(HauptStart, TeileprogrammMitFehlendemBildMeldetEinmal) {
  Einstellungen([](TKonfigBlock& k) { k.Arbeitsdateiname = "TEIL.CNC"; });
  Datei("TEIL.CNC", {"N10 G90 G00 X0 Y0 Z5", "N20 G189 R2=2", "N30 X30 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Die Bilddatei BILD.BMP wurde nicht gefunden!");
  Starten();
  EXPECT_EQ(form->findChild<QLabel*>("QuellLabel")->text().toStdString(), "Quelldatei: TEIL.CNC");
  EXPECT_EQ(form->findChild<QLabel*>("ZielLabel")->text().toStdString(), "Zieldatei: TEIL.CVT");
  EXPECT_EQ(KonfigBlock.Zieldateiname, "TEIL.CVT");
  EXPECT_EQ(KonfigBlock.Extrafarbdateiname, "TEIL.NOP");
  ASSERT_TRUE(TeileprogrammListe);
  EXPECT_EQ(TeileprogrammListe->size(), 5u);
  EXPECT_EQ(skript.Offen(), 0u);
  // Closing a window or a notice never runs the first activation again.
  skript.ErwarteHinweis("Spiegelschrift eingeschaltet!");
  Sobald([] { return QApplication::activeModalWidget() != nullptr; },
         [] { QApplication::activeModalWidget()->close(); });
  Ausloesen("Copyright1");
  QTest::keyClick(form, Qt::Key_M, Qt::ControlModifier);
  form->FormActivate();
  EXPECT_TRUE(KonfigBlock.Spiegelschrift);
}

class HauptStartBild : public HauptStart {
protected:
  void TeilMitBild() {
    Einstellungen([](TKonfigBlock& k) { k.Arbeitsdateiname = "TEIL.CNC"; });
    Datei("TEIL.CNC", {"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X30 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  }
};

TEST_F(HauptStartBild, GrossesBildWirdEingepasst) {
  TeilMitBild();
  toolkit::TBitmap bild(1410, 409, toolkit::TPixelFormat::pf24bit);
  for (int y = 0; y < 409; ++y)
    for (int x = 0; x < 1410; ++x) bild.SetPixel(x, y, x < 705 ? 0x0000FF : 0xFF0000);
  toolkit::SaveBitmapFile(bild, dir.file("BILD.BMP"));
  testsupport::DialogSkript skript;
  Starten();
  EXPECT_TRUE(BildGeladen);
  const QLabel* ansicht = form->findChild<QLabel*>("QuellImage");
  EXPECT_EQ(ansicht->geometry(), QRect(19, 118, 705, 204));
  EXPECT_EQ(form->findChild<QFrame*>("ImgBevel")->geometry(), QRect(14, 113, 715, 214));
  EXPECT_EQ(Bearbeitungsbild.Width(), 705);
  EXPECT_EQ(Farbanzahl, 2);  // resampled without new colours
  EXPECT_EQ(Quellfarbanzahl, 2);
}

TEST_F(HauptStartBild, UnlesbaresBildMeldetUndDieTastenGehenDoch) {
  TeilMitBild();
  dir.write("BILD.BMP", "BM kein Bild");
  std::string meldung;
  try {
    toolkit::TBitmap b;
    workspace::LoadImageFile(dir.file("BILD.BMP"), b);
  } catch (const std::exception& e) {
    meldung = toolkit::Cp1252ToUtf8(e.what());
  }
  ASSERT_FALSE(meldung.empty());
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis(meldung);
  Starten();
  EXPECT_FALSE(BildGeladen);
  skript.ErwarteHinweis("Spiegelschrift eingeschaltet!");
  QTest::keyClick(form, Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(skript.Offen(), 0u);
}

TEST_F(HauptStartBild, TeileprogrammLadenUeberDasMenue) {
  testsupport::DialogSkript skript;
  Starten();
  Datei("NEU.CNC", {"N10 G90 G00 X0 Y0 Z5", "N20 M30"});
  skript.DateiOeffnen(dir.file("NEU.CNC"));
  skript.ErwarteHinweis("Keine Bilddatei in der Datei " + dir.file("NEU.CNC") + "!");
  Ausloesen("Laden1");
  EXPECT_EQ(skript.Offen(), 0u);
  EXPECT_EQ(form->findChild<QLabel*>("QuellLabel")->text().toStdString(), "Quelldatei: NEU.CNC");
  EXPECT_EQ(form->findChild<QLabel*>("ZielLabel")->text().toStdString(), "Zieldatei: NEU.CVT");
  ASSERT_TRUE(TeileprogrammListe);
  EXPECT_EQ(TeileprogrammListe->size(), 2u);
}

TEST_F(HauptStart, FehlendesTeileprogrammWirdStillVergessen) {
  Einstellungen([](TKonfigBlock& k) { k.Arbeitsdateiname = "/tmp/gone/X.CNC"; });
  testsupport::DialogSkript skript;
  Starten();
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, "");
  EXPECT_FALSE(TeileprogrammListe);
}

TEST_F(HauptStart, WerkzeugdateiWirdGelesenUndAmEndeGeschrieben) {
  Einstellungen([](TKonfigBlock&) {});
  Datei("VelkorWkz.DAT", {"Velkor - Werkzeugdatei", "Werkzeugnummer=7", "          Werkzeugbenennung=Stichel 90",
                          "          Werkzeuglänge=45,500", "          Werkzeugnutzlänge=10,000",
                          "          Werkzeugdurchmesser=0,200", "          Zeichenfarbe=12"});
  testsupport::DialogSkript skript;
  Starten();
  ASSERT_EQ(VelkorWinWkz::WkzListe.size(), 1u);
  EXPECT_EQ(VelkorWinWkz::WkzListe[0].Nummer, 7);
  Ausloesen("Beenden1");
  const auto zeilen = Zeilen("VelkorWkz.DAT");
  ASSERT_EQ(zeilen.size(), 7u);
  EXPECT_EQ(zeilen[1], "Werkzeugnummer=7");
  EXPECT_FALSE(dir.exists("VelkorWkz.BAK"));
}

TEST_F(HauptStart, TeilweiseGeleseneWerkzeugdateiBleibtAlsBak) {
  Einstellungen([](TKonfigBlock&) {});
  const std::vector<std::string> alt = {"Velkor - Werkzeugdatei", "Werkzeugnummer=1",
                                        "          Werkzeugbenennung=A", "          Werkzeuglänge=abc",
                                        "          Werkzeugnutzlänge=1", "          Werkzeugdurchmesser=1",
                                        "          Zeichenfarbe=1"};
  Datei("VelkorWkz.DAT", alt);
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Fehler beim Laden der Werkzeuglänge!");
  Starten();
  Ausloesen("Beenden1");
  EXPECT_EQ(Zeilen("VelkorWkz.BAK"), alt);
  EXPECT_EQ(Zeilen("VelkorWkz.DAT").size(), 1u);
}

// The buffered blocks at the exit: "Ja" writes them over the target with a backup, "Nein" leaves it.
class HauptStartPuffer : public HauptStart, public ::testing::WithParamInterface<bool> {};

TEST_P(HauptStartPuffer, GepufferteSaetzeBeimEnde) {
  const bool ja = GetParam();
  testsupport::DialogSkript skript;
  Starten();
  dir.write("TEIL.CVT", "ALT\r\n");
  KonfigBlock.Zieldateiname = "TEIL.CVT";
  for (const char* z : {"N1 G00 X0", "N2 G01 X1", "N3 M30"}) VelkorWinFileUtils::NcSatzPuffer.push_back(z);
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", ja);
  Ausloesen("Beenden1");
  EXPECT_EQ(dir.read("TEIL.CVT"), ja ? "N1 G00 X0\r\nN2 G01 X1\r\nN3 M30\r\n" : "ALT\r\n");
  EXPECT_EQ(dir.read("TEIL.BAK"), ja ? "ALT\r\n" : "");
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
}

INSTANTIATE_TEST_SUITE_P(Antwort, HauptStartPuffer, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ja" : "Nein"; });

TEST_F(HauptStart, ExtrafarbenAmEndeNurMitEintraegen) {
  testsupport::DialogSkript skript;
  Starten();
  KonfigBlock.Graubildwandlung = true;
  Bilddateiname = "BILD.BMP";
  VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, 3, 0x123456, TArbeitsmodus::Fraesen,
                                          TBesonderheit::keine);
  Ausloesen("Beenden1");
  const auto zeilen = Zeilen(workspace::EndeExtrafarbdatei);
  ASSERT_GE(zeilen.size(), 5u);
  EXPECT_TRUE(zeilen[0].ends_with(" - Extrafarb-Behandlung"));
  EXPECT_EQ(zeilen[2], "Bildame: BILD.BMP");
  EXPECT_EQ(zeilen[3], "Farbnummer=3");
}

TEST_F(HauptStart, LeereExtrafarbenAmEndeOhneDateiUndOhneHinweis) {
  testsupport::DialogSkript skript;
  Starten();
  KonfigBlock.Graubildwandlung = true;
  Ausloesen("Beenden1");
  EXPECT_FALSE(dir.exists(workspace::EndeExtrafarbdatei));
}

TEST(HauptVersion, DatumDerProgrammdatei) {
  testsupport::TempDir dir;
  dir.write("prog", "x");
  const auto zeit = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(dir.file("prog"), zeit);
  const std::string zeile = workspace::VersionszeileBilden(dir.file("prog"));
  std::time_t jetzt = std::time(nullptr);
  std::tm t{};
  localtime_r(&jetzt, &t);
  EXPECT_EQ(zeile, "Velkor " + std::to_string(t.tm_year % 100) + "." + std::to_string(t.tm_mon + 1) + "." +
                       std::to_string(t.tm_mday) + " Qt");
}

}  // namespace
}  // namespace hauptfenster
