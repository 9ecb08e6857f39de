#pragma once
// How the program's top-level windows present themselves: the role a screen reader
// announces for them, and their place on the screen.

class QWidget;

namespace toolkit::qt {

// From now on every top-level window reports a window role (a dialog role when it is made
// as a dialog) to assistive technology. Qt gives dialogs and main windows their roles
// itself, but a plain widget shown as a window would be announced as a "filler". Every
// control keeps Qt's own role and name, also one made without a parent and put into a
// window afterwards (the buttons of a message box); menus, tips and pop-up lists keep
// their own roles. Call it once, before the first window.
void FensterrollenEinrichten();

// Moves `fenster` to the middle of the available area of its screen; call it when its size
// is known (in its show event at the latest).
void BildschirmMitte(QWidget& fenster);

}  // namespace toolkit::qt
