#pragma once
// Qt's own texts in German. The program speaks German whatever the user's locale, and so
// do the standard dialogs it borrows from Qt: the file, print, colour and font dialogs and
// the edit fields' context menus.

namespace toolkit::qt {

// Loads Qt's German translation ("qtbase_de" from Qt's translations folder) into the
// application; call it once, after the QApplication is made and before the first window.
// False when the translation is not installed: the standard dialogs then stay English.
bool QtUebersetzungLaden();

}  // namespace toolkit::qt
