#include "platform/URegistru.h"

#include "platform/UModelRegistru.h"

#include "platform/UScriereSigura.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMap>
#include <QMutex>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

using namespace RegistruIntern;

namespace {

std::function<void(const QString&)> g_receptor;
QString g_ultimaAvertizare;
QMutex g_mutexAvertizare;

// Messages found while the store is locked wait here until it is unlocked: the receiver may run a
// modal loop that reads settings again.
QStringList g_amanate;

void UitaUltimaAvertizare()
{
    QMutexLocker blocare(&g_mutexAvertizare);
    g_ultimaAvertizare.clear();
}

} // namespace

struct TStareFisierRegistru
{
    QString fisier;
    TModel model;
    TIdentitate identitate;
    bool citit = false;
    bool deteriorat = false;
    QString motiv;
};

namespace {

QMutex g_mutex;
QHash<QString, std::shared_ptr<TStareFisierRegistru>> g_stari;

// Locks the store for one operation; passes on the messages found meanwhile once it is unlocked.
class TBlocare
{
public:
    TBlocare() { g_mutex.lock(); }
    ~TBlocare()
    {
        QStringList mesaje;
        mesaje.swap(g_amanate);
        g_mutex.unlock();
        for (const QString& m : mesaje)
            AvertizeazaRegistru(m);
    }
    TBlocare(const TBlocare&) = delete;
    TBlocare& operator=(const TBlocare&) = delete;
};

// Brings the model up to date with the file when the file changed since it was read.
void Reimprospateaza(TStareFisierRegistru& s)
{
    const TIdentitate id = Identitate(s.fisier);
    if (s.citit && id == s.identitate)
        return;
    const bool eraDeteriorat = s.deteriorat;
    const QString motivVechi = s.motiv;
    s.citit = true;
    s.identitate = id;
    s.model.clear();
    s.deteriorat = false;
    s.motiv.clear();
    if (!id.exista)
        return;
    QString motiv;
    if (CitesteFisier(s.fisier, s.model, motiv))
        return;
    s.model.clear();
    s.deteriorat = true;
    s.motiv = motiv;
    if (!eraDeteriorat || motiv != motivVechi)
        g_amanate << MesajDeteriorat(s.fisier, motiv);
}

// Applies a change and writes the whole file. `schimbare` returns false when it changed nothing; a
// change that changes nothing writes nothing. Throws ERegistru with `mesaj` (%1 file, %2 reason).
void Modifica(TStareFisierRegistru& s, const std::function<bool(TModel&)>& schimbare, bool salvareUtilizator,
              const std::function<QString(const QString&)>& mesaj)
{
    Reimprospateaza(s);
    if (s.deteriorat && !salvareUtilizator) {
        schimbare(s.model);
        return;
    }
    // Settings objects write everything back every time; most of those writes change nothing, and
    // the file was checked just now, so they need neither the lock nor a write.
    TModel proba = s.model;
    if (!schimbare(proba) && !s.deteriorat)
        return;
    const QString dosar = QFileInfo(s.fisier).absolutePath();
    if (!QDir().mkpath(dosar)) {
        throw ERegistru(mesaj(QStringLiteral("dosarul \"%1\" nu poate fi creat (%2)")
                                  .arg(QDir::toNativeSeparators(dosar), MotivDosarNecreat(dosar))));
    }
    QLockFile lacat(s.fisier + QStringLiteral(".lock"));
    if (!lacat.tryLock(5000)) {
        // QLockFile gives no error number: a full disk and a folder without rights look the same to it.
        throw ERegistru(mesaj(lacat.error() == QLockFile::LockFailedError
                                  ? QStringLiteral("fisierul este folosit de alt program")
                                  : MotivEroareScriere(0, dosar)));
    }
    // Another copy of the program may have written since the first look.
    Reimprospateaza(s);
    if (s.deteriorat && !salvareUtilizator) {
        schimbare(s.model);
        return;
    }
    TModel nou = s.model;
    if (!schimbare(nou) && !s.deteriorat)
        return;

    QString rezerva;
    if (s.deteriorat && s.identitate.exista) {
        rezerva = NumeRezerva(s.fisier);
        if (!QDir().rename(s.fisier, rezerva))
            throw ERegistru(mesaj(QStringLiteral("fisierul deteriorat nu poate fi pastrat ca rezerva")));
    }
    QString eroare;
    if (!ScrieFisier(s.fisier, nou, eroare)) {
        if (!rezerva.isEmpty())
            QDir().rename(rezerva, s.fisier);
        s.citit = false;
        throw ERegistru(mesaj(eroare));
    }
    s.model = nou;
    s.deteriorat = false;
    s.motiv.clear();
    s.identitate = Identitate(s.fisier);
    s.citit = true;
    UitaUltimaAvertizare();
    if (!rezerva.isEmpty()) {
        g_amanate << QStringLiteral("Fisierul de setari deteriorat a fost pastrat ca \"%1\"; setarile au fost "
                                    "salvate intr-un fisier nou.")
                         .arg(QDir::toNativeSeparators(rezerva));
    }
}

std::shared_ptr<TStareFisierRegistru> StarePentru(const QString& fisier)
{
    const QString cale = QFileInfo(fisier).absoluteFilePath();
    TBlocare blocare;
    auto& stare = g_stari[cale];
    if (!stare) {
        stare = std::make_shared<TStareFisierRegistru>();
        stare->fisier = cale;
    }
    return stare;
}

} // namespace

