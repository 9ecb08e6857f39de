#pragma once
// Text helpers for file names, notices and the numbers of comment lines.
#include <string>
#include <string_view>

namespace VelkorWinUTIL {

// Splits a file name into directory (up to and including its last "\" or "/"), bare
// name (up to the first "." of the rest) and extension (from that "." on).
void DateinameZerlegen(const std::string& Name, std::string& Verzeichnis, std::string& Name_, std::string& Ext);

// The image file name of a P word's text, as the image cycle takes it: upper-cased and,
// when it holds "/A", cut before it with every blank removed (`Bereich` tells which).
std::string BildnameAusText(std::string_view Text, bool& Bereich);
// The name with ".PCX" appended when it has no extension.
std::string BildnameMitEndung(const std::string& Name);

// Without leading blanks.
std::string LinksTrimmen(std::string_view Text);
// a to z turned into A to Z; no other character changes (umlauts stay).
std::string GrossSchreiben(std::string_view Text);
// The same for a text of any length.
std::string GrossSchreibenText(std::string_view Text);

// Shows the bell, at most 75 characters of the text and as much of " Weiter: Taste!"
// as fits into 75 characters.
void MeldungWeiterTaste(std::string_view Text);

// A number of a comment line: rounded to Gesamtstellen significant digits, written with
// Nachkommastellen decimals and the locale's decimal separator.
std::string KommentarZahl(double Wert);

}  // namespace VelkorWinUTIL
