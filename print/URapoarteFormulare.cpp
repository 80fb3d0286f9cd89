#include "print/URapoarteFormulare.h"

#include "platform/UEroare.h"
#include "platform/UScriereSigura.h"
#include "store/UDataModule.h"
#include "store/UFormulare.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <xlsxwriter.h>

#include <cmath>

namespace {
constexpr int Dpi = 600;
constexpr double MargineLaterala = 15;
constexpr double MargineVerticala = 12;
constexpr double SpatiuCelula = 1.2; // mm between a cell's border and its text
constexpr double InaltimeTitlu = 18; // mm above the column headings: title and subtitle
constexpr double InaltimeSubsol = 8; // mm below the last row for the page's number
constexpr double InaltimeSemnaturi = 25;

QString Data(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QFont Font(double inaltimeMm, bool aldin)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qMax(1, int(std::lround(inaltimeMm * Dpi / 25.4))));
    f.setBold(aldin);
    return f;
}

// The lines of `text` within `latime` pixels: words moved to the next line, a word wider than the column cut.
QStringList Rupe(const QString& text, const QFontMetricsF& fm, double latime)
{
    if (fm.horizontalAdvance(text) <= latime)
        return {text};
    QStringList linii;
    QString linie;
    for (QString cuvant : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString incercare = linie.isEmpty() ? cuvant : linie + QLatin1Char(' ') + cuvant;
        if (fm.horizontalAdvance(incercare) <= latime) {
            linie = incercare;
            continue;
        }
        if (!linie.isEmpty())
            linii << linie;
        linie.clear();
        while (fm.horizontalAdvance(cuvant) > latime && cuvant.size() > 1) {
            qsizetype n = cuvant.size() - 1;
            while (n > 1 && fm.horizontalAdvance(cuvant.left(n)) > latime)
                --n;
            linii << cuvant.left(n);
            cuvant = cuvant.mid(n);
        }
        linie = cuvant;
    }
    if (!linie.isEmpty() || linii.isEmpty())
        linii << linie;
    return linii;
}

struct TRandAsezat
{
    QList<QStringList> Celule; // lines of each column
    double InaltimeMm = 0;
};

class TDesenRaport
{
public:
    TDesenRaport(const TRaportFormulare& raport, QPdfWriter& pdf)
        : m_raport(raport), m_pdf(pdf), m_text(Font(2.6, false)), m_aldin(Font(2.6, true)), m_titlu(Font(4.2, true)),
          m_fm(m_text, &pdf), m_fmAldin(m_aldin, &pdf)
    {
        const QSizeF pagina = pdf.pageLayout().fullRect(QPageLayout::Millimeter).size();
        m_latimePagina = pagina.width();
        m_inaltimePagina = pagina.height();
        m_linie = m_fm.height() / m_pxPeMm;
    }

