// What a user sees of every window the main window reaches: each is opened the way the user
// opens it (its menu entry, a running conversion, the programmed stop), saved as a PNG into
// the build folder's "fenster" folder, and looked over as a user would: a title of its own,
// no control reaching outside the window or lying on its group's frame, no caption cut off
// by its control, no two controls lying over each other, no tool bar hiding entries, a name
// for every control the program draws itself, and for a screen reader the window as a window
// or dialog under its title, each named control as a control under its name.
#include <QAbstractButton>
#include <QAction>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cxxabi.h>

#include <cstdlib>
#include <filesystem>
#include <typeinfo>
#include <set>
#include <sstream>

#include "HauptFixture.h"
#include "imageprep/BildinfoModell.h"
#include "imageprep/VelkorBildInfoUnit.h"
#include "imageprep/VelkorFarbfenster.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/HinweisForm.h"
#include "workspace/UserDialog.h"
#include "workspace/VelkorGrafikUnit.h"

namespace hauptfenster {
namespace {

namespace fs = std::filesystem;

// Every fault a user would see in this window, one line each.
std::vector<std::string> Mangel(QWidget* fenster) {
  std::vector<std::string> m;
  auto name = [](const QWidget* w) {
    return std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
  };
  if (fenster->windowTitle().trimmed().isEmpty()) m.push_back("kein Fenstertitel");
  // A screen reader announces the window as a window or a dialog under its title, and every
  // control it names as a control under that name: the windows' role stays with the windows.
  const auto rolle = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->role(); };
  const auto vorgelesen = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
  if (rolle(fenster) != QAccessible::Window && rolle(fenster) != QAccessible::Dialog)
    m.push_back("meldet sich als Rolle " + std::to_string(rolle(fenster)));
  if (vorgelesen(fenster) != fenster->windowTitle()) m.push_back("meldet sich nicht unter seinem Titel");
  const QRect innen = fenster->rect();
  for (QWidget* w : fenster->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(fenster) || w->isWindow()) continue;
    const QRect r(w->mapTo(fenster, QPoint(0, 0)), w->size());
    if (!innen.contains(r)) m.push_back(name(w) + " reicht aus dem Fenster");
    if (!w->accessibleName().isEmpty() && (vorgelesen(w) != w->accessibleName() || rolle(w) == QAccessible::Window ||
                                           rolle(w) == QAccessible::Dialog))
      m.push_back(name(w) + " meldet sich nicht als Steuerelement \"" + w->accessibleName().toStdString() + "\"");
    QString text;
    bool umbruch = false;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      text = l->text();
      umbruch = l->wordWrap();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      text = b->text();
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      text = g->title();
    }
    // A control in a group box begins below the group's frame, not on its title line.
    if (auto* g = qobject_cast<QGroupBox*>(w->parentWidget()); g && w->y() < g->contentsRect().top() - 2)
      m.push_back(name(w) + " liegt auf dem Rahmen von \"" + g->title().toStdString() + "\"");
    // A tool bar too narrow for its entries hides them behind its extension button.
    if (w->objectName() == "qt_toolbar_ext_button") m.push_back(name(w->parentWidget()) + " zeigt nicht alles");
    if (!text.isEmpty() && !umbruch) {
      const QSize soll = w->sizeHint();
      const int breite = qobject_cast<QGroupBox*>(w) ? w->fontMetrics().horizontalAdvance(text) + 16 : soll.width();
      if (breite > w->width() + 1 || (!qobject_cast<QGroupBox*>(w) && soll.height() > w->height() + 2))
        m.push_back(name(w) + " \"" + text.toStdString() + "\" abgeschnitten (" + std::to_string(breite) + "x" +
                    std::to_string(soll.height()) + " in " + std::to_string(w->width()) + "x" +
                    std::to_string(w->height()) + ")");
    }
    // The widget's own class, also where it declares no meta object of its own.
    int status = 0;
    char* roh = abi::__cxa_demangle(typeid(*w).name(), nullptr, nullptr, &status);
    std::string klasse = status == 0 && roh ? roh : w->metaObject()->className();
    std::free(roh);
    if (const auto pos = klasse.rfind("::"); pos != std::string::npos) klasse = klasse.substr(pos + 2);
    if (klasse[0] != 'Q' && w->focusPolicy() != Qt::NoFocus && w->accessibleName().isEmpty())
      m.push_back(name(w) + " ohne zugänglichen Namen");
  }
  // Siblings lying over each other (a frame round its controls is their parent, not a sibling).
  QList<QWidget*> alle = fenster->findChildren<QWidget*>();
  alle << fenster;
  for (QWidget* eltern : alle) {
    std::vector<QWidget*> kinder;
    for (QObject* o : eltern->children())
      if (auto* k = qobject_cast<QWidget*>(o); k && k->isVisibleTo(fenster) && !k->isWindow() &&
                                               std::string(k->metaObject()->className()) != "QFrame")
        kinder.push_back(k);
    // A label covers only as much as its text needs.
    auto flaeche = [](QWidget* w) {
      QRect r = w->geometry();
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->pixmap().isNull())
        r.setWidth(std::min(r.width(), l->fontMetrics().horizontalAdvance(l->text().trimmed())));
      return r;
    };
    for (std::size_t i = 0; i < kinder.size(); ++i)
      for (std::size_t j = i + 1; j < kinder.size(); ++j)
        if (flaeche(kinder[i]).intersects(flaeche(kinder[j])))
          m.push_back(name(kinder[i]) + " liegt über " + name(kinder[j]));
  }
  return m;
}

