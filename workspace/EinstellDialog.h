#pragma once
// What every settings dialog shares: modal, centred, no border icons; old copies of the
// settings it edits taken once per showing (a notice or a nested window does not renew
// them); the changed flag that enables "Übernehmen" and stays set once raised; edits whose
// entry is checked when they are left, refused with a notice that puts the focus back.
#include <QDialog>
#include <functional>
#include <initializer_list>
#include <string>

#include "imageprep/FarbtabellenModell.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Einstellregeln.h"

class QFormLayout;
class QHBoxLayout;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QGroupBox;

namespace workspace {

class TEinstellDialog : public QDialog {
  Q_OBJECT
public:
  // The window's objectName is `klasse`, its caption `titel` (UTF-8).
  TEinstellDialog(QWidget* parent, const char* klasse, const char* titel);

  // Shows the dialog modally.
  void Zeigen() { exec(); }
  bool Geaendert() const { return geaendert_; }

public slots:
  void UebernahmeButtonClick() { accept(); }
  void AbbruchButtonClick() { Schliessen(); }

protected:
  // Copies the settings the dialog edits (once per showing) and fills the controls.
  virtual void AlteWerteMerken() = 0;
  virtual void Anzeigen() = 0;
  // Puts every setting the dialog edits back to its old copy.
  virtual void AlteWerteZurueck() = 0;

  // The dialog opens in the middle of the screen, not over the main window.
  void MittigAufDemBildschirm() { bildschirmMitte_ = true; }

  // The changed flag rises when `anders`; it stays set until the next showing.
  void Markieren(bool anders);
  void FlagZuruecksetzen();

  // A labelled edit in a form; its objectName is `name`, its label the caption (UTF-8).
  QLineEdit* Edit(QFormLayout* form, const char* name, const char* label);
  // The group `titel` of buttons showing the colour-table windows `fenster` in that order;
  // `vorModus` runs before the colour-mode window shows.
  QGroupBox* Farbfenster(const char* titel, std::initializer_list<imageprep::TTabellenArt> fenster,
                         std::function<void()> vorModus = {});
  // "Übernehmen", disabled until a change.
  QPushButton* UebernahmeButton = nullptr;
  // A new row ending in "Übernehmen" (made into UebernahmeButton) and the closing button
  // `name`/`text`, both wired to their slots; `links`, when given, stands at its left.
  QHBoxLayout* Knopfzeile(const char* name, const char* text, QWidget* links = nullptr);

  // A click into the edit selects its whole text.
  void KlickWaehltAlles(QLineEdit* edit);
  // Calls `exit` when the edit is left after the user changed its text.
  void BeimVerlassen(QLineEdit* edit, std::function<void()> exit);
  // The entry of an edit: refused with its notice (the text back to what the setting
  // holds, the focus back in the edit), or handed to `setzen`. True when taken.
  template <typename T, typename F>
  bool Uebernehmen(QLineEdit* edit, const Einstellregeln::TEingabe<T>& e, const std::string& alterText, F setzen) {
    if (!e.Wert) {
      Ablehnen(edit, e.Hinweis, alterText);
      return false;
    }
    setzen(*e.Wert);
    return true;
  }
  void Ablehnen(QLineEdit* edit, const std::string& hinweis, const std::string& alterText);
  // A Windows-1252 text into the edit, marked as not typed.
  static void Zeigen(QLineEdit* edit, const std::string& text);
  static std::string Text(QLineEdit* edit);

  // Closing with changes asks "Geänderte Einstellungen verwerfen?": "Ja" puts the old
  // copies back and closes, any other answer keeps the dialog open.
  void VerwerfenUndSchliessen();
  // What the closing button does; Esc and the window's close run it too.
  virtual void Schliessen() { VerwerfenUndSchliessen(); }
  void reject() override { toolkit::qt::Sicher([this] { Schliessen(); }); }
  // Closes the dialog without asking.
  void Zu() { QDialog::reject(); }

  void showEvent(QShowEvent* e) override;

private:
  bool geaendert_ = false;
  bool bildschirmMitte_ = false;
};

}  // namespace workspace
