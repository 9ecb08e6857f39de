#include "toolkit/qt/Uebersetzung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace toolkit::qt {

bool QtUebersetzungLaden() {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  auto* uebersetzung = new QTranslator(app);
  if (uebersetzung->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(uebersetzung))
    return true;
  delete uebersetzung;
  return false;
}

}  // namespace toolkit::qt
