// The engraving-font viewer: its font code on built fonts (exact strokes, damaged files)
// and journeys through the window with a converted Hershey font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"
#include "engine/VelkorWinVAR.h"
#include "workspace/FontView.h"
#include "workspace/FontViewZeichnen.h"
#include "workspace/Teileprogramm_Befehle.h"

using testsupport::DialogSkript;
using testsupport::Draw;
using testsupport::FontBuilder;
using testsupport::Move;
using workspace::TLinie;

namespace {

// Oberlaenge 20, Unterlaenge -5: height 25 is scale 1.
FontBuilder Messfont() {
  return FontBuilder()
      .Top(20)
      .Bottom(-5)
      .Glyph('A', 10, {Move(0, 0), Draw(10, 0), Draw(10, 20)})
      .Glyph('B', 12, {Move(0, 0), Draw(0, 60)});
}

void Senden(QWidget* w, QEvent::Type art, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent e(art, key, m, text);
  QApplication::sendEvent(w, &e);
}

int Dunkle(const QImage& bild) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += qGray(bild.pixel(x, y)) < 128;
  return n;
}

class FontViewTest : public ::testing::Test {
protected:
  std::string Datei(const std::string& name, const std::string& bytes) {
    dir.write(name, bytes);
    return dir.file(name);
  }
  QLineEdit* Oeffnen(bool zeigen = true) {
    form.Vorbereiten();
    if (zeigen) form.show();
    return testsupport::Kind<QLineEdit>("TesttextEdit", &form);
  }
  DialogSkript skript;
  testsupport::TempDir dir;
  TFontViewForm form;
};

}  // namespace

TEST_F(FontViewTest, HeaderAndSizeChecks) {
  std::string voll = Messfont().Bytes();
  voll.resize(20001, '\0');
  const char* format = " nicht im erwarteten Format!";
  // file, bytes, notice: "" loads, a leading blank names the file in front
  const std::tuple<const char*, std::string, std::string> faelle[] = {
      {"T127.FNT", Messfont().Text(std::string(127, 'x')).Bytes(), ""},
      {"T128.FNT", Messfont().Text(std::string(128, 'x')).Bytes(), format},
      {"VOLL.FNT", voll, ""},
      {"ZUGROSS.FNT", voll + '\0', "Fehler beim Laden des Zeichensatzes!"},
      {"GLEICH.FNT", FontBuilder().Top(5).Bottom(5).Glyph('A', 3, {}).Bytes(), format},
      {"LEER.FNT", "", format}};
  workspace::TViewerZeichensatz z;
  for (const auto& [name, bytes, hinweis] : faelle) {
    const std::string datei = Datei(name, bytes);
    if (!hinweis.empty()) skript.ErwarteHinweis(hinweis[0] == ' ' ? datei + hinweis : hinweis);
    EXPECT_EQ(z.Laden(datei), hinweis.empty()) << name;
  }
}

TEST_F(FontViewTest, MeasuresAndDrawsTheStrokes) {
  workspace::TViewerZeichensatz z;
  ASSERT_TRUE(z.Laden(Datei("M.FNT", Messfont().Bytes())));
  EXPECT_EQ(std::tuple(z.Textbreite(25, "AB"), z.Texthoehe(25), z.Textbreite(50, "AB"), z.Texthoehe(50)),
            std::tuple(22, 25, 44, 50));
  std::vector<TLinie> linien;
  EXPECT_EQ(z.Zeichen('A', 5, 30, 1.0, linien), 10);
  z.Zeichen('B', 5, 30, 1.0, linien);
  EXPECT_EQ(linien, (std::vector<TLinie>{{5, 30, 15, 30}, {15, 30, 15, 10}, {5, 30, 5, 0}}));  // above the top: row 0
  EXPECT_EQ(std::tuple(workspace::ViewerAnsiNachDos(225), workspace::ViewerAnsiNachDos(228)), std::tuple(223, 132));
}

TEST_F(FontViewTest, DamagedFontsShowOnlyTheirValidCharacters) {
  // 'A' valid, 'B' pointing past the end, 'C' without an end command at the file's end.
  FontBuilder f = FontBuilder().Top(20).Bottom(-5).Glyph('A', 10, {Move(0, 0), Draw(10, 0)})
                      .Glyph('B', 10, {Move(0, 0), Draw(0, 10)})
                      .Glyph('C', 10, {Move(0, 0), Draw(5, 5)});
  std::string bytes = f.Bytes();
  bytes.replace(f.Layout().offsetTable + 2, 2, "\xFF\x7F");  // 'B' offset entry
  bytes.resize(bytes.size() - 2);  // 'C' loses its end command
  const std::string name = Datei("KAPUTT.FNT", bytes);
  workspace::TViewerZeichensatz z;
  ASSERT_TRUE(z.Laden(name));
  std::vector<TLinie> linien;
  z.Text("ABCXYZ\xE4", 0, 30, 25, linien);
  EXPECT_EQ(linien, (std::vector<TLinie>{{0, 30, 10, 30}}));

  workspace::ViewerZeichensatzName = name;
  Oeffnen(false);
  form.GanzerZeichensatz();
  EXPECT_GT(Dunkle(form.Bild()), 0);
  form.Zeichensatztabelle();
  EXPECT_GT(form.Bild().height(), 100);
}

