#pragma once
// Shared types, the settings block KonfigBlock, the run flags and the image state that
// the engine, the windows and the image preparation share.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/VelkorWinMATH.h"
#include "toolkit/Bitmap.h"

namespace VelkorWinVAR {

using VelkorWinMATH::TPunkt3D;

// A colour 0x00BBGGRR; -1 marks no colour.
using TColor = std::int32_t;

// The byte enumerations hold whatever byte a settings file brought; users check the range.
enum class TEbene : std::uint8_t { XY = 0, ZX = 1, YZ = 2 };
enum class TInterpolation : std::uint8_t { linear = 0, cw = 1, ccw = 2 };
enum class TFraesrichtung : std::uint8_t { zeilenweise = 0, spaltenweise = 1, zirkular = 2 };
enum class TArbeitsmodus : std::uint8_t { ohne = 0, Fraesen = 1, Sticheln = 2 };
enum class TBesonderheit : std::uint8_t { keine = 0, Farbe_verfolgen = 1 };
enum class TBildFormat : std::uint8_t { PCX = 0, TGA = 1, BMP = 2 };
// 1 measuring pass, 2 conversion pass, 0 image-information run.
enum class TInterpretermodus : std::uint8_t { Bildinfo = 0, Messlauf = 1, Wandlung = 2 };

// One tool as it stands in the tool list and inside the settings block.
struct TWerkzeugDaten {
  std::uint8_t Nummer = 0;  // 1..255; 0 = no tool
  std::string Benennung;    // at most 20 characters
  double Laenge = 0.0;
  double Nutzlaenge = 0.0;
  double Durchmesser = 0.0;
  std::uint8_t Zeichenfarbe = 0;  // index into the 16-colour drawing table
};

// Millimetres, y growing upwards.
struct TWeltRechteck {
  double Links = 0.0, Oben = 0.0, Rechts = 0.0, Unten = 0.0;
};
// Inclusive pixel bounds, y growing downwards.
struct TPixelRechteck {
  std::uint16_t Links = 0, Oben = 0, Rechts = 0, Unten = 0;
};
struct TBildausschnitt {
  std::uint16_t Links = 0, Oben = 0, Rechts = 0, Unten = 0;
  bool Gewaehlt = false;
};

struct TFarbInfo {
  TColor Farbe = -1;  // -1: free slot
  std::int32_t Anzahl = 0;
};

// One extra colour of a picture of more than 16 colours: its index in Farbtabelle (-1
// when the colour is not in the picture), the colour and its own treatment.
struct TEF_Datentyp {
  std::int32_t Farbnummer = -1;
  TColor Farbe = -1;
  TArbeitsmodus Arbeitsmodus = TArbeitsmodus::ohne;
  TBesonderheit Besonderheit = TBesonderheit::keine;
  bool operator==(const TEF_Datentyp&) const = default;
};

// The entries of a table that its count says are in use: the count, cut to the table's
// length; a count below 0 uses none.
template <typename T>
std::size_t Benutzt(const std::vector<T>& Tabelle, std::int32_t Anzahl) {
  return std::min(Tabelle.size(), static_cast<std::size_t>(std::max<std::int32_t>(Anzahl, 0)));
}

// NC line lists: the part program and the buffered NC output, one line per entry.
using TNcZeilen = std::vector<std::string>;

// Capacities of the settings block's strings (characters).
inline constexpr std::size_t KurzwortKapazitaet = 4;
inline constexpr std::size_t ExtKapazitaet = 3;
inline constexpr std::size_t BezeichnungKapazitaet = 20;
inline constexpr std::size_t DateinameKapazitaet = 255;
inline constexpr std::size_t KonfigBlockGroesse = 2212;

template <typename T, std::size_t N>
constexpr std::array<T, N> Gefuellt(T Wert) {
  std::array<T, N> a{};
  a.fill(Wert);
  return a;
}

constexpr std::array<char, 32> KonfigKennungStart() {
  std::array<char, 32> k{};
  constexpr const char* text = "Velkorquin Konfigurationsdatei ";
  for (std::size_t i = 0; i < 31; ++i) k[i] = text[i];
  k[31] = '\x1A';
  return k;
}

// All settings that outlive a run, with their start values. Its byte image (fixed
// offsets, little-endian) is the settings file; VelkorWinCNF converts between the two.
// Fraesrichtung starts at 0 here; the interpreter's module sets it to 2 at start-up.
struct TKonfigBlock {
  std::array<char, 32> KonfigKennung = KonfigKennungStart();
  std::uint16_t Reserviert1 = 0;
  std::array<std::uint8_t, 21> Reserviert2{};
  TWerkzeugDaten KeinWerkzeug{0, "kein Werkzeug"};
  TWerkzeugDaten AktWerkzeug{0, "kein Werkzeug"};
  bool TestschalterS = false;
  bool TestschalterT = false;
  TPunkt3D SimuGrenzeMin{-200.0, -150.0, -120.0};
  TPunkt3D SimuGrenzeMax{300.0, 140.0, 180.0};
  TPunkt3D Bezugspunkt;
  double Schrifttiefe = 0.0;
  std::uint8_t Gesamtstellen = 10;
  std::uint8_t Nachkommastellen = 3;
  double SkaleneinheitX = 50.0;
  double SkaleneinheitY = 50.0;
  double SkaleneinheitZ = 50.0;
  double Kursivwinkel = 0.0;
  bool MitSatznummern = true;
  bool LeerschritteZwischenAdressen = true;
  bool NurGeaenderteAdressen = true;
  bool Fraeserbahn = true;
  bool GrafikEin = false;
  bool Spiegelschrift = false;
  bool FarbverfolgungAktiv = false;
  std::uint16_t SatznummernInkrement = 1;
  std::uint16_t TextzyklusNummer = 89;
  std::uint16_t GrafikzyklusNummer = 189;
  std::uint16_t BohrzyklusNummer = 81;
  std::uint16_t PositionierZiffern = 0;
  std::string ZyklusendeWort = "G80";
  std::string SicherheitsabstandWort = "R02";
  std::string BohrtiefeWort = "R03";
  std::string Arbeitsdateiname;
  std::string QuellExt = "CNC";
  std::string ZielExt = "CVT";
  std::string Steuerungsbezeichnung = "Demo";
  std::string Zieldateiname;
  std::string Gravurzeichensatz;
  std::string Konfigurationsdateiname = "VelkorWin.CNF";
  std::string Werkzeugdateiname = "VelkorWkz.DAT";
  std::string Extrafarbdateiname = "Velkor.NOP";
  std::array<double, 16> Farbtiefe{};
  std::array<char, 16> FarbModus = Gefuellt<char, 16>('F');
  std::array<char, 16> F_Verfolgen = Gefuellt<char, 16>('N');
  std::array<bool, 16> Farbgeschwindigkeit{};
  std::array<bool, 16> Ausschneidfarben{};
  double Anlauffaktor = 1.0;
  double Ueberlauffaktor = 1.0;
  bool Sticheln_im_Zyklus = false;
  bool bidirektional_bearbeiten = false;
  double GrauFraestiefe_hell = -1.0;
  double GrauFraestiefe_dunkel = -2.5;
  bool Graubildwandlung = false;
  bool DirektSpeichern = true;
  TFraesrichtung Fraesrichtung = TFraesrichtung::zeilenweise;
  std::uint8_t Zirkularsinn = 0;
  TArbeitsmodus GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  TBesonderheit GrundBesonderheit = TBesonderheit::keine;
  std::uint8_t Umlaufsinn = 0;
  bool LinienanfangSuchen = false;
  std::array<std::uint8_t, 6> Reserviert3{};

