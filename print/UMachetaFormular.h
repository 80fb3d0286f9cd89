#pragma once

#include "print/UGeometriePrint.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Layout data of a printable form: what its window holds, read from a data file.

struct TMachetaFont
{
    QString Name;
    QString FontName = QStringLiteral("Arial");
    int CodePage = 1250;
    int CharSet = 238;
    double Size = 3.0;
    bool Bold = false;
    bool Italic = false;
    QString DescrierePentruEditor;
    bool operator==(const TMachetaFont&) const = default;
};

struct TMachetaZona
{
    QString Name;
    // Millimetres, derived from whole pixels counted at zoom `ZoomLock`.
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    double ZoomLock = 0;
    QString Text;
    QString Font; // name of a font of the same form
    TAlignment Alignment = taLeftJustify;
    QString Denumire1;
    QString Denumire2;
    QString Denumire3;
    QStringList SursaText;
    bool operator==(const TMachetaZona&) const = default;
};

struct TMachetaPagina
{
    QString Name;
    double Latime = 10;
    double Inaltime = 10;
    double Zoom = 100;
    double TextAreaTopLine1_delta = 1.0;
    double TextAreaBaseLine2_delta = 1.0;
    QString BkImage;          // file or resource path of the background picture; empty = none
    QList<TMachetaZona> Zone; // in child order
    bool operator==(const TMachetaPagina&) const = default;
};

struct TMachetaFormular
{
    QString Name;                // objectName of the form window (the adjustments store's NumeFormular)
    QList<TMachetaFont> Fonturi; // in component order
    QList<TMachetaPagina> Pagini;
    bool operator==(const TMachetaFormular&) const = default;
};

class QObject;
class TFontFormular;
// A font of the layout, owned by `proprietar`.
TFontFormular* CreeazaFontFormular(const TMachetaFont& m, QObject* proprietar);

// Makes the program's pictures and layout data (":/tessaluna/...") readable.
void IncarcaResursePrint();

// Parses layout data; throws EEroare naming what is wrong. An area's rectangle is either "Pixels" counted at
// its "ZoomLock" (the program's own layout) or "Mm" (left, top, width, height in millimetres, an edited one).
TMachetaFormular CitesteMacheta(const QByteArray& json);

// The certificate's layout built into the program, read once from its resources.
const TMachetaFormular& MachetaCertificatInitiala();

// The certificate's layout in use: the school's own when it has one (UMachetaProprie), else the built-in one.
// The reference stays valid for the process; its contents change when the school's layout changes.
// Throws EEroare when the school's layout file cannot be read.
const TMachetaFormular& MachetaCertificat();

struct TProfilCamp;
// The fields among `valori` (texts by key "form.page.field") whose empty text leaves an area of `macheta` empty:
// the area's own field, or the one it follows as a mirror (UnesteCheie keys, in the order the areas come).
// A field that is not among `valori` counts as filled; second lines ("_L2") may stay empty.
QStringList CampuriGoaleTiparite(const TMachetaFormular& macheta, const QHash<QString, TProfilCamp>& profil,
                                 const QHash<QString, QString>& valori);
