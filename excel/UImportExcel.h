#pragma once

#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The headless half of the spreadsheet import: which columns and rows of a sheet are read, where each
// student field takes its value from, and the run that writes one student per kept row.

// The displayed text of one cell of the chosen sheet, by its A1 address ("B12").
using TCitireCelula = std::function<QString(const QString& adresaA1)>;

// True for a text of exactly 13 characters, each a digit 0-9.
bool EsteTextCnp(const QString& text);

// One sheet column read into memory: text i is the i-th kept row of the sheet.
struct TColoanaExcel
{
    QString Nume; // its letters
    QStringList Texte;
};

// A sheet row with data in columns A to H that holds no 13-digit text, so it was not kept.
struct TRandIgnorat
{
    int RandFoaie = 0; // 1-based
    QStringList Texte; // one per column read
};

// The columns read, in order from "A"; all hold the same number of texts.
class TListaColoaneExcel : public QList<TColoanaExcel>
{
public:
    // The column named `nume`, or null.
    const TColoanaExcel* Cauta(const QString& nume) const;
    int NumarRanduri() const { return isEmpty() ? 0 : first().Texte.size(); }
    // The sheet row (1-based) of kept row `i`; i + 1 when the rows were not read from a sheet.
    int RandFoaie(int i) const { return i >= 0 && i < RanduriFoaie.size() ? RanduriFoaie.at(i) : i + 1; }

    QList<int> RanduriFoaie;      // the sheet row of each kept row
    QList<TRandIgnorat> Ignorate; // rows with data that the filter dropped, in sheet order
    int UltimulRandCitit = 0;     // the last sheet row read
    int RandDateNecitite = 0;     // the last row of the sheet that holds data beyond it, or 0
};

// Reads a sheet by the import's rules: the columns from "A" while one of their even rows 2 ... 20 holds a
// text, the rows from 1 until 19 rows in a row are empty in columns A to H (never past RanduriCitite), and
// only the rows in which some column holds 13 digits. Texts are trimmed. `ultimulRandCuDate` is the last row
// of the sheet that holds anything, as its reader knows it (0: unknown); beyond the rows read it is noted.
TListaColoaneExcel CitesteFoaia(const TCitireCelula& celula, int ultimulRandCuDate = 0);

// An editor label without its bracketed parts: "[Candidat]CNP{cotor}" gives "CNP".
QString EtichetaFaraParanteze(const QString& eticheta);

// Where one student field takes its value from.
enum TModPreluare : int
{
    mpDinColoana = 0,
    mpConstanta = 1,
    mpDinCnp = 2,
    mpPrimaParte = 3,
    mpADouaParte = 4
};

// The texts of the five ways, in the order of TModPreluare.
const QStringList& TexteModPreluare();

// What a field page holds.
struct TMapareCamp
{
    QString Cheie;    // form.page.field
    QString Formular; // the key's form code
    bool NuImport = false;
    int Mod = mpDinColoana;
    QString Coloana; // letters of the column, for the column ways
    QString Constanta;
    QString TextFete;
    QString TextBaieti;
    int Limita = LungimeValoareText; // characters the field holds; a longer value is cut
};

// Characters a value of a data type holds: 256 for "TEXT", 64 for every other type.
int LimitaTipDeDate(const QString& tipDeDate);

// Throws EEroare("Va rog selectati coloana din care voi prelua datele") when a column way has no column.
void VerificaMapare(const TMapareCamp& mapare);

// The value a field takes for row `rand`, or nothing when the field is not imported. A column that is not
// among those read gives an empty value.
std::optional<QString> ValoareMapare(const TMapareCamp& mapare, const TListaColoaneExcel& coloane, int rand,
                                     const QString& cnp);

// The one trimming of the import: spaces and no-break spaces (U+00A0) around the text go; every other
// character, tabs and line breaks included, stays.
QString TaieBlancuri(const QString& text);

// The first and the second part of a name: split at its first space, both parts trimmed by TaieBlancuri.
QPair<QString, QString> ParteNume(const QString& text);

// A student field of the profile that the import can fill.
struct TCampImport
{
    QString Cheie;
    QString Eticheta;
    QString Formular;
    QString TipDeDate;
};

