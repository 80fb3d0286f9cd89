#include "store/UEvaluatorExpresie.h"

#include "platform/UEroare.h"

#include <QSet>

TEvaluatorExpresie::TEvaluatorExpresie(TDM& dm, const QString& expresie)
    : m_dm(dm), m_segmente(ParseazaExpresie(expresie))
{
}

QString TEvaluatorExpresie::Normalizata(const TCheieCamp& cheie)
{
    return FaraSpatiiFinale(cheie.Formular) + u'\x1f' + FaraSpatiiFinale(cheie.Pagina) + u'\x1f' +
           FaraSpatiiFinale(cheie.Camp);
}

void TEvaluatorExpresie::AdunaCampuri(TCheieCamp cheie, QMap<QString, TCheieCamp>& campuri) const
{
    // The same walk as the resolution, taking every field whose own value it may read.
    for (int adancime = 0; adancime <= AdancimeMaximaOglinzi; ++adancime) {
        const auto it = m_profil.constFind(Normalizata(cheie));
        if (it == m_profil.cend())
            return;
        const TModRezolvare mod = ModRezolvare(*it);
        if (mod != TModRezolvare::Oglinda)
            campuri.insert(Normalizata(cheie), cheie);
        if (mod == TModRezolvare::Propriu)
            return;
        cheie = DesparteCheie(it->SimilarCu);
    }
}

void TEvaluatorExpresie::Pregateste()
{
    if (!m_dm.Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    TQuery& q = m_dm.Q1;
    const TGardaCursor cursor(q);
    m_profil.clear();
    q.SetSQL(QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR, SIMILAR_CU, ASOCIAT_CU from "
                            "PROFIL_DIPLOMA"));
    q.Open();
    while (!q.Eof()) {
        const TCheieCamp cheie{q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                               q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                               q.FieldByName(QStringLiteral("COD_CAMP")).AsString()};
        m_profil.insert(Normalizata(cheie), TProfilCamp{q.FieldByName(QStringLiteral("ONOREZ_SIMILAR")).AsString(),
                                                        q.FieldByName(QStringLiteral("SIMILAR_CU")).AsString(),
                                                        q.FieldByName(QStringLiteral("ASOCIAT_CU")).AsString()});
        q.Next();
    }

    QMap<QString, TCheieCamp> campuri;
    for (const TSegmentExpresie& s : std::as_const(m_segmente)) {
        if (s.EsteCheie)
            AdunaCampuri(s.Cheie, campuri);
    }
    m_cunoscute.clear();
    m_indexCamp.clear();
    m_randuriElev.clear();
    m_valoriTabele.clear();
    m_tabeleLegate.clear();
    if (campuri.isEmpty())
        return;

    // Tables other than ELEVI that the fields belong to and that "DATE" has link columns for.
    QSet<QString> coloane;
    q.SetSQL(QStringLiteral("select trim(RDB$FIELD_NAME) as NUME from RDB$RELATION_FIELDS where RDB$RELATION_NAME = "
                            "'DATE'"));
    q.Open();
    while (!q.Eof()) {
        coloane.insert(q.FieldByName(QStringLiteral("NUME")).AsString());
        q.Next();
    }
    QStringList coduri;
    for (auto it = campuri.cbegin(); it != campuri.cend(); ++it) {
        m_indexCamp.insert(it.key(), int(m_indexCamp.size()));
        if (!coduri.contains(it->Camp))
            coduri << it->Camp;
        const QString asociat = m_profil.value(it.key()).AsociatCu;
        const QString tabel = asociat.toUpper();
        if (asociat != u"ELEVI" && !m_tabeleLegate.contains(tabel) &&
            coloane.contains(QStringLiteral("IDF_") + tabel) && coloane.contains(QStringLiteral("ID_") + tabel))
            m_tabeleLegate << tabel;
    }
    m_valoriTabele.resize(m_tabeleLegate.size());

    QString sql = QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI");
    for (const QString& t : std::as_const(m_tabeleLegate))
        sql += QStringLiteral(", IDF_%1, ID_%1").arg(t);
    sql += QStringLiteral(" from \"DATE\" where ");
    for (int i = 0; i < coduri.size(); ++i)
        sql += (i ? QStringLiteral(" or ") : QString()) + QStringLiteral("COD_CAMP = :C%1").arg(i);
    q.SetSQL(sql);
    for (int i = 0; i < coduri.size(); ++i)
        q.ParamByName(QStringLiteral("C%1").arg(i)).SetAsString(coduri[i]);
    // Each field's codes as the value rows hold them (UTF-8 without trailing blanks): a row is matched to its
    // field by comparing bytes, without building texts, as the rows read here are many.
    struct TCoduriCamp
    {
        QByteArray Formular, Pagina, Camp;
        int Index;
    };
    QList<TCoduriCamp> coduriCampuri;
    for (auto it = campuri.cbegin(); it != campuri.cend(); ++it)
        coduriCampuri << TCoduriCamp{FaraSpatiiFinale(it->Formular).toUtf8(), FaraSpatiiFinale(it->Pagina).toUtf8(),
                                     FaraSpatiiFinale(it->Camp).toUtf8(), m_indexCamp.value(it.key())};
    const auto faraBlancuri = [](QByteArrayView text) {
        while (!text.isEmpty() && text.back() == ' ')
            text.chop(1);
        return text;
    };
    q.Open();
    const int iFormular = q.IndexColoana(QStringLiteral("COD_FORMULAR"));
    const int iPagina = q.IndexColoana(QStringLiteral("COD_PAGINA"));
    const int iCamp = q.IndexColoana(QStringLiteral("COD_CAMP"));
    const int iValoare = q.IndexColoana(QStringLiteral("VALOARE_TEXT"));
    const int iElev = q.IndexColoana(QStringLiteral("ID_ELEVI"));
    QList<int> iLegaturi, iProprietari;
    for (const QString& t : std::as_const(m_tabeleLegate)) {
        iLegaturi << q.IndexColoana(QStringLiteral("IDF_") + t);
        iProprietari << q.IndexColoana(QStringLiteral("ID_") + t);
    }
    while (!q.Eof()) {
        const QByteArrayView codCamp = faraBlancuri(q.TextBrut(iCamp));
        const QByteArrayView codPagina = faraBlancuri(q.TextBrut(iPagina));
        const QByteArrayView codFormular = faraBlancuri(q.TextBrut(iFormular));
        int camp = -1;
        for (const TCoduriCamp& c : std::as_const(coduriCampuri)) {
            if (c.Camp == codCamp && c.Pagina == codPagina && c.Formular == codFormular) {
                camp = c.Index;
                break;
            }
        }
        if (camp >= 0) {
            const QString valoare = q.Camp(iValoare).AsString();
            const TCamp elev = q.Camp(iElev);
            // Only the first row of a field and owner counts, as a lookup takes the first row it finds.
            if (!elev.IsNull() && !m_randuriElev.contains({camp, elev.AsInteger()})) {
                TRandElev rand{valoare, {}};
                for (const int i : std::as_const(iLegaturi)) {
                    const TCamp legatura = q.Camp(i);
                    rand.Legaturi << (legatura.IsNull() ? -1 : legatura.AsInteger());
                }
                m_randuriElev.insert({camp, elev.AsInteger()}, rand);
            }
            for (int t = 0; t < iProprietari.size(); ++t) {
                const TCamp proprietar = q.Camp(iProprietari[t]);
                if (!proprietar.IsNull() && !m_valoriTabele[t].contains({camp, proprietar.AsInteger()}))
                    m_valoriTabele[t].insert({camp, proprietar.AsInteger()}, valoare);
            }
        }
        q.Next();
    }
}

