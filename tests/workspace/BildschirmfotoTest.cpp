// Screenshots of what a user sees: the program's windows start with the example folder, the
// example part program converts with graphics on, and the main window and the simulation
// window are saved as PNG files into the build folder (Hauptfenster.png,
// Simulationsfenster.png). The tool path must be drawn in the tool's colour inside the
// drawing and nowhere else, and the main window must show the example picture. The file
// dialogs of "Teileprogramm > Laden", of the font choice and of saving the image work file
// are saved as they open (Dateidialog.png, DateidialogZeichensatz.png,
// DateidialogEinstelldatei.png) and must speak German, under Qt's title where the program
// gives none. The main window after loading an image work file whose picture is larger than
// the one shown is saved too (HauptfensterEinstelldatei.png). scripts/test runs this under
// xvfb-run on the X11 platform; CTest runs it on the headless one.
#include <QAbstractItemView>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include "HauptFixture.h"
#include "toolkit/BitmapFile.h"
#include "workspace/VelkorGrafikUnit.h"

namespace hauptfenster {
namespace {

int Zaehle(const QImage& bild, QRgb farbe, const QRect& bereich) {
  int n = 0;
  const QRect r = bereich.intersected(bild.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if ((bild.pixel(x, y) & 0xFFFFFF) == (farbe & 0xFFFFFF)) ++n;
  return n;
}

class Bildschirmfoto : public HauptFixture {};

TEST_F(Bildschirmfoto, BeispielMitGrafik) {
  Beispiele();
  testsupport::DialogSkript skript;  // the example converts without a notice
  Starten();
  ASSERT_TRUE(VelkorWinVAR::KonfigBlock.GrafikEin);
  skript.ErwarteTasten("Verkleinertes Bild wandeln?", 0);
  Ausloesen("Wandlung1");
  ASSERT_EQ(skript.Offen(), 0u);
  QApplication::processEvents();

  const std::string ordner = VELKOR_BINARY_DIR;
  const QImage haupt = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_TRUE(haupt.save(QString::fromStdString(ordner + "/Hauptfenster.png")));
  auto* grafik = toolkit::qt::Fenster<TVelkorGrafikForm>();
  ASSERT_NE(grafik, nullptr);
  const QImage simulation = grafik->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_TRUE(simulation.save(QString::fromStdString(ordner + "/Simulationsfenster.png")));

  // The tool path: tool colour 4 is red, drawn inside the drawing only.
  const QWidget* zeichnung = testsupport::Kind<QWidget>("GrafikImage", grafik);
  ASSERT_NE(zeichnung, nullptr);
  const QRect flaeche(zeichnung->mapTo(grafik, QPoint(0, 0)), zeichnung->size());
  const QRgb rot = qRgb(255, 0, 0);
  EXPECT_GT(Zaehle(simulation, rot, flaeche), 1000);
  EXPECT_EQ(Zaehle(simulation, rot, simulation.rect()), Zaehle(simulation, rot, flaeche));
  // Moves run across the picture's area and along the text: both halves hold path pixels.
  const QRect obereHaelfte(flaeche.left(), flaeche.top(), flaeche.width(), flaeche.height() / 2);
  const QRect untereHaelfte(flaeche.left(), flaeche.center().y(), flaeche.width(), flaeche.height() / 2);
  EXPECT_GT(Zaehle(simulation, rot, obereHaelfte), 100);
  EXPECT_GT(Zaehle(simulation, rot, untereHaelfte), 100);

  // The main window shows the example picture: its blue disc and green bar.
  const QLabel* bild = testsupport::Kind<QLabel>("QuellImage", form);
  ASSERT_NE(bild, nullptr);
  const QRect platz(bild->mapTo(form, QPoint(0, 0)), bild->size());
  EXPECT_EQ(bild->size(), QSize(192, 128));
  EXPECT_GT(Zaehle(haupt, qRgb(0, 0, 255), platz), 100);
  EXPECT_GT(Zaehle(haupt, qRgb(0, 160, 0), platz), 50);
}

// The main window after "Einstelldatei > Laden" of a work file whose part program names a
// picture larger than the one shown (HauptfensterEinstelldatei.png): the new picture fitted
// and centred in the panel, the labels of its program, the block fields empty.
TEST_F(Bildschirmfoto, HauptfensterNachEinstelldatei) {
  Beispiele();
  testsupport::DialogSkript skript;
  Starten();
  toolkit::TBitmap gross(900, 600, toolkit::TPixelFormat::pf24bit);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 900; ++x) gross.SetPixel(x, y, x < 450 ? 0xFF0000 : 0x00A000);  // blue | green
  toolkit::SaveBitmapFile(gross, dir.file("GROSS.BMP"));
  std::string programm = dir.read("BEISPIEL.CNC");
  programm.replace(programm.find("BEISPIEL.BMP"), 12, "GROSS.BMP");
  dir.write("GROSS.CNC", programm);
  Arbeitsdatei(dir.file("GROSS.CFG"), "GROSS.CNC");
  skript.DateiOeffnen(dir.file("GROSS.CFG"));
  Ausloesen("Laden2");
  QApplication::processEvents();

  const QImage haupt = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_TRUE(haupt.save(QString::fromStdString(std::string(VELKOR_BINARY_DIR) + "/HauptfensterEinstelldatei.png")));
  const QLabel* bild = testsupport::Kind<QLabel>("QuellImage", form);
  const QRect platz(bild->mapTo(form, QPoint(0, 0)), bild->size());
  const QWidget* panel = testsupport::Kind<QWidget>("ImgPanel", form);
  EXPECT_EQ(bild->size(), QSize(614, 409));
  EXPECT_LE((bild->geometry().center() - panel->rect().center()).manhattanLength(), 1);
  EXPECT_EQ(Zaehle(haupt, qRgb(0, 0, 255), platz), 307 * 409);
  EXPECT_EQ(Zaehle(haupt, qRgb(0, 160, 0), platz), 307 * 409);
  EXPECT_EQ(testsupport::Kind<QLabel>("QuellLabel", form)->text().toStdString(), "Quelldatei: GROSS.CNC");
}

// Boxes as the script expects them (none here); the file dialogs are Qt's own.
class EchteDateidialoge : public testsupport::DialogSkript {
public:
  std::optional<std::string> DateiOeffnen(const toolkit::qt::TDateiDialog& dialog) override {
    return toolkit::qt::QtDialoge().DateiOeffnen(dialog);
  }
  std::optional<std::string> DateiSpeichern(const toolkit::qt::TDateiDialog& dialog) override {
    return toolkit::qt::QtDialoge().DateiSpeichern(dialog);
  }
};

TEST_F(Bildschirmfoto, DateidialogeAufDeutsch) {
  Beispiele();
  dir.write("BEISPIEL.CFG", "");  // so that each dialog's folder lists a file of its kind
  EchteDateidialoge skript;
  Starten();
  // Each file dialog as it opens: from a menu entry, or from a button of the window the entry
  // opens; dialogs given no title of their own keep Qt's.
  const struct {
    const char *datei, *eintrag, *knopf, *titel, *ja;
  } faelle[] = {{"Dateidialog", "Laden1", nullptr, "CNC-Datei laden", "&Öffnen"},
                {"DateidialogZeichensatz", "Zeichensatzwhlen1", "ZeichensatzButton", "Öffnen", "&Öffnen"},
                {"DateidialogEinstelldatei", "Speichern1", nullptr, "Speichern unter", "S&peichern"}};
  for (const auto& f : faelle) {
    QString titel;
    QStringList knoepfe;
    const auto ansehen = [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      // The folder is read in the background: wait until its files are listed.
      const auto* liste = testsupport::Kind<QAbstractItemView>("listView", dialog);
      EXPECT_TRUE(QTest::qWaitFor([&] { return liste && liste->model()->rowCount(liste->rootIndex()) > 0; }));
      titel = dialog->windowTitle();
      for (const auto* k : dialog->findChildren<QPushButton*>()) knoepfe << k->text();
      const std::string datei = std::string(VELKOR_BINARY_DIR) + "/" + f.datei + ".png";
      EXPECT_TRUE(dialog->grab().save(QString::fromStdString(datei)));
      dialog->reject();
    };
    Sobald(ModalOffen, [&] {
      if (!f.knopf) return ansehen();
      QWidget* fenster = QApplication::activeModalWidget();
      Sobald([fenster] { return QApplication::activeModalWidget() != fenster; }, ansehen);
      testsupport::Klick(f.knopf, fenster);
      fenster->close();
    });
    Ausloesen(f.eintrag);
    EXPECT_EQ(titel.toStdString(), f.titel) << f.datei;
    EXPECT_TRUE(knoepfe.contains(f.ja) && knoepfe.contains("Abbrechen")) << knoepfe.join(", ").toStdString();
    EXPECT_FALSE(knoepfe.contains("Cancel"));
  }
}

}  // namespace
}  // namespace hauptfenster
