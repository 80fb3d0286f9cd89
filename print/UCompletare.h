#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class TDM;
class TSursaInBloc;
class TInfoGlobal2005;
struct TPaginaRandata;

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
    int TipNota = 0;            // 0 NOTA_DIPLOMA, 1 NOTA_COTOR, 2 MEDIE_DIPLOMA, 3 MEDIE_COTOR
    std::optional<double> Nota; // hundredths of a point (9.63 is 963); absent without a value
    int Sus = -1;               // indexes into the page's areas of the upper and lower area of the grade
    int Jos = -1;
};

// Reads a student's values and decides what each area of a page shows. Needs no widget. Tr must be active
// (the caller rolls it back: filling only reads); uses Q1 to Q4. The profile is read once, each student's
// value rows in one query, a linked record's (the school's) once for all the students that link to it; the
// values resolve through the mirrored fields as ValoareCamp resolves them.
class TCompletareFormular
{
public:
    TCompletareFormular(TDM& dm, qint64 idElev);
    ~TCompletareFormular();

    // Goes on with another student: the values are read again, the fields' data types are kept.
    void SchimbaElev(qint64 idElev);
    // The student's value of a field ("form.page.field"), as ValoareCamp resolves it; read once per student.
    QString ValoareCamp(const QString& cheie);
    // Whether one of the student's value rows links to a record of `tabel` (a table that owns fields); absent
    // when the table owns no field of the profile, so the rows were not read for it.
    std::optional<bool> LegatDe(const QString& tabel);

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
    std::unique_ptr<TSursaInBloc> m_sursa;
    QHash<QString, TCamp> m_campuri;
    QHash<QString, QString> m_tipuri; // data type per field key, for every student
};

// A grade as the global settings write it into its upper and (optional) lower area.
struct TNotaFormatata
{
    QString Sus;
    QString Jos;
    bool JosAscuns = false;   // one line: the lower area is hidden
    bool SusLaMijloc = false; // and the upper one sits halfway between both areas' designed tops
};
// `valoare` counts hundredths of a point; absent, the upper area shows "----". `tip` is the grade kind.
TNotaFormatata FormateazaNota(const TInfoGlobal2005& setari, bool areJos, std::optional<double> valoare, int tip);

// Fills every area of a page held as data with a student's values, as the preview's filling does. The
// caller's transaction and TCompletareFormular as above.
void CompleteazaPaginaRandata(TCompletareFormular& completare, const TInfoGlobal2005& setari, TPaginaRandata& pagina);
// The same, reading the global settings only when the page shows a grade.
void CompleteazaPaginaRandata(TCompletareFormular& completare, TPaginaRandata& pagina);
