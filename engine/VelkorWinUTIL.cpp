#include "engine/VelkorWinUTIL.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/EngineHost.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace VelkorWinUTIL {

void DateinameZerlegen(const std::string& Name, std::string& Verzeichnis, std::string& Name_, std::string& Ext) {
  const auto trenner = Name.find_last_of("\\/");
  const std::size_t rest = trenner == std::string::npos ? 0 : trenner + 1;
  Verzeichnis = Name.substr(0, rest);
  const auto punkt = Name.find('.', rest);
  if (punkt == std::string::npos) {
    Name_ = Name.substr(rest);
    Ext.clear();
  } else {
    Name_ = Name.substr(rest, punkt - rest);
    Ext = Name.substr(punkt);
  }
}

std::string BildnameAusText(std::string_view Text, bool& Bereich) {
  std::string name = GrossSchreiben(Text);
  const auto a = name.find("/A");
  Bereich = a != std::string::npos;
  if (Bereich) {
    name.resize(a);
    std::erase(name, ' ');
  }
  return name;
}

std::string BildnameMitEndung(const std::string& Name) {
  std::string verzeichnis, rumpf, ext;
  DateinameZerlegen(Name, verzeichnis, rumpf, ext);
  return ext.empty() ? Name + ".PCX" : Name;
}

std::string LinksTrimmen(std::string_view Text) {
  const auto erstes = Text.find_first_not_of(' ');
  return erstes == std::string_view::npos ? std::string() : std::string(Text.substr(erstes));
}

std::string GrossSchreiben(std::string_view Text) { return toolkit::UpperAscii(Text); }

std::string GrossSchreibenText(std::string_view Text) { return toolkit::UpperAscii(Text); }

void MeldungWeiterTaste(std::string_view Text) {
  constexpr std::size_t Grenze = 75;
  std::string meldung(Text.substr(0, Grenze));
  const std::string_view zusatz = " Weiter: Taste!";
  meldung += zusatz.substr(0, Grenze - meldung.size());
  engine::Host().notice("\x07" + meldung);
}

std::string KommentarZahl(double Wert) {
  const int stellen = VelkorWinVAR::KonfigBlock.Gesamtstellen;
  const int dezimalen = VelkorWinVAR::KonfigBlock.Nachkommastellen;
  double gerundet = Wert;
  if (std::isfinite(Wert) && Wert != 0.0 && stellen > 0) {
    // Round to the significant digits first, exactly, through the decimal text.
    char puffer[64];
    const auto r = std::to_chars(puffer, puffer + sizeof puffer, Wert, std::chars_format::scientific,
                                 std::min(stellen, 17) - 1);
    if (r.ec == std::errc()) std::from_chars(puffer, r.ptr, gerundet);
  }
  return toolkit::FormatFixed(gerundet, dezimalen, toolkit::DecimalSeparator());
}

}  // namespace VelkorWinUTIL