class ReviewFenster : public HauptFixture {
protected:
  void SetUp() override {
    HauptFixture::SetUp();
    boxen.Mitschreiben();  // every box recorded and answered as a cautious user does
    ordner = fs::path(VELKOR_BINARY_DIR) / "fenster";
    fs::create_directories(ordner);
    Beispiele();
  }

  // As the program starts: the image windows stay reachable from a run.
  void Starten() { HauptFixture::Starten(true); }

  // Saves the window and records what is wrong with it.
  void Ansehen(QWidget* fenster, const std::string& datei) {
    QApplication::processEvents();
    const QImage bild = fenster->grab().toImage();
    EXPECT_TRUE(bild.save(QString::fromStdString((ordner / (datei + ".png")).string())));
    std::ostringstream aus;
    aus << datei << " [" << fenster->metaObject()->className() << "] \"" << fenster->windowTitle().toStdString()
        << "\" " << fenster->width() << "x" << fenster->height();
    for (const auto& m : Mangel(fenster)) {
      aus << "\n    " << m;
      ++maengel;
    }
    std::cout << aus.str() << std::endl;
    gesehen.insert(datei);
  }

  // Looks at the next modal window that opens and closes it as the title bar's button does.
  void ModalAnsehen(const std::string& datei) {
    Sobald(ModalOffen, [this, datei] {
      QWidget* w = QApplication::activeModalWidget();
      Ansehen(w, datei);
      w->close();
    });
  }

  fs::path ordner;
  std::set<std::string> gesehen;
  int maengel = 0;
  testsupport::DialogSkript boxen;
};

