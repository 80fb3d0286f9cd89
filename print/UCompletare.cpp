#include "print/UCompletare.h"

#include "platform/UEroare.h"
#include "print/UPaginaRandata.h"
#include "settings/UInfoGlobal2005.h"
#include "settings/UTextRomanesc.h"
#include "store/UDataModule.h"
#include "store/UProfilDiploma.h"
#include "store/URezolvare.h"
#include "store/USursaInBloc.h"

#include <cmath>
#include <functional>

namespace {
const QString ClasaZona = QStringLiteral("TFormularTextArea");

// The conversion used for positions: -1234 stands for "not a number".
int NumarSau1234(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : -1234;
}

int TipNota(const QString& denumire3)
{
    static const QStringList tipuri = {QStringLiteral("NOTA_DIPLOMA"), QStringLiteral("NOTA_COTOR"),
                                       QStringLiteral("MEDIE_DIPLOMA"), QStringLiteral("MEDIE_COTOR")};
    return int(tipuri.indexOf(denumire3.trimmed().toUpper()));
}
} // namespace

TCompletareFormular::TCompletareFormular(TDM& dm, qint64 idElev)
    : m_dm(dm), m_id(idElev), m_sursa(std::make_unique<TSursaInBloc>(dm))
{
}

TCompletareFormular::~TCompletareFormular() = default;

void TCompletareFormular::SchimbaElev(qint64 idElev)
{
    m_id = idElev;
    m_campuri.clear();
}

QString TCompletareFormular::ValoareCamp(const QString& cheie)
{
    const auto gasit = m_campuri.constFind(cheie);
    if (gasit != m_campuri.constEnd())
        return gasit->Valoare;
    return RezolvaValoare(*m_sursa, DesparteCheie(cheie), m_id);
}

std::optional<bool> TCompletareFormular::LegatDe(const QString& tabel)
{
    return m_sursa->LegatDe(tabel, m_id);
}

const TCompletareFormular::TCamp& TCompletareFormular::Camp(const TZonaDeCompletat& zona)
{
    const auto gasit = m_campuri.constFind(zona.Denumire1);
    if (gasit != m_campuri.constEnd())
        return *gasit;
    const TCheieCamp cheie = DesparteCheie(zona.Denumire1);
    TCamp camp;
    if (cheie.Formular.isEmpty() && cheie.Pagina.isEmpty() && cheie.Camp.isEmpty()) {
        camp.Tip = QStringLiteral("X");
    } else {
        camp.Valoare = RezolvaValoare(*m_sursa, cheie, m_id);
        const auto tip = m_tipuri.constFind(zona.Denumire1);
        if (tip != m_tipuri.constEnd()) {
            camp.Tip = *tip;
        } else {
            if (CheiePreaLunga(cheie))
                throw EEroare(QStringLiteral("%1.%2 face referire la campul inexistent %3.%4.%5")
                                  .arg(zona.Name, ClasaZona, cheie.Formular, cheie.Pagina, cheie.Camp));
            const bool gasitProfil = TipDeDateCamp(m_dm, cheie, camp.Tip);
            if (!gasitProfil)
                throw EEroare(QStringLiteral("%1.%2 face referire la campul inexistent %3.%4.%5")
                                  .arg(zona.Name, ClasaZona, cheie.Formular, cheie.Pagina, cheie.Camp));
            m_tipuri.insert(zona.Denumire1, camp.Tip);
        }
    }
    return *m_campuri.insert(zona.Denumire1, camp);
}

TTextZonaCompletata TCompletareFormular::Zona(const QList<TZonaDeCompletat>& zone, int index)
{
    const TZonaDeCompletat& zona = zone[index];
    const TCamp& camp = Camp(zona);
    TTextZonaCompletata r;
    if (camp.Tip != u"NOTA") {
        const int pozitie = NumarSau1234(zona.Denumire2);
        if (!zona.Denumire2.isEmpty() && pozitie == -1234)
            throw EEroare(QStringLiteral("%1.%2 are denumire2=\"%3\" (adica nu un numar)")
                              .arg(zona.Name, ClasaZona, zona.Denumire2));
        const int lungime = NumarSau1234(zona.Denumire3);
        if (!zona.Denumire3.isEmpty() && lungime == -1234)
            throw EEroare(QStringLiteral("%1.%2 are Denumire3=\"%3\" (adica nu un numar)")
                              .arg(zona.Name, ClasaZona, zona.Denumire3));
        const QString& v = camp.Valoare;
        if (zona.Denumire2.isEmpty())
            r.Text = v;
        else if (!zona.Denumire3.isEmpty())
            r.Text = pozitie <= v.size() ? v.mid(qMax(pozitie, 1) - 1, qMax(lungime, 0)) : QString();
        else
            r.Text = pozitie >= 1 && pozitie <= v.size() ? QString(v[pozitie - 1]) : QString();
        return r;
    }

    r.EsteNota = true;
    r.TipNota = TipNota(zona.Denumire3);
    if (r.TipNota < 0)
        throw EEroare(QStringLiteral("%1.%2 specifica un camp \"NOTA\" cu Denumire3 = \"%3\"; Denumire3 ar trebui sa "
                                     "fie NOTA_DIPLOMA, NOTA_COTOR, MEDIE_DIPLOMA sau MEDIE_COTOR!")
                          .arg(zona.Name, ClasaZona, zona.Denumire3));
    const QString cheie = zona.Denumire1.toUpper();
    const QString tip = zona.Denumire3.toUpper();
    for (int i = 0; i < zone.size(); ++i) {
        if (zone[i].Denumire1.toUpper() != cheie || zone[i].Denumire3.toUpper() != tip)
            continue;
        if (r.Sus < 0) {
            r.Sus = i;
        } else if (zone[i].Top > zone[r.Sus].Top) {
            r.Jos = i;
        } else {
            r.Jos = r.Sus;
            r.Sus = i;
        }
    }
    if (!camp.Valoare.isEmpty())
        r.Nota = double(ValoareNota(camp.Valoare)) / 100;
    return r;
}

