#include "store/UFirebird.h"

#include "store/UEroareBD.h"
#include "store/UFirebirdIntern.h"

#include <ibase.h>
#include <iberror.h>

#include <cmath>

using namespace Firebird;
using namespace FirebirdIntern;

namespace {
// One status object per call site would cost an allocation per call; the program is single-threaded and
// every call clears the status first, so one object serves all.
struct TStare
{
    IStatus* stare = Master()->getStatus();
    ThrowStatusWrapper invelis{stare};
};

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
} // namespace

namespace FirebirdIntern {

IMaster* Master()
{
    static IMaster* master = fb_get_master_interface();
    return master;
}

ThrowStatusWrapper& Stare()
{
    static TStare s;
    s.invelis.clearException();
    return s.invelis;
}

[[noreturn]] void Arunca(const FbException& e, bool laLucru)
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

qint64 Putere10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace FirebirdIntern

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
