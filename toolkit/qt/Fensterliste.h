#pragma once
// The program's windows by class name. Each window, when it is created, announces how it is
// shown modally; commands show a window by its name, so a command whose window is not
// created (or not built) does nothing, as the program is specified to do.
#include <functional>
#include <string>

namespace toolkit::qt {

// Registers how the window of class `klasse` ("TVelkorTiefenform") is shown modally.
void FensterAnmelden(const std::string& klasse, std::function<void()> zeigen);
// Removes the window (when it is destroyed).
void FensterAbmelden(const std::string& klasse);
// Shows the window modally; false when no such window was created.
bool FensterZeigen(const std::string& klasse);
bool FensterAngemeldet(const std::string& klasse);

}  // namespace toolkit::qt
