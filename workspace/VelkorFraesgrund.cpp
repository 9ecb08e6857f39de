#include "workspace/VelkorFraesgrund.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/VelkorWinMOVE.h"
#include "toolkit/qt/QtText.h"

using namespace VelkorWinVAR;
namespace R = workspace::Einstellregeln;
using imageprep::TTabellenArt;
using toolkit::qt::Gruppe;
using toolkit::qt::U;
using toolkit::qt::Verbinden;

TVelkorFraesgrundForm::TVelkorFraesgrundForm(QWidget* parent)
    : TEinstellDialog(parent, "TVelkorFraesgrundForm", "VelkorWin - Fräsgrundeinstellungen") {
  auto* form = new QFormLayout;
  AnlaufEdit = Edit(form, "AnlaufEdit", "Anlauflängenfaktor = ");
  UeberlaufEdit = Edit(form, "UeberlaufEdit", "Überlauflängenfaktor = ");
  BohrzyklusEdit = Edit(form, "BohrzyklusEdit", "Adresse für Bohrzyklus  G ");
  ZyklusendeEdit = Edit(form, "ZyklusendeEdit", "Adresse für Zyklusende = ");
  S_AbsEdit = Edit(form, "S_AbsEdit", "NC-Wort für Sicherheitsabstand = ");
  B_TiefenEdit = Edit(form, "B_TiefenEdit", "Adrersse für Bohrtiefe = ");
  StichelCheckBox = toolkit::qt::Kasten(this, "StichelCheckBox", "Sticheln in Zyklus wandeln");
  GraubildCheckBox = toolkit::qt::Kasten(this, "GraubildCheckBox", "Alle Bilder als Graubilder wandeln");
  form->addRow(StichelCheckBox);
  form->addRow(GraubildCheckBox);

  auto* grau = Gruppe(this, nullptr, "über 16 Farben");
  auto* grauForm = new QFormLayout(grau);
  WeissTiefeEdit = Edit(grauForm, "WeissTiefeEdit", "Frästiefe hell = ");
  SchwarztiefeEdit = Edit(grauForm, "SchwarztiefeEdit", "Frästiefe dunkel = ");

  auto* bahn = Gruppe(this, nullptr, "Fräserbahnverlauf");
  auto* bahnLayout = new QVBoxLayout(bahn);
  FraesbahnComboBox = new QComboBox(this);
  FraesbahnComboBox->setObjectName("FraesbahnComboBox");
  for (const char* t : {"zeilenweise", "spaltenweise", "zeilenweise bidirektional", "spaltenweise bidirektional",
                        "zirkular cw nach innen", "zirkular ccw nach innen", "zirkular cw nach außen",
                        "zirkular ccw nach außen"})
    FraesbahnComboBox->addItem(U(t));
  ScharfKantenCheckBox = toolkit::qt::Kasten(this, "ScharfKantenCheckBox", "Farbwechsel scharfkantig");
  bahnLayout->addWidget(FraesbahnComboBox);
  bahnLayout->addWidget(ScharfKantenCheckBox);

  auto* verfolgen = Gruppe(this, nullptr, "Farbe verfolgen");
  auto* verfolgenLayout = new QVBoxLayout(verfolgen);
  Linienanfang_CheckBox = toolkit::qt::Kasten(this, "Linienanfang_CheckBox", "Linienanfang suchen");
  Umlaufsinn_ComboBox = new QComboBox(this);
  Umlaufsinn_ComboBox->setObjectName("Umlaufsinn_ComboBox");
  Umlaufsinn_ComboBox->addItems({U("Umlaufsinn links"), U("Umlaufsinn rechts")});
  VerfolgComboBox = new QComboBox(this);
  VerfolgComboBox->setObjectName("VerfolgComboBox");
  VerfolgComboBox->addItems({U("Farbe"), U("Helligkeit")});
  for (QWidget* w : std::initializer_list<QWidget*>{Linienanfang_CheckBox, Umlaufsinn_ComboBox, VerfolgComboBox})
    verfolgenLayout->addWidget(w);

  auto* fenster = Farbfenster("max.16 Farben", {TTabellenArt::Tiefe, TTabellenArt::Modus, TTabellenArt::Verfolgen},
                              [] { VelkorWinMOVE::BildFarbenZaehlen(QuellImage); });

  auto* knoepfe = Knopfzeile("AbbruchButton", "Schließen");
  auto* rechts = new QVBoxLayout;
  for (auto* g : {grau, bahn, verfolgen, fenster}) rechts->addWidget(g);
  auto* oben = new QHBoxLayout;
  oben->addLayout(form);
  oben->addLayout(rechts);
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(oben);
  haupt->addLayout(knoepfe);

  BeimVerlassen(AnlaufEdit, [this] { AnlaufEditExit(); });
  BeimVerlassen(UeberlaufEdit, [this] { UeberlaufEditExit(); });
  BeimVerlassen(BohrzyklusEdit, [this] { BohrZyklusEditExit(); });
  BeimVerlassen(ZyklusendeEdit, [this] { ZyklusEndeEditExit(); });
  BeimVerlassen(S_AbsEdit, [this] { S_AbsEditExit(); });
  BeimVerlassen(B_TiefenEdit, [this] { B_TiefenEditExit(); });
  BeimVerlassen(WeissTiefeEdit, [this] { WeissTiefeEditExit(); });
  BeimVerlassen(SchwarztiefeEdit, [this] { SchwarzTiefeEditExit(); });
  Kasten(StichelCheckBox, KonfigBlock.Sticheln_im_Zyklus, alt_.Sticheln_im_Zyklus);
  Kasten(GraubildCheckBox, KonfigBlock.Graubildwandlung, alt_.Graubildwandlung);
  Kasten(ScharfKantenCheckBox, KonturKantigFraesen, altKantig_);
  Kasten(Linienanfang_CheckBox, KonfigBlock.LinienanfangSuchen, alt_.LinienanfangSuchen);
  Verbinden(Umlaufsinn_ComboBox, &QComboBox::currentIndexChanged, this, &TVelkorFraesgrundForm::Umlaufsinn_ComboBoxChange);
  Verbinden(VerfolgComboBox, &QComboBox::currentIndexChanged, this, &TVelkorFraesgrundForm::verfolgComboBoxChange);
  Verbinden(FraesbahnComboBox, &QComboBox::currentIndexChanged, this, &TVelkorFraesgrundForm::FraesbahnComboBoxChange);
}

