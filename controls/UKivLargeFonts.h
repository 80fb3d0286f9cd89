#pragma once

#include <QString>

// The large-font scaler: the grid's design sizes (column widths, row heights) in screen pixels, by the
// ratio N:D of the "LargeFonts.txt" file in the program's folder and the screen's density.

struct TKivRaportFonturi
{
    int N = 1;
    int D = 1;
};

// A file line read as N:D: trimmed, only 0-9 and ":" kept, the part before the first ":" N and the part
// after it D, 8 for a part that is not a number; a line without ":" gives the same number for both.
// A denominator of 0 makes the line count as "1:1".
TKivRaportFonturi CitesteLiniaRaport(const QString& linie);

// The ratio of the file at `cale`: a missing file is created holding "1:1" (written whole); a file that can
// neither be read nor created gives the ratio of the message font's height `inaltimeFontMesaj` (negative
// for a character height): D 8 and N the height, or for a character height D 11 and N its magnitude.
TKivRaportFonturi RaportDinFisier(const QString& cale, int inaltimeFontMesaj);

// (s * N / D) * dpi / 96, both divisions truncating toward zero.
int ScaleazaMarime(int marime, const TKivRaportFonturi& raport, int dpi);

// The program's ratio, computed from "LargeFonts.txt" on first use (and again while D is 0). Needs the
// application object.
TKivRaportFonturi RaportFonturiMari();
// A design size in pixels of the primary screen by the program's ratio.
int KivScaleaza(int marime);
