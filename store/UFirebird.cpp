#include "store/UFirebird.h"

#include "store/UEroareBD.h"

#include <QHash>

#include <firebird/Interface.h>
#include <ibase.h>
#include <iberror.h>

#include <cmath>
#include <cstring>

using namespace Firebird;

namespace {

IMaster* Master()
{
    static IMaster* master = fb_get_master_interface();
    return master;
}

// One status object per call site would cost an allocation per call; the program is single-threaded and
// every call clears the status first, so one object serves all.
struct TStare
{
    IStatus* stare = Master()->getStatus();
    ThrowStatusWrapper invelis{stare};
};

ThrowStatusWrapper& Stare()
{
    static TStare s;
    s.invelis.clearException();
    return s.invelis;
}

EEroareBD::TCategorie CategorieDin(const ISC_STATUS* v)
{
    bool io = false, blocare = false;
    EEroareBD::TCategorie categorie = EEroareBD::Alta;
    for (int i = 0; v[i] != isc_arg_end;) {
        const ISC_STATUS tip = v[i];
        if (tip == isc_arg_gds) {
            switch (v[i + 1]) {
            case isc_unique_key_violation:
            case isc_no_dup:
                return EEroareBD::CheieDuplicata;
            case isc_lock_conflict:
            case isc_deadlock:
            case isc_update_conflict:
            case isc_lock_timeout:
                return EEroareBD::ConflictBlocare;
            case isc_already_opened:
                return EEroareBD::BazaDeDateOcupata;
            // Damage inside the file: a page of the wrong type or with a bad checksum, an internal
            // consistency check, or random bytes in a page's flags that read as encryption on a file the
            // program never encrypts.
            case isc_bad_db_format:
            case isc_db_corrupt:
            case isc_io_read_err:
            case isc_badpagtyp:
            case isc_page_type_err:
            case isc_bad_checksum:
            case isc_badpage:
            case isc_bug_check:
            case isc_no_crypt_plugin:
            case isc_decrypt_error:
                categorie = EEroareBD::FisierDeteriorat;
                break;
            case isc_io_error:
                io = true;
                break;
            case isc_login:
                return EEroareBD::AccesRefuzat;
            case isc_wirecrypt_incompatible:
            case isc_miss_wirecrypt:
                return EEroareBD::CriptareRefuzata;
            case isc_network_error:
            case isc_net_read_err:
            case isc_net_write_err:
            case isc_unavailable:
            case isc_io_open_err:
            case isc_shutdown:
                if (categorie == EEroareBD::Alta)
                    categorie = EEroareBD::Conexiune;
                break;
            case isc_convert_error:
                if (categorie == EEroareBD::Alta)
                    categorie = EEroareBD::Conversie;
                break;
            default:
                break;
            }
            i += 2;
        } else if (tip == isc_arg_cstring) {
            i += 3;
        } else {
            if (tip == isc_arg_string && std::strcmp(reinterpret_cast<const char*>(v[i + 1]), "lock") == 0)
                blocare = true;
            i += 2;
        }
    }
    if (io && blocare)
        return EEroareBD::BazaDeDateOcupata;
    if (io && categorie == EEroareBD::Alta)
        return EEroareBD::FisierDeteriorat;
    return categorie;
}

// `laLucru`: the error met a statement or a transaction of an open connection (not its opening).
[[noreturn]] void Arunca(const FbException& e, bool laLucru = true)
{
    char text[4096];
    Master()->getUtilInterface()->formatStatus(text, sizeof(text), e.getStatus());
    const EEroareBD::TCategorie categorie = CategorieDin(e.getStatus()->getErrors());
    if (categorie == EEroareBD::ConflictBlocare)
        throw EEroareBD(QStringLiteral("Aceleasi date au fost schimbate in acelasi timp de la alt calculator, asa "
                                       "ca modificarea nu a fost salvata. Ce ati scris a ramas in fereastra: "
                                       "salvati din nou."),
                        categorie, 0, QString::fromUtf8(text));
    if (categorie == EEroareBD::Conexiune && laLucru)
        throw EEroareBD(QStringLiteral("Legatura cu baza de date s-a intrerupt (serverul nu mai raspunde), asa ca "
                                       "ce faceati nu a fost salvat. Ce ati scris a ramas in fereastra: incercati "
                                       "din nou dupa ce serverul functioneaza."),
                        categorie, 0, QString::fromUtf8(text));
    // The engine's own words; whoever shows them words the cause first (see Reformulata).
    throw EEroareBD(QString::fromUtf8(text), categorie, 0, QString::fromUtf8(text));
}

// Replaces each ":NAME" outside quotes and comments by "?" and returns the names in order of appearance.
QString InlocuiesteParametri(const QString& sql, QStringList& nume)
{
    QString rezultat;
    rezultat.reserve(sql.size());
    const int n = sql.size();
    auto esteLitera = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; };
    for (int i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            int j = i + 1;
            while (j < n && sql[j] != c)
                ++j;
            rezultat += sql.mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            int j = sql.indexOf(u'\n', i);
            j = j < 0 ? n : j;
            rezultat += sql.mid(i, j - i);
            i = j;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            int j = sql.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            rezultat += sql.mid(i, j - i);
            i = j;
        } else if (c == u':' && i + 1 < n && esteLitera(sql[i + 1])) {
            int j = i + 1;
            while (j < n && esteLitera(sql[j]))
                ++j;
            nume << sql.mid(i + 1, j - i - 1).toUpper();
            rezultat += u'?';
            i = j;
        } else {
            rezultat += c;
            ++i;
        }
    }
    // Statement texts may end in ";" as a script would write them; the engine takes one statement bare.
    while (!rezultat.isEmpty() && (rezultat.back().isSpace() || rezultat.back() == u';'))
        rezultat.chop(1);
    return rezultat;
}

