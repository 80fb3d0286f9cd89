#pragma once

#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QWidget>

#include <functional>

#include <memory>

// The certificate's form window as the preview builds it: fonts and the page, from the program's layout.
struct TFormularTest
{
    TFormularTest();
    std::unique_ptr<QWidget> Fereastra;
    TFormularDePrintat* Pagina = nullptr;

    // Shows the form window with the page in it; true once it is on screen.
    bool Arata();
    TFormularTextArea* Zona(const QString& nume) const { return Pagina->Zona(nume); }
    // Sets every area's text from `text(area)`.
    template <typename F> void Completeaza(F text)
    {
        for (TFormularTextArea* z : Pagina->Zone())
            z->SetText(text(z));
    }
};

// A text for each area of the certificate without blanks (one word for pdftotext): the value's sample for
// whole fields, the digit for the boxes of a code.
QString TextFaraSpatii(const TFormularTextArea* zona);

struct TCuvantPdf;

// How far a printed text may lie from its place, in millimetres.
constexpr double kToleranta = 0.1;

// Where an area's text must lie on the paper: the left edge, the centre or the right edge of the text on
// the area's (or the shifted area's) corresponding edge, and the bottom of its cell on the area's bottom.
struct TAsteptat
{
    QString zona;
    QString text;
    TAlignment aliniere;
    QRectF mm;
};

// The expected place of every non-empty area of the page, moved by the offsets (and a shift per area).
QList<TAsteptat> Asteptate(TFormularDePrintat* pagina, double stanga, double sus,
                           const std::function<QPointF(const TFormularTextArea*)>& deplasare = {});
// Finds, for each expected text, the nearest unused word with that text; fails the test for a missing one.
QHash<QString, QRectF> Potriveste(const QList<TAsteptat>& asteptate, QList<TCuvantPdf> cuvinte);
// Checks every found word against its expected place.
void VerificaLocuri(const QList<TAsteptat>& asteptate, const QHash<QString, QRectF>& gasite);
