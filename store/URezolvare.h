#pragma once

#include "store/UDataModule.h"

#include <QHash>
#include <QList>
#include <QString>

// What resolving a field's value needs of the field's profile row.
struct TProfilCamp
{
    QString OnorezSimilar;
    QString SimilarCu;
    QString AsociatCu;
};

// Every field's profile row by its key ("form.page.field", codes trimmed). Uses Q1, in the caller's
// transaction.
QHash<QString, TProfilCamp> ProfilulCampurilor(TDM& dm);

// Where values come from: the database one lookup at a time, or values read in bulk beforehand.
class TSursaValori
{
public:
    virtual ~TSursaValori() = default;
    // False when the field has no profile row.
    virtual bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) = 0;
    // The field's own value for a student: its owner row in ELEVI, or the row of another table it links to.
    virtual QString ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id) = 0;
};

// How a field's value is found. The one place that reads ONOREZ_SIMILAR for the resolution.
enum class TModRezolvare
{
    Propriu,            // "NU" (any case), an empty mode, or no mirrored field
    PropriuApoiOglinda, // "SELECTIV" and "OPTIONAL": the own value when it is not empty, else the mirror
    Oglinda,            // "DA" and any other mode
};
TModRezolvare ModRezolvare(const TProfilCamp& profil);

// The value of a field for a record, following mirrored fields by ModRezolvare.
// Chains longer than AdancimeMaximaOglinzi are taken as a loop in the profile and give an empty text.
QString RezolvaValoare(TSursaValori& sursa, TCheieCamp cheie, qint64 id);
constexpr int AdancimeMaximaOglinzi = 16;

// A display expression cut into literal texts and field keys ("{FORMULAR.PAGINA.CAMP}").
struct TSegmentExpresie
{
    bool EsteCheie = false;
    QString Text;
    TCheieCamp Cheie;
};
QList<TSegmentExpresie> ParseazaExpresie(const QString& expresie);

// Characters the key columns of the profile and the value store hold; a longer code names no field.
constexpr int LungimeMaximaCod = 64;
// True when one of the key's codes is longer than the key columns: such a key names no field.
bool CheiePreaLunga(const TCheieCamp& cheie);

// Field codes compare as the database compares texts: trailing blanks do not count.
QString FaraSpatiiFinale(const QString& text);
