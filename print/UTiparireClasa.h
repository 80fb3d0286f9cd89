#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;
class TFormularRandat;
struct TPaginaRandata;
struct TParametriTiparire;

// A student to print: the id and the name the list shows.
struct TElevDeTiparit
{
    qint64 Id = 0;
    QString Denumire;
};

// How far a run of pages got.
struct TRezultatPagini
{
    int Tiparite = 0;   // pages drawn whole, from the first
    bool Oprit = false; // the user stopped it
    QString Eroare;     // the error that ended it, empty when none
    QStringList Taiate; // "student: area" of the texts clipped
};

// Fills and draws one page per student on a document the caller has begun on `dispozitiv`, one student at a
// time (memory stays flat), each placed by `parametri`. `progres(n, N)` is called after page n; returning
// false stops after it. With `cuFundal` the blank form's picture is drawn under each page. An error stops the run and is returned, the
// pages before it stay whole. Reads in one transaction of the data module (it must be idle), rolled back at
// the end.
TRezultatPagini TiparesteElevi(QPainter& painter, QPagedPaintDevice& dispozitiv, TFormularRandat& formular,
                               const QList<TElevDeTiparit>& elevi, const TParametriTiparire& parametri,
                               bool cuFundal, const std::function<bool(int, int)>& progres = {});

// What would print wrong in one area of a filled page.
struct TProblemaZona
{
    QString Zona;
    QString Cheie; // the area's field key
    enum TFel
    {
        Gol,
        Micsorat,
        NuIncape
    } Fel = Gol;
    double InaltimeMm = 0; // the text's printed cell height, for Micsorat
};

// The problem in words: "<field>: camp gol", "... textul micsorat la 1,2 mm", "... textul nu incape".
QString DescriereProblema(const TProblemaZona& p);

// Smallest printed cell height, in millimetres, that still reads well.
constexpr double InaltimeMinimaLizibila = 1.8;

// The areas of a filled page that would print wrong: a field that prints nothing (except second lines,
// whose codes end in "_L2"), a text shrunk below InaltimeMinimaLizibila, a text that cannot fit at all.
// Measured as on a 1200 dpi printer.
QList<TProblemaZona> VerificaPagina(const TPaginaRandata& pagina);

// The program's print jobs for several students, with the dialogs a user answers: the insert-paper dialog
// once for the job, then a progress dialog "n din N" that can stop after the current page. Every sheet sent
// is recorded in the print register. `opresteDupa(n, N)` returning true stops after page n as the
// dialog's button does. Returns what was printed.
TRezultatPagini TiparesteClasa(QWidget* parinte, const QList<TElevDeTiparit>& elevi,
                               const std::function<bool(int, int)>& opresteDupa = {});

// Writes the students' certificates into one PDF at 1:1 scale (no margins, no mirror), with the blank form's
// picture under them when `cuFundal`. Asks for the file name; false when the user gave none.
bool SalveazaPdf(QWidget* parinte, const QList<TElevDeTiparit>& elevi, bool cuFundal);