    int Scrie()
    {
        const TRandAsezat cap = Aseaza(TitluriColoane(), m_fmAldin);
        QList<TRandAsezat> randuri;
        randuri.reserve(m_raport.Randuri.size());
        for (const QStringList& r : m_raport.Randuri)
            randuri << Aseaza(r, m_fm);
        // Pages: rows from the top of the table while they fit above the page number; a row never splits.
        const double susTabel = MargineVerticala + InaltimeTitlu + cap.InaltimeMm;
        const double josTabel = m_inaltimePagina - MargineVerticala - InaltimeSubsol;
        QList<qsizetype> inceputuri{0};
        double y = susTabel;
        for (qsizetype i = 0; i < randuri.size(); ++i) {
            if (y + randuri[i].InaltimeMm > josTabel && i > inceputuri.last()) {
                inceputuri << i;
                y = susTabel;
            }
            y += randuri[i].InaltimeMm;
        }
        const bool semnaturiPePaginaNoua = !m_raport.Semnaturi.isEmpty() && y + InaltimeSemnaturi > josTabel;
        const int pagini = int(inceputuri.size()) + (semnaturiPePaginaNoua ? 1 : 0);

        QPainter p;
        if (!p.begin(&m_pdf))
            throw EEroare(QStringLiteral("documentul PDF nu poate fi inceput"));
        for (int pag = 0; pag < int(inceputuri.size()); ++pag) {
            if (pag > 0)
                m_pdf.newPage();
            Antet(p, pag + 1, pagini);
            y = MargineVerticala + InaltimeTitlu;
            DeseneazaRand(p, cap, y, true);
            y += cap.InaltimeMm;
            const qsizetype dupa = pag + 1 < inceputuri.size() ? inceputuri[pag + 1] : randuri.size();
            for (qsizetype i = inceputuri[pag]; i < dupa; ++i) {
                DeseneazaRand(p, randuri[i], y, false);
                y += randuri[i].InaltimeMm;
            }
        }
        if (semnaturiPePaginaNoua) {
            m_pdf.newPage();
            Antet(p, pagini, pagini);
            y = MargineVerticala + InaltimeTitlu;
        }
        if (!m_raport.Semnaturi.isEmpty()) {
            p.setFont(m_aldin);
            const double latime = (m_latimePagina - 2 * MargineLaterala) / m_raport.Semnaturi.size();
            for (qsizetype i = 0; i < m_raport.Semnaturi.size(); ++i)
                p.drawText(Px(MargineLaterala + i * latime, y + 10), m_raport.Semnaturi[i]);
        }
        if (!p.end())
            throw EEroare(QStringLiteral("documentul PDF nu a putut fi scris pana la capat"));
        return pagini;
    }

private:
    QStringList TitluriColoane() const
    {
        QStringList t;
        for (const TColoanaRaport& c : m_raport.Coloane)
            t << c.Titlu;
        return t;
    }

    TRandAsezat Aseaza(const QStringList& texte, const QFontMetricsF& fm) const
    {
        TRandAsezat r;
        qsizetype linii = 1;
        for (qsizetype c = 0; c < m_raport.Coloane.size(); ++c) {
            const double latime = (m_raport.Coloane[c].LatimeMm - 2 * SpatiuCelula) * m_pxPeMm;
            r.Celule << Rupe(texte.value(c), fm, latime);
            linii = qMax(linii, r.Celule.last().size());
        }
        r.InaltimeMm = linii * m_linie + 2 * SpatiuCelula;
        return r;
    }

    QPointF Px(double xMm, double yMm) const { return {xMm * m_pxPeMm, yMm * m_pxPeMm}; }

    void Antet(QPainter& p, int pagina, int pagini)
    {
        p.setFont(m_titlu);
        p.drawText(Px(MargineLaterala, MargineVerticala + 6), m_raport.Titlu);
        p.setFont(m_text);
        p.drawText(Px(MargineLaterala, MargineVerticala + 12), m_raport.Subtitlu);
        const QString numar = QStringLiteral("Pagina %1 din %2").arg(pagina).arg(pagini);
        const double dreapta = (m_latimePagina - MargineLaterala) * m_pxPeMm;
        p.drawText(QPointF(dreapta - m_fm.horizontalAdvance(numar), (m_inaltimePagina - MargineVerticala) * m_pxPeMm),
                   numar);
    }

    void DeseneazaRand(QPainter& p, const TRandAsezat& r, double yMm, bool cap)
    {
        p.setFont(cap ? m_aldin : m_text);
        const QFontMetricsF& fm = cap ? m_fmAldin : m_fm;
        double x = MargineLaterala;
        for (qsizetype c = 0; c < m_raport.Coloane.size(); ++c) {
            const TColoanaRaport& col = m_raport.Coloane[c];
            const QRectF celula(Px(x, yMm), Px(x + col.LatimeMm, yMm + r.InaltimeMm));
            if (cap)
                p.fillRect(celula, QColor(225, 225, 225));
            p.drawRect(celula);
            double baza = yMm + SpatiuCelula;
            for (const QString& linie : r.Celule[c]) {
                const double xText = col.Numeric && !cap
                                         ? (x + col.LatimeMm - SpatiuCelula) * m_pxPeMm - fm.horizontalAdvance(linie)
                                         : (x + SpatiuCelula) * m_pxPeMm;
                p.drawText(QPointF(xText, baza * m_pxPeMm + fm.ascent()), linie);
                baza += m_linie;
            }
            x += col.LatimeMm;
        }
    }

