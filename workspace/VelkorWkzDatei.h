#pragma once
// The tool file: WkzListe between runs of the program.
#include <string>

namespace workspace {

// What reading the tool file came to.
enum class TWkzDateiStatus {
  Fehlt,       // no such file: the list is empty, AktWerkzeug = KeinWerkzeug
  Gelesen,     // read whole
  Teilweise,   // read in part (a bad value or a missing key): the exit moves it to its BAK first
  Unlesbar     // could not be read at all
};

// Reads `Dateiname` into WkzListe, with the notices of the tool file.
TWkzDateiStatus ReadToolFile(const std::string& Dateiname);
// Writes WkzListe to `Dateiname` through a temporary file and a rename; false (after one
// notice naming the file and the error) when it cannot.
bool WriteToolFile(const std::string& Dateiname);

}  // namespace workspace
