#pragma once
// The simulation window: shows every move of a running conversion in the working plane,
// the source and target block, the pointer's position in millimetres, and lets the user
// stop or restart the conversion, save buffered NC blocks and save the picture. The
// drawing itself is TGrafikSimulation's; this window shows it, at most about 30 times a
// second while a run goes on, and once more when the run ends (LaufBeendet).
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineHost.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/GraphWin.h"
#include "workspace/GrafikSimulation.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTimer;

class TQvelColorButton;

class TVelkorGrafikForm : public QWidget {
  Q_OBJECT
public:
  explicit TVelkorGrafikForm(QWidget* parent = nullptr);

  // The engine host's simulation calls, forwarded one to one.
  void ZeichneBahn(bool& GrafikVorhanden, const engine::TPunkt3D& Position, const engine::TPunkt3D& Ziel,
                   engine::TArbeitsmodus Arbeitsmodus, bool WerkzeugUnten, bool Fraeserbahn, double Radius);
  void Zeigen();
  void Schliessen();
  void ClearGraphikImage(bool& GrafikVorhanden);
  void InitGrafik(bool MitAchsen);
  void ZeichneAchsen(engine::TEbene Ebene, const engine::TAchsenkreuz& Achsen);
  void StiftWaehlen(std::uint8_t Zeichenfarbe, int Schreibmodus);
  void BildSpeichern(const std::string& Dateiname);  // raises std::exception on failure
  void SatzAnzeigen(engine::TSatzAnzeige wo, const std::string& block);
  // One repaint after a run (repaints are coalesced while it goes on).
  void LaufBeendet();

  // The restart's conversion pass alone: an empty head-line list, WandlungLaeuft set while
  // it runs, Interpretermodus 2. The main window runs it under its run guard.
  static void NeustartWandlung();

  // A run holds the run guard, or this window's restart is being set up.
  bool LaeuftEinLauf() const;
  workspace::TGrafikSimulation& Simulation() { return sim_; }

  // Buttons, keys and the picture, by the names they have on the window.
  void EndeButtonClick();
  void AbbruchButtonClick();
  void ColorAbbruchButtonClick();
  void TP_SaveButtonClick();
  void SaveButtonClick();
  void GrafikImageClick();  // the restart
  void FormActivate();
  void GrafikImageMouseMove(int x, int y);
  void FormMouseMove(int x, int y);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* objekt, QEvent* event) override;

private:
  void aufbauen();
  QWidget* zeilenBauen();
  void bildEinpassen();
  void auffrischen();  // the coalesced repaint and the pending block texts
  void knoepfeSetzen();
  // "<vorgang> von Datei ... abbrechen?"; "Ja" stops the run.
  void abbrechenFragen(const std::string& vorgang);
  bool taste(int key);
  void zeigerSetzen(int x, int y);

  workspace::TGrafikSimulation sim_;
  QScrollArea* panel_ = nullptr;
  QWidget* bild_ = nullptr;
  QLabel *quellLabel_ = nullptr, *zielLabel_ = nullptr, *xLabel_ = nullptr, *yLabel_ = nullptr;
  QLineEdit *quellEdit_ = nullptr, *zielEdit_ = nullptr, *xEdit_ = nullptr, *yEdit_ = nullptr;
  QPushButton *endeButton_ = nullptr, *abbruchButton_ = nullptr;
  TQvelColorButton* colorAbbruchButton_ = nullptr;
  QPushButton *tpSaveButton_ = nullptr, *saveButton_ = nullptr;
  QTimer* timer_ = nullptr;
  std::optional<toolkit::qt::GraphWin::TZeichenflaecheWahl> aktiv_;  // the canvas while shown
  std::uint64_t gezeigt_ = 0;                                        // canvas changes shown
  std::string quellSatz_, zielSatz_;
  bool satzNeu_ = false;
  bool mausAnzeige_ = false;
  bool anzeigeFehler_ = false;  // the readout failed: its notice came once
  bool neustartLaeuft_ = false;
  bool speichertPuffer_ = false;
  int zeigerX_ = 0, zeigerY_ = 0;
  toolkit::qt::TFensterEintrag<TVelkorGrafikForm> eintrag_{this};
};
