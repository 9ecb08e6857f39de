#include "workspace/VelkorGrafikUnit.h"

TVelkorGrafikForm* VelkorGrafikForm = nullptr;

TVelkorGrafikForm::TVelkorGrafikForm(QWidget* parent) : QWidget(parent) { VelkorGrafikForm = this; }
void TVelkorGrafikForm::ZeichneBahn(bool& GrafikVorhanden, const engine::TPunkt3D&, const engine::TPunkt3D&,
                                    engine::TArbeitsmodus, bool, bool, double) {
  GrafikVorhanden = true;
}
void TVelkorGrafikForm::Zeigen() {}
void TVelkorGrafikForm::Schliessen() {}
void TVelkorGrafikForm::ClearGraphikImage(bool& GrafikVorhanden) { GrafikVorhanden = false; }
void TVelkorGrafikForm::InitGrafik(bool) {}
void TVelkorGrafikForm::ZeichneAchsen(engine::TEbene, const engine::TAchsenkreuz&) {}
void TVelkorGrafikForm::StiftWaehlen(std::uint8_t, int) {}
void TVelkorGrafikForm::BildSpeichern(const std::string&) {}
void TVelkorGrafikForm::SatzAnzeigen(engine::TSatzAnzeige, const std::string&) {}
void TVelkorGrafikForm::LaufBeendet() {}
