#include "workspace/FensterHost.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "imageprep/Fensteraufrufe.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/HinweisForm.h"
#include "workspace/UserDialog.h"
#include "workspace/VelkorGrafikUnit.h"

namespace workspace {

TLaufArt LaufArt = TLaufArt::keiner;
bool BeendenAngefordert = false;
THauptfensterAnschluss Hauptfenster;

TLaufSperre::TLaufSperre(TLaufArt art) {
  if (LaufAktiv() || art == TLaufArt::keiner) return;
  erteilt_ = true;
  LaufArt = art;
  FensterHost().TaktNeuBeginnen();  // the run's first call turns the message loop at once
  if (Hauptfenster.LaufGeaendert) Hauptfenster.LaufGeaendert();
}

TLaufSperre::~TLaufSperre() {
  if (!erteilt_) return;
  LaufArt = TLaufArt::keiner;
  FensterHost().Abgleichen();
  if (VelkorGrafikForm) VelkorGrafikForm->LaufBeendet();
  if (Hauptfenster.LaufGeaendert) Hauptfenster.LaufGeaendert();
}

void TFensterHost::notice(const std::string& text) { toolkit::qt::Hinweis(text); }

bool TFensterHost::confirm(const std::string& text) { return toolkit::qt::Frage(text); }

engine::TTaste TFensterHost::confirmWithButtons(const std::string& text, const std::array<std::string, 3>& captions) {
  switch (toolkit::qt::Dialoge().FrageMitTasten(text, {captions[0], captions[1], captions[2]})) {
    case 0: return engine::TTaste::Ja;
    case 1: return engine::TTaste::Nein;
    case 2: return engine::TTaste::Hilfe;
    default: return engine::TTaste::Geschlossen;
  }
}

void TFensterHost::Durchgang() {
  letzterDurchgang_ = std::chrono::steady_clock::now();
  ++durchgaenge_;
  Abgleichen();
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void TFensterHost::processEvents() {
  if (std::chrono::steady_clock::now() - letzterDurchgang_ < Takt) return;
  Durchgang();
}

void TFensterHost::wait(int ms) {
  Abgleichen();
  if (!QCoreApplication::instance() || ms <= 0) return;
  QEventLoop schleife;
  QTimer::singleShot(ms, &schleife, &QEventLoop::quit);
  schleife.exec();
}

bool TFensterHost::waitForEvents() {
  if (BeendenAngefordert || !QCoreApplication::instance()) return false;
  Abgleichen();
  // The timer bounds the wait, so flags set outside the message loop are seen too.
  QTimer wecker;
  wecker.setSingleShot(true);
  wecker.start(50);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ++durchgaenge_;
  letzterDurchgang_ = std::chrono::steady_clock::now();
  return !BeendenAngefordert;
}

void TFensterHost::tone(int, int) { QApplication::beep(); }
void TFensterHost::messageBeep() { QApplication::beep(); }

void TFensterHost::drawMove(bool& GrafikVorhanden, const engine::TPunkt3D& Position, const engine::TPunkt3D& Ziel,
                            engine::TArbeitsmodus Arbeitsmodus, bool WerkzeugUnten, bool Fraeserbahn, double Radius) {
  if (VelkorGrafikForm)
    VelkorGrafikForm->ZeichneBahn(GrafikVorhanden, Position, Ziel, Arbeitsmodus, WerkzeugUnten, Fraeserbahn, Radius);
}
void TFensterHost::showSimulation() {
  if (VelkorGrafikForm) VelkorGrafikForm->Zeigen();
}
void TFensterHost::closeSimulation() {
  if (VelkorGrafikForm) VelkorGrafikForm->Schliessen();
}
void TFensterHost::clearSimulation(bool& GrafikVorhanden) {
  if (VelkorGrafikForm) VelkorGrafikForm->ClearGraphikImage(GrafikVorhanden);
}
void TFensterHost::initSimulation(bool MitAchsen) {
  if (VelkorGrafikForm) VelkorGrafikForm->InitGrafik(MitAchsen);
}
void TFensterHost::drawAxes(engine::TEbene Ebene, const engine::TAchsenkreuz& Achsen) {
  if (VelkorGrafikForm) VelkorGrafikForm->ZeichneAchsen(Ebene, Achsen);
}
void TFensterHost::selectPen(std::uint8_t Zeichenfarbe, int Schreibmodus) {
  if (VelkorGrafikForm) VelkorGrafikForm->StiftWaehlen(Zeichenfarbe, Schreibmodus);
}
void TFensterHost::saveSimulationImage(const std::string& Dateiname) {
  if (VelkorGrafikForm) VelkorGrafikForm->BildSpeichern(Dateiname);
}

void TFensterHost::showBlock(engine::TSatzAnzeige wo, const std::string& block) {
  TFeld& feld = felder_[static_cast<int>(wo)];
  feld.text = block;
  feld.neu = true;
}

void TFensterHost::Abgleichen() {
  for (int i = 0; i < 5; ++i) {
    TFeld& feld = felder_[i];
    if (!feld.neu) continue;
    feld.neu = false;
    const auto wo = static_cast<engine::TSatzAnzeige>(i);
    if (wo == engine::TSatzAnzeige::GrafikQuelle || wo == engine::TSatzAnzeige::GrafikZiel) {
      if (VelkorGrafikForm) VelkorGrafikForm->SatzAnzeigen(wo, feld.text);
    } else if (Hauptfenster.SatzZeigen) {
      Hauptfenster.SatzZeigen(wo, feld.text);
    }
  }
}

bool TFensterHost::chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) {
  if (imageprep::BildausschnittWaehlen) return imageprep::BildausschnittWaehlen(nurGroesse, Bild);
  return EngineHost::chooseImageSection(nurGroesse, Bild);
}

void TFensterHost::loadImage(const std::string& Dateiname, toolkit::TBitmap& Bild) {
  LoadImageFile(Dateiname, Bild);
  if (&Bild != &VelkorWinVAR::QuellImage) return;
  // The main window's picture is shown fitted into its panel, and counted as shown.
  const TEinpassung platz = FitImageToPanel();
  if (Hauptfenster.BildEingepasst) Hauptfenster.BildEingepasst(platz);
}

void TFensterHost::showImageInfo(bool grau) {
  if (imageprep::BildinfoZeigen) imageprep::BildinfoZeigen(grau);
}

engine::TZirkularAntwort TFensterHost::askCircularSense(std::string& richtung) {
  return ZirkularsinnFragen(richtung);
}

void TFensterHost::showProgrammedStop(const std::string& block) {
  Abgleichen();
  if (HinweisForm) HinweisForm->Zeigen(block);
}

void TFensterHost::closeProgrammedStop() {
  if (HinweisForm) HinweisForm->Schliessen();
}

TFensterHost& FensterHost() {
  static TFensterHost host;
  return host;
}

}  // namespace workspace
