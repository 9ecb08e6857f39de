#include "workspace/VelkorGrundeinstell.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/FensterHost.h"

using namespace VelkorWinVAR;
namespace R = workspace::Einstellregeln;
using imageprep::TTabellenArt;
using toolkit::qt::Verbinden;

TVelkorGrundeinstellForm::TVelkorGrundeinstellForm(QWidget* parent)
    : TEinstellDialog(parent, "TVelkorGrundeinstellForm", "VelkorWin-Grundeinstellung") {
  auto* form = new QFormLayout;
  SteuerungsEdit = Edit(form, "SteuerungsEdit", "Steuerungsbezeichnung = ");
  QuellExtEdit = Edit(form, "QuellExtEdit", "Namenserweiterung der Quelldatei = ");
  ZielExtEdit = Edit(form, "ZielExtEdit", "Namenserweiterung der Zieldatei = ");
  TextzyklusEdit = Edit(form, "TextzyklusEdit", "Textzyklus Nr. = ");
  GrafikzyklusEdit = Edit(form, "GrafikzyklusEdit", "Grafikzyklus Nr. = ");
  InkrementEdit = Edit(form, "InkrementEdit", "SatznummernInkrement = ");
  SatznummerCheckBox = toolkit::qt::Kasten(this, "SatznummerCheckBox", "Zieldatei mit Satznummern");
  LeerschrittCheckBox = toolkit::qt::Kasten(this, "LeerschrittCheckBox", "Leerschritte zwischen Adressen");
  GeometrieadrCheckBox = toolkit::qt::Kasten(this, "GeometrieadrCheckBox", "vollständige Geometrieadressen im Satz");
  direkt_speichernCheckBox = toolkit::qt::Kasten(this, "direkt_speichernCheckBox", "Zieldatei direkt auf HD speichern");
  for (auto* b : {SatznummerCheckBox, LeerschrittCheckBox, GeometrieadrCheckBox, direkt_speichernCheckBox})
    form->addRow(b);

  auto* gruppe = Farbfenster("max. 16 Farben", {TTabellenArt::Modus, TTabellenArt::Tiefe, TTabellenArt::Verfolgen});

  auto* knoepfe = Knopfzeile("AbbruchButton", "Schließen");
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(form);
  haupt->addWidget(gruppe);
  haupt->addLayout(knoepfe);

  BeimVerlassen(SteuerungsEdit, [this] { SteuerungsEditExit(); });
  BeimVerlassen(QuellExtEdit, [this] { QuellExtEditExit(); });
  BeimVerlassen(ZielExtEdit, [this] { ZielExtEditExit(); });
  BeimVerlassen(TextzyklusEdit, [this] { TextzyklusEditExit(); });
  BeimVerlassen(GrafikzyklusEdit, [this] { GrafikzyklusEditExit(); });
  Kasten(SatznummerCheckBox, &TKonfigBlock::MitSatznummern, false);
  Kasten(LeerschrittCheckBox, &TKonfigBlock::LeerschritteZwischenAdressen, false);
  Kasten(GeometrieadrCheckBox, &TKonfigBlock::NurGeaenderteAdressen, true);
  Verbinden(direkt_speichernCheckBox, &QCheckBox::toggled, this, &TVelkorGrundeinstellForm::direkt_speichernCheckboxClick);
}

void TVelkorGrundeinstellForm::Kasten(QCheckBox* box, bool TKonfigBlock::*feld, bool umgekehrt) {
  Verbinden(box, &QCheckBox::toggled, this, [this, feld, umgekehrt](bool an) {
    if (anzeigen_) return;
    KonfigBlock.*feld = an != umgekehrt;
    Markieren(KonfigBlock.*feld != alt_.*feld);
  });
}

void TVelkorGrundeinstellForm::AlteWerteMerken() { alt_ = KonfigBlock; }

