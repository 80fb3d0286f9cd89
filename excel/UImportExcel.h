#pragma once

#include "store/UDataModule.h"

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

// The columns read, in order from "A"; all hold the same number of texts.
class TListaColoaneExcel : public QList<TColoanaExcel>
{
public:
    // The column named `nume`, or null.
    const TColoanaExcel* Cauta(const QString& nume) const;
    int NumarRanduri() const { return isEmpty() ? 0 : first().Texte.size(); }
};

// Reads a sheet by the import's rules: the columns from "A" while one of their even rows 2 ... 20 holds a
// text, the rows from 1 until 19 rows in a row are empty in columns A to H (never past row 999), and only
// the rows in which some column holds 13 digits. Texts are trimmed.
TListaColoaneExcel CitesteFoaia(const TCitireCelula& celula);

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
};

// Throws EEroare("Va rog selectati coloana din care voi prelua datele") when a column way has no column.
void VerificaMapare(const TMapareCamp& mapare);

// The value a field takes for row `rand`, or nothing when the field is not imported. A column that is not
// among those read gives an empty value.
std::optional<QString> ValoareMapare(const TMapareCamp& mapare, const TListaColoaneExcel& coloane, int rand,
                                     const QString& cnp);

// The first and the second part of a name: split at its first blank, both parts trimmed.
QPair<QString, QString> ParteNume(const QString& text);

// A student field of the profile that the import can fill.
struct TCampImport
{
    QString Cheie;
    QString Eticheta;
    QString Formular;
};

// The student fields of the profile, in profile order, without mirrored fields and without the CNP field.
// Runs in its own transaction, rolled back.
QList<TCampImport> CampuriDeImport(TDM& dm);
// Their distinct form codes, in order of first appearance.
QStringList FormulareOferite(const QList<TCampImport>& campuri);

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
    qint32 ImportaRand(int rand);
    // Pregateste, then every row in turn.
    void ImportaTot();

private:
    TDM& m_dm;
    const TListaColoaneExcel& m_coloane;
    QList<TMapareCamp> m_mapari;
    QList<TCheieCamp> m_chei;
    QString m_numeColoanaCnp;
    QList<QPair<QString, qint32>> m_legaturi;
    TCheieCamp m_campCnp;
    QString m_cheieCnp;
    QList<TCheieCamp> m_campuriElev;
    const TColoanaExcel* m_coloanaCnp = nullptr;
};
