#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// What the import ever looks at: columns A..ZZ, rows 1..65536.
constexpr int ColoaneCitite = 702;
constexpr int RanduriCitite = 65536;

// "A" for 1, "Z" for 26, "AA" for 27, "ZZ" for 702; "" outside 1..702.
QString NumeColoana(int coloana);
// The inverse, case-insensitive: 0 for anything that is not one or two letters.
int IndexColoana(const QString& litere);

// One worksheet as read: its name, and the displayed text of its cells within columns A..ZZ, rows 1..65536.
struct TFoaieCalcul
{
    QString Nume;
    // Row by row from row 1; a row holds its cells from column A up to its last one read.
    QList<QStringList> Randuri;
    // The last row of the sheet that holds a value, also beyond the rows read; 0 when none is known.
    int UltimulRandCuDate = 0;

    QString Text(const QString& adresaA1) const; // "B12"; "" for an empty cell or one outside what was read
    QString Text(int rand, int coloana) const;   // both 1-based
};

// Reads `text`, a CSV as Calc writes it (comma, double quotes, UTF-8 already decoded), into cells: rows
// beyond RanduriCitite and columns beyond ColoaneCitite are dropped.
QList<QStringList> CelulePentruCsv(const QString& text);

// The workbook reader: open a file, the sheet names in order, the displayed text of a cell by A1 address.
class TCititorFoi
{
public:
    virtual ~TCititorFoi();
    // Reads every sheet once. Throws EEroare("Nu pot citi fisierul <name>: <reason in one line>"); after a
    // failure the workbook read before stays as it was.
    virtual void Deschide(const QString& cale) = 0;
    virtual QStringList Foi() const = 0; // sheet names, in the workbook's order
    virtual const TFoaieCalcul& Foaie(int index) const = 0;
    QString Text(int foaie, const QString& adresaA1) const;
};

// Where the Calc reader finds its programs and how far it lets them go. Empty paths mean the installed ones.
struct TProgrameCalc
{
    QString Soffice;                                     // LibreOffice's start program; empty: looked up on PATH
    QString Python = QStringLiteral("/usr/bin/python3"); // the interpreter that holds Debian's uno module
    int SecundeLimita = 90;                              // the whole reading, Calc's start included
    qint64 MemorieLimita = qint64(3) << 30;              // address space of each child process, in bytes
};

// LibreOffice Calc, headless, in a child process group of its own with a private temporary profile. One
// Deschide starts Calc, reads every sheet as shown under Romanian settings and ends Calc again.
class TCititorCalc : public TCititorFoi
{
public:
    explicit TCititorCalc(TProgrameCalc programe = {});
    ~TCititorCalc() override;
    void Deschide(const QString& cale) override;
    QStringList Foi() const override;
    const TFoaieCalcul& Foaie(int index) const override;

private:
    TProgrameCalc m_programe;
    QList<TFoaieCalcul> m_foi;
};

std::unique_ptr<TCititorFoi> CreeazaCititorFoi(); // the program's reader (TCititorCalc)

// At start-up: removes the temporary folders (and Calc's pipes) that readings of killed copies of the program
// left, never one of a copy that still runs. Returns how many folders went.
int StergeResturiCalc();