  // The byte image last read or written: gap bytes, the bytes behind string lengths and
  // the raw bytes of Booleans come from here when the block is saved.
  std::array<std::uint8_t, KonfigBlockGroesse> Dateibild{};
};

extern TKonfigBlock KonfigBlock;

// Run flags.
extern bool Abbruch;          // the running conversion is to stop
extern bool WandlungsFehler;  // the running conversion met an error and is to stop
extern bool WandlungLaeuft;   // a conversion pass is running
extern bool Fortsetzen;       // go on after a programmed stop
extern bool BildGeaendert;
extern bool GrafikVorhanden;  // the simulation window holds a drawing
extern bool KonturKantigFraesen;
extern bool WkzEingabemodus;
extern TInterpretermodus Interpretermodus;

// Toggles of the main window and options of the image work file.
extern bool KreistextNachInnen;
extern bool BildSpiegeln;
extern bool GrafikbereichAutomatisch;
extern std::uint8_t Zirkularrichtung;  // 0 inward, 1 outward

// The loaded part program (nullopt: none loaded).
extern std::optional<TNcZeilen> TeileprogrammListe;

// Image state shared by the interpreter, the image cycle and the windows.
extern TWeltRechteck Fraesbereich;      // extent of the work, measured by the measuring pass
extern bool FraesbereichLeer;           // no cycle of the measuring pass has measured yet
extern TWeltRechteck BildFraesbereich;  // milling area of the last image cycle
extern std::vector<std::string> Kopfzeilen;  // extra head lines gathered by the measuring pass
extern std::string Bilddateiname;
extern bool FraesbereichGegeben;  // the image cycle's file name carried "/A"
extern TBildausschnitt Bildausschnitt;
extern bool AusschnittGewaehltAlt;
extern double Gesamtbildverkleinerung;
// The picture as loaded by the main window (cut to 65535) and its fit factors per axis
// (shown size / size as loaded); the section window sets the factors to 1 when it shows.
extern std::uint16_t BildOrigBreite, BildOrigHoehe;
extern long double AnfangsbildverkleinerungX, AnfangsbildverkleinerungY;
extern std::int32_t Bildbreite;
extern std::int32_t Bildhoehe;
extern double Fraeszeilenhoehe;
extern double Fraesspaltenbreite;
extern TPixelRechteck Bearbeitungsbereich;
extern std::vector<TFarbInfo> Farbtabelle;  // the colours of the picture counted last, Farbanzahl entries
extern std::int32_t Farbanzahl;

// The rest of the image state: the colour table's pixel sum and its copy for the windows,
// the grey value of every colour, the colours an image cycle mills, the extra colours.
extern std::int32_t Pixelanzahl;
extern std::vector<TFarbInfo> Quellfarbtabelle;
extern std::int32_t Quellfarbanzahl;
extern std::vector<std::int32_t> Grauwerttabelle;  // grey value of Farbtabelle[i]
extern std::int32_t Grauwertanzahl;                // distinct grey values among them
extern std::vector<TColor> Arbeitsfarben;          // Arbeitsfarbanzahl colours, each once
extern std::int32_t Arbeitsfarbanzahl;
extern std::vector<TEF_Datentyp> Extrafarbliste;
extern std::int32_t Extrafarbanzahl;  // kept equal to the list's length

// The main window's pictures, held here so that the engine mills them headless: the
// loaded picture, its working copy that is counted, the picture as the image section
// window left it and the full picture (made on first need).
extern toolkit::TBitmap QuellImage;
extern toolkit::TBitmap Bearbeitungsbild;
extern toolkit::TBitmap BildKopie;
extern std::optional<toolkit::TBitmap> Arbeitsbild;
extern bool BildGeladen;  // QuellImage holds the picture the part program names

void ResetState();

}  // namespace VelkorWinVAR
