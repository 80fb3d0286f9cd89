#include "store/UEvaluatorExpresie.h"

#include "platform/UEroare.h"
#include "platform/UInDouaFire.h"

#include <QSet>
#include <QStringDecoder>

#include <condition_variable>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

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

bool TEvaluatorExpresie::PregatesteCampurile()
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
    m_coduriCampuri.clear();
    m_randuriElev.clear();
    m_texteElevi.clear();
    m_valoriTabele.clear();
    m_tabeleLegate.clear();
    if (campuri.isEmpty())
        return false;

    // Tables other than ELEVI that the fields belong to and that "DATE" has link columns for.
    QSet<QString> coloane;
    q.SetSQL(QStringLiteral("select trim(RDB$FIELD_NAME) as NUME from RDB$RELATION_FIELDS where RDB$RELATION_NAME = "
                            "'DATE'"));
    q.Open();
    while (!q.Eof()) {
        coloane.insert(q.FieldByName(QStringLiteral("NUME")).AsString());
        q.Next();
    }
    for (auto it = campuri.cbegin(); it != campuri.cend(); ++it) {
        m_indexCamp.insert(it.key(), int(m_indexCamp.size()));
        const QString asociat = m_profil.value(it.key()).AsociatCu;
        const QString tabel = asociat.toUpper();
        if (asociat != u"ELEVI" && !m_tabeleLegate.contains(tabel) &&
            coloane.contains(QStringLiteral("IDF_") + tabel) && coloane.contains(QStringLiteral("ID_") + tabel))
            m_tabeleLegate << tabel;
    }
    m_valoriTabele.resize(m_tabeleLegate.size());
    // A row is matched to its field by comparing bytes, without building texts, as the rows read are many.
    for (auto it = campuri.cbegin(); it != campuri.cend(); ++it)
        m_coduriCampuri << TCoduriCamp{FaraSpatiiFinale(it->Formular).toUtf8(), FaraSpatiiFinale(it->Pagina).toUtf8(),
                                       FaraSpatiiFinale(it->Camp).toUtf8(), m_indexCamp.value(it.key())};
    return true;
}

void TEvaluatorExpresie::Pregateste(const std::function<void(qint64 idElev)>& elevCitit)
{
    const bool campuri = PregatesteCampurile();
    InregistreazaCheile();
    if (campuri)
        CitesteRanduri(m_tabeleLegate.isEmpty() ? elevCitit : std::function<void(qint64)>());
}

int TEvaluatorExpresie::CampuriCitite(qint64 idElev) const
{
    int campuri = 0;
    for (int camp = 0; camp < m_indexCamp.size(); ++camp)
        campuri += m_randuriElev.contains({camp, idElev}) ? 1 : 0;
    return campuri;
}

