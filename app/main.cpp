// Program entry: the modules take their start values first, in the order they initialise;
// then the engine's window host is installed, the windows are created and the message loop
// runs until the main window closes.
#include <QApplication>
#include <memory>

#include "app/Fensterliste.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/Clock.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/Uebersetzung.h"
#include "workspace/FensterHost.h"
#include "workspace/VelkorWinMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt's standard dialogs speak German like the program; every window reports its role.
  toolkit::qt::QtUebersetzungLaden();
  toolkit::qt::FensterrollenEinrichten();
  toolkit::InitDecimalSeparatorFromLocale();
  toolkit::InitShortDateFormatFromLocale();
  engine::ResetAllModules();
  RasterCompression::ResetState();
  RasterGraphics::ResetState();  // registers every picture format
  engine::InstallHost(&workspace::FensterHost());

  // The main window ends the program when its exit sequence has run; windows that may
  // still be shown (the simulation window) do not keep it alive.
  app.setQuitOnLastWindowClosed(false);
  std::unique_ptr<QWidget> haupt(FensterErzeugen());
  if (auto* form = qobject_cast<TVelkorMainForm*>(haupt.get()))
    QObject::connect(form, &TVelkorMainForm::Geschlossen, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  haupt->show();
  const int ergebnis = app.exec();
  haupt.reset();
  engine::InstallHost(nullptr);
  return ergebnis;
}