QString FisierRegistruUtilizator()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tessaluna/HKCU.reg");
}

void SeteazaAvertizareRegistru(std::function<void(const QString&)> receptor)
{
    QMutexLocker blocare(&g_mutexAvertizare);
    g_receptor = std::move(receptor);
    g_ultimaAvertizare.clear();
}

void AvertizeazaRegistru(const QString& mesaj)
{
    std::function<void(const QString&)> receptor;
    {
        QMutexLocker blocare(&g_mutexAvertizare);
        if (mesaj == g_ultimaAvertizare)
            return;
        g_ultimaAvertizare = mesaj;
        receptor = g_receptor;
    }
    try {
        if (receptor)
            receptor(mesaj);
        else
            qWarning("%s", qUtf8Printable(mesaj));
    } catch (...) {
        // A message that cannot be shown must not stop the operation that found it.
    }
}

TRegistru::TRegistru(const QString& fisier) : m_stare(StarePentru(fisier)) {}

TRegistru::~TRegistru() = default;

bool TRegistru::DeschideCheie(const QString& cale, bool creeaza)
{
    const QString normalizata = NormalizeazaCale(cale);
    const QString cheie = Pliaza(normalizata);
    TBlocare blocare;
    TStareFisierRegistru& s = *m_stare;
    Reimprospateaza(s);
    if (!s.model.contains(cheie)) {
        if (!creeaza)
            return false;
        Modifica(
            s,
            [&](TModel& model) {
                if (model.contains(cheie))
                    return false;
                model[cheie].cale = normalizata;
                return true;
            },
            m_salvareUtilizator,
            [&](const QString& motiv) {
                return QStringLiteral("Nu pot crea cheia de registru \"%1\" in fisierul \"%2\": %3.")
                    .arg(CaleCompleta(normalizata), QDir::toNativeSeparators(s.fisier), motiv);
            });
    }
    m_deschisa = true;
    m_cheie = cheie;
    m_cheieAfisata = s.model.contains(cheie) ? s.model.value(cheie).cale : normalizata;
    return true;
}

void TRegistru::InchideCheie()
{
    m_deschisa = false;
    m_cheie.clear();
    m_cheieAfisata.clear();
}

QString TRegistru::CheieCurenta() const
{
    return m_cheieAfisata;
}

QString TRegistru::CaleAfisata() const
{
    return CaleCompleta(m_cheieAfisata);
}

bool TRegistru::ExistaCheie(const QString& cale) const
{
    QString cheie;
    try {
        cheie = Pliaza(NormalizeazaCale(cale));
    } catch (const ERegistru&) {
        return false;
    }
    TBlocare blocare;
    Reimprospateaza(*m_stare);
    if (cheie.isEmpty() || m_stare->model.contains(cheie))
        return true;
    // A key exists also as the parent of a key written in the file.
    const QString prefix = cheie + '\\';
    auto it = m_stare->model.lowerBound(prefix);
    return it != m_stare->model.end() && it.key().startsWith(prefix);
}

std::optional<TValoareRegistru> TRegistru::Valoare(const QString& nume) const
{
    if (!m_deschisa)
        return std::nullopt;
    Reimprospateaza(*m_stare);
    auto it = m_stare->model.constFind(m_cheie);
    if (it == m_stare->model.constEnd())
        return std::nullopt;
    if (const TValoareRegistru* v = it->Gaseste(nume))
        return *v;
    return std::nullopt;
}

