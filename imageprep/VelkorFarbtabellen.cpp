#include "imageprep/VelkorFarbtabellen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "engine/VelkorWinVAR.h"
#include "imageprep/Fensterhilfen.h"
#include "toolkit/qt/EnhancedEdit.h"
#include "toolkit/qt/QtText.h"

namespace imageprep {

using toolkit::qt::QText;
using toolkit::qt::U;

QPoint Zeilenort(int i, int x, int breite) { return {x + (i >= 8 ? breite / 2 : 0), 30 + 30 * (i % 8)}; }

namespace {

QFont Zeilenschrift(int hoehe) {
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setBold(true);
  f.setPixelSize(hoehe);
  return f;
}

struct TArtDaten {
  const char* Titel;
  int Breite, Hoehe;
  const char* Farbname;
  int EingabeX, EingabeBreite;
  int KnopfX;  // from Width div 2
};

TArtDaten Daten(TTabellenArt art) {
  switch (art) {
    case TTabellenArt::Tiefe: return {"VelkorWin - Wahl der Arbeitstiefen", 530, 324, "Farb_Edit", 115, 50, 25};
    case TTabellenArt::Modus: return {"VelkorWin - Wahl der ArbeitsModi", 492, 319, "ehEdit", 110, 75, 25};
    default: return {"VelkorWin -  Farbverfolgung", 439, 342, "FarbEdit", 115, 55, 0};
  }
}

}  // namespace

TFarbtabellenFenster::TFarbtabellenFenster(QWidget* haupt, TTabellenArt art, const char* name)
    : QDialog(haupt), modell_(art) {
  setObjectName(QString::fromLatin1(name));
  const TArtDaten d = Daten(art);
  resize(d.Breite, d.Hoehe);
  for (int i = 0; i < 16; ++i) ZeileBauen(i);
  // Below the last row (the lists of the mode window reach down to row 8's 20 pixels).
  const int w = d.Breite;
  const int knopfY = std::max(d.Hoehe - 60, Zeilenort(7, 0, w).y() + 30);
  uebernehmen_ = Knopf(this, "UebernehmenButton", "Übernehmen", {w / 2 + d.KnopfX, knopfY, 100, 20});
  schliessen_ = Knopf(this, "SchliessenButton", "Schließen", {w / 2 + d.KnopfX + 110, knopfY, 100, 20});
  Verbinden(uebernehmen_, &QPushButton::clicked, this, &TFarbtabellenFenster::Uebernehmen);
  Verbinden(schliessen_, &QPushButton::clicked, this, &TFarbtabellenFenster::Schliessen);
}

// Row i: its caption, its colour field and its entry (a depth edit or a list of choices).
void TFarbtabellenFenster::ZeileBauen(int i) {
  const TArtDaten d = Daten(modell_.Art());
  const int w = d.Breite;
  const auto n = std::to_string(i + 1);
  // Wide enough for "Farbe 15" in the row font; the colour field follows at 90.
  auto* label = Beschriftung(this, ("Farbe " + std::to_string(i)).c_str(), QRect(Zeilenort(i, 25, w), QSize(63, 15)),
                             ("Label" + n).c_str());
  label->setFont(Zeilenschrift(12));
  auto* farbe = Feld(this, (d.Farbname + n).c_str(), QRect(Zeilenort(i, 90, w), QSize(15, 15)), NurLesen | OhneFokus);
  farbe->setEnabled(false);
  farben_[static_cast<std::size_t>(i)] = farbe;
  const QRect ort(Zeilenort(i, d.EingabeX, w), QSize(d.EingabeBreite, modell_.Art() == TTabellenArt::Tiefe ? 15 : 20));
  if (modell_.Art() == TTabellenArt::Tiefe) {
    auto* e = Feld(this, ("FarbTiefenEdit" + n).c_str(), ort);
    e->setFont(Zeilenschrift(12));
    Verbinden(e, &QLineEdit::editingFinished, this, [this, i, e] {
      if (!e->isModified()) return;
      if (const auto text = modell_.TiefeVerlassen(i, toolkit::qt::AnsiText(e->text()))) {
        e->setText(QText(*text));
        e->setModified(false);
      } else {
        e->setFocus();
      }
      uebernehmen_->setEnabled(modell_.Geaendert());
    });
    tiefen_[static_cast<std::size_t>(i)] = e;
    return;
  }
  auto* l = new QComboBox(this);
  l->setObjectName(QString::fromStdString("ComboBox" + n));
  l->setGeometry(ort);
  l->setFont(Zeilenschrift(modell_.Art() == TTabellenArt::Verfolgen ? 11 : 12));
  for (const auto& eintrag : modell_.Eintraege()) l->addItem(QText(eintrag));
  Verbinden(l, &QComboBox::activated, this, [this, i](int eintrag) {
    modell_.Gewaehlt(i, eintrag);
    uebernehmen_->setEnabled(modell_.Geaendert());
  });
  listen_[static_cast<std::size_t>(i)] = l;
}

void TabellenfensterZeigen(TTabellenArt art) {
  switch (art) {
    case TTabellenArt::Tiefe: toolkit::qt::FensterZeigen<TVelkorTiefenform>(); break;
    case TTabellenArt::Modus: toolkit::qt::FensterZeigen<TVelkorModusForm>(); break;
    case TTabellenArt::Verfolgen: toolkit::qt::FensterZeigen<TVelkorF_verfolgForm>(); break;
  }
}

void TFarbtabellenFenster::Zeigen() {
  Sicher([&] {
    setWindowTitle(U(Daten(modell_.Art()).Titel));
    modell_.Vorbereiten();
    for (int i = 0; i < 16; ++i) {
      const auto k = static_cast<std::size_t>(i);
      Farbfeld(farben_[k], Zeilenfarbe(i));
      if (tiefen_[k]) {
        tiefen_[k]->setText(QText(modell_.TiefenText(i)));
        tiefen_[k]->setModified(false);
      } else {
        listen_[k]->setCurrentIndex(modell_.Eintrag(i));
      }
    }
    uebernehmen_->setEnabled(false);
    schliessen_->setEnabled(true);
  });
  exec();
}

void TFarbtabellenFenster::Uebernehmen() {
  std::array<std::string, 16> werte;
  for (std::size_t i = 0; i < 16; ++i)
    werte[i] = tiefen_[i] ? toolkit::qt::AnsiText(tiefen_[i]->text()) : std::to_string(listen_[i]->currentIndex());
  const int fehler = modell_.Uebernehmen(werte);
  if (fehler >= 0) {
    const auto k = static_cast<std::size_t>(fehler);
    if (tiefen_[k]) tiefen_[k]->setFocus();
    else listen_[k]->setFocus();
  }
  uebernehmen_->setEnabled(modell_.Geaendert());
}

void TFarbtabellenFenster::Schliessen() {
  modell_.Schliessen();
  uebernehmen_->setEnabled(false);
  QDialog::accept();
}

// Esc: the depth and mode windows close through "Schließen"; the contour window's close
// box hides it without a question and without restoring.
void TFarbtabellenFenster::reject() {
  if (modell_.Art() == TTabellenArt::Verfolgen) return QDialog::reject();
  Sicher([&] { Schliessen(); });
}

}  // namespace imageprep