TEST_F(ReviewFenster, JedesFensterAusDenMenues) {
  Starten();
  Ansehen(form, "Hauptfenster");
  // Menu entries by their action; windows reached from other windows or from the engine by
  // their type, shown as their commands show them.
  using toolkit::qt::FensterZeigen;
  const auto menue = [this](const char* name) { return std::function<void()>([this, name] { Ausloesen(name); }); };
  for (const auto& [oeffnen, datei] : std::vector<std::pair<std::function<void()>, std::string>>{
           {menue("Kommastellen1"), "Kommastellen"}, {menue("Zeichensatzwhlen1"), "Zeichensatzwahl"},
           {menue("Spiegelschrifteinaus1"), "Spiegelschrift"}, {menue("Grundeinstellungen"), "Grundeinstellungen"},
           {menue("Frsgrundeinstellungen1"), "Fraesgrundeinstellungen"}, {menue("Grafikgrenzen1"), "Grafikgrenzen"},
           {menue("Darstelungsart1"), "Darstellungsart"}, {menue("FrsSticheltiefe1"), "Tiefentabelle"},
           {menue("Modus1"), "Modustabelle"}, {menue("Farbeverfolgen1"), "Verfolgtabelle"},
           {menue("Farbflcheausschneiden1"), "Ausschneiden"}, {menue("Programmhinweise1"), "Haftungsausschluss"},
           {menue("Copyright1"), "Copyright"}, {menue("Werkzeugliste1"), "Werkzeugliste"},
           {menue("Editor1"), "Editor"}, {menue("Zeichensatzzeigen1"), "Zeichensatzanzeige"},
           {FensterZeigen<TVelkorFarbWahlForm>, "Farbwahl"}, {FensterZeigen<TVelkorFarbersetzForm>, "Farbersetzen"},
           {FensterZeigen<TVelkorFarbAnzeigForm>, "Farbanzeige"},
           {FensterZeigen<imageprep::TBildSpeicherfenster>, "Bildspeichern"},
           {[] { toolkit::qt::Fenster<TUserDialog>()->UserDialogZeigen(); }, "Zirkularsinn"},
           {[] { imageprep::BildinfoZeigen(false); }, "Bildinfo"}, {[] { imageprep::BildinfoZeigen(true); }, "Graubildinfo"}}) {
    ModalAnsehen(datei);
    oeffnen();
    QApplication::processEvents();
    EXPECT_TRUE(gesehen.count(datei)) << datei << " ging nicht auf";
  }
  // The example picture has few colours: the colour editor answers with its notice, once.
  Ausloesen("Farbabwahl");
  QApplication::processEvents();
  // "Teileprogramm > Laden" of a name longer than the one at start: the labels grow with it.
  fs::copy_file(dir.file("BEISPIEL.CNC"), dir.file("GROSSPROGRAMM_ZWEI.CNC"));
  boxen.DateiOeffnen(dir.file("GROSSPROGRAMM_ZWEI.CNC"));
  Ausloesen("Laden1");
  Ansehen(form, "Hauptfenster_LangerName");
  EXPECT_EQ(testsupport::Kind<QLabel>("QuellLabel", form)->text().toStdString(), "Quelldatei: GROSSPROGRAMM_ZWEI.CNC");
  EXPECT_EQ(boxen.Protokoll,
            (std::vector<std::string>{"Hinweis: Diese Farbabwahl ist nur bei mehr als 16 Farben wirksam!",
                                      "Oeffnen: CNC-Datei laden"}));
  EXPECT_EQ(maengel, 0);
}

// The colour editor over a picture of more than 16 colours, at its first opening and with a
// colour taken into its list of extra colours.
TEST_F(ReviewFenster, FarbeditorUeberVielenFarben) {
  QImage bild(192, 128, QImage::Format_RGB32);
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) bild.setPixel(x, y, qRgb(x / 24 * 30, y / 16 * 30, 100));
  ASSERT_TRUE(bild.save(QString::fromStdString(dir.file("BEISPIEL.BMP")), "BMP"));
  Starten();
  Sobald(ModalOffen, [this] {
    QWidget* w = QApplication::activeModalWidget();
    Ansehen(w, "Farbeditor");
    testsupport::Klick("Zoom_out_Button", w);  // the pipette is filled in an enlarged picture
    testsupport::Maus(testsupport::Kind<QWidget>("QuellImage", w), QEvent::MouseButtonPress, {30, 20}, Qt::LeftButton,
                      Qt::LeftButton);
    testsupport::Kind<QAction>("ExtrafarbeAnfuegen", w)->trigger();
    Ansehen(w, "Farbeditor_Extrafarbe");
    testsupport::Klick("EndeButton", w);
  });
  Ausloesen("Farbabwahl");
  EXPECT_TRUE(gesehen.count("Farbeditor_Extrafarbe"));
  EXPECT_EQ(boxen.Protokoll, std::vector<std::string>{});
  EXPECT_EQ(maengel, 0);
}