void TVelkorFraesgrundForm::Kasten(QCheckBox* box, bool& feld, const bool& alt) {
  Verbinden(box, &QCheckBox::toggled, this, [this, &feld, &alt](bool an) {
    if (anzeigen_) return;
    feld = an;
    Markieren(an != alt);
  });
}

void TVelkorFraesgrundForm::AlteWerteMerken() {
  alt_ = KonfigBlock;
  altKantig_ = KonturKantigFraesen;
  altHelligkeit_ = VelkorWinMOVE::HelligkeitVerfolgen;
  altZirkularrichtung_ = Zirkularrichtung;
}

void TVelkorFraesgrundForm::Anzeigen() {
  anzeigen_ = true;
  const TKonfigBlock& k = KonfigBlock;
  Zeigen(AnlaufEdit, R::ZahlText(k.Anlauffaktor));
  Zeigen(UeberlaufEdit, R::ZahlText(k.Ueberlauffaktor));
  Zeigen(BohrzyklusEdit, std::to_string(k.BohrzyklusNummer));
  Zeigen(ZyklusendeEdit, k.ZyklusendeWort);
  Zeigen(S_AbsEdit, k.SicherheitsabstandWort);
  Zeigen(B_TiefenEdit, k.BohrtiefeWort);
  Zeigen(WeissTiefeEdit, R::ZahlText(k.GrauFraestiefe_hell));
  Zeigen(SchwarztiefeEdit, R::ZahlText(k.GrauFraestiefe_dunkel));
  StichelCheckBox->setChecked(k.Sticheln_im_Zyklus);
  GraubildCheckBox->setChecked(k.Graubildwandlung);
  ScharfKantenCheckBox->setChecked(KonturKantigFraesen);
  Linienanfang_CheckBox->setChecked(k.LinienanfangSuchen);
  Umlaufsinn_ComboBox->setCurrentIndex(k.Umlaufsinn ? 1 : 0);
  VerfolgComboBox->setCurrentIndex(VelkorWinMOVE::HelligkeitVerfolgen ? 1 : 0);
  FraesbahnComboBox->setCurrentIndex(R::FraesbahnIndex(k, Zirkularrichtung));
  anzeigen_ = false;
}

void TVelkorFraesgrundForm::AlteWerteZurueck() {
  TKonfigBlock& k = KonfigBlock;
  k.Anlauffaktor = alt_.Anlauffaktor;
  k.Ueberlauffaktor = alt_.Ueberlauffaktor;
  k.BohrzyklusNummer = alt_.BohrzyklusNummer;
  k.ZyklusendeWort = alt_.ZyklusendeWort;
  k.SicherheitsabstandWort = alt_.SicherheitsabstandWort;
  k.BohrtiefeWort = alt_.BohrtiefeWort;
  k.Sticheln_im_Zyklus = alt_.Sticheln_im_Zyklus;
  k.Graubildwandlung = alt_.Graubildwandlung;
  k.GrauFraestiefe_hell = alt_.GrauFraestiefe_hell;
  k.GrauFraestiefe_dunkel = alt_.GrauFraestiefe_dunkel;
  k.LinienanfangSuchen = alt_.LinienanfangSuchen;
  k.Umlaufsinn = alt_.Umlaufsinn;
  k.Fraesrichtung = alt_.Fraesrichtung;
  k.bidirektional_bearbeiten = alt_.bidirektional_bearbeiten;
  k.Zirkularsinn = alt_.Zirkularsinn;
  KonturKantigFraesen = altKantig_;
  VelkorWinMOVE::HelligkeitVerfolgen = altHelligkeit_;
  Zirkularrichtung = altZirkularrichtung_;
}