void TVelkorGrundeinstellForm::Anzeigen() {
  anzeigen_ = true;
  const TKonfigBlock& k = KonfigBlock;
  Zeigen(SteuerungsEdit, k.Steuerungsbezeichnung);
  Zeigen(QuellExtEdit, k.QuellExt);
  Zeigen(ZielExtEdit, k.ZielExt);
  Zeigen(TextzyklusEdit, std::to_string(k.TextzyklusNummer));
  Zeigen(GrafikzyklusEdit, std::to_string(k.GrafikzyklusNummer));
  Zeigen(InkrementEdit, std::to_string(k.SatznummernInkrement));
  SatznummerCheckBox->setChecked(k.MitSatznummern);
  LeerschrittCheckBox->setChecked(k.LeerschritteZwischenAdressen);
  GeometrieadrCheckBox->setChecked(!k.NurGeaenderteAdressen);
  direkt_speichernCheckBox->setChecked(k.DirektSpeichern);
  // The output of a running conversion is not switched between file and buffer under it.
  direkt_speichernCheckBox->setEnabled(!workspace::LaufAktiv());
  anzeigen_ = false;
}

void TVelkorGrundeinstellForm::AlteWerteZurueck() {
  TKonfigBlock& k = KonfigBlock;
  k.Steuerungsbezeichnung = alt_.Steuerungsbezeichnung;
  k.QuellExt = alt_.QuellExt;
  k.ZielExt = alt_.ZielExt;
  k.TextzyklusNummer = alt_.TextzyklusNummer;
  k.GrafikzyklusNummer = alt_.GrafikzyklusNummer;
  k.MitSatznummern = alt_.MitSatznummern;
  k.LeerschritteZwischenAdressen = alt_.LeerschritteZwischenAdressen;
  k.NurGeaenderteAdressen = alt_.NurGeaenderteAdressen;
  k.DirektSpeichern = alt_.DirektSpeichern;
}

namespace {
std::string Gezeigt(const std::string& s) { return s; }
std::string Gezeigt(std::uint16_t n) { return std::to_string(n); }
}  // namespace

template <typename T>
void TVelkorGrundeinstellForm::Eintrag(QLineEdit* edit, const R::TEingabe<T>& e, T TKonfigBlock::*feld) {
  Uebernehmen(edit, e, Gezeigt(KonfigBlock.*feld), [&](const T& w) {
    KonfigBlock.*feld = w;
    Markieren(w != alt_.*feld);
  });
}

void TVelkorGrundeinstellForm::SteuerungsEditExit() {
  Eintrag(SteuerungsEdit, R::Steuerungsname(Text(SteuerungsEdit)), &TKonfigBlock::Steuerungsbezeichnung);
}
void TVelkorGrundeinstellForm::QuellExtEditExit() {
  Eintrag(QuellExtEdit, R::Namenserweiterung(Text(QuellExtEdit)), &TKonfigBlock::QuellExt);
}
void TVelkorGrundeinstellForm::ZielExtEditExit() {
  Eintrag(ZielExtEdit, R::Namenserweiterung(Text(ZielExtEdit)), &TKonfigBlock::ZielExt);
}
void TVelkorGrundeinstellForm::TextzyklusEditExit() {
  Eintrag(TextzyklusEdit, R::Zyklusnummer(Text(TextzyklusEdit)), &TKonfigBlock::TextzyklusNummer);
}
void TVelkorGrundeinstellForm::GrafikzyklusEditExit() {
  Eintrag(GrafikzyklusEdit, R::Zyklusnummer(Text(GrafikzyklusEdit)), &TKonfigBlock::GrafikzyklusNummer);
}

void TVelkorGrundeinstellForm::direkt_speichernCheckboxClick() {
  if (anzeigen_) return;
  const bool an = direkt_speichernCheckBox->isChecked();
  if (an && !KonfigBlock.DirektSpeichern && !VelkorWinFileUtils::NcSatzPuffer.empty()) {
    // Direct lines would go past the buffered ones: the switch waits until they are saved.
    if (!VelkorWinFileUtils::NcPufferSichern()) {
      const QSignalBlocker still(direkt_speichernCheckBox);
      direkt_speichernCheckBox->setChecked(false);
      return;
    }
    engine::Host().showBlock(engine::TSatzAnzeige::HauptQuelle, "");
    engine::Host().showBlock(engine::TSatzAnzeige::HauptZiel, "");
  }
  KonfigBlock.DirektSpeichern = an;
  Markieren(an != alt_.DirektSpeichern);
}
