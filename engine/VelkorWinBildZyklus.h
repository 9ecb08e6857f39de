#pragma once
// The image cycle: mills a picture between the cycle's start point and its target point.
// In the measuring pass it records the image's milling area and two head lines; in the
// conversion pass it lets the operator choose the section and size, takes the reduced or
// the full picture, mirrors it when asked and hands it to the milling driver that
// Fraesrichtung and the colour count select; in an image-information run it shows the
// information window. Also the loading of the picture a part program names, which the
// main window does before a run.
#include <string>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace VelkorWinBildZyklus {

// The picture the cycle mills, made by each cycle and emptied at its end.
extern toolkit::TBitmap Zyklusbild;
extern double BildverkleinerungX, BildverkleinerungY;
// Height of the picture the image section window left.
extern int BAImageHoehe;

// The whole picture as a pixel rectangle (0, 0, width - 1, height - 1); (0, 0, 0, 0) for a
// picture without pixels.
VelkorWinVAR::TPixelRechteck Bildrechteck(const toolkit::TBitmap& Bild);

// Expands one image cycle. `LeseFehler` becomes non-zero when the cycle failed, which
// makes the interpreter stop the run.
void BildZyklusWandeln(const std::string& Bilddateiname, VelkorWinVAR::TInterpretermodus Modus,
                       bool FraesbereichGegeben, bool& WandlungsFehler, VelkorWinMATH::TPunkt3D& Zielpunkt,
                       VelkorWinMATH::TPunkt3D& Zyklusstartpunkt, double Sicherheitsabstand, int& LeseFehler);

// What the main window does with the image of the part program before a run: finds the
// file TeileprogrammListe names (without regard to case), loads it into QuellImage
// through the host, then QuellbildUebernehmen, the copy of the colour table for the
// windows and the extra colours of Extrafarbdateiname when that file exists. A missing
// or unreadable file is reported. True when the picture was loaded.
bool BildFuerTeileprogrammLaden();
// Loads Bilddateiname, found without regard to case, into QuellImage through the host and
// sets BildGeladen; a missing or unreadable file gives its notice and false.
bool BilddateiLaden();
// After QuellImage was loaded: Bearbeitungsbild := QuellImage, its colours counted, the
// grey table and grey count, Bildbreite and Bildhoehe. A picture beyond the size limits
// of the milling loops (65535 pixels) is neither copied nor counted: Bearbeitungsbild
// stays empty, and the image cycle refuses the picture.
void QuellbildUebernehmen();

void ResetState();

}  // namespace VelkorWinBildZyklus
