#include "workspace/Druck.h"

#include <algorithm>

namespace workspace {

std::string DruckFusszeile(int Seite, int Seiten, const toolkit::TDateTime& Zeit) {
  return "Seite: " + std::to_string(Seite) + " von " + std::to_string(Seiten) + " (Druck: " +
         toolkit::FormatShortDate(Zeit) + " " + std::to_string(Zeit.Hour) + ":" + std::to_string(Zeit.Minute) +
         ")";
}

int WerkzeugZeilenProSeite(int Seitenhoehe) {
  return std::max(2, (Seitenhoehe - 330) / WerkzeugZeilenhoehe);
}

std::vector<TDruckSeite> SeitenAufteilen(std::size_t Zeilen, std::size_t ProSeite) {
  ProSeite = std::max<std::size_t>(1, ProSeite);
  std::vector<TDruckSeite> seiten;
  for (std::size_t erste = 0; erste < Zeilen; erste += ProSeite)
    seiten.push_back({erste, std::min(ProSeite, Zeilen - erste)});
  if (seiten.empty()) seiten.push_back({0, 0});
  return seiten;
}

std::vector<std::string> ZeilenUmbrechen(const std::vector<std::string>& Text, std::size_t Breite) {
  Breite = std::max<std::size_t>(1, Breite);
  std::vector<std::string> aus;
  aus.reserve(Text.size());
  for (const std::string& zeile : Text) {
    if (zeile.size() <= Breite) {
      aus.push_back(zeile);
      continue;
    }
    for (std::size_t ab = 0; ab < zeile.size(); ab += Breite) aus.push_back(zeile.substr(ab, Breite));
  }
  return aus;
}

}  // namespace workspace
