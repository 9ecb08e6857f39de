#include "workspace/VelkorStellen.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/VelkorWinVAR.h"

using VelkorWinVAR::KonfigBlock;
namespace R = workspace::Einstellregeln;

TVelkorStellenForm::TVelkorStellenForm(QWidget* parent)
    : TEinstellDialog(parent, "TVelkorStellenForm", "Velkor - Stelleneingabe") {
  auto* form = new QFormLayout;
  Ges_St_Edit = Edit(form, "Ges_St_Edit", "Gesamtstellen = ");
  Nk_St_Edit = Edit(form, "Nk_St_Edit", "Nachkommastellen = ");
  auto* knoepfe = Knopfzeile("AbbruchButton", "Abbrechen");
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(form);
  haupt->addLayout(knoepfe);
  BeimVerlassen(Ges_St_Edit, [this] { Ges_St_EditExit(); });
  BeimVerlassen(Nk_St_Edit, [this] { Nk_St_EditExit(); });
}

void TVelkorStellenForm::AlteWerteMerken() {
  altGesamt_ = KonfigBlock.Gesamtstellen;
  altNachkomma_ = KonfigBlock.Nachkommastellen;
}

void TVelkorStellenForm::Anzeigen() {
  Zeigen(Ges_St_Edit, std::to_string(KonfigBlock.Gesamtstellen));
  Zeigen(Nk_St_Edit, std::to_string(KonfigBlock.Nachkommastellen));
}

void TVelkorStellenForm::AlteWerteZurueck() {
  KonfigBlock.Gesamtstellen = altGesamt_;
  KonfigBlock.Nachkommastellen = altNachkomma_;
}

void TVelkorStellenForm::Stellen(QLineEdit* edit, std::uint8_t& feld, std::uint8_t alt) {
  Uebernehmen(edit, R::Stellenzahl(Text(edit)), std::to_string(feld), [&](std::uint8_t w) {
    feld = w;
    Markieren(w != alt);
  });
}

void TVelkorStellenForm::Ges_St_EditExit() { Stellen(Ges_St_Edit, KonfigBlock.Gesamtstellen, altGesamt_); }
void TVelkorStellenForm::Nk_St_EditExit() { Stellen(Nk_St_Edit, KonfigBlock.Nachkommastellen, altNachkomma_); }