void TVelkorFraesgrundForm::Reell(QLineEdit* edit, double TKonfigBlock::*feld, R::TEingabe<double> e) {
  if (Uebernehmen(edit, e, R::ZahlText(KonfigBlock.*feld), [&](double w) {
        KonfigBlock.*feld = w;
        Markieren(w != alt_.*feld);
      }))
    Zeigen(edit, R::ZahlText(KonfigBlock.*feld));
}

void TVelkorFraesgrundForm::Kurzwort(QLineEdit* edit, std::string TKonfigBlock::*feld) {
  const std::string w = Text(edit).substr(0, KurzwortKapazitaet);
  KonfigBlock.*feld = w;
  Markieren(w != alt_.*feld);
  Zeigen(edit, w);
}

void TVelkorFraesgrundForm::AnlaufEditExit() {
  Reell(AnlaufEdit, &TKonfigBlock::Anlauffaktor, R::Faktor(Text(AnlaufEdit), false));
}
void TVelkorFraesgrundForm::UeberlaufEditExit() {
  Reell(UeberlaufEdit, &TKonfigBlock::Ueberlauffaktor, R::Faktor(Text(UeberlaufEdit), true));
}
void TVelkorFraesgrundForm::WeissTiefeEditExit() {
  Reell(WeissTiefeEdit, &TKonfigBlock::GrauFraestiefe_hell, R::Zahl(Text(WeissTiefeEdit)));
}
void TVelkorFraesgrundForm::SchwarzTiefeEditExit() {
  Reell(SchwarztiefeEdit, &TKonfigBlock::GrauFraestiefe_dunkel, R::Zahl(Text(SchwarztiefeEdit)));
}

void TVelkorFraesgrundForm::BohrZyklusEditExit() {
  Uebernehmen(BohrzyklusEdit, R::Zyklusnummer(Text(BohrzyklusEdit)), std::to_string(KonfigBlock.BohrzyklusNummer),
              [this](std::uint16_t w) {
                KonfigBlock.BohrzyklusNummer = w;
                Markieren(w != alt_.BohrzyklusNummer);
              });
}

void TVelkorFraesgrundForm::ZyklusEndeEditExit() {
  if (Uebernehmen(ZyklusendeEdit, R::Zyklusendewort(Text(ZyklusendeEdit)), KonfigBlock.ZyklusendeWort,
                  [this](const std::string& w) {
                    KonfigBlock.ZyklusendeWort = w;
                    Markieren(w != alt_.ZyklusendeWort);
                  }))
    Zeigen(ZyklusendeEdit, KonfigBlock.ZyklusendeWort);
}

void TVelkorFraesgrundForm::S_AbsEditExit() { Kurzwort(S_AbsEdit, &TKonfigBlock::SicherheitsabstandWort); }
void TVelkorFraesgrundForm::B_TiefenEditExit() { Kurzwort(B_TiefenEdit, &TKonfigBlock::BohrtiefeWort); }

void TVelkorFraesgrundForm::Umlaufsinn_ComboBoxChange() {
  if (anzeigen_ || Umlaufsinn_ComboBox->currentIndex() < 0) return;
  KonfigBlock.Umlaufsinn = static_cast<std::uint8_t>(Umlaufsinn_ComboBox->currentIndex());
  Markieren(KonfigBlock.Umlaufsinn != alt_.Umlaufsinn);
}

void TVelkorFraesgrundForm::verfolgComboBoxChange() {
  if (anzeigen_ || VerfolgComboBox->currentIndex() < 0) return;
  VelkorWinMOVE::HelligkeitVerfolgen = static_cast<std::uint8_t>(VerfolgComboBox->currentIndex());
  Markieren(VelkorWinMOVE::HelligkeitVerfolgen != altHelligkeit_);
}

void TVelkorFraesgrundForm::FraesbahnComboBoxChange() {
  if (anzeigen_) return;
  R::FraesbahnSetzen(FraesbahnComboBox->currentIndex(), KonfigBlock, Zirkularrichtung);
  const TKonfigBlock& k = KonfigBlock;
  Markieren(k.Fraesrichtung != alt_.Fraesrichtung || k.bidirektional_bearbeiten != alt_.bidirektional_bearbeiten ||
            k.Zirkularsinn != alt_.Zirkularsinn || Zirkularrichtung != altZirkularrichtung_);
}