// The student fields of the profile, in profile order, without mirrored fields and without the CNP field.
// Runs in its own transaction, rolled back.
QList<TCampImport> CampuriDeImport(TDM& dm);
// Their distinct form codes, in order of first appearance.
QStringList FormulareOferite(const QList<TCampImport>& campuri);

// What an import would do, worked out before anything is written.
struct TRaportImport
{
    struct TRand
    {
        int Index = -1;    // kept row
        int RandFoaie = 0; // 1-based sheet row
        QString Cnp;
        qint32 IdElev = -1; // the student it updates, -1 for a new one
    };
    struct TRandSarit
    {
        int RandFoaie = 0;
        QString Cnp;
        QString Motiv;
    };
    struct TTaiere
    {
        int RandFoaie = 0;
        QString Coloana; // the column's letters, or "" for a constant
        QString Camp;    // the field's code
        int Lungime = 0;
        int Limita = 0;
    };
    QList<TRand> DeCreat;
    QList<TRand> DeActualizat;
    QList<TRandSarit> Sarite;  // student rows not imported, with the reason
    QList<TRandSarit> FaraCnp; // rows without any digit in the CNP column: headings, titles
    QList<TTaiere> Taieri;     // values cut to what their field holds
    QStringList Observatii;    // sexes a CNP does not give, data left unread
    // The kept rows to write, in sheet order.
    QList<int> RanduriDeImportat() const;
};

// The report as the wizard shows it, in Romanian, one line per row named.
QString TextRaport(const TRaportImport& raport);

// The headings of a sheet: the texts of the last row with data before its first kept row; empty when none.
QStringList AnteteFoaie(const TListaColoaneExcel& coloane);

// The choices of a finished import, remembered per set of headings in the registry store under
// "Software\Zorvik SOFT\Pravelo\2006\Tessaluna\ImportExcel\<digest of the headings>".
struct TMapareRetinuta
{
    QString ColoanaCnp;
    QList<TMapareCamp> Mapari; // Cheie and the page's choices; Formular and Limita are not kept
};
// Writes the choices for these headings in one write; nothing for empty headings. Throws ERegistru.
void RetineMaparea(const QStringList& antete, const TMapareRetinuta& mapare);
// The choices remembered for these headings, or nothing (no headings, none kept, or a value unreadable).
std::optional<TMapareRetinuta> MapareRetinuta(const QStringList& antete);

// The import run: one transaction per kept row, each committed before the next row starts.
class TImportElevi
{
public:
    // `legaturi`: the record of every linked table (the school) that a student created by the import is tied
    // to, in the same transaction.
    TImportElevi(TDM& dm, const TListaColoaneExcel& coloane, QList<TMapareCamp> mapari, QString coloanaCnp,
                 QList<QPair<QString, qint32>> legaturi = {});

    // Finds the CNP field of the profile and the CNP column. Throws EEroare("NU exista CNP in profil diploma!")
    // and EEroare("UPS: nu pot identifica CNP-ul").
    void Pregateste();
    int NumarRanduri() const { return m_coloane.NumarRanduri(); }
    // Creates or updates the student of kept row `rand` and commits; returns his identifier. On an error the
    // row's transaction is rolled back and the error travels on.
    // `creat`, when given, tells whether the student was new.
    qint32 ImportaRand(int rand, bool* creat = nullptr);
    // Pregateste, then every kept row in turn, the rows the report would skip included (the wizard writes only
    // the report's rows, through ImportaRand).
    void ImportaTot();
    // After Pregateste: which kept rows create a student, which update one (looked up by CNP, in one
    // transaction rolled back), and which are skipped and why (the CNP column's text not 13 digits, a wrong
    // control digit, a CNP met on an earlier row); the values cut, rows whose CNP gives no sex for a field
    // derived from it, rows of the sheet that were not read.
    TRaportImport Raport();

private:
    TDM& m_dm;
    const TListaColoaneExcel& m_coloane;
    QList<TMapareCamp> m_mapari;
    QList<TCheieCamp> m_chei;
    // The value of every imported field of row `rand`, cut to its field's size.
    QHash<QString, QString> Valori(int rand, const QString& cnp) const;
    QString m_numeColoanaCnp;
    QList<QPair<QString, qint32>> m_legaturi;
    TCheieCamp m_campCnp;
    QString m_cheieCnp;
    QList<TCheieCamp> m_campuriElev;
    const TColoanaExcel* m_coloanaCnp = nullptr;
};