    const TRaportFormulare& m_raport;
    QPdfWriter& m_pdf;
    QFont m_text, m_aldin, m_titlu;
    QFontMetricsF m_fm, m_fmAldin;
    const double m_pxPeMm = Dpi / 25.4;
    double m_latimePagina = 0, m_inaltimePagina = 0, m_linie = 0;
};

EEroare EroareFisier(const QString& fisier, const QString& motiv)
{
    return EEroare(
        QStringLiteral("Fisierul \"%1\" nu a putut fi scris: %2.").arg(QDir::toNativeSeparators(fisier), motiv));
}
} // namespace

TRaportFormulare RaportRegistru(TDM& dm)
{
    TRaportFormulare r;
    r.Titlu = QStringLiteral("Registrul de evidenta a certificatelor eliberate");
    r.Coloane = {{QStringLiteral("Nr. registru"), 22, true},   {QStringLiteral("Numele si prenumele"), 70, false},
                 {QStringLiteral("CNP"), 32, false},           {QStringLiteral("Seria"), 18, false},
                 {QStringLiteral("Numarul"), 22, true},        {QStringLiteral("Data eliberarii"), 24, false},
                 {QStringLiteral("Data primirii"), 24, false}, {QStringLiteral("Semnatura de primire"), 55, false}};
    for (const TFormularFolosit& f : FormulareEliberate(dm))
        r.Randuri << QStringList{
            QString::number(f.NrRegistru), f.Elev,   f.Cnp, f.Serie, QString::number(f.Numar), Data(f.DataEliberarii),
            Data(f.DataPrimirii),          QString()};
    r.Subtitlu =
        QStringLiteral("%1, la data de %2")
            .arg(Cate(r.Randuri.size(), QStringLiteral("certificat eliberat"), QStringLiteral("certificate eliberate")),
                 Data(QDate::currentDate()));
    return r;
}

QString Cate(qint64 n, const QString& unul, const QString& multe)
{
    if (n == 1)
        return QStringLiteral("1 ") + unul;
    const qint64 rest = n % 100;
    const bool de = n != 0 && (rest == 0 || rest >= 20);
    return QStringLiteral("%1 %2%3").arg(n).arg(de ? QStringLiteral("de ") : QString(), multe);
}

TRaportFormulare RaportAnulari(TDM& dm, const QDate& de, const QDate& pana)
{
    if (!de.isValid() || !pana.isValid() || pana < de)
        throw EEroare(QStringLiteral("Perioada proces-verbalului este gresita: de la \"%1\" pana la \"%2\".")
                          .arg(Data(de), Data(pana)));
    TRaportFormulare r;
    r.Titlu = QStringLiteral("Proces-verbal de anulare a formularelor");
    r.Orientare = QPageLayout::Portrait;
    r.Coloane = {{QStringLiteral("Nr. crt."), 14, true},       {QStringLiteral("Seria"), 18, false},
                 {QStringLiteral("Numarul"), 22, true},        {QStringLiteral("Elevul"), 46, false},
                 {QStringLiteral("Data anularii"), 24, false}, {QStringLiteral("Motivul"), 56, false}};
    int n = 0;
    for (const TFormularFolosit& f : FormulareAnulate(dm, de, pana))
        r.Randuri << QStringList{QString::number(++n), f.Serie, QString::number(f.Numar), f.Elev,
                                 Data(f.DataAnularii), f.Motiv};
    r.Subtitlu =
        QStringLiteral("%1 intre %2 si %3")
            .arg(Cate(n, QStringLiteral("formular anulat"), QStringLiteral("formulare anulate")), Data(de), Data(pana));
    r.Semnaturi = {QStringLiteral("Director,"), QStringLiteral("Secretar,")};
    return r;
}