struct TColoana
{
    unsigned tip = 0;
    unsigned offset = 0;
    unsigned offsetNul = 0;
    unsigned lungime = 0;
    int scara = 0;
};

// A value of the message buffer, which keeps no alignment.
template <typename T> T DinBuffer(const char* loc)
{
    T v;
    std::memcpy(&v, loc, sizeof(v));
    return v;
}

qint64 Putere10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------

QString TCamp::AsString() const
{
    if (m_nul)
        return {};
    if (!m_numeric)
        return m_text;
    if (m_esteReal)
        return QString::number(m_real, 'g', 15);
    if (m_scara >= 0)
        return QString::number(m_intreg);
    const qint64 p = Putere10(-m_scara);
    const qint64 parteIntreaga = m_intreg / p;
    const qint64 rest = std::llabs(m_intreg % p);
    QString semn = (m_intreg < 0 && parteIntreaga == 0) ? QStringLiteral("-") : QString();
    return semn + QString::number(parteIntreaga) + u'.' + QString::number(rest).rightJustified(-m_scara, u'0');
}

qint64 TCamp::AsInteger() const
{
    if (m_nul)
        return 0;
    if (m_numeric) {
        if (m_esteReal)
            return std::llround(m_real);
        return m_scara >= 0 ? m_intreg : m_intreg / Putere10(-m_scara);
    }
    bool ok = false;
    const qint64 v = m_text.trimmed().toLongLong(&ok);
    if (!ok)
        throw EEroareBD(QStringLiteral("'%1' nu este un numar intreg valid (coloana %2)").arg(m_text, m_numeCamp),
                        EEroareBD::Conversie);
    return v;
}

double TCamp::AsFloat() const
{
    if (m_nul)
        return 0;
    if (m_numeric)
        return m_esteReal ? m_real : double(m_intreg) / double(Putere10(-std::min(m_scara, 0)));
    bool ok = false;
    const double v = QString(m_text).replace(u',', u'.').trimmed().toDouble(&ok);
    if (!ok)
        throw EEroareBD(QStringLiteral("'%1' nu este un numar valid (coloana %2)").arg(m_text, m_numeCamp),
                        EEroareBD::Conversie);
    return v;
}

void TParametru::SetAsString(const QString& valoare)
{
    m_tip = Text;
    m_text = valoare;
    m_utf8 = valoare.toUtf8();
}

void TParametru::SetAsInteger(qint64 valoare)
{
    m_tip = Intreg;
    m_intreg = valoare;
}

