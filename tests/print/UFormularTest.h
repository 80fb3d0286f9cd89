#pragma once

#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"

#include <QWidget>

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
