#include "toolkit/qt/Dialoge.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QStringList>
#include <cstdlib>
#include <exception>

#include "toolkit/qt/QtText.h"

namespace toolkit::qt {
namespace {

QWidget* Elternfenster() { return QApplication::activeWindow(); }

// "CNC-Dateien|*.CNC|alle Dateien|*.*" -> "CNC-Dateien (*.CNC);;alle Dateien (*.*)"
QString QtFilter(const std::string& filter) {
  const QStringList teile = QText(filter).split('|');
  QStringList filter_;
  for (int i = 0; i + 1 < teile.size(); i += 2)
    filter_ << teile[i] + " (" + QString(teile[i + 1]).replace(';', ' ') + ")";
  return filter_.join(";;");
}

// The family's own name of the style nearest to the font's weight and slant ("Bold
// Oblique"). The font dialog looks the style up by name in the family's list, and a name
// made from weight and slant is in Qt's language, which the family's names are not.
QString Stilname(const QFont& schrift) {
  QString bester;
  int abstand = 0;
  for (const QString& stil : QFontDatabase::styles(schrift.family())) {
    const QFont f = QFontDatabase::font(schrift.family(), stil, 12);
    const int d = std::abs(f.weight() - schrift.weight());
    if (f.italic() == schrift.italic() && (bester.isEmpty() || d < abstand)) bester = stil, abstand = d;
  }
  return bester;
}

void Einrichten(QFileDialog& dialog, const TDateiDialog& d) {
  // Without a title of its own the dialog keeps Qt's, "Öffnen" or "Speichern unter".
  if (!d.Titel.empty()) dialog.setWindowTitle(QText(d.Titel));
  // Each filter is shown under its own name only: Qt would add its pattern once more.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  if (!d.Filter.empty()) dialog.setNameFilter(QtFilter(d.Filter));
  std::string endung = d.StandardErweiterung;
  if (!endung.empty() && endung.front() == '.') endung.erase(0, 1);
  if (!endung.empty()) dialog.setDefaultSuffix(QText(endung));
  if (!d.Verzeichnis.empty()) dialog.setDirectory(QText(d.Verzeichnis));
  if (!d.Dateiname.empty()) dialog.selectFile(QText(d.Dateiname));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
}

class QtBoxen final : public TDialoge {
public:
  void Hinweis(const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, QText(ProgrammTitel()), QText(text), QMessageBox::NoButton,
                    Elternfenster());
    box.addButton(U("OK"), QMessageBox::AcceptRole);
    box.exec();
  }

  bool Frage(const std::string& text, bool standardNein) override {
    QMessageBox box(QMessageBox::Question, U("Bestätigung"), QText(text), QMessageBox::NoButton,
                    Elternfenster());
    QPushButton* ja = box.addButton(U("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(U("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(standardNein ? nein : ja);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
  }

  int FrageMitTasten(const std::string& text, const std::vector<std::string>& tasten) override {
    QMessageBox box(QMessageBox::Question, U("Bestätigung"), QText(text), QMessageBox::NoButton,
                    Elternfenster());
    std::vector<QPushButton*> knoepfe;
    for (const auto& t : tasten) knoepfe.push_back(box.addButton(QText(t), QMessageBox::ActionRole));
    if (!knoepfe.empty()) box.setDefaultButton(knoepfe.front());
    box.exec();
    for (std::size_t i = 0; i < knoepfe.size(); ++i)
      if (box.clickedButton() == knoepfe[i]) return static_cast<int>(i);
    return -1;
  }

  std::optional<std::string> DateiOeffnen(const TDateiDialog& d) override {
    QFileDialog dialog(Elternfenster());
    Einrichten(dialog, d);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return AnsiText(dialog.selectedFiles().front());
  }

  std::optional<std::string> DateiSpeichern(const TDateiDialog& d) override {
    QFileDialog dialog(Elternfenster());
    Einrichten(dialog, d);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.UeberschreibenFragen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return AnsiText(dialog.selectedFiles().front());
  }

  std::optional<TColor> FarbeWaehlen(TColor farbe) override {
    const QColor start(GetRValue(farbe), GetGValue(farbe), GetBValue(farbe));
    const QColor c = QColorDialog::getColor(start, Elternfenster());
    if (!c.isValid()) return std::nullopt;
    return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
  }

  bool DruckerWaehlen(QPrinter& drucker) override {
    QPrintDialog dialog(&drucker, Elternfenster());
    return dialog.exec() == QDialog::Accepted;
  }

  std::optional<TSchrift> SchriftWaehlen(const TSchrift& start) override {
    QFont schrift(QText(start.Name));
    if (start.Groesse > 0) schrift.setPointSize(start.Groesse);
    schrift.setBold(start.Fett);
    schrift.setItalic(start.Kursiv);
    schrift.setUnderline(start.Unterstrichen);
    schrift.setStyleName(Stilname(schrift));
    QFontDialog dialog(schrift, Elternfenster());
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont f = dialog.selectedFont();
    TSchrift gewaehlt;
    gewaehlt.Name = AnsiText(f.family());
    gewaehlt.Groesse = f.pointSize() > 0 ? f.pointSize() : start.Groesse;
    gewaehlt.Fett = f.bold();
    gewaehlt.Kursiv = f.italic();
    gewaehlt.Unterstrichen = f.underline();
    return gewaehlt;
  }
};

TDialoge* installiert = nullptr;

}  // namespace

std::optional<TSchrift> TDialoge::SchriftWaehlen(const TSchrift&) { return std::nullopt; }

TDialoge& QtDialoge() {
  static QtBoxen boxen;
  return boxen;
}

TDialoge& Dialoge() { return installiert ? *installiert : QtDialoge(); }

void DialogeInstallieren(TDialoge* dialoge) { installiert = dialoge; }

const std::string& ProgrammTitel() {
  static const std::string titel = "Velkor";
  return titel;
}

void Sicher(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    Hinweis(e.what());
  } catch (...) {
    Hinweis("Unbekannter Fehler!");
  }
}

}  // namespace toolkit::qt
