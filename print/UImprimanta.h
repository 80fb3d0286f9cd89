#pragma once

#include "print/UCalibrare.h"

#include <QPainter>
#include <QString>
#include <QStringList>

#include <exception>
#include <memory>

class TFisierInLucru;

class QPrinter;
class QWidget;

// The entry that prints into a PDF file; offered after the system's printers, so every print path works on
// a machine without a printer.
inline const QString NumeImprimantaPdf = QStringLiteral("PDF");

// The system's printers in the system's order, then the PDF entry.
QStringList ListaImprimante();

// The program's one printer, set to the printer in use.
QPrinter& ImprimantaProgram();
// The printer in use: at start the system's default printer, else the PDF entry.
QString ImprimantaCurenta();
// Makes the named entry of ListaImprimante the printer in use for the rest of the run.
void SeteazaImprimantaCurenta(const QString& nume);

// The job's device settings on the printer in use: A4, portrait or landscape, high quality, monochrome.
void PregatesteImprimanta(bool portret);

// One print document on the program's printer: begun when made, ended when destroyed, also after an error.
class TDocumentTiparit
{
public:
    // With the PDF entry the file is asked for first; Inceput() is false when the user gave none. Throws
    // EEroare, in words the user understands, when the document cannot be begun.
    TDocumentTiparit(QWidget* parinte, const QString& titlu);
    ~TDocumentTiparit();
    TDocumentTiparit(const TDocumentTiparit&) = delete;
    TDocumentTiparit& operator=(const TDocumentTiparit&) = delete;

    bool Inceput() const { return m_painter.isActive(); }
    QPainter& Painter() { return m_painter; }
    // The PDF written, empty on a real printer.
    QString FisierPdf() const { return m_fisier; }
    // The correction measured for the printer the document goes to (the identity when none is stored).
    const TCorectieImprimanta& Corectie() const { return m_corectie; }

private:
    QPainter m_painter;
    QString m_fisier;
    TCorectieImprimanta m_corectie;
    // The PDF is written beside m_fisier and takes its name when the document ends without an error in flight.
    std::unique_ptr<TFisierInLucru> m_inLucru;
    int m_exceptii = std::uncaught_exceptions();
};