using namespace imageprep;

TVelkorAusschneidForm::TVelkorAusschneidForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorAusschneidForm");
  const int w = 329;
  resize(w, 306);
  for (int i = 0; i < 16; ++i) {
    const auto n = std::to_string(i + 1);
    Beschriftung(this, ("Farbe " + std::to_string(i)).c_str(), QRect(Zeilenort(i, 25, w), QSize(55, 15)));
    // The numeric edit, read-only, as the row's colour field.
    auto* farbe = new TEnhancedEdit(this);
    farbe->setObjectName(QString::fromStdString("ehEdit" + n));
    farbe->setGeometry(QRect(Zeilenort(i, 90, w), QSize(15, 15)));
    farbe->setReadOnly(true);
    farbe->setFocusPolicy(Qt::NoFocus);
    farben_[static_cast<std::size_t>(i)] = farbe;
    auto* box = Kasten(this, ("AusschneidCheckBox" + n).c_str(), "", QRect(Zeilenort(i, 115, w), QSize(15, 15)));
    boxen_[static_cast<std::size_t>(i)] = box;
    // Changes count when toggled, so a click straight on "Übernehmen" is never lost.
    Verbinden(box, &QCheckBox::toggled, this, [this, i](bool an) {
      modell_.Umgeschaltet(i, an);
      uebernehmen_->setEnabled(modell_.Geaendert());
    });
  }
  uebernehmen_ = Knopf(this, "UebernehmenButton", "Übernehmen", {40, 306 - 40, 100, 20});
  auto* schliessen = Knopf(this, "SchliessenButton", "Schließen", {180, 306 - 40, 100, 20});
  Verbinden(uebernehmen_, &QPushButton::clicked, this, [this] {
    std::array<bool, 16> werte{};
    for (std::size_t i = 0; i < 16; ++i) werte[i] = boxen_[i]->isChecked();
    modell_.Uebernehmen(werte);
    uebernehmen_->setEnabled(false);
  });
  connect(schliessen, &QPushButton::clicked, this, [this] { reject(); });
}

void TVelkorAusschneidForm::Zeigen() {
  Sicher([&] {
    setWindowTitle(U("Velkor Ausschneidfarben wählen"));
    modell_.Vorbereiten();
    for (int i = 0; i < 16; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const QSignalBlocker sperre(boxen_[k]);
      boxen_[k]->setChecked(VelkorWinVAR::KonfigBlock.Ausschneidfarben[k]);
      Farbfeld(farben_[k], Zeilenfarbe(i));
    }
    uebernehmen_->setEnabled(false);
  });
  exec();
}

void TVelkorAusschneidForm::reject() {
  Sicher([&] { modell_.Schliessen(); });
  QDialog::reject();
}
