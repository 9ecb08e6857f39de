#pragma once
// The checks of the settings dialogs, without windows: what an entry converts to, or the
// notice that refuses it. The dialogs show the notice, put the focus back and keep the
// setting as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <optional>

#include "engine/VelkorWinVAR.h"

namespace workspace::Einstellregeln {

// An accepted entry (`Wert`), or the notice (Windows-1252) that refuses it.
template <typename T>
struct TEingabe {
  std::optional<T> Wert;
  std::string Hinweis;
};

// A real as the dialogs show it: Gesamtstellen significant digits, Nachkommastellen
// decimals, the locale's separator.
std::string ZahlText(double Wert);
// A real typed into a dialog: blanks around it ignored, "," or "." as the decimal point;
// anything else "Falsches Zeichen im Eingabefeld!".
TEingabe<double> Zahl(std::string_view Text);
// Anlauf- and Überlauffaktor: 0.0 to 2.0 inclusive (`Ueberlauf` chooses the notice).
TEingabe<double> Faktor(std::string_view Text, bool Ueberlauf);
// A scale unit of the simulation window: above zero.
TEingabe<double> Skaleneinheit(std::string_view Text);
// A cycle number (a word): a text holding "-" is refused as not above zero, 0 is taken,
// above 65535 "Der Wert muß zwischen 0 und 65535 liegen!".
TEingabe<std::uint16_t> Zyklusnummer(std::string_view Text);
// Gesamtstellen, Nachkommastellen (a byte): 1 to 255.
TEingabe<std::uint8_t> Stellenzahl(std::string_view Text);
// QuellExt, ZielExt: 1 to 3 characters.
TEingabe<std::string> Namenserweiterung(std::string_view Text);
// Steuerungsbezeichnung: at most 20 characters.
TEingabe<std::string> Steuerungsname(std::string_view Text);
// ZyklusendeWort: cut to 4 characters; a text holding "-" is refused.
TEingabe<std::string> Zyklusendewort(std::string_view Text);

// The eight milling paths of the milling settings ("zeilenweise" ... "zirkular ccw nach
// außen"), item index <-> Fraesrichtung, bidirektional_bearbeiten, Zirkularrichtung and
// Zirkularsinn. Setting an item changes only what that item decides.
int FraesbahnIndex(const VelkorWinVAR::TKonfigBlock& k, std::uint8_t Zirkularrichtung);
void FraesbahnSetzen(int Index, VelkorWinVAR::TKonfigBlock& k, std::uint8_t& Zirkularrichtung);

}  // namespace workspace::Einstellregeln