// Windows that open in the middle of the screen do so every time, also after the user moved
// them aside.
TEST_F(ReviewFenster, OeffnenInDerBildschirmmitte) {
  Starten();
  for (const char* eintrag : {"Werkzeugliste1", "Editor1", "Zeichensatzzeigen1", "Zeichensatzwhlen1",
                              "Spiegelschrifteinaus1", "Grafikgrenzen1", "Darstelungsart1", "Programmhinweise1",
                              "Copyright1"})
    for (const char* wann : {"beim ersten Öffnen", "nach dem Verschieben"}) {
      SCOPED_TRACE(std::string(eintrag) + " " + wann);
      Sobald(ModalOffen, [] {
        QWidget* w = QApplication::activeModalWidget();
        testsupport::InDerMitte(*w);
        w->move(40, 30);
        w->close();
      });
      Ausloesen(eintrag);
    }
  EXPECT_EQ(boxen.Protokoll, std::vector<std::string>{});
}

TEST_F(ReviewFenster, FensterEinerWandlung) {
  Starten();
  ModalAnsehen("Bildausschnitt");
  Ausloesen("Wandlung1");
  QApplication::processEvents();
  if (auto* grafik = toolkit::qt::Fenster<TVelkorGrafikForm>()) Ansehen(grafik, "Simulation");
  EXPECT_TRUE(gesehen.count("Bildausschnitt"));
  ModalAnsehen("BildinfoLauf");
  Ausloesen("Bildinformation1");
  EXPECT_EQ(maengel, 0);
}

TEST_F(ReviewFenster, Programmstopp) {
  Datei("TEIL.CNC", {"N10 G90 G00 X0 Y0 Z5", "N20 M0", "N30 G01 X10 Y0", "N40 M30"});
  Einstellungen([](auto& k) { k.Arbeitsdateiname = "TEIL.CNC"; });
  Starten();
  auto* hinweis = toolkit::qt::Fenster<THinweisForm>();
  Sobald([hinweis] { return hinweis->isVisible(); },
         [this, hinweis] {
           Ansehen(hinweis, "Programmstopp");
           hinweis->FortsetzButtonClick();
         });
  Ausloesen("Wandlung1");
  EXPECT_TRUE(gesehen.count("Programmstopp"));
  EXPECT_EQ(maengel, 0);
}

// Bad input as a user meets it, through the real windows: each gives its notice at most once,
// and afterwards the program still converts, opens its dialogs and keeps its files.
class ReviewEingabe;
struct TEingabe {
  const char* name;
  std::function<void(ReviewEingabe&)> vorbereiten;  // writes BEISPIEL.CNC or BEISPIEL.BMP anew
  bool ausschnitt;                                  // the section window opens and is accepted
  std::vector<std::string> boxen = {};              // exactly these boxes; none given: at most one
};

class ReviewEingabe : public ReviewFenster, public ::testing::WithParamInterface<TEingabe> {
public:
  void Programm(const std::vector<std::string>& zeilen) { Datei("BEISPIEL.CNC", zeilen); }
  void Bild(const std::string& inhalt) { dir.write("BEISPIEL.BMP", inhalt); }
  std::string BildDatei(int w, int h, const char* format = "BMP") {
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(Qt::white);
    bild.setPixel(0, 0, qRgb(0, 0, 255));
    bild.setPixel(w - 1, h - 1, qRgb(255, 0, 0));
    EXPECT_TRUE(bild.save(QString::fromStdString(dir.file("BEISPIEL.BMP")), format));
    return dir.read("BEISPIEL.BMP");
  }
};