void TParametru::Clear()
{
    m_tip = Nul;
}

// ---------------------------------------------------------------------------------------------------------

struct TConexiune::TImpl
{
    IAttachment* atasament = nullptr;
};

TConexiune::TConexiune() : d(std::make_unique<TImpl>()) {}

TConexiune::~TConexiune()
{
    try {
        Close();
    } catch (...) {
    }
}

static IXpbBuilder* ConstruiesteDpb(const QStringList& parametri)
{
    IXpbBuilder* dpb = Master()->getUtilInterface()->getXpbBuilder(&Stare(), IXpbBuilder::DPB, nullptr, 0);
    for (const QString& linie : parametri) {
        const int egal = linie.indexOf(u'=');
        const QString nume = linie.left(egal).trimmed().toLower();
        const QByteArray valoare = linie.mid(egal + 1).toUtf8();
        if (nume == u"user_name")
            dpb->insertString(&Stare(), isc_dpb_user_name, valoare.constData());
        else if (nume == u"password")
            dpb->insertString(&Stare(), isc_dpb_password, valoare.constData());
        else if (nume == u"lc_ctype")
            dpb->insertString(&Stare(), isc_dpb_lc_ctype, valoare.constData());
        else if (nume == u"connect_timeout")
            dpb->insertInt(&Stare(), isc_dpb_connect_timeout, valoare.toInt());
        else if (nume == u"wirecrypt")
            dpb->insertString(&Stare(), isc_dpb_config, ("WireCrypt = " + valoare).constData());
    }
    return dpb;
}

void TConexiune::Open()
{
    if (Connected())
        return;
    IXpbBuilder* dpb = nullptr;
    IProvider* furnizor = Master()->getDispatcher();
    try {
        QStringList parametri = m_parametri;
        parametri << QStringLiteral("lc_ctype=UTF8");
        dpb = ConstruiesteDpb(parametri);
        const QByteArray cale = m_cale.toUtf8();
        d->atasament = furnizor->attachDatabase(&Stare(), cale.constData(), dpb->getBufferLength(&Stare()),
                                                dpb->getBuffer(&Stare()));
    } catch (const FbException& e) {
        if (dpb)
            dpb->dispose();
        furnizor->release();
        Arunca(e, false);
    }
    dpb->dispose();
    furnizor->release();
}

void TConexiune::Close()
{
    for (TQuery* q : std::as_const(m_interogari)) {
        q->Close();
        q->ElibereazaPregatite();
    }
    if (!d->atasament)
        return;
    IAttachment* a = d->atasament;
    d->atasament = nullptr;
    try {
        a->detach(&Stare());
    } catch (const FbException& e) {
        a->release();
        Arunca(e);
    }
}

bool TConexiune::Connected() const
{
    return d->atasament != nullptr;
}

void TConexiune::CreeazaBazaDeDate(const QString& cale, const QString& utilizator, const QString& parola)
{
    IXpbBuilder* dpb = nullptr;
    IProvider* furnizor = Master()->getDispatcher();
    try {
        dpb = ConstruiesteDpb({"USER_NAME=" + utilizator, "password=" + parola, "lc_ctype=UTF8"});
        dpb->insertString(&Stare(), isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&Stare(), isc_dpb_page_size, 8192);
        dpb->insertInt(&Stare(), isc_dpb_sql_dialect, 3);
        const QByteArray c = cale.toUtf8();
        IAttachment* a =
            furnizor->createDatabase(&Stare(), c.constData(), dpb->getBufferLength(&Stare()), dpb->getBuffer(&Stare()));
        a->detach(&Stare());
    } catch (const FbException& e) {
        if (dpb)
            dpb->dispose();
        furnizor->release();
        Arunca(e, false);
    }
    dpb->dispose();
    furnizor->release();
}

// ---------------------------------------------------------------------------------------------------------

struct TTranzactie::TImpl
{
    ITransaction* tranzactie = nullptr;
};

QString TextOperatieNeincheiata()
{
    return QStringLiteral("O operatie anterioara asupra bazei de date nu s-a incheiat.");
}

