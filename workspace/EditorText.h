#pragma once
// The NC editor's text work without widgets: reading and writing a part program byte for
// byte, the editor's case conversions, find and replace on Windows-1252 text, and the entry
// of a character by its decimal code. Positions are character positions of the whole text,
// lines joined by one '\n'.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workspace {

// A part program as the editor shows it.
struct TEditorInhalt {
  std::vector<std::string> Zeilen;
  std::size_t Steuerzeichen = 0;  // control characters read, shown as blanks
  std::size_t LangeZeilen = 0;    // lines longer than the part-program limit
  std::size_t ErsteLange = 0;     // 1-based index of the first of them (0: none)
};

// Splits the file's bytes at CR LF, LF or CR. Every byte 0x20..0xFF and TAB stays; every
// byte below 0x20 (NUL among them) becomes a blank and is counted.
TEditorInhalt EditorTextLesen(std::string_view Bytes);
// The lines with CR LF after each; no lines give an empty file.
std::string EditorTextSchreiben(const std::vector<std::string>& Zeilen);
// Counts the lines longer than 255 characters; `Erste` gets the 1-based index of the first.
std::size_t LangeZeilenZaehlen(const std::vector<std::string>& Zeilen, std::size_t& Erste);
// The notice for such lines ("" when there are none).
std::string LangeZeilenMeldung(std::size_t Anzahl, std::size_t Erste);

// The editor's own DOS case mapping: a-z and the DOS umlaut codes 0x81, 0x84, 0x94 (lower)
// and 0x9A, 0x8E, 0x99 (upper); every other byte stays.
char DosGross(char c);
char DosKlein(char c);
// The system's (Windows-1252) case mapping of a whole text; ß, µ and ÿ's partner keep
// their places, so the length never changes.
std::string AnsiGross(std::string_view Text);
std::string AnsiKlein(std::string_view Text);

// The editing keys of a line, acted on when released.
enum class TZeilenTaste { ZeileLoeschen, VorCursorLoeschen, AbCursorLoeschen, AuswahlLoeschen,
                          ZeileGross, VorCursorGross, AbCursorGross, AuswahlGross,
                          ZeileKlein, VorCursorKlein, AbCursorKlein, AuswahlKlein };
// The key's action for function key 2..5 with Shift and Ctrl as held (Shift wins over Ctrl;
// an Alt or any other modifier gives none).
std::optional<TZeilenTaste> ZeilenTasteFuer(int Fnummer, bool Shift, bool Ctrl, bool Alt);
// The line after the actions that work inside one line (the case conversions and the
// deletions before and from the caret); `Spalte` is the caret's column.
std::string ZeileBearbeiten(TZeilenTaste Taste, const std::string& Zeile, std::size_t Spalte);

struct TSuchOptionen {
  bool GrossKlein = false;   // match case
  bool GanzesWort = false;   // whole words only
  bool Rueckwaerts = false;  // search towards the start
};
inline constexpr std::size_t KeinFund = static_cast<std::size_t>(-1);

// The text prepared once for searching with these options (folded when case does not count).
class TSuchtext {
public:
  TSuchtext(std::string Text, const TSuchOptionen& Optionen);
  // First match at or after `Ab`; KeinFund when none.
  std::size_t Vorwaerts(std::string_view Muster, std::size_t Ab) const;
  // Last match starting before `Vor`; KeinFund when none.
  std::size_t Rueckwaerts(std::string_view Muster, std::size_t Vor) const;
  // True when the text holds `Muster` as a match exactly at `Pos`.
  bool TrifftBei(std::string_view Muster, std::size_t Pos) const;

private:
  bool WortGrenzen(std::size_t Pos, std::size_t Laenge) const;
  std::string Original_;
  std::string Text_;
  TSuchOptionen Optionen_;
};

// Replaces every match from `Ab` to the end once: the search goes on behind each inserted
// text, so it ends even when the replacement holds the search text. Returns the count.
std::size_t AllesErsetzen(std::string& Text, std::string_view Muster, std::string_view Ersatz, std::size_t Ab,
                          const TSuchOptionen& Optionen);

// Entry of a character by its decimal code on the numeric keypad while Ctrl and Alt are held.
class TCodeEingabe {
public:
  // A key pressed with these modifiers: exactly Ctrl and Alt start an entry.
  void Gedrueckt(bool Ctrl, bool Alt, bool Shift);
  bool Aktiv() const { return Aktiv_; }
  // A keypad digit released during an entry.
  void Ziffer(int Ziffer);
  // Any other key released: ends the entry. The character to insert: only after at least
  // one digit, and never a control character (the low byte of the code below 0x20 or 0x7F).
  std::optional<char> Beenden();

private:
  bool Aktiv_ = false;
  std::uint16_t Zeichencode_ = 0;
  int Ziffern_ = 0;
};

}  // namespace workspace