TEST_P(ReviewEingabe, MeldetHoechstensEinmalUndBleibtBedienbar) {
  const TEingabe& f = GetParam();
  f.vorbereiten(*this);
  const std::string cnc = dir.read("BEISPIEL.CNC"), bmp = dir.read("BEISPIEL.BMP");
  Starten();
  const std::size_t nachStart = boxen.Protokoll.size();
  Ansehen(form, std::string("Hauptfenster_") + f.name);
  if (f.ausschnitt) {
    // The section window as the user accepts it.
    Sobald(ModalOffen, [this, name = std::string("Bildausschnitt_") + f.name] {
      QWidget* w = QApplication::activeModalWidget();
      Ansehen(w, name);
      testsupport::Klick("UebernahmeButton", w);
    });
  }
  Ausloesen("Wandlung1");
  QApplication::processEvents();
  std::string protokoll;
  for (const auto& b : boxen.Protokoll) protokoll += b + "\n";
  if (f.ausschnitt) {
    EXPECT_EQ(nachStart, 0u);
    EXPECT_TRUE(gesehen.count(std::string("Bildausschnitt_") + f.name));
  }
  if (f.boxen.empty()) EXPECT_LE(boxen.Protokoll.size(), 1u) << protokoll;
  else EXPECT_EQ(boxen.Protokoll, f.boxen);
  // Still usable: a dialog opens and closes, no run is left active, the files are as they were.
  EXPECT_FALSE(workspace::LaufAktiv());
  ModalAnsehen("Kommastellen_danach");
  Ausloesen("Kommastellen1");
  QApplication::processEvents();
  EXPECT_TRUE(gesehen.count("Kommastellen_danach"));
  EXPECT_EQ(dir.read("BEISPIEL.CNC"), cnc);
  EXPECT_EQ(dir.read("BEISPIEL.BMP"), bmp);
}

// The image cycle names the reader's error at start and again in the run, then stops the
// run with its own notice.
const std::vector<std::string> kUnlesbar = {"Hinweis: Bitmap image is not valid.",
                                            "Hinweis: Fehler beim Laden von Bitmap image is not valid.",
                                            "Hinweis: Fehler beim Laden der Bild-Datei! Info: ? Weiter: Taste"};

INSTANTIATE_TEST_SUITE_P(
    Arten, ReviewEingabe,
    ::testing::Values(
        TEingabe{"LeeresProgramm", [](ReviewEingabe& t) { t.Programm({}); }, false},
        TEingabe{"Zeilen300",
                 [](ReviewEingabe& t) {
                   t.Programm({"N10 G90 G00 X0 Y0 Z5 T1", "N20 G01 X10 Y10 " + std::string(284, 'X'),
                               "(" + std::string(298, 'k') + ")", "N30 M30"});
                 },
                 false},
        TEingabe{"Bild1x1", [](ReviewEingabe& t) { t.BildDatei(1, 1); }, true},
        TEingabe{"Bild1x10000", [](ReviewEingabe& t) { t.BildDatei(1, 10000); }, true},
        TEingabe{"Bild10000x1", [](ReviewEingabe& t) { t.BildDatei(10000, 1); }, true},
        // Read by its content, whatever its name says.
        TEingabe{"PngAlsBmp", [](ReviewEingabe& t) { t.BildDatei(4, 3, "PNG"); }, true},
        TEingabe{"BmpNullMalNull",
                 [](ReviewEingabe& t) {
                   std::string kopf = std::string("BM") + std::string(8, '\0') + std::string("\x36\0\0\0", 4);
                   std::string info(40, '\0');
                   info[0] = 40, info[12] = 1, info[14] = 24;
                   t.Bild(kopf + info);
                 },
                 false, kUnlesbar},
        TEingabe{"BmpAbgeschnitten", [](ReviewEingabe& t) { t.Bild(t.BildDatei(50, 40).substr(0, 70)); }, false,
                 kUnlesbar}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hauptfenster
