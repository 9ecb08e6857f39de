#include "workspace/Umnummerieren.h"

#include <charconv>

#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace workspace {
namespace {

// The line without its leading N word ("N" and every blank and digit after it).
std::string_view OhneSatznummer(std::string_view zeile) {
  if (zeile.empty() || zeile.front() != 'N') return zeile;
  std::size_t i = 1;
  while (i < zeile.size() && (zeile[i] == ' ' || (zeile[i] >= '0' && zeile[i] <= '9'))) ++i;
  return zeile.substr(i);
}

bool BleibtUnnummeriert(std::string_view rest) {
  if (rest.empty()) return false;
  if (rest.front() == '%') return true;
  return rest.front() == '(' && rest.find(')') == rest.size() - 1;
}

}  // namespace

TUmnummerierung Umnummerieren(VelkorWinVAR::TNcZeilen& Liste) {
  TUmnummerierung ergebnis;
  if (Liste.empty()) {
    ergebnis.Leer = true;
    return ergebnis;
  }
  std::uint32_t zaehler = 1;
  std::string neu;
  for (std::size_t i = 0; i < Liste.size(); ++i) {
    std::string& zeile = Liste[i];
    const std::string_view rest = OhneSatznummer(zeile);
    if (BleibtUnnummeriert(rest)) continue;
    char ziffern[16];
    const auto ende = std::to_chars(ziffern, ziffern + sizeof ziffern, zaehler).ptr;
    neu.clear();
    neu.reserve(1 + static_cast<std::size_t>(ende - ziffern) + 1 + rest.size());
    neu += 'N';
    neu.append(ziffern, ende);
    neu += ' ';
    neu += rest;
    if (neu.size() > TeileprogrammZeilenlaenge) {
      neu.resize(TeileprogrammZeilenlaenge);
      if (ergebnis.Gekuerzt++ == 0) ergebnis.ErsteGekuerzte = i + 1;
    }
    zeile.swap(neu);
    ++ergebnis.Nummeriert;
    ++zaehler;
  }
  return ergebnis;
}

void TeileprogrammUmnummerieren(VelkorWinVAR::TNcZeilen& Liste) {
  const TUmnummerierung ergebnis = Umnummerieren(Liste);
  if (ergebnis.Leer) {
    toolkit::qt::Hinweis("Anfangszeile beim Umnummeriren nicht gefunden!");
    return;
  }
  if (ergebnis.Gekuerzt > 0)
    toolkit::qt::Hinweis(toolkit::Ansi("Beim Umnummerieren wurden ") + std::to_string(ergebnis.Gekuerzt) +
                         toolkit::Ansi(" Zeilen auf 255 Zeichen gekürzt (die erste: Zeile ") +
                         std::to_string(ergebnis.ErsteGekuerzte) + ")!");
}

}  // namespace workspace
