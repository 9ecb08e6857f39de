#include "workspace/FensterHost.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "imageprep/VelkorBAUnit.h"
#include "imageprep/VelkorBildInfoUnit.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/HinweisForm.h"
#include "workspace/UserDialog.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorWinMain.h"

namespace workspace {

using toolkit::qt::Fenster;

TLaufArt LaufArt = TLaufArt::keiner;
bool BeendenAngefordert = false;

namespace {

// The main window's menus and buttons follow the run guard.
void HauptfensterZustand() {
  if (auto* haupt = Fenster<TVelkorMainForm>()) haupt->ZustandSetzen();
}

}  // namespace

TLaufSperre::TLaufSperre(TLaufArt art) {
  if (LaufAktiv() || art == TLaufArt::keiner) return;
  erteilt_ = true;
  LaufArt = art;
  FensterHost().TaktNeuBeginnen();  // the run's first call turns the message loop at once
  HauptfensterZustand();
}

TLaufSperre::~TLaufSperre() {
  if (!erteilt_) return;
  LaufArt = TLaufArt::keiner;
  FensterHost().Abgleichen();
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->LaufBeendet();
  HauptfensterZustand();
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
  if (auto* grafik = Fenster<TVelkorGrafikForm>())
    grafik->ZeichneBahn(GrafikVorhanden, Position, Ziel, Arbeitsmodus, WerkzeugUnten, Fraeserbahn, Radius);
}
void TFensterHost::showSimulation() {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->Zeigen();
}
void TFensterHost::closeSimulation() {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->Schliessen();
}
void TFensterHost::clearSimulation(bool& GrafikVorhanden) {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->ClearGraphikImage(GrafikVorhanden);
}
void TFensterHost::initSimulation(bool MitAchsen) {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->InitGrafik(MitAchsen);
}
void TFensterHost::drawAxes(engine::TEbene Ebene, const engine::TAchsenkreuz& Achsen) {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->ZeichneAchsen(Ebene, Achsen);
}
void TFensterHost::selectPen(std::uint8_t Zeichenfarbe, int Schreibmodus) {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->StiftWaehlen(Zeichenfarbe, Schreibmodus);
}
void TFensterHost::saveSimulationImage(const std::string& Dateiname) {
  if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->BildSpeichern(Dateiname);
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
      if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->SatzAnzeigen(wo, feld.text);
    } else if (auto* haupt = Fenster<TVelkorMainForm>()) {
      haupt->SatzZeigen(wo, feld.text);
    }
  }
}

bool TFensterHost::chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) {
  if (auto* ausschnitt = Fenster<TVelkorBAForm>()) return ausschnitt->Zeigen(nurGroesse, Bild);
  return EngineHost::chooseImageSection(nurGroesse, Bild);
}

void TFensterHost::loadImage(const std::string& Dateiname, toolkit::TBitmap& Bild) {
  LoadImageFile(Dateiname, Bild);
  if (&Bild != &VelkorWinVAR::QuellImage) return;
  // The main window's picture is shown fitted into its panel, and counted as shown.
  const TEinpassung platz = FitImageToPanel();
  if (auto* haupt = Fenster<TVelkorMainForm>()) haupt->BildEinpassen(platz);
}

void TFensterHost::showImageInfo(bool grau) {
  imageprep::BildinfoZeigen(grau);
}

engine::TZirkularAntwort TFensterHost::askCircularSense(std::string& richtung) {
  return ZirkularsinnFragen(richtung);
}

void TFensterHost::showProgrammedStop(const std::string& block) {
  Abgleichen();
  if (auto* hinweis = Fenster<THinweisForm>()) hinweis->Zeigen(block);
}

void TFensterHost::closeProgrammedStop() {
  if (auto* hinweis = Fenster<THinweisForm>()) hinweis->Schliessen();
}

TFensterHost& FensterHost() {
  static TFensterHost host;
  return host;
}

}  // namespace workspace
