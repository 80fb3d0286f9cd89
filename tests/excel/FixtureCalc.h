#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Spreadsheet fixtures made by LibreOffice Calc itself from a flat ODF text the test writes, so each one is
// a real file of its format. Shared by the reader's tests, the import wizard's tests and the benchmarks.

// One cell of a fixture sheet.
struct TCelulaFixture
{
    enum TTip
    {
        Text,
        Numar,
        Nota,
        Data
    };
    TTip Tip = Text;
    QString Valoare; // the text; a number as "1960101123456" or "9.5"; a date as "2008-03-07"

    TCelulaFixture(const QString& text = {}) : Valoare(text) {}
    TCelulaFixture(const char* text) : Valoare(QString::fromUtf8(text)) {}
    TCelulaFixture(TTip tip, const QString& valoare) : Tip(tip), Valoare(valoare) {}
    static TCelulaFixture Numeric(const QString& v) { return {Numar, v}; }       // format General
    static TCelulaFixture Zecimal(const QString& v) { return {Nota, v}; }        // format "0.00"
    static TCelulaFixture Zi(const QString& isoData) { return {Data, isoData}; } // format "DD.MM.YYYY"
};

struct TFoaieFixture
{
    QString Nume;
    QList<QList<TCelulaFixture>> Randuri; // from row 1; an empty text is an empty cell
    QList<double> LatimiCm;               // widths of the first columns, in cm; 0 keeps the default
    bool Protejata = false;               // sheet protection without a password
    // Cells placed far away: (row, column, text), 1-based, written after Randuri.
    struct TDeparte
    {
        int Rand = 0;
        int Coloana = 0;
        QString Text;
    };
    QList<TDeparte> Departe;
};

// The flat ODF spreadsheet (.fods) text of the sheets.
QByteArray TextFods(const QList<TFoaieFixture>& foi);

// Writes `numeBaza`.fods into `dosar` and, for another `extensie` (xlsx, xls, ods, csv), has Calc convert it
// with its own private profile under Romanian settings (a CSV: the first sheet as shown, UTF-8, comma).
// Returns the file's path; an empty text after a failure, whose cause goes to the test log.
QString FaFisierCalc(const QList<TFoaieFixture>& foi, const QString& dosar, const QString& numeBaza,
                     const QString& extensie);

// Converts an existing file with Calc into `dosar`; the new file's path, or "" after a failure.
QString ConvertesteCuCalc(const QString& fisier, const QString& dosar, const QString& extensie);

// Calc's pipes (its sockets in /tmp) that exist now.
QStringList PipeleCalc();

// What stayed after a reading: processes whose command line names a private folder of a reader in this
// program's temporary folder, those folders, and Calc pipes not in `pipeInainte` that no Calc listens on.
// Empty when nothing stayed.
QStringList RamaseDupaCitire(const QStringList& pipeInainte);
