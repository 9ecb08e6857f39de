#include "workspace/FontViewZeichnen.h"

#include "toolkit/Rounding.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace workspace {

namespace vz = VelkorWinZeichensatz;

std::uint8_t ViewerAnsiNachDos(std::uint8_t Code) { return Code == 225 ? 223 : vz::AnsiNachDos(Code); }

bool TViewerZeichensatz::Laden(const std::string& Name) {
  if (Geladen_ && Name == Name_) return true;
  Geladen_ = false;
  vz::TZeichensatzpuffer puffer;
  if (Name.empty() || vz::ZeichensatzLaden(Name, puffer) != 0) {
    toolkit::qt::Hinweis("Fehler beim Laden des Zeichensatzes!");
    return false;
  }
  vz::TZeichensatzKopf kopf;
  if (vz::ZeichensatzKopfLesen(puffer, kopf) != vz::TKopfBefund::Gueltig || kopf.Oberlaenge - kopf.Unterlaenge <= 0) {
    toolkit::qt::Hinweis(Name + " nicht im erwarteten Format!");
    return false;
  }
  Puffer_ = std::move(puffer);
  Kopf_ = kopf;
  Name_ = Name;
  Geladen_ = true;
  return true;
}

double TViewerZeichensatz::Massstab(int Hoehe) const {
  const int spanne = Kopf_.Oberlaenge - Kopf_.Unterlaenge;
  return spanne > 0 ? static_cast<double>(Hoehe) / spanne : 0.0;
}

int TViewerZeichensatz::Zeichenbreite(int Hoehe, std::uint8_t Code) const {
  if (!Geladen_) return 0;
  return toolkit::RoundToInt32(vz::ZeichenBreite(Puffer_, Kopf_, Code) * Massstab(Hoehe));
}

int TViewerZeichensatz::Textbreite(int Hoehe, std::string_view Text) const {
  int breite = 0;
  for (char c : Text) {
    const auto code = static_cast<std::uint8_t>(c);
    breite += Zeichenbreite(Hoehe, code >= 128 ? ViewerAnsiNachDos(code) : code);
  }
  return breite;
}

int TViewerZeichensatz::Texthoehe(int Hoehe) const {
  return toolkit::RoundToInt32((Kopf_.Oberlaenge - Kopf_.Unterlaenge) * Massstab(Hoehe));
}

int TViewerZeichensatz::Zeichen(std::uint8_t Code, int X, int Y, double Massstab, std::vector<TLinie>& Linien) const {
  if (!Geladen_) return 0;
  const vz::TZeichenStriche striche = vz::ZeichenStricheLesen(Puffer_, Kopf_, Code);
  int px = X, py = Y;
  for (const vz::TStiftAktion& a : striche.Aktionen) {
    const int x = X + toolkit::RoundToInt32(a.Dx * Massstab);
    const int y = std::max(0, Y - toolkit::RoundToInt32(a.Dy * Massstab));
    if (a.Zeichnen) Linien.push_back({px, py, x, y});
    px = x;
    py = y;
  }
  return toolkit::RoundToInt32(striche.Breite * Massstab);
}

int TViewerZeichensatz::Text(std::string_view Text, int X, int Y, int Hoehe, std::vector<TLinie>& Linien) const {
  const double massstab = Massstab(Hoehe);
  int x = X;
  for (char c : Text) {
    const auto code = static_cast<std::uint8_t>(c);
    x += Zeichen(code >= 128 ? ViewerAnsiNachDos(code) : code, x, Y, massstab, Linien);
  }
  return x - X;
}

std::string TesttextKuerzen(const std::string& Text, std::string& Meldung) {
  Meldung.clear();
  if (Text.size() <= 25) return Text;
  Meldung = "Testtext: max 25 Zeichen";
  return Text.substr(0, 25);
}

}  // namespace workspace
