#pragma once
// The image work file's keys, without windows: the key lines written from the settings that
// stand, and a file's lines taken back into them. Speichern1Click and Laden2Click
// (Arbeitsdatei.h) put the dialogs and the line file around these.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/Teileprogramm_Befehle.h"

namespace workspace {

// A real as the work file writes it: fixed notation with the locale's separator, at least
// Nachkommastellen decimals and as many more as the value needs to be read back exactly;
// never an exponent ("1,000", "-0,125", "1234567,500").
std::string ArbeitsdateiZahl(double Wert);
// A real as the work file reads it: blanks around it ignored, "." or "," as the decimal
// point, no grouping, no exponent, nothing that is not a finite number.
std::optional<double> ArbeitsdateiZahlLesen(std::string_view Text);

// The value of the first line whose name (the text before its first "=") is `Schluessel`,
// compared without regard to case; a name written in UTF-8 ("Fräsrichtung" from a
// hand-edited file) matches its Windows-1252 key. nullopt when no line has the key.
std::optional<std::string> ArbeitsdateiWert(const std::vector<std::string>& Zeilen, std::string_view Schluessel);

// The 89 key lines of the settings that stand, in the file's order (the head line is put
// above them by BildEinstellDateiSpeichern).
std::vector<std::string> ArbeitsdateiZeilen();

// What reading a work file needs from around it. Empty entries take the program's own:
// notices through the engine's host, OpenPartProgram, the file test of the engine, and the
// picture the new part program names loaded and fitted as "Teileprogramm > Laden" does.
struct TArbeitsdateiDienste {
  std::function<void(const std::string& Text)> Hinweis;
  std::function<bool(const std::string& Dateiname)> TeileprogrammOeffnen;
  std::function<bool(const std::string& Dateiname)> DateiExistiert;
  // Loads `Bilddateiname` into QuellImage and fits it into the panel, giving the picture's
  // place there; raises the reader's error (std::exception) when it cannot.
  std::function<TEinpassung(const std::string& Bilddateiname)> BildLaden;
};

// Takes the lines of the work file `Arbeitsdatei` (its head line included) into the
// settings: every key in the file's order with its own notice when it fails, then the
// section and the counts of the picture, then the extra-colour file that belongs to the
// work file (its directory and bare name + ".NOP"), read once when it exists. A reduction
// factor fails when it is not above 0 or would scale the section (or the whole picture)
// beyond the section and size window's limits. Refused with one notice, nothing changed, is
// a file in which no line holds a key of the work file; nothing changes either when buffered
// NC lines are asked about first (VelkorWinFileUtils::NcPufferSichern) and cannot be saved.
// What the main window is to show, as after "Teileprogramm" > "Laden": Geaendert when the file
// was taken over, with the labels of its part program and, when another picture came or the
// picture went, that picture with its place in the panel.
TBefehlsergebnis ArbeitsdateiUebernehmen(const std::vector<std::string>& Zeilen, const std::string& Arbeitsdatei,
                                         const TArbeitsdateiDienste& Dienste = {});

// The extra-colour file that belongs to a work file: its directory and bare name + ".NOP".
std::string ArbeitsdateiExtrafarbname(const std::string& Arbeitsdatei);

}  // namespace workspace
