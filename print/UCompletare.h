#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// What the filling needs of one text area: its name, its keys and its pixel top on the page.
struct TZonaDeCompletat
{
    QString Name;
    QString Denumire1; // field key
    QString Denumire2; // 1-based character position, or empty
    QString Denumire3; // character count, or the grade kind of a "NOTA" field
    int Top = 0;
};

// What an area shows: a text, or a grade written through the grade formatter into a pair of areas.
struct TTextZonaCompletata
{
    QString Text;
    bool EsteNota = false;
    int TipNota = 0;              // 0 NOTA_DIPLOMA, 1 NOTA_COTOR, 2 MEDIE_DIPLOMA, 3 MEDIE_COTOR
    std::optional<double> Nota;   // hundredths of a point (9.63 is 963); absent without a value
    int Sus = -1;                 // indexes into the page's areas of the upper and lower area of the grade
    int Jos = -1;
};

// Reads a student's values and decides what each area of a page shows. Needs no widget. Tr must be active
// (the caller rolls it back: filling only reads); uses Q1 to Q4. Fields named by several areas (the digit
// boxes of a code) are read once.
class TCompletareFormular
{
public:
    TCompletareFormular(TDM& dm, qint64 idElev);

    // What area `index` of `zone` (a page's areas in child order) shows. Throws EEroare with the message
    // that names the area when its key names no profile field or its positions are not numbers.
    TTextZonaCompletata Zona(const QList<TZonaDeCompletat>& zone, int index);

private:
    struct TCamp
    {
        QString Valoare;
        QString Tip;
    };
    const TCamp& Camp(const TZonaDeCompletat& zona);

    TDM& m_dm;
    qint64 m_id;
    QHash<QString, TCamp> m_campuri;
};
