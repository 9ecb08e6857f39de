#include "fuzz/silentdialogs.h"

namespace fuzz {

TStilleDialoge::TStilleDialoge() { toolkit::qt::DialogeInstallieren(this); }
TStilleDialoge::~TStilleDialoge() { toolkit::qt::DialogeInstallieren(nullptr); }

void TStilleDialoge::Hinweis(const std::string&) {}

bool TStilleDialoge::Frage(const std::string&, bool) { return false; }
int TStilleDialoge::FrageMitTasten(const std::string&, const std::vector<std::string>&) { return -1; }

std::optional<std::string> TStilleDialoge::DateiOeffnen(const toolkit::qt::TDateiDialog&) { return Oeffnen; }
std::optional<std::string> TStilleDialoge::DateiSpeichern(const toolkit::qt::TDateiDialog&) { return std::nullopt; }
std::optional<toolkit::TColor> TStilleDialoge::FarbeWaehlen(toolkit::TColor) { return std::nullopt; }
bool TStilleDialoge::DruckerWaehlen(QPrinter&) { return false; }

}  // namespace fuzz