namespace {
// An id column's NULL.
constexpr qint64 IdNul = std::numeric_limits<qint64>::min();

QByteArrayView FaraBlancuriFinale(QByteArrayView text)
{
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

qint64 IdSauNul(const TQuery& q, int coloana)
{
    const TCamp camp = q.Camp(coloana);
    return camp.IsNull() ? IdNul : camp.AsInteger();
}

// Value rows copied as the engine hands them over: the field, the owner and the value's bytes, and per linked
// table the IDF_ then the ID_ column.
struct TLotRanduri
{
    struct TRand
    {
        int Camp;
        qsizetype Inceput, Lungime;
        qint64 Elev;
    };
    QByteArray Texte;
    std::vector<TRand> Randuri;
    std::vector<qint64> Legaturi;
};

// Batches from the thread that fetches to the one that builds the values. Pune returns false once the builder
// has stopped on a failure; Ia returns null once the fetching is over and every batch is taken.
class TCoadaLoturi
{
public:
    bool Pune(std::unique_ptr<TLotRanduri> lot)
    {
        const std::lock_guard<std::mutex> blocare(m_blocare);
        if (m_oprita)
            return false;
        m_loturi.push_back(std::move(lot));
        m_semnal.notify_one();
        return true;
    }
    void Incheie()
    {
        const std::lock_guard<std::mutex> blocare(m_blocare);
        m_incheiata = true;
        m_semnal.notify_one();
    }
    void Opreste()
    {
        const std::lock_guard<std::mutex> blocare(m_blocare);
        m_oprita = true;
    }
    std::unique_ptr<TLotRanduri> Ia()
    {
        std::unique_lock<std::mutex> blocare(m_blocare);
        m_semnal.wait(blocare, [this] { return !m_loturi.empty() || m_incheiata; });
        if (m_loturi.empty())
            return nullptr;
        std::unique_ptr<TLotRanduri> lot = std::move(m_loturi.front());
        m_loturi.pop_front();
        return lot;
    }

private:
    std::mutex m_blocare;
    std::condition_variable m_semnal;
    std::deque<std::unique_ptr<TLotRanduri>> m_loturi;
    bool m_incheiata = false;
    bool m_oprita = false;
};

constexpr size_t RanduriPeLot = 4096;
} // namespace

void TEvaluatorExpresie::CitesteRanduri(const std::function<void(qint64 idElev)>& elevCitit)
{
    TQuery& q = m_dm.Q1;
    const TGardaCursor cursor(q);
    QString sql = QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI");
    for (const QString& t : std::as_const(m_tabeleLegate))
        sql += QStringLiteral(", IDF_%1, ID_%1").arg(t);
    QList<QByteArray> coduri;
    for (const TCoduriCamp& c : std::as_const(m_coduriCampuri)) {
        if (!coduri.contains(c.Camp))
            coduri << c.Camp;
    }
    sql += QStringLiteral(" from \"DATE\" where ");
    for (int i = 0; i < coduri.size(); ++i)
        sql += (i ? QStringLiteral(" or ") : QString()) + QStringLiteral("COD_CAMP = :C%1").arg(i);
    q.SetSQL(sql);
    for (int i = 0; i < coduri.size(); ++i)
        q.ParamByName(QStringLiteral("C%1").arg(i)).SetAsString(QString::fromUtf8(coduri[i]));

    // The engine's reading is most of the time: this thread only fetches and copies the rows it keeps, and a
    // second thread builds the texts and the tables from them meanwhile.
    const size_t tabele = size_t(m_tabeleLegate.size());
    TCoadaLoturi coada;
    const auto copiaza = [&] {
        q.Open();
        const int iFormular = q.IndexColoana(QStringLiteral("COD_FORMULAR"));
        const int iPagina = q.IndexColoana(QStringLiteral("COD_PAGINA"));
        const int iCamp = q.IndexColoana(QStringLiteral("COD_CAMP"));
        const int iValoare = q.IndexColoana(QStringLiteral("VALOARE_TEXT"));
        const int iElev = q.IndexColoana(QStringLiteral("ID_ELEVI"));
        QList<int> iLegaturi;
        for (const QString& t : std::as_const(m_tabeleLegate))
            iLegaturi << q.IndexColoana(QStringLiteral("IDF_") + t) << q.IndexColoana(QStringLiteral("ID_") + t);
        auto lot = std::make_unique<TLotRanduri>();
        while (!q.Eof()) {
            const QByteArrayView codCamp = FaraBlancuriFinale(q.TextBrut(iCamp));
            const QByteArrayView codPagina = FaraBlancuriFinale(q.TextBrut(iPagina));
            const QByteArrayView codFormular = FaraBlancuriFinale(q.TextBrut(iFormular));
            int camp = -1;
            for (const TCoduriCamp& c : std::as_const(m_coduriCampuri)) {
                if (c.Camp == codCamp && c.Pagina == codPagina && c.Formular == codFormular) {
                    camp = c.Index;
                    break;
                }
            }
            if (camp >= 0) {
                const QByteArrayView valoare = q.TextBrut(iValoare);
                lot->Randuri.push_back({camp, lot->Texte.size(), valoare.size(), IdSauNul(q, iElev)});
                lot->Texte.append(valoare);
                for (const int i : std::as_const(iLegaturi))
                    lot->Legaturi.push_back(IdSauNul(q, i));
                if (lot->Randuri.size() == RanduriPeLot) {
                    if (!coada.Pune(std::move(lot)))
                        break;
                    lot = std::make_unique<TLotRanduri>();
                }
            }
            q.Next();
        }
        coada.Pune(std::move(lot));
    };
    const auto construieste = [&] {
        qint64 elevAnterior = IdNul;
        // Decodes as QString::fromUtf8 does, straight into the texts' buffer.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        while (const std::unique_ptr<TLotRanduri> lot = coada.Ia()) {
            for (size_t r = 0; r < lot->Randuri.size(); ++r) {
                const TLotRanduri::TRand& rand = lot->Randuri[r];
                if (elevCitit && rand.Elev != elevAnterior) {
                    if (elevAnterior != IdNul)
                        elevCitit(elevAnterior);
                    elevAnterior = rand.Elev;
                }
                const qint64* legaturi = lot->Legaturi.data() + r * 2 * tabele;
                const QByteArrayView valoare(lot->Texte.constData() + rand.Inceput, rand.Lungime);
                // Only the first row of a field and owner counts, as a lookup takes the first row it finds.
                if (rand.Elev != IdNul && !m_randuriElev.contains({rand.Camp, rand.Elev})) {
                    // A UTF-8 text never has fewer bytes than its UTF-16 code units.
                    const qsizetype inceput = m_texteElevi.size();
                    m_texteElevi.resize(inceput + valoare.size());
                    const QChar* sfarsit = utf8.appendToBuffer(m_texteElevi.data() + inceput, valoare);
                    m_texteElevi.truncate(sfarsit - m_texteElevi.constData());
                    TRandElev randElev{inceput, m_texteElevi.size() - inceput, {}};
                    for (size_t t = 0; t < tabele; ++t)
                        randElev.Legaturi << (legaturi[2 * t] == IdNul ? -1 : legaturi[2 * t]);
                    m_randuriElev.insert({rand.Camp, rand.Elev}, randElev);
                }
                for (size_t t = 0; t < tabele; ++t) {
                    const qint64 proprietar = legaturi[2 * t + 1];
                    if (proprietar != IdNul && !m_valoriTabele[qsizetype(t)].contains({rand.Camp, proprietar}))
                        m_valoriTabele[qsizetype(t)].insert({rand.Camp, proprietar}, QString::fromUtf8(valoare));
                }
            }
        }
    };
    InParalel(
        [&] {
            try {
                copiaza();
            } catch (...) {
                coada.Incheie();
                throw;
            }
            coada.Incheie();
        },
        [&] {
            try {
                construieste();
            } catch (...) {
                coada.Opreste();
                throw;
            }
        });
}