TTranzactie::TTranzactie(TConexiune& conexiune) : d(std::make_unique<TImpl>()), m_conexiune(conexiune) {}

TTranzactie::~TTranzactie()
{
    try {
        Rollback();
    } catch (...) {
    }
}

void TTranzactie::StartTransaction()
{
    if (d->tranzactie)
        throw EEroareBD(TextOperatieNeincheiata(), EEroareBD::Alta);
    if (!m_conexiune.Connected())
        throw EEroareBD(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."),
            EEroareBD::Conexiune);
    try {
        d->tranzactie = m_conexiune.d->atasament->startTransaction(&Stare(), 0, nullptr);
    } catch (const FbException& e) {
        Arunca(e);
    }
}

void TTranzactie::Commit()
{
    if (!d->tranzactie)
        throw EEroareBD(QStringLiteral("Tranzactia nu este activa"), EEroareBD::Alta);
    for (TQuery* q : std::as_const(m_conexiune.m_interogari))
        q->Close();
    try {
        d->tranzactie->commit(&Stare());
        d->tranzactie = nullptr;
    } catch (const FbException& e) {
        // A failed commit leaves the transaction open; the caller rolls it back.
        Arunca(e);
    }
}

void TTranzactie::Rollback()
{
    if (!d->tranzactie)
        return;
    for (TQuery* q : std::as_const(m_conexiune.m_interogari))
        q->Close();
    ITransaction* t = d->tranzactie;
    d->tranzactie = nullptr;
    try {
        t->rollback(&Stare());
    } catch (const FbException& e) {
        t->release();
        Arunca(e);
    }
}

bool TTranzactie::InTransaction() const
{
    return d->tranzactie != nullptr;
}

TGardaTranzactie::TGardaTranzactie(TTranzactie& tranzactie) : m_tranzactie(tranzactie)
{
    m_tranzactie.StartTransaction();
}

TGardaTranzactie::~TGardaTranzactie()
{
    if (m_incheiata)
        return;
    try {
        m_tranzactie.Rollback();
    } catch (...) {
    }
}

TGardaCitire::TGardaCitire(TTranzactie& tranzactie, TMod mod) : m_tranzactie(tranzactie)
{
    if (mod == Proprie || !m_tranzactie.InTransaction()) {
        m_tranzactie.StartTransaction();
        m_pornita = true;
    }
}

TGardaCitire::~TGardaCitire()
{
    if (!m_pornita)
        return;
    try {
        m_tranzactie.Rollback();
    } catch (...) {
    }
}

TGardaCursor::~TGardaCursor()
{
    try {
        m_q.Close();
    } catch (...) {
    }
}

void TGardaTranzactie::Commit()
{
    m_tranzactie.Commit();
    m_incheiata = true;
}

void TGardaTranzactie::Rollback()
{
    m_incheiata = true;
    m_tranzactie.Rollback();
}

// ---------------------------------------------------------------------------------------------------------

struct TQuery::TPregatit
{
    QString sql;
    QString sqlMotor;
    QStringList numeIntrari;
    IStatement* instructiune = nullptr;
    unsigned tip = 0;
    IMessageMetadata* metaIntrare = nullptr;
    IMessageMetadata* metaIesire = nullptr;
    QByteArray bufferIntrare;
    QByteArray bufferIesire;
    QList<TColoana> intrari;
    QList<TColoana> iesiri;
    QHash<QString, int> coloane;

    void Elibereaza()
    {
        if (metaIntrare)
            metaIntrare->release();
        if (metaIesire)
            metaIesire->release();
        if (instructiune) {
            try {
                instructiune->free(&Stare());
            } catch (const FbException&) {
                instructiune->release();
            }
        }
        metaIntrare = metaIesire = nullptr;
        instructiune = nullptr;
    }
};

namespace {
const int MaxPregatite = 24;

QList<TColoana> Coloane(IMessageMetadata* meta)
{
    QList<TColoana> rezultat;
    const unsigned n = meta->getCount(&Stare());
    for (unsigned i = 0; i < n; ++i) {
        TColoana c;
        c.tip = meta->getType(&Stare(), i);
        c.offset = meta->getOffset(&Stare(), i);
        c.offsetNul = meta->getNullOffset(&Stare(), i);
        c.lungime = meta->getLength(&Stare(), i);
        c.scara = meta->getScale(&Stare(), i);
        rezultat << c;
    }
    return rezultat;
}
} // namespace

