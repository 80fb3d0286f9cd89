#pragma once

#include "store/UDataModule.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Operations on the records of the value store, for every caller that adds, changes or deletes records:
// the add-student dialog, the row editor of other tables, the import and the tests. None of them starts
// or ends a transaction: each runs in the caller's (a TGardaTranzactie), which must be active. Table names
// come from the registered table list or from TABELE, never from what a user typed.

// A new record of `tabel`: the next value of G_ID_<tabel>, then a row holding only that identifier. Uses Q1.
// The generator is not transactional: a rolled-back caller leaves the identifier used.
qint32 CreeazaInregistrare(TDM& dm, const QString& tabel);

// How many records `tabel` holds. Uses Q1.
int NumarInregistrari(TDM& dm, const QString& tabel);

// Deletes a record; the cascades of "DATE" remove its values and every link row to it. Uses Q1.
void StergeInregistrare(TDM& dm, const QString& tabel, qint32 id);

// Writes one field's value for record `id` of `tabel`: the text trimmed and cut to `limita` characters,
// inserted as a new value row or updated in the existing one (which is then owned by that table alone).
// Uses Q1 for the lookup and Q2 for the table list and the write.
void ScrieValoareCamp(TDM& dm, const TCheieCamp& cheie, const QString& tabel, qint32 id, const QString& text,
                      int limita);

// The tables other than ELEVI, named in TABELE, that own fields of the profile: the records a student is
// tied to (for this program the school). Uses Q1.
QStringList TabeleLegate(TDM& dm);

// The record of `tabel` the student is tied to, or -1. Uses Q1.
qint32 InregistrareLegata(TDM& dm, qint32 idElev, const QString& tabel);

// The text of the field's own value row for record `id` of `tabel`, no mirror followed: a null text when the row is
// missing or its text is NULL (an editor then keeps its initial content). Uses Q1.
QString TextValoareProprie(TDM& dm, const TCheieCamp& cheie, const QString& tabel, qint32 id);

// Every distinct text the field holds, of any record, in the database's order; a NULL as an empty text. Uses Q1.
QStringList TexteFolosite(TDM& dm, const TCheieCamp& cheie);

// True when the student has a value row tied to a record of `tabel`. Uses Q4.
bool ElevLegatDe(TDM& dm, qint64 idElev, const QString& tabel);

// The identifiers of every student, in the database's order. Uses Q5.
QList<qint32> IdElevi(TDM& dm);

// "SCOALA" -> "Scoala": a table's name as a caption.
QString TitluTabel(const QString& tabel);

// Ties the student to record `idInregistrare` of `tabel`: every link row he has to that table is moved to
// it, and one is added for each field of the table he has none for. A value row the student owns under such
// a field (a field moved to the table by a profile change) is left as it is. Uses Q1.
void LeagaElev(TDM& dm, qint32 idElev, const QString& tabel, qint32 idInregistrare);

// Ties every student who has no link row to `tabel` to record `idInregistrare`. Uses Q1.
void LeagaEleviNelegati(TDM& dm, const QString& tabel, qint32 idInregistrare);

// The rows of a spreadsheet import, one student per row. The CNP field is the profile's field of type CNP.
// The first student (in the database's order) whose CNP field holds `cnp`, or -1. Uses Q1.
qint32 CautaElevDupaCnp(TDM& dm, const TCheieCamp& campCnp, const QString& cnp);

// The student fields of the profile, mirrored and CNP fields included: the value rows a new student gets.
// Uses Q1.
QList<TCheieCamp> CampuriElev(TDM& dm);

// A new student: the next identifier, his row, and a value row for each of `campuri` holding the number 0 and
// the text `valori` gives for the field's key ("form.page.field"), or an empty text. A text longer than a
// value holds raises EEroare. Uses Q1.
qint32 CreeazaElevCuValori(TDM& dm, const QList<TCheieCamp>& campuri, const QHash<QString, QString>& valori);

// Sets the text of a student's field and nothing else (the number keeps its value). A student without a value
// row for the field is left as he is. A text longer than a value holds raises EEroare. Uses Q1.
void ScrieTextElev(TDM& dm, qint32 idElev, const TCheieCamp& cheie, const QString& text);

// Rewrites, through `rescrie`, every value text a student's certificate reads: his own value rows and those of
// the records he is tied to (the school). Returns how many rows changed. Uses Q1 and Q2.
int RescrieValoriElev(TDM& dm, qint32 idElev, const std::function<QString(const QString&)>& rescrie);

// How many characters a value's text holds.
constexpr int LungimeValoareText = 256;

// One record of a table as a list shows it.
struct TInregistrare
{
    qint32 Id = -1;
    QString Denumire;
};

// The records of `tabel` in the database's order, each named by `expresie` expanded from its own values
// (ParseExpInregistrare). Uses Q5 for the records, Q1 to Q3 for the names.
QList<TInregistrare> Inregistrari(TDM& dm, const QString& tabel, const QString& expresie);
