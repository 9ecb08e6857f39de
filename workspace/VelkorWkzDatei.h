#pragma once
// The tool file: WkzListe between runs of the program. A text file (Windows-1252, CR LF):
// a head line (the program file's path + " - Werkzeugdatei"), then six "key=value" lines
// per tool. Headless; notices go through toolkit/qt/Dialoge.h.
#include <optional>
#include <string>
#include <string_view>

namespace workspace {

// What reading the tool file came to.
enum class TWkzDateiStatus {
  Fehlt,       // no such file: the list is empty, AktWerkzeug = KeinWerkzeug
  Gelesen,     // read whole
  Teilweise,   // read in part (a bad value or a missing key): the exit moves it to its BAK first
  Unlesbar     // could not be read at all
};

// Reads `Dateiname` and appends its tools to WkzListe. The six lines of a tool may stand in
// any order and with any indentation (only leading blanks are removed: a name keeps its
// trailing ones); keys are compared without regard to case, and "Werkzeuglänge"/
// "Werkzeugnutzlänge" are also found in their UTF-8 spelling. Reals take "." as well as
// ",". A value that does not convert, a tool number outside 1..255 or a Zeichenfarbe
// outside 0..15 gives that key's notice and ends the reading (tools read before stay); so
// does a record that lacks a key, with the notice of the first key it lacks. Lines that are
// no key of a tool give "Fehler beim Laden der Werkzeugdatei X !". One notice at most;
// Teilweise whenever something of the file was not taken over, so the exit can keep the
// file as its BAK.
TWkzDateiStatus ReadToolFile(const std::string& Dateiname);

// Writes WkzListe to `Dateiname` through a temporary file and a rename; false (after one
// notice naming the file and the error) when it cannot. Reals are written in fixed
// notation with the locale's separator, every whole digit and at least Nachkommastellen
// decimals: more only when needed for the value to read back unchanged.
bool WriteToolFile(const std::string& Dateiname);

// A real of the tool file as written ("50,000" with 3 decimals and ",").
std::string WkzZahlText(double Wert, int Nachkommastellen, char Trenner);
// A real of the tool file as read: optional sign, digits, "." or "," and an exponent;
// surrounding blanks allowed. Nothing for anything else or a value that is not finite.
std::optional<double> WkzZahlLesen(std::string_view Text);

}  // namespace workspace
