#pragma once

#include <QHash>
#include <QList>
#include <QSet>
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
    QString Eroare;     // the error that ended it, in Romanian; empty when none
    QString Detalii;    // its technical text (the engine's own words), for "Detalii"
    QStringList Taiate; // "student: area" of the texts clipped
};

// The pages of each student as a check before printing filled them, kept so that the print job that follows
// draws them without reading and filling them again. Each distinct text is held once.
class TPaginiCompletate
{
public:
    // Keeps the pages of `formular` as they are now filled, for student `id`.
    void Pastreaza(qint64 id, const TFormularRandat& formular);
    // Puts the kept pages of student `id` back into `formular` (of the same layout); false when none are kept.
    bool Restaureaza(qint64 id, TFormularRandat& formular) const;
    // Forgets a student whose values changed since.
    void Uita(qint64 id) { m_elevi.remove(id); }
    qsizetype Count() const { return m_elevi.size(); }

private:
    struct TPagina
    {
        QList<QString> Texte;             // in the page's area order
        QList<QPair<int, double>> Mutate; // areas whose top a grade moved: index, top in millimetres
        QList<int> Ascunse;               // lower grade areas left empty
    };
    QHash<qint64, QList<TPagina>> m_elevi;
    QSet<QString> m_texte;
};

// Fills and draws one page per student on a document the caller has begun on `dispozitiv`, one student at a
// time (memory stays flat), each placed by `parametri`. `progres(n, N)` is called after page n; returning
// false stops after it. With `cuFundal` the blank form's picture is drawn under each page. An error stops the run and
// is returned, the pages before it stay whole. Reads in one transaction of the data module (it must be idle), rolled
// back at the end. The students `completate` holds are drawn as they were kept, without reading them again.
TRezultatPagini TiparesteElevi(QPainter& painter, QPagedPaintDevice& dispozitiv, TFormularRandat& formular,
                               const QList<TElevDeTiparit>& elevi, const TParametriTiparire& parametri, bool cuFundal,
                               const std::function<bool(int, int)>& progres = {},
                               const TPaginiCompletate* completate = nullptr);

// What would print wrong in one area of a filled page.
struct TRezultatInserare;

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

// A field as the user knows it: its editor's label and the side of the sheet it prints on ("Anul absolvirii
// ciclului (certificat)"); the field's code when the profile has no label for it.
QString DenumireCamp(const QString& cheie);

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
// dialog's button does. The pages a check kept (`completate`) are drawn as kept. `asezare`: the margins and
// mirror the insert-paper dialog offers (a sheet printed again), instead of the last ones. Returns what was
// printed.
TRezultatPagini TiparesteClasa(QWidget* parinte, const QList<TElevDeTiparit>& elevi,
                               const std::function<bool(int, int)>& opresteDupa = {},
                               const TPaginiCompletate* completate = nullptr,
                               const TRezultatInserare* asezare = nullptr);

// Writes the students' certificates into one PDF at 1:1 scale (no margins, no mirror), with the blank form's
// picture under them when `cuFundal`. Asks for the file name; false when the user gave none.
bool SalveazaPdf(QWidget* parinte, const QList<TElevDeTiparit>& elevi, bool cuFundal);