const TEvaluatorExpresie::TCheieCunoscuta& TEvaluatorExpresie::Cunoscuta(const TCheieCamp& cheie)
{
    for (const TCheieCunoscuta& c : std::as_const(m_cunoscute)) {
        if (c.Cheie.Camp == cheie.Camp && c.Cheie.Pagina == cheie.Pagina && c.Cheie.Formular == cheie.Formular)
            return c;
    }
    const QString normalizata = Normalizata(cheie);
    const auto profil = m_profil.constFind(normalizata);
    m_cunoscute.append(TCheieCunoscuta{cheie, profil == m_profil.cend() ? nullptr : &*profil,
                                       m_indexCamp.value(normalizata, -1)});
    return m_cunoscute.constLast();
}

bool TEvaluatorExpresie::Profil(const TCheieCamp& cheie, TProfilCamp& profil)
{
    const TCheieCunoscuta& c = Cunoscuta(cheie);
    if (!c.Profil)
        return false;
    profil = *c.Profil;
    return true;
}

QString TEvaluatorExpresie::ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id)
{
    const int camp = Cunoscuta(cheie).Camp;
    const auto rand = m_randuriElev.constFind({camp, id});
    if (camp < 0 || rand == m_randuriElev.cend())
        return {};
    if (asociatCu == u"ELEVI")
        return rand->Valoare;
    const int tabel = int(m_tabeleLegate.indexOf(asociatCu.toUpper()));
    if (tabel < 0 || rand->Legaturi[tabel] < 0)
        return {};
    return m_valoriTabele[tabel].value({camp, rand->Legaturi[tabel]});
}

QString TEvaluatorExpresie::Evalueaza(qint64 idElev)
{
    QString rezultat;
    for (const TSegmentExpresie& s : std::as_const(m_segmente))
        rezultat += s.EsteCheie ? RezolvaValoare(*this, s.Cheie, idElev) : s.Text;
    return rezultat;
}