TEST_F(FontViewTest, HandOverIsTakenAndEmptied) {
  for (const char* name : {"c:\\fonts\\scri.fnt", "c:\\fonts\\scri.txt"}) {
    workspace::ViewerZeichensatzName = name;
    const bool fnt = std::string(name).ends_with(".fnt");
    if (!fnt) skript.ErwarteHinweis("Fehler bei der Übertragung des Zeichensatznamen!");
    Oeffnen(false);
    EXPECT_EQ(std::tuple(form.Zeichensatzname(), workspace::ViewerZeichensatzName), std::tuple(fnt ? name : "", ""));
  }
}

TEST_F(FontViewTest, HeightLimits) {
  Oeffnen(false);
  for (int i = 0; i < 24; ++i) form.HoeheAendern(-1);
  ASSERT_EQ(form.Hoehe(), 1);
  skript.ErwarteHinweis("Verkleinerung nicht möglich!");
  form.HoeheAendern(-1);
  form.HoeheAendern(5);
  form.HoeheAendern(-5);
  skript.ErwarteHinweis("Vergrößerung nicht möglich!");
  form.HoeheAendern(5000);
  EXPECT_EQ(form.Hoehe(), 1);
}

TEST_F(FontViewTest, AClickIntoTheTestTextTakesIt) {
  auto* feld = Oeffnen();
  const auto klick = [&](Qt::MouseButton taste) {
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(3, 3), feld->mapToGlobal(QPointF(3, 3)), taste, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(feld, &e);
  };
  feld->setText("Probe");
  klick(Qt::RightButton);  // only the left button clicks
  EXPECT_EQ(form.Testtext(), "Testtext");
  klick(Qt::LeftButton);
  EXPECT_EQ(form.Testtext(), "Probe");
  feld->setText("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  skript.ErwarteHinweis("Testtext: max 25 Zeichen");
  klick(Qt::LeftButton);
  EXPECT_EQ(std::tuple(form.Testtext(), feld->text()), std::tuple("ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRSTUVWXY"));
}

TEST_F(FontViewTest, TheChosenFontIsDrawnAndAHugeDisplayIsRefused) {
  VelkorWinVAR::KonfigBlock.Gravurzeichensatz = Datei("A.FNT", FontBuilder().Top(20).Bottom(-5)
                                                                   .Glyph('T', 10, {Move(0, 0), Draw(10, 0)}).Bytes());
  const std::string b = Datei("B.FNT", FontBuilder().Top(20).Bottom(-5).Glyph('T', 10, {Move(5, 0), Draw(5, 20)}).Bytes());
  auto* feld = Oeffnen(false);
  skript.DateiOeffnen(b);
  form.ZeichensatzWaehlen();
  feld->setText("T");
  form.Anzeigen();
  const QImage& bild = form.Bild();
  ASSERT_EQ(bild.size(), QSize(20, 45));  // 10 wide + margins, 25 high + margins
  EXPECT_LT(qGray(bild.pixel(10, 20)), 128);  // B's upright at x 5 + 5
  EXPECT_EQ(qGray(bild.pixel(12, 30)), 255);  // no bar of A on the baseline

  for (int i = 0; i < 395; ++i) form.HoeheAendern(5);
  ASSERT_EQ(form.Hoehe(), workspace::ViewerHoechsthoehe);
  feld->setText("TTTTTTTTTTTTTTTTTTTTTTTTT");
  skript.ErwarteHinweis("Die Anzeige wäre zu groß!");
  skript.ErwarteHinweis("Fehler bei der Ausgabe des Testtextes!");
  form.Anzeigen();
}

TEST_F(FontViewTest, AReleaseWhosePressWentElsewhereGivesNoNotice) {
  auto* feld = Oeffnen();
  Senden(feld, QEvent::KeyRelease, Qt::Key_Return);  // the Enter that closed a notice
  skript.ErwarteHinweis("Zeichensatz wählen!");
  Senden(feld, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  Senden(feld, QEvent::KeyRelease, Qt::Key_Return);
  Senden(feld, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
  Senden(feld, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  Senden(feld, QEvent::KeyRelease, Qt::Key_Control);  // a modifier alone gives no notice
  EXPECT_EQ(skript.Protokoll.size(), 1u);
}

TEST_F(FontViewTest, HersheyFontTableAndTestTextWithKeys) {
  workspace::ViewerZeichensatzName = std::string(VELKOR_SOURCE_DIR) + "/fonts/ROMANS.FNT";
  auto* feld = Oeffnen();
  feld->setText("Velkor 123");
  form.Anzeigen();
  EXPECT_GT(form.Bild().width(), 100);
  EXPECT_GT(Dunkle(form.Bild()), 100);
  const auto strg = [&](int key) {
    Senden(feld, QEvent::KeyPress, key, Qt::ControlModifier);
    Senden(feld, QEvent::KeyRelease, key, Qt::ControlModifier);
  };
  for (int key : {int(Qt::Key_Y), int(Qt::Key_Z)}) {
    strg(key);
    EXPECT_GT(form.Bild().height(), 100) << key;
    EXPECT_GT(Dunkle(form.Bild()), 1000) << key;
  }
  for (int key : {int(Qt::Key_Plus), int(Qt::Key_Minus), int(Qt::Key_Minus)}) strg(key);
  EXPECT_EQ(form.Hoehe(), 20);
}