TQuery::TQuery(TConexiune& conexiune, TTranzactie& tranzactie) : m_conexiune(conexiune), m_tranzactie(tranzactie)
{
    m_conexiune.m_interogari << this;
}

TQuery::~TQuery()
{
    Close();
    ElibereazaPregatite();
    m_conexiune.m_interogari.removeAll(this);
}

void TQuery::ElibereazaPregatite()
{
    if (m_deschis)
        Close();
    for (TPregatit* p : std::as_const(m_pregatite)) {
        p->Elibereaza();
        delete p;
    }
    m_pregatite.clear();
    m_curent = nullptr;
}

void TQuery::SetSQL(const QString& text)
{
    if (m_curent && text == m_sql)
        return;
    Close();
    m_sql = text;
    m_curent = nullptr;
    for (TPregatit* p : std::as_const(m_pregatite)) {
        if (p->sql == text) {
            m_curent = p;
            break;
        }
    }
    if (!m_curent) {
        auto* p = new TPregatit;
        p->sql = text;
        p->sqlMotor = InlocuiesteParametri(text, p->numeIntrari);
        if (m_pregatite.size() >= MaxPregatite) {
            TPregatit* vechi = m_pregatite.takeFirst();
            vechi->Elibereaza();
            delete vechi;
        }
        m_pregatite << p;
        m_curent = p;
    }
    m_parametri.clear();
    for (const QString& nume : std::as_const(m_curent->numeIntrari)) {
        bool exista = false;
        for (const TParametru& par : std::as_const(m_parametri))
            exista = exista || par.m_nume == nume;
        if (!exista) {
            TParametru par;
            par.m_nume = nume;
            m_parametri << par;
        }
    }
}

TParametru& TQuery::ParamByName(const QString& nume)
{
    for (TParametru& p : m_parametri) {
        if (p.m_nume.compare(nume, Qt::CaseInsensitive) == 0)
            return p;
    }
    throw EEroareBD(QStringLiteral("Parametrul %1 nu exista in interogarea: %2").arg(nume, m_sql), EEroareBD::Alta);
}

TQuery::TPregatit* TQuery::Pregateste()
{
    if (!m_curent)
        throw EEroareBD(QStringLiteral("Interogarea nu are text SQL"), EEroareBD::Alta);
    if (!m_tranzactie.InTransaction())
        throw EEroareBD(QStringLiteral("Tranzactia nu este activa"), EEroareBD::Alta);
    TPregatit& p = *m_curent;
    if (p.instructiune)
        return &p;
    try {
        const QByteArray text = p.sqlMotor.toUtf8();
        p.instructiune = m_conexiune.d->atasament->prepare(&Stare(), m_tranzactie.d->tranzactie, 0, text.constData(),
                                                           SQL_DIALECT_V6, IStatement::PREPARE_PREFETCH_METADATA);
        p.tip = p.instructiune->getType(&Stare());
        p.metaIntrare = p.instructiune->getInputMetadata(&Stare());
        p.metaIesire = p.instructiune->getOutputMetadata(&Stare());
        p.intrari = Coloane(p.metaIntrare);
        p.iesiri = Coloane(p.metaIesire);
        p.bufferIntrare = QByteArray(int(p.metaIntrare->getMessageLength(&Stare())), '\0');
        p.bufferIesire = QByteArray(int(p.metaIesire->getMessageLength(&Stare())), '\0');
        p.coloane.clear();
        for (int i = 0; i < p.iesiri.size(); ++i) {
            const QString alias = QString::fromUtf8(p.metaIesire->getAlias(&Stare(), unsigned(i))).toUpper();
            if (!p.coloane.contains(alias))
                p.coloane.insert(alias, i);
        }
    } catch (const FbException& e) {
        p.Elibereaza();
        Arunca(e);
    }
    return &p;
}

