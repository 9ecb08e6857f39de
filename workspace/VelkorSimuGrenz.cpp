#include "workspace/VelkorSimuGrenz.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtText.h"

using namespace VelkorWinVAR;
namespace R = workspace::Einstellregeln;
using toolkit::qt::Kasten;

TVelkorSimuGrenzForm::TVelkorSimuGrenzForm(QWidget* parent)
    : TEinstellDialog(parent, "TVelkorSimuGrenzForm", "Velkor-Wahl der Simulationsgrenzen") {
  MittigAufDemBildschirm();
  static const char* const namen[9] = {"xminEdit", "yminEdit", "zminEdit", "xmaxEdit", "ymaxEdit",
                                       "zmaxEdit", "WeitexEdit", "WeiteyEdit", "WeitezEdit"};
  static const char* const labels[9] = {"xmin [mm] =", "ymin [mm] =", "zmin [mm] =",
                                        "xmax [mm] =", "ymax [mm] =", "zmax [mm] =",
                                        "x-Achse [mm] =", "y-Achse [mm] =", "z-Achse [mm] ="};
  static const char* const gruppen[3] = {"untere Simulationsgrenzen", "obere Simulationsgrenzen", "Skaleneinheiten"};
  auto* panels = new QHBoxLayout;
  for (int g = 0; g < 3; ++g) {
    auto* box = toolkit::qt::Gruppe(this, nullptr, gruppen[g]);
    auto* form = new QFormLayout(box);
    for (int i = 3 * g; i < 3 * g + 3; ++i) {
      edits_[i] = Edit(form, namen[i], labels[i]);
      BeimVerlassen(edits_[i], [this, i] { EditExit(i); });
      KlickWaehltAlles(edits_[i]);
    }
    panels->addWidget(box);
  }
  AutografikbereichCheckBox = Kasten(this, "AutografikbereichCheckBox", "Grafikbereich automatisch einstellen");
  auto* knoepfe = Knopfzeile("BeendenButton", "Schließen", AutografikbereichCheckBox);
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(panels);
  haupt->addLayout(knoepfe);
  toolkit::qt::Verbinden(AutografikbereichCheckBox, &QCheckBox::clicked, this,
                         &TVelkorSimuGrenzForm::AutografikbereichCheckboxClick);
}

double& TVelkorSimuGrenzForm::Wert(int i) {
  TKonfigBlock& k = KonfigBlock;
  switch (i) {
    case 0: return k.SimuGrenzeMin.X;
    case 1: return k.SimuGrenzeMin.Y;
    case 2: return k.SimuGrenzeMin.Z;
    case 3: return k.SimuGrenzeMax.X;
    case 4: return k.SimuGrenzeMax.Y;
    case 5: return k.SimuGrenzeMax.Z;
    case 6: return k.SkaleneinheitX;
    case 7: return k.SkaleneinheitY;
    default: return k.SkaleneinheitZ;
  }
}

void TVelkorSimuGrenzForm::AlteWerteMerken() {
  for (int i = 0; i < 9; ++i) alt_[i] = Wert(i);
  altAutomatisch_ = GrafikbereichAutomatisch;
}

void TVelkorSimuGrenzForm::Anzeigen() {
  for (int i = 0; i < 9; ++i) {
    Zeigen(edits_[i], R::ZahlText(Wert(i)));
    edits_[i]->setReadOnly(GrafikbereichAutomatisch);
  }
  AutografikbereichCheckBox->setChecked(GrafikbereichAutomatisch);
}

void TVelkorSimuGrenzForm::AlteWerteZurueck() {
  for (int i = 0; i < 9; ++i) Wert(i) = alt_[i];
  GrafikbereichAutomatisch = altAutomatisch_;
}

void TVelkorSimuGrenzForm::EditExit(int i) {
  QLineEdit* edit = edits_[i];
  const std::string alterText = R::ZahlText(Wert(i));
  auto e = i >= 6 ? R::Skaleneinheit(Text(edit)) : R::Zahl(Text(edit));
  // A limit equal to its counterpart leaves the simulation window no extent on that axis.
  if (e.Wert && i < 6 && *e.Wert == Wert(i < 3 ? i + 3 : i - 3))
    e = {std::nullopt, toolkit::Ansi("Die untere und die obere Simulationsgrenze dürfen nicht gleich sein!")};
  if (Uebernehmen(edit, e, alterText, [&](double w) {
        Wert(i) = w;
        Markieren(w != alt_[i]);
      }))
    Zeigen(edit, R::ZahlText(Wert(i)));
}

void TVelkorSimuGrenzForm::AutografikbereichCheckboxClick() {
  GrafikbereichAutomatisch = AutografikbereichCheckBox->isChecked();
  for (auto* e : edits_) e->setReadOnly(GrafikbereichAutomatisch);
  Markieren(GrafikbereichAutomatisch != altAutomatisch_);
}

void TVelkorSimuGrenzForm::Schliessen() {
  if (Geaendert() && toolkit::qt::Dialoge().FrageMitTasten(toolkit::Ansi("Geänderte Werte speichern?"), {"Ja", "Nein"}) == 1)
    AlteWerteZurueck();
  Zu();
}
