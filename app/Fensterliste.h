#pragma once
// The program's windows, created once at start, hidden, in this order, living until exit.
// The main window comes first; every other window is its child, so closing it ends them.
// Window tests create the program through this same list.
#include <QWidget>

#include "imageprep/VelkorBAUnit.h"
#include "imageprep/VelkorBildInfoUnit.h"
#include "imageprep/VelkorFarbabwahlUnit.h"
#include "imageprep/VelkorFarbfenster.h"
#include "imageprep/VelkorFarbtabellen.h"
#include "workspace/HinweisForm.h"
#include "workspace/ImgSaveForm.h"
#include "workspace/UserDialog.h"
#include "workspace/VelkorBahndarstellung.h"
#include "workspace/VelkorFraesgrund.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorGrundeinstell.h"
#include "workspace/VelkorHaftung.h"
#include "workspace/VelkorSimuGrenz.h"
#include "workspace/VelkorStellen.h"
#include "workspace/VelkorWinMain.h"
#include "workspace/FontView.h"
#include "workspace/VelkorEditUnit.h"
#include "workspace/VelkorWkzUnit.h"
#include "workspace/VelkorZeichensatzWahl.h"

// Creates every window; returns the main window.
inline QWidget* FensterErzeugen() {
  QWidget* haupt = new TVelkorMainForm;           //  1
  new TCopyrightForm(haupt);                      //  2
  new TVelkorWkzForm(haupt);                      //  3
  new TVelkorkeineHaftungForm(haupt);             //  4
  new TVelkorEditForm(haupt);                     //  5
  new TVelkorBildinfoForm(haupt);                 //  6
  new TVelkorTiefenform(haupt);                   //  7
  new TVelkorModusForm(haupt);                    //  8
  new TVelkorF_verfolgForm(haupt);                //  9
  new TVelkorBAForm(haupt);                       // 10
  new TVelkorStellenForm(haupt);                  // 11
  new TVelkorZeichensatzForm(haupt);              // 12
  new TVelkorGrundeinstellForm(haupt);            // 13
  new TVelkorFraesgrundForm(haupt);               // 14
  new TVelkorGrauBildinfoForm(haupt);             // 15
  new TVelkorGrafikForm(haupt);                   // 16
  new TVelkorSimuGrenzForm(haupt);                // 17
  new TVelkorBahndarstellungsForm(haupt);         // 18
  new TVelkorSpiegelschriftForm(haupt);           // 19
  new TVelkorFarbAnzeigForm(haupt);               // 20
  new TVelkorAusschneidForm(haupt);               // 21
  new TVelkorFarbabwahlForm(haupt);               // 22
  new TVelkorFarbWahlForm(haupt);                 // 23
  new TVelkorFarbersetzForm(haupt);               // 24
  new TImgSaveForm(haupt);                        // 25
  new TFontViewForm(haupt);                       // 26
  new THinweisForm(haupt);                        // 27
  new TUserDialog(haupt);                         // 28
  return haupt;
}