bool TRegistru::ExistaValoare(const QString& nume) const
{
    TBlocare blocare;
    return Valoare(nume).has_value();
}

TTipValoareRegistru TRegistru::TipValoare(const QString& nume) const
{
    TBlocare blocare;
    return ValoareExistenta(nume).tip;
}

TValoareRegistru TRegistru::ValoareExistenta(const QString& nume) const
{
    const auto v = Valoare(nume);
    if (!v) {
        throw ERegistru(
            QStringLiteral("Valoarea de registru \"%1\" nu exista in cheia \"%2\".").arg(nume, CaleAfisata()));
    }
    return *v;
}

QStringList TRegistru::NumeValori() const
{
    QStringList nume;
    for (const TValoareRegistru& v : Valori())
        nume << v.nume;
    return nume;
}

void TRegistru::CereTip(const TValoareRegistru& valoare, TTipValoareRegistru tip) const
{
    if (valoare.tip != tip) {
        throw ERegistru(QStringLiteral("Valoarea de registru \"%1\" din cheia \"%2\" este %3, nu %4.")
                            .arg(valoare.nume, CaleAfisata(), NumeTip(valoare.tip), NumeTip(tip)));
    }
}

QList<TValoareRegistru> TRegistru::Valori() const
{
    if (!m_deschisa)
        return {};
    TBlocare blocare;
    Reimprospateaza(*m_stare);
    return m_stare->model.value(m_cheie).valori;
}

QString TRegistru::CitesteText(const QString& nume) const
{
    TBlocare blocare;
    const TValoareRegistru v = ValoareExistenta(nume);
    CereTip(v, TTipValoareRegistru::Text);
    return v.text;
}

qint32 TRegistru::CitesteIntreg(const QString& nume) const
{
    TBlocare blocare;
    const TValoareRegistru v = ValoareExistenta(nume);
    CereTip(v, TTipValoareRegistru::Intreg);
    return v.intreg;
}

void TRegistru::ScrieText(const QString& nume, const QString& valoare)
{
    ScrieValori({TValoareRegistru::Text(nume, valoare)});
}

void TRegistru::ScrieIntreg(const QString& nume, qint32 valoare)
{
    ScrieValori({TValoareRegistru::Intreg(nume, valoare)});
}

QString TRegistru::MesajScriere(const QString& motiv) const
{
    return QStringLiteral("Nu pot salva setarile in fisierul \"%1\": %2.")
        .arg(QDir::toNativeSeparators(m_stare->fisier), motiv);
}

void TRegistru::CereCheieDeschisa() const
{
    if (!m_deschisa)
        throw ERegistru(QStringLiteral("Nu este deschisa nicio cheie de registru."));
}

void TRegistru::ScrieValori(const QList<TValoareRegistru>& valori)
{
    CereCheieDeschisa();
    TBlocare blocare;
    Modifica(
        *m_stare,
        [&](TModel& model) {
            // The key may have been removed from the file by someone else since it was opened.
            bool schimbat = !model.contains(m_cheie);
            TCheieInterna& cheie = model[m_cheie];
            if (schimbat)
                cheie.cale = m_cheieAfisata;
            for (const TValoareRegistru& valoare : valori)
                schimbat = cheie.Pune(valoare) || schimbat;
            return schimbat;
        },
        m_salvareUtilizator, [&](const QString& motiv) { return MesajScriere(motiv); });
}

bool TRegistru::StergeValoare(const QString& nume)
{
    CereCheieDeschisa();
    TBlocare blocare;
    bool sters = false;
    Modifica(
        *m_stare,
        [&](TModel& model) {
            auto it = model.find(m_cheie);
            if (it == model.end())
                return false;
            sters = it->Sterge(nume);
            return sters;
        },
        m_salvareUtilizator, [&](const QString& motiv) { return MesajScriere(motiv); });
    return sters;
}

void TRegistru::MarcheazaDeteriorat(const QString& motiv)
{
    TBlocare blocare;
    TStareFisierRegistru& s = *m_stare;
    Reimprospateaza(s);
    if (s.deteriorat)
        return;
    s.deteriorat = true;
    s.motiv = motiv;
    g_amanate << MesajDeteriorat(s.fisier, motiv, true);
}

bool TRegistru::Deteriorat() const
{
    TBlocare blocare;
    Reimprospateaza(*m_stare);
    return m_stare->deteriorat;
}

QString TRegistru::Fisier() const
{
    return m_stare->fisier;
}