void TEvaluatorExpresie::InregistreazaCheile()
{
    m_cunoscute.clear();
    // The resolution walks from each key of the expression through the mirrors its profile rows name.
    for (const TSegmentExpresie& s : std::as_const(m_segmente)) {
        if (!s.EsteCheie)
            continue;
        TCheieCamp cheie = s.Cheie;
        for (int adancime = 0; adancime <= AdancimeMaximaOglinzi; ++adancime) {
            const TCheieGasita gasita = Gaseste(cheie);
            if (!Inregistrata(cheie))
                m_cunoscute.append({cheie, gasita});
            if (!gasita.Profil)
                break;
            cheie = DesparteCheie(gasita.Profil->SimilarCu);
        }
    }
}

TEvaluatorExpresie::TCheieGasita TEvaluatorExpresie::Gaseste(const TCheieCamp& cheie) const
{
    const QString normalizata = Normalizata(cheie);
    const auto profil = m_profil.constFind(normalizata);
    return {profil == m_profil.cend() ? nullptr : &*profil, m_indexCamp.value(normalizata, -1)};
}

const TEvaluatorExpresie::TCheieCunoscuta* TEvaluatorExpresie::Inregistrata(const TCheieCamp& cheie) const
{
    for (const TCheieCunoscuta& c : std::as_const(m_cunoscute)) {
        if (c.Cheie.Camp == cheie.Camp && c.Cheie.Pagina == cheie.Pagina && c.Cheie.Formular == cheie.Formular)
            return &c;
    }
    return nullptr;
}

TEvaluatorExpresie::TCheieGasita TEvaluatorExpresie::Cunoscuta(const TCheieCamp& cheie) const
{
    const TCheieCunoscuta* inregistrata = Inregistrata(cheie);
    return inregistrata ? inregistrata->Gasita : Gaseste(cheie);
}

bool TEvaluatorExpresie::Profil(const TCheieCamp& cheie, TProfilCamp& profil)
{
    const TCheieGasita gasita = Cunoscuta(cheie);
    if (!gasita.Profil)
        return false;
    profil = *gasita.Profil;
    return true;
}

QString TEvaluatorExpresie::ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id)
{
    const int camp = Cunoscuta(cheie).Camp;
    const auto rand = m_randuriElev.constFind({camp, id});
    if (camp < 0 || rand == m_randuriElev.cend())
        return {};
    if (asociatCu == u"ELEVI")
        return m_texteElevi.mid(rand->Inceput, rand->Lungime);
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
