#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A word of a PDF as poppler's `pdftotext -bbox` reads it back: its box in millimetres from the page's
// top-left corner (left/right are the glyph origins and advances, top/bottom the font's ascent and descent).
struct TCuvantPdf
{
    QString Text;
    QRectF Mm;
    int Pagina = 0; // 0-based
};

struct TDocumentPdf
{
    QList<QSizeF> Pagini; // page sizes in millimetres
    QList<TCuvantPdf> Cuvinte;
};

// Reads every word of the PDF; fails the current test (and returns empty) when pdftotext cannot run.
TDocumentPdf CitestePdf(const QString& caleaPdf);

// Names of the fonts a PDF uses (pdffonts), without the subset prefix: "LiberationSans-Bold".
QStringList FonturiPdf(const QString& caleaPdf);

// Renders the first page of a PDF to a PNG at `dpi` with pdftoppm; returns the PNG's path or empty.
QString RandeazaPdfLaPng(const QString& caleaPdf, const QString& caleaPngFaraExtensie, int dpi);