int ScrieRaportPdf(const TRaportFormulare& raport, const QString& fisier)
{
    TFisierInLucru inLucru(fisier);
    if (!inLucru.Valid())
        throw EroareFisier(fisier, inLucru.Motiv());
    int pagini = 0;
    {
        QPdfWriter pdf(inLucru.Cale());
        pdf.setResolution(Dpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), raport.Orientare, QMarginsF()));
        pdf.setTitle(raport.Titlu);
        pdf.setCreator(QStringLiteral("Tessaluna"));
        try {
            pagini = TDesenRaport(raport, pdf).Scrie();
        } catch (const EEroare& e) {
            throw EroareFisier(fisier, e.Mesaj());
        }
    }
    QString motiv;
    if (!inLucru.Incheie(motiv))
        throw EroareFisier(fisier, motiv);
    return pagini;
}

void ScrieRaportXlsx(const TRaportFormulare& raport, const QString& fisier)
{
    TFisierInLucru inLucru(fisier);
    if (!inLucru.Valid())
        throw EroareFisier(fisier, inLucru.Motiv());
    const QByteArray cale = QFile::encodeName(inLucru.Cale());
    // Rows go to a temporary file as they are written, so memory stays flat however long the register.
    lxw_workbook_options optiuni{};
    optiuni.constant_memory = LXW_TRUE;
    lxw_workbook* carte = workbook_new_opt(cale.constData(), &optiuni);
    if (!carte)
        throw EroareFisier(fisier, QStringLiteral("registrul de calcul nu poate fi inceput"));
    const QByteArray numeFoaie = raport.Titlu.section(QLatin1Char(' '), 0, 0).left(31).toUtf8();
    lxw_worksheet* foaie = workbook_add_worksheet(carte, numeFoaie.constData());
    lxw_format* aldin = workbook_add_format(carte);
    format_set_bold(aldin);
    lxw_format* cap = workbook_add_format(carte);
    format_set_bold(cap);
    format_set_border(cap, LXW_BORDER_THIN);
    format_set_text_wrap(cap);
    const int primulRand = 3;
    for (qsizetype c = 0; c < raport.Coloane.size(); ++c)
        worksheet_set_column(foaie, lxw_col_t(c), lxw_col_t(c), raport.Coloane[c].LatimeMm / 2.0, nullptr);
    worksheet_repeat_rows(foaie, primulRand, primulRand);
    worksheet_set_landscape(foaie);
    if (raport.Orientare == QPageLayout::Portrait)
        worksheet_set_portrait(foaie);
    worksheet_set_paper(foaie, 9); // A4
    worksheet_write_string(foaie, 0, 0, raport.Titlu.toUtf8().constData(), aldin);
    worksheet_write_string(foaie, 1, 0, raport.Subtitlu.toUtf8().constData(), nullptr);
    for (qsizetype c = 0; c < raport.Coloane.size(); ++c)
        worksheet_write_string(foaie, primulRand, lxw_col_t(c), raport.Coloane[c].Titlu.toUtf8().constData(), cap);
    lxw_row_t rand = primulRand + 1;
    for (const QStringList& r : raport.Randuri) {
        for (qsizetype c = 0; c < raport.Coloane.size() && c < r.size(); ++c) {
            if (r[c].isEmpty())
                continue;
            bool numar = false;
            const double valoare = raport.Coloane[c].Numeric ? r[c].toDouble(&numar) : 0;
            if (numar)
                worksheet_write_number(foaie, rand, lxw_col_t(c), valoare, nullptr);
            else
                worksheet_write_string(foaie, rand, lxw_col_t(c), r[c].toUtf8().constData(), nullptr);
        }
        ++rand;
    }
    rand += 2;
    for (qsizetype i = 0; i < raport.Semnaturi.size(); ++i)
        worksheet_write_string(foaie, rand, lxw_col_t(i * 3), raport.Semnaturi[i].toUtf8().constData(), aldin);
    const lxw_error eroare = workbook_close(carte);
    if (eroare != LXW_NO_ERROR)
        throw EroareFisier(fisier, QString::fromUtf8(lxw_strerror(eroare)));
    QString motiv;
    if (!inLucru.Incheie(motiv))
        throw EroareFisier(fisier, motiv);
}