TNotaFormatata FormateazaNota(const TInfoGlobal2005& setari, bool areJos, std::optional<double> valoare, int tip)
{
    TNotaFormatata r;
    const QString blanc = QStringLiteral(" ");
    int format = NumarFormatNota(setari.FormatPentruTip(tip));
    if (format >= 2 && !areJos)
        format = 1;
    r.JosAscuns = format <= 1 && areJos;
    r.SusLaMijloc = r.JosAscuns;
    r.Jos = blanc;
    if (!valoare) {
        r.Sus = QStringLiteral("----");
    } else {
        // Whole hundredths, ties to even.
        const int sutimi = static_cast<int>(std::nearbyint(*valoare));
        const QString numar = FormatFix(2, qint64(sutimi) * 100);
        QString cuvinte;
        if (format == 1 || format == 2)
            cuvinte = NotaInLitere(sutimi, mnProcent);
        else if (format == 3)
            cuvinte = NotaInLitere(sutimi, mnLitere);
        if (format >= 2) {
            r.Sus = numar;
            r.Jos = cuvinte;
        } else {
            r.Sus = cuvinte.isEmpty() ? numar : numar + blanc + cuvinte;
        }
    }
    const bool mari = setari.ScriuCuLitereMari() == QLatin1String("1");
    r.Sus = mari ? MariRomanesti(r.Sus) : MiciRomanesti(r.Sus);
    r.Jos = mari ? MariRomanesti(r.Jos) : MiciRomanesti(r.Jos);
    return r;
}

namespace {
void Completeaza(TCompletareFormular& completare, const std::function<const TInfoGlobal2005&()>& setari,
                 TPaginaRandata& pagina)
{
    QList<TZonaDeCompletat> descrieri;
    descrieri.reserve(pagina.Zone.size());
    // The pixel top at zoom 100 orders the areas of a grade, as on screen.
    const double dpi = ScreenDpi(100);
    for (const TZonaRandata& z : pagina.Zone)
        descrieri << TZonaDeCompletat{z.Name, z.Denumire1, z.Denumire2, z.Denumire3, MmToPixels(dpi, z.TopProiectat)};
    for (int i = 0; i < pagina.Zone.size(); ++i) {
        // The help lines stay: the corrections editor of a filled page shows where the value comes from.
        pagina.Zone[i].Text.clear();
        const TTextZonaCompletata r = completare.Zona(descrieri, i);
        if (!r.EsteNota) {
            pagina.Zone[i].Text = r.Text;
            continue;
        }
        if (r.Sus < 0)
            continue;
        TZonaRandata& sus = pagina.Zone[r.Sus];
        TZonaRandata* jos = r.Jos >= 0 ? &pagina.Zone[r.Jos] : nullptr;
        const TNotaFormatata n = FormateazaNota(setari(), jos != nullptr, r.Nota, r.TipNota);
        sus.Text = n.Sus;
        sus.Mm.moveTop(n.SusLaMijloc ? (sus.TopProiectat + jos->TopProiectat) / 2 : sus.TopProiectat);
        if (jos) {
            jos->Text = n.Jos;
            jos->Ascunsa = n.JosAscuns;
        }
    }
}
} // namespace

void CompleteazaPaginaRandata(TCompletareFormular& completare, const TInfoGlobal2005& setari, TPaginaRandata& pagina)
{
    Completeaza(
        completare, [&setari]() -> const TInfoGlobal2005& { return setari; }, pagina);
}

void CompleteazaPaginaRandata(TCompletareFormular& completare, TPaginaRandata& pagina)
{
    // The settings object writes itself back when destroyed: made only for a grade, as the formatter did.
    std::optional<TInfoGlobal2005> setari;
    Completeaza(
        completare,
        [&setari]() -> const TInfoGlobal2005& {
            if (!setari)
                setari.emplace();
            return *setari;
        },
        pagina);
}
