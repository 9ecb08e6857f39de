#pragma once
// The main window TVelkorMainForm: start-up loading, the menus, the window-wide keys, the
// conversion commands and stops, and the exit. The work itself lives in the functions of
// namespace workspace below, which know no widget; the window calls them and shows what
// they leave.
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "imageprep/FarbtabellenModell.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/BildLaden.h"
#include "workspace/FensterHost.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorWkzDatei.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QFrame;

namespace workspace {

// ---- Start and exit (VelkorWinMain_Start.cpp) ----

// The files start-up looked for, resolved to absolute paths once, so that the exit writes
// them where the next start looks, whatever folder a dialog made current meanwhile.
struct TStartDateien {
  std::string Arbeitsordner;        // the working directory at start, with a final "/"
  std::string Konfigurationsdatei;  // the settings file start-up looked for
  std::string Werkzeugdatei;        // the tool file start-up looked for
  bool KonfigVerweigert = false;    // it was there but refused (moved to its BAK at exit)
  TWkzDateiStatus Werkzeugstatus = TWkzDateiStatus::Fehlt;
};
extern TStartDateien Startdateien;

// The extra-colour file written at exit, in the working directory; nothing reads it back.
inline constexpr const char* EndeExtrafarbdatei = "VelkorEnde.NOP";

// The version text of the copyright label.
extern std::string Versionszeile;
// "Velkor " + the program file's date as year (two digits), month and day without leading
// zeros, joined by "." + the edition suffix.
std::string VersionszeileBilden(const std::string& Programmdatei);

// Reads the settings file, the last part program and the tool file as the program starts.
void LoadStartupFiles();
// The picture the part program names, at the first showing of the main window: loaded,
// fitted, counted. False when there is none or it could not be loaded (after the notice).
bool StartbildLaden();
// What the exit writes, in this order: a part program changed in the editor, the buffered
// NC lines (after the question), the extra colours, the settings and the tool file.
void ProgrammEndeSchreiben();
// Back to the start values of this module (tests).
void HauptzustandZuruecksetzen();

// ---- Commands (VelkorWinMain_Befehle.cpp) ----

// "Wandlung": the measuring pass and the conversion pass. False when refused (a run goes on).
bool Wandlung();
// "Bildinformation": the measuring pass and the image-information pass.
bool Bildinformation();
// Runs `pass` under the run guard as `art` (the simulation window's restart); false when
// a run already goes on.
bool LaufUnterSperre(TLaufArt art, const std::function<void()>& pass);
// The abort question, asked only while a run goes on.
void AbbruchFragen();
// Goes on after a programmed stop (menu, Ctrl+G, Enter): only while the conversion pass
// waits at one.
void WandlungFortsetzen();

// Toggles with their notices.
void BildSpiegelnUmschalten();
void BildSpiegelnSetzen();  // the programmed-stop window's Ctrl+H: sets, never clears
void SpiegelschriftUmschalten();
void KreisschriftUmschalten();
// The window-wide Ctrl keys shared by the main window and the programmed-stop window:
// K, M, S, T, W (and H by `spiegelnSetzt`). True when the key was one of them.
bool StrgTaste(int taste, bool spiegelnSetzt);

// The colour-table entries: the picture loaded and counted, then the table window of `art`
// for pictures of at most 16 colours.
void FarbtabellenFenster(imageprep::TTabellenArt art);
void FarbflaecheAusschneiden();
void Farbabwahl();

}  // namespace workspace

class TVelkorMainForm : public QMainWindow {
  Q_OBJECT
public:
  explicit TVelkorMainForm(QWidget* parent = nullptr);
  ~TVelkorMainForm() override;

  // The action of a menu entry by its handler's name ("Wandlung1", "ein1", ...).
  QAction* Aktion(const std::string& name) const;
  QMenu* Popup() const { return popup_; }

  // FormActivate's work, once: the first showing arms it.
  void FormActivate();
  bool Aktiviert() const { return aktiviert_; }

  // Shows QuellImage (after a load or a change by another window).
  void BildAnzeigen();
  void BildEinpassen(const workspace::TEinpassung& platz);
  void ClearPaintBox();
  // Source and target labels from Arbeitsdateiname and Zieldateiname.
  void BeschriftungenSetzen();
  // Shows what a part-program command left (labels, edits emptied, picture).
  void Uebernehmen(const workspace::TBefehlsergebnis& ergebnis);
  // Menu and button state from the run guard and GrafikEin.
  void ZustandSetzen();
  // A block field or the target label (text Windows-1252), as the engine host hands it.
  void SatzZeigen(engine::TSatzAnzeige wo, const std::string& text);
  // The size the picture is shown at; invalid while there is none.
  QSize Bildgroesse() const;
  // The simulation window's restart: its conversion pass run as this window's commands run,
  // under the run guard.
  void Neustart();

  // The window-wide keys (key preview), once the window was activated.
  bool TasteGedrueckt(class QKeyEvent* event);
  bool TasteLosgelassen(class QKeyEvent* event);

signals:
  // The exit sequence ran and the window closed: the program ends.
  void Geschlossen();

protected:
  void showEvent(class QShowEvent* event) override;
  void closeEvent(class QCloseEvent* event) override;
  bool eventFilter(QObject* obj, QEvent* event) override;

private:
  void MenueBauen();
  void PopupBauen();
  QAction* Eintrag(QWidget* menu, const char* caption, const char* name, std::function<void()> tat);
  // Connects `signal` to the command `tat`, run inside the error guard (nothing once the
  // window has closed), and after it to NachBefehl.
  template <typename Sender, typename Signal>
  void Befehl(Sender* quelle, Signal signal, std::function<void()> tat);
  // A command that comes from a key or from another window rather than a signal, run as
  // Befehl runs one: inside the error guard, nothing once the window has closed, then
  // NachBefehl.
  void Ausfuehren(const std::function<void()>& tat);
  // The step after every command, also after one that failed: the menus follow the run
  // guard, and a close asked for during a run is carried out once the run has ended.
  void NachBefehl();
  void EndeButtonClick();
  // After a new text of QuellLabel or ZielLabel: both as wide as the longer text, the edits
  // to the right of them.
  void LabelsAnordnen();

  std::map<std::string, QAction*> aktionen_;
  QMenu* popup_ = nullptr;
  QAction* spiegelnPopup_ = nullptr;
  QFrame* imgPanel_ = nullptr;
  QFrame* imgBevel_ = nullptr;
  QLabel* quellImage_ = nullptr;
  QLabel* quellLabel_ = nullptr;
  QLabel* zielLabel_ = nullptr;
  QLabel* copyrightLabel_ = nullptr;
  QLineEdit* quellEdit_ = nullptr;
  QLineEdit* zielEdit_ = nullptr;
  QPushButton* abbruchButton_ = nullptr;
  QPushButton* endeButton_ = nullptr;
  bool aktiviert_ = false;      // FormActivate ran (DummyProc in its place)
  bool tastenvorschau_ = false;  // key preview on
  bool beendet_ = false;        // the exit sequence ran
  toolkit::qt::TFensterEintrag<TVelkorMainForm> eintrag_{this};
};
