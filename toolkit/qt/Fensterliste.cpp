#include "toolkit/qt/Fensterliste.h"

#include <map>

namespace toolkit::qt {
namespace {
std::map<std::string, std::function<void()>>& Liste() {
  static std::map<std::string, std::function<void()>> liste;
  return liste;
}
}  // namespace

void FensterAnmelden(const std::string& klasse, std::function<void()> zeigen) {
  Liste()[klasse] = std::move(zeigen);
}

void FensterAbmelden(const std::string& klasse) { Liste().erase(klasse); }

bool FensterZeigen(const std::string& klasse) {
  const auto it = Liste().find(klasse);
  if (it == Liste().end() || !it->second) return false;
  const auto zeigen = it->second;  // the window may unregister itself while shown
  zeigen();
  return true;
}

bool FensterAngemeldet(const std::string& klasse) { return Liste().count(klasse) != 0; }

}  // namespace toolkit::qt