void TQuery::LeagaParametri(TPregatit& p)
{
    char* buffer = p.bufferIntrare.data();
    for (int i = 0; i < p.intrari.size(); ++i) {
        const TColoana& c = p.intrari[i];
        const TParametru* par = nullptr;
        for (const TParametru& candidat : std::as_const(m_parametri)) {
            if (candidat.m_nume == p.numeIntrari.value(i)) {
                par = &candidat;
                break;
            }
        }
        short* nul = reinterpret_cast<short*>(buffer + c.offsetNul);
        char* loc = buffer + c.offset;
        if (!par || par->m_tip == TParametru::Nul) {
            *nul = -1;
            continue;
        }
        *nul = 0;
        const QString numeParam = p.numeIntrari.value(i);
        auto prea_lung = [&]() {
            return EEroareBD(QStringLiteral("Valoarea parametrului %1 este prea lunga: %2").arg(numeParam, par->m_text),
                             EEroareBD::Conversie);
        };
        switch (c.tip) {
        case SQL_VARYING: {
            const QByteArray text = par->m_tip == TParametru::Text ? par->m_utf8 : QByteArray::number(par->m_intreg);
            if (unsigned(text.size()) > c.lungime)
                throw prea_lung();
            const auto lungime = quint16(text.size());
            std::memcpy(loc, &lungime, sizeof(lungime));
            std::memcpy(loc + sizeof(lungime), text.constData(), size_t(text.size()));
            break;
        }
        case SQL_TEXT: {
            const QByteArray text = par->m_tip == TParametru::Text ? par->m_utf8 : QByteArray::number(par->m_intreg);
            if (unsigned(text.size()) > c.lungime)
                throw prea_lung();
            std::memset(loc, ' ', c.lungime);
            std::memcpy(loc, text.constData(), size_t(text.size()));
            break;
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
        case SQL_FLOAT:
        case SQL_DOUBLE: {
            double real = 0;
            qint64 intreg = 0;
            bool esteIntreg = par->m_tip == TParametru::Intreg;
            if (esteIntreg) {
                intreg = par->m_intreg;
                real = double(intreg);
            } else {
                bool ok = false;
                const QString t = QString(par->m_text).replace(u',', u'.').trimmed();
                intreg = t.toLongLong(&ok);
                esteIntreg = ok;
                real = ok ? double(intreg) : t.toDouble(&ok);
                if (!ok)
                    throw EEroareBD(
                        QStringLiteral("'%1' nu este un numar valid (parametrul %2)").arg(par->m_text, numeParam),
                        EEroareBD::Conversie);
            }
            if (c.tip == SQL_FLOAT) {
                const float f = float(real);
                std::memcpy(loc, &f, sizeof(f));
            } else if (c.tip == SQL_DOUBLE) {
                std::memcpy(loc, &real, sizeof(real));
            } else {
                const qint64 scalat =
                    esteIntreg && c.scara == 0 ? intreg : std::llround(real * double(Putere10(-c.scara)));
                if (c.tip == SQL_SHORT) {
                    const auto v = qint16(scalat);
                    std::memcpy(loc, &v, sizeof(v));
                } else if (c.tip == SQL_LONG) {
                    if (scalat > INT32_MAX || scalat < INT32_MIN)
                        throw EEroareBD(QStringLiteral("Valoarea parametrului %1 este prea mare").arg(numeParam),
                                        EEroareBD::Conversie);
                    const auto v = qint32(scalat);
                    std::memcpy(loc, &v, sizeof(v));
                } else {
                    std::memcpy(loc, &scalat, sizeof(scalat));
                }
            }
            break;
        }
        default:
            throw EEroareBD(QStringLiteral("Tipul parametrului %1 nu este suportat").arg(numeParam), EEroareBD::Alta);
        }
    }
}

void TQuery::Open()
{
    Close();
    TPregatit* p = Pregateste();
    LeagaParametri(*p);
    try {
        auto* cursor = p->instructiune->openCursor(&Stare(), m_tranzactie.d->tranzactie, p->metaIntrare,
                                                   p->bufferIntrare.data(), p->metaIesire, 0);
        m_cursor = cursor;
        m_deschis = true;
    } catch (const FbException& e) {
        Arunca(e);
    }
    Next();
}

void TQuery::Next()
{
    if (!m_deschis || !m_cursor)
        return;
    auto* cursor = static_cast<IResultSet*>(m_cursor);
    try {
        m_eof = cursor->fetchNext(&Stare(), m_curent->bufferIesire.data()) != IStatus::RESULT_OK;
    } catch (const FbException& e) {
        m_eof = true;
        Arunca(e);
    }
}

void TQuery::Close()
{
    m_eof = true;
    if (!m_cursor) {
        m_deschis = false;
        return;
    }
    auto* cursor = static_cast<IResultSet*>(m_cursor);
    m_cursor = nullptr;
    m_deschis = false;
    try {
        cursor->close(&Stare());
    } catch (const FbException&) {
        // A cursor whose transaction has ended is gone already.
        cursor->release();
    }
}

void TQuery::ExecSQL()
{
    Close();
    TPregatit* p = Pregateste();
    const bool structura = p->tip == isc_info_sql_stmt_ddl || p->tip == isc_info_sql_stmt_set_generator;
    if (structura) {
        // Prepared statements hold the tables they read; a structure change on such a table is refused.
        for (TQuery* q : std::as_const(m_conexiune.m_interogari)) {
            if (q != this && !q->m_deschis)
                q->ElibereazaPregatite();
        }
    }
    LeagaParametri(*p);
    try {
        p->instructiune->execute(&Stare(), m_tranzactie.d->tranzactie, p->metaIntrare, p->bufferIntrare.data(),
                                 p->iesiri.isEmpty() ? nullptr : p->metaIesire,
                                 p->iesiri.isEmpty() ? nullptr : p->bufferIesire.data());
    } catch (const FbException& e) {
        Arunca(e);
    }
    if (structura)
        p->Elibereaza();
}

int TQuery::FieldCount() const
{
    return m_curent && m_curent->instructiune ? int(m_curent->iesiri.size()) : 0;
}

TCamp TQuery::FieldByName(const QString& nume) const
{
    if (!m_deschis || m_eof)
        throw EEroareBD(QStringLiteral("Interogarea nu are o linie curenta pentru coloana %1").arg(nume),
                        EEroareBD::Alta);
    const TPregatit& p = *m_curent;
    auto it = p.coloane.constFind(nume.toUpper());
    if (it == p.coloane.cend())
        throw EEroareBD(QStringLiteral("Coloana %1 nu exista in interogarea: %2").arg(nume, m_sql), EEroareBD::Alta);
    const TColoana& c = p.iesiri[*it];
    const char* buffer = p.bufferIesire.constData();
    TCamp camp;
    camp.m_numeCamp = nume;
    camp.m_nul = *reinterpret_cast<const short*>(buffer + c.offsetNul) != 0;
    if (camp.m_nul)
        return camp;
    const char* loc = buffer + c.offset;
    switch (c.tip) {
    case SQL_VARYING: {
        quint16 lungime = 0;
        std::memcpy(&lungime, loc, sizeof(lungime));
        camp.m_text = QString::fromUtf8(loc + sizeof(lungime), lungime);
        break;
    }
    case SQL_TEXT: {
        int lungime = int(c.lungime);
        while (lungime > 0 && loc[lungime - 1] == ' ')
            --lungime;
        camp.m_text = QString::fromUtf8(loc, lungime);
        break;
    }
    case SQL_SHORT:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint16>(loc);
        break;
    case SQL_LONG:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint32>(loc);
        break;
    case SQL_INT64:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint64>(loc);
        break;
    case SQL_FLOAT:
        camp.m_numeric = camp.m_esteReal = true;
        camp.m_real = DinBuffer<float>(loc);
        break;
    case SQL_DOUBLE:
        camp.m_numeric = camp.m_esteReal = true;
        camp.m_real = DinBuffer<double>(loc);
        break;
    case SQL_BOOLEAN:
        camp.m_numeric = true;
        camp.m_intreg = *loc ? 1 : 0;
        break;
    default:
        throw EEroareBD(QStringLiteral("Tipul coloanei %1 nu este suportat").arg(nume), EEroareBD::Alta);
    }
    camp.m_scara = c.scara;
    return camp;
}
