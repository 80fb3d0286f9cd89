#include "platform/URegistru.h"

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

namespace {

const QString kRadacina = QStringLiteral("HKEY_CURRENT_USER");
const QString kAntet = QStringLiteral("REGEDIT4");
const QString kPrefixCheie = kRadacina + u'\\';
// A settings file is a few hundred bytes; anything this large is not one.
constexpr qint64 kMarimeMaxima = 16 * 1024 * 1024;

QString Pliaza(const QString& text)
{
    return text.toCaseFolded();
}

// A hash of a name that two names equal without regard to case share; no copy of the name is made.
size_t HashFaraMajuscule(const QString& nume)
{
    size_t h = 1469598103934665603ull;
    for (QChar c : nume) {
        if (c.isSurrogate())
            return qHash(nume.toCaseFolded());
        const char16_t u = c.unicode() >= 0x80                          ? c.toCaseFolded().unicode()
                           : (c.unicode() >= 'A' && c.unicode() <= 'Z') ? char16_t(c.unicode() + 32)
                                                                        : c.unicode();
        h = (h ^ u) * 1099511628211ull;
    }
    return h;
}

// Where each value of a key sits, by its name without regard to case: open addressing over positions in
// the key's list, with each position's hash beside it; a few allocations for the whole key, not one per value.
// The names indexed are all different.
class TIndexNume
{
public:
    bool Gol() const { return m_sloturi.isEmpty(); }
    void Goleste()
    {
        m_sloturi.clear();
        m_hashuri.clear();
    }
    // Indexes every position of `valori`.
    void Construieste(const QList<TValoareRegistru>& valori)
    {
        m_hashuri.resize(valori.size());
        for (qsizetype p = 0; p < valori.size(); ++p)
            m_hashuri[p] = HashFaraMajuscule(valori[p].nume);
        Redimensioneaza(valori.size());
    }
    // Room for `numar` positions without growing.
    void Rezerva(qsizetype numar)
    {
        m_hashuri.reserve(numar);
        Redimensioneaza(numar);
    }
    qsizetype Cauta(const QList<TValoareRegistru>& valori, const QString& nume) const
    {
        return Gol() ? -1 : Sondeaza(valori, nume, HashFaraMajuscule(nume)).second;
    }
    // The position of `nume` when indexed; otherwise it is indexed as the next position and -1 is returned.
    qsizetype CautaSauAdauga(const QList<TValoareRegistru>& valori, const QString& nume)
    {
        const size_t h = HashFaraMajuscule(nume);
        if (2 * (m_hashuri.size() + 1) > m_sloturi.size())
            Redimensioneaza(m_hashuri.size() + 1);
        const auto [slot, gasit] = Sondeaza(valori, nume, h);
        if (gasit >= 0)
            return gasit;
        m_sloturi[slot] = qint32(m_hashuri.size());
        m_hashuri.append(h);
        return -1;
    }

private:
    // The slot holding the name, or the free slot where it would go, and the position found (-1 when none).
    std::pair<qsizetype, qsizetype> Sondeaza(const QList<TValoareRegistru>& valori, const QString& nume, size_t h) const
    {
        const qsizetype masca = m_sloturi.size() - 1;
        for (qsizetype slot = qsizetype(h & size_t(masca));; slot = (slot + 1) & masca) {
            const qint32 p = m_sloturi[slot];
            if (p < 0)
                return {slot, -1};
            if (m_hashuri[p] == h && valori[p].nume.compare(nume, Qt::CaseInsensitive) == 0)
                return {slot, p};
        }
    }
    // At most half full for `numar` positions; the positions indexed so far are placed again.
    void Redimensioneaza(qsizetype numar)
    {
        qsizetype marime = 64;
        while (marime < 2 * numar)
            marime *= 2;
        if (marime <= m_sloturi.size())
            return;
        m_sloturi.fill(-1, marime);
        const qsizetype masca = marime - 1;
        for (qsizetype p = 0; p < m_hashuri.size(); ++p) {
            qsizetype slot = qsizetype(m_hashuri[p] & size_t(masca));
            while (m_sloturi[slot] >= 0)
                slot = (slot + 1) & masca;
            m_sloturi[slot] = qint32(p);
        }
    }

    QList<qint32> m_sloturi; // positions, -1 in a free slot; a power of two in size
    QList<size_t> m_hashuri; // the hash of each indexed position's name
};

// One key: its values in the order they were first written. A key with many values (a damaged or hostile
// file) also gets an index of their names, so that it still loads and answers in constant time per name; the
// few values of an ordinary key are simply looked through.
struct TCheieInterna
{
    static constexpr qsizetype kFaraIndex = 16;

    QString cale; // as first written
    QList<TValoareRegistru> valori;
    TIndexNume index; // empty while the key has at most kFaraIndex values

    qsizetype Pozitie(const QString& nume) const
    {
        if (valori.size() <= kFaraIndex) {
            for (qsizetype i = 0; i < valori.size(); ++i) {
                if (valori[i].nume.compare(nume, Qt::CaseInsensitive) == 0)
                    return i;
            }
            return -1;
        }
        return index.Cauta(valori, nume);
    }
    TValoareRegistru* Gaseste(const QString& nume)
    {
        const qsizetype i = Pozitie(nume);
        return i < 0 ? nullptr : &valori[i];
    }
    const TValoareRegistru* Gaseste(const QString& nume) const
    {
        const qsizetype i = Pozitie(nume);
        return i < 0 ? nullptr : &valori[i];
    }
    // Adds the value or replaces the one of the same name (keeping its first spelling); false when the
    // key already held exactly this.
    bool Pune(const TValoareRegistru& valoare)
    {
        if (TValoareRegistru* v = Gaseste(valoare.nume)) {
            if (v->tip == valoare.tip && v->text == valoare.text && v->intreg == valoare.intreg)
                return false;
            v->tip = valoare.tip;
            v->text = valoare.text;
            v->intreg = valoare.intreg;
            return true;
        }
        valori << valoare;
        if (valori.size() > kFaraIndex + 1)
            index.CautaSauAdauga(valori, valoare.nume);
        else if (valori.size() == kFaraIndex + 1)
            index.Construieste(valori);
        return true;
    }
    bool Sterge(const QString& nume)
    {
        const qsizetype i = Pozitie(nume);
        if (i < 0)
            return false;
        valori.removeAt(i);
        index.Goleste();
        if (valori.size() > kFaraIndex)
            index.Construieste(valori);
        return true;
    }
    // After a file was read with every value appended: merges repeated names (the later value wins, at the
    // place and with the spelling of the first) and builds the index in the same pass.
    void Compacteaza()
    {
        index.Goleste();
        const bool cuIndex = valori.size() > kFaraIndex;
        if (cuIndex)
            index.Rezerva(valori.size());
        qsizetype unice = 0;
        for (qsizetype i = 0; i < valori.size(); ++i) {
            TValoareRegistru& v = valori[i];
            qsizetype anterioara = -1;
            if (cuIndex) {
                anterioara = index.CautaSauAdauga(valori, v.nume);
            } else {
                for (qsizetype j = 0; j < unice && anterioara < 0; ++j) {
                    if (valori[j].nume.compare(v.nume, Qt::CaseInsensitive) == 0)
                        anterioara = j;
                }
            }
            if (anterioara >= 0) {
                valori[anterioara].tip = v.tip;
                valori[anterioara].text = std::move(v.text);
                valori[anterioara].intreg = v.intreg;
                continue;
            }
            if (unice != i)
                valori[unice] = std::move(v);
            ++unice;
        }
        valori.resize(unice);
        if (valori.size() <= kFaraIndex)
            index.Goleste();
    }
};
// Keys by case-folded path; the map's order is the order of the keys in the file.
using TModel = QMap<QString, TCheieInterna>;

// What the file on disk was when it was last read: a write through QSaveFile always makes a new inode.
struct TIdentitate
{
    bool exista = false;
    dev_t dispozitiv = 0;
    ino_t inod = 0;
    off_t marime = 0;
    qint64 secunde = 0;
    qint64 nanosecunde = 0;
    bool operator==(const TIdentitate&) const = default;
};

TIdentitate Identitate(const QString& fisier)
{
    TIdentitate id;
    struct stat st;
    if (::stat(QFile::encodeName(fisier).constData(), &st) != 0)
        return id;
    id.exista = true;
    id.dispozitiv = st.st_dev;
    id.inod = st.st_ino;
    id.marime = st.st_size;
    id.secunde = st.st_mtim.tv_sec;
    id.nanosecunde = st.st_mtim.tv_nsec;
    return id;
}

QString CaleCompleta(const QString& cale)
{
    return cale.isEmpty() ? kRadacina : kRadacina + '\\' + cale;
}

QString NumeTip(TTipValoareRegistru tip)
{
    return tip == TTipValoareRegistru::Text ? QStringLiteral("un text") : QStringLiteral("un numar intreg");
}

// Without leading and trailing backslashes; an empty component or a control character is refused.
QString NormalizeazaCale(const QString& cale)
{
    qsizetype inceput = 0;
    qsizetype sfarsit = cale.size();
    while (inceput < sfarsit && cale[inceput] == u'\\')
        ++inceput;
    while (sfarsit > inceput && cale[sfarsit - 1] == u'\\')
        --sfarsit;
    bool valida = true;
    for (qsizetype i = inceput; i < sfarsit; ++i) {
        const QChar ch = cale[i];
        valida = valida && ch.unicode() >= 0x20 && !(ch == u'\\' && cale[i - 1] == u'\\');
    }
    if (!valida)
        throw ERegistru(QStringLiteral("Calea de cheie de registru \"%1\" nu este valida.").arg(cale));
    return inceput == 0 && sfarsit == cale.size() ? cale : cale.sliced(inceput, sfarsit - inceput);
}

// `doarValori`: the file was read and only some of its values are unusable; they take their defaults.
QString MesajDeteriorat(const QString& fisier, QString motiv, bool doarValori = false)
{
    while (motiv.endsWith(QLatin1Char('.')))
        motiv.chop(1);
    return QStringLiteral("Fisierul de setari \"%1\" este deteriorat: %2. %3 Fisierul nu va fi modificat pana "
                          "cand salvati din nou setarile; atunci va fi pastrat alaturi, ca rezerva.")
        .arg(QDir::toNativeSeparators(fisier), motiv,
             doarValori ? QStringLiteral("Pentru aceste valori programul foloseste setarile implicite; celelalte "
                                         "setari citite din fisier raman in vigoare.")
                        : QStringLiteral("Programul continua cu setarile implicite."));
}

QString ScrieSir(const QString& text)
{
    QString rezultat;
    rezultat.reserve(text.size() + 2);
    rezultat += '"';
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case '\\':
            rezultat += QLatin1String("\\\\");
            break;
        case '"':
            rezultat += QLatin1String("\\\"");
            break;
        case '\n':
            rezultat += QLatin1String("\\n");
            break;
        case '\r':
            rezultat += QLatin1String("\\r");
            break;
        default:
            rezultat += ch;
        }
    }
    rezultat += '"';
    return rezultat;
}

QByteArray TextFisier(const TModel& model)
{
    QString text = kAntet + QLatin1String("\n\n");
    for (const TCheieInterna& cheie : model) {
        text += '[' + CaleCompleta(cheie.cale) + QLatin1String("]\n");
        for (const TValoareRegistru& v : cheie.valori) {
            text += v.nume.isEmpty() ? QStringLiteral("@") : ScrieSir(v.nume);
            text += '=';
            if (v.tip == TTipValoareRegistru::Text)
                text += ScrieSir(v.text);
            else
                text += QStringLiteral("dword:%1").arg(quint32(v.intreg), 8, 16, QLatin1Char('0'));
            text += '\n';
        }
        text += '\n';
    }
    return text.toUtf8();
}

// Reads a quoted string starting at `poz` (on the opening quote); leaves `poz` after the closing quote.
bool CitesteSir(QStringView linie, qsizetype& poz, QString& rezultat)
{
    rezultat.clear();
    if (poz >= linie.size() || linie[poz] != u'"')
        return false;
    const qsizetype inceput = ++poz;
    // Most strings hold no escape: one copy of the whole run.
    for (; poz < linie.size(); ++poz) {
        const QChar ch = linie[poz];
        if (ch == u'"') {
            rezultat = linie.sliced(inceput, poz - inceput).toString();
            ++poz;
            return true;
        }
        if (ch == u'\\')
            break;
    }
    rezultat = linie.sliced(inceput, poz - inceput).toString();
    for (; poz < linie.size(); ++poz) {
        const QChar ch = linie[poz];
        if (ch == u'"') {
            ++poz;
            return true;
        }
        if (ch != u'\\') {
            rezultat += ch;
            continue;
        }
        if (++poz >= linie.size())
            return false;
        switch (linie[poz].unicode()) {
        case '\\':
            rezultat += u'\\';
            break;
        case '"':
            rezultat += u'"';
            break;
        case 'n':
            rezultat += u'\n';
            break;
        case 'r':
            rezultat += u'\r';
            break;
        default:
            return false;
        }
    }
    return false;
}

bool CifraHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Parses the text of a REGEDIT4 file; on failure `motiv` says where and why. Linear in the file's size: a
// damaged or hostile file at the size limit must still load at once.
bool ParseazaText(const QString& text, TModel& model, QString& motiv)
{
    bool antet = false;
    TCheieInterna* curenta = nullptr;
    qsizetype inceput = 0;
    for (qsizetype i = 0; inceput <= text.size(); ++i) {
        qsizetype sfarsit = text.indexOf(u'\n', inceput);
        if (sfarsit < 0)
            sfarsit = text.size();
        const QStringView linie = QStringView(text).sliced(inceput, sfarsit - inceput).trimmed();
        inceput = sfarsit + 1;
        auto eroare = [&](const QString& ce) {
            motiv = QStringLiteral("linia %1: %2").arg(i + 1).arg(ce);
            return false;
        };
        if (linie.isEmpty() || linie.startsWith(u';'))
            continue;
        if (!antet) {
            if (linie != kAntet)
                return eroare(QStringLiteral("lipseste antetul REGEDIT4"));
            antet = true;
            continue;
        }
        if (linie.startsWith(u'[')) {
            if (!linie.endsWith(u']') || linie.startsWith(QLatin1String("[-")))
                return eroare(QStringLiteral("cheie scrisa gresit"));
            const QStringView cale = linie.sliced(1, linie.size() - 2);
            QString relativa;
            if (cale.compare(kRadacina, Qt::CaseInsensitive) != 0) {
                if (!cale.startsWith(kPrefixCheie, Qt::CaseInsensitive))
                    return eroare(QStringLiteral("cheia nu este sub HKEY_CURRENT_USER"));
                relativa = cale.sliced(kRadacina.size() + 1).toString();
            }
            try {
                relativa = NormalizeazaCale(relativa);
            } catch (const ERegistru&) {
                return eroare(QStringLiteral("cale de cheie invalida"));
            }
            // Keys come sorted from the program's own writes: each then goes at the end without a search.
            const QString pliata = Pliaza(relativa);
            TCheieInterna& cheie = model.isEmpty() || model.lastKey() < pliata
                                       ? *model.insert(model.cend(), pliata, TCheieInterna())
                                       : model[pliata];
            if (cheie.cale.isEmpty())
                cheie.cale = relativa;
            curenta = &cheie;
            continue;
        }
        if (!linie.startsWith(u'"') && !linie.startsWith(u'@'))
            return eroare(QStringLiteral("linie necunoscuta"));
        if (!curenta)
            return eroare(QStringLiteral("valoare in afara unei chei"));
        TValoareRegistru valoare;
        qsizetype poz = 0;
        if (linie.startsWith(u'@'))
            poz = 1;
        else if (!CitesteSir(linie, poz, valoare.nume))
            return eroare(QStringLiteral("numele valorii este scris gresit"));
        if (poz >= linie.size() || linie[poz] != u'=')
            return eroare(QStringLiteral("lipseste \"=\""));
        const QStringView date = linie.sliced(poz + 1);
        if (date.startsWith(u'"')) {
            qsizetype p = 0;
            if (!CitesteSir(date, p, valoare.text) || p != date.size())
                return eroare(QStringLiteral("text scris gresit"));
            valoare.tip = TTipValoareRegistru::Text;
        } else if (date.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QStringView hex = date.sliced(6);
            const bool cifre = !hex.isEmpty() && hex.size() <= 8 && std::all_of(hex.begin(), hex.end(), CifraHex);
            bool ok = false;
            const quint32 numar = hex.toUInt(&ok, 16);
            if (!cifre || !ok)
                return eroare(QStringLiteral("numar dword scris gresit"));
            valoare.tip = TTipValoareRegistru::Intreg;
            valoare.intreg = qint32(numar);
        } else {
            return eroare(QStringLiteral("tip de valoare necunoscut"));
        }
        curenta->valori << std::move(valoare);
    }
    for (TCheieInterna& cheie : model)
        cheie.Compacteaza();
    return true;
}

// Reads and parses the file; false with `motiv` when it cannot be read or is not a REGEDIT4 file.
bool CitesteFisier(const QString& fisier, TModel& model, QString& motiv)
{
    const QFileInfo info(fisier);
    if (info.isDir()) {
        motiv = QStringLiteral("in locul fisierului este un dosar");
        return false;
    }
    if (info.size() > kMarimeMaxima) {
        motiv = QStringLiteral("fisierul este prea mare");
        return false;
    }
    QFile f(fisier);
    if (!f.open(QIODevice::ReadOnly)) {
        motiv = QStringLiteral("nu poate fi citit (%1)").arg(f.errorString());
        return false;
    }
    const QByteArray octeti = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        motiv = QStringLiteral("nu poate fi citit (%1)").arg(f.errorString());
        return false;
    }
    QStringDecoder decodor(QStringDecoder::Utf8);
    QString text = decodor(octeti);
    if (decodor.hasError()) {
        motiv = QStringLiteral("nu este un text UTF-8");
        return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (QStringView(text).trimmed().isEmpty())
        return true;
    return ParseazaText(text, model, motiv);
}

bool ScrieFisier(const QString& fisier, const TModel& model, QString& eroare)
{
    return ScrieFisierSigur(fisier, TextFisier(model), eroare);
}

// Why `dosar` could not be created: the nearest folder on the way to it that exists cannot be written, or a
// file stands where a folder should be.
QString MotivDosarNecreat(const QString& dosar)
{
    QString cale = QFileInfo(dosar).absoluteFilePath();
    for (;;) {
        const QFileInfo info(cale);
        if (info.isDir())
            return MotivEroareScriere(0, cale);
        if (info.exists() || info.isSymLink())
            return QStringLiteral("in locul dosarului \"%1\" este un fisier").arg(QDir::toNativeSeparators(cale));
        const QString parinte = info.absolutePath();
        if (parinte == cale)
            return MotivEroareScriere(ENOENT, cale);
        cale = parinte;
    }
}

QString NumeRezerva(const QString& fisier)
{
    const QFileInfo info(fisier);
    const QString baza = info.absolutePath() + '/' + info.completeBaseName() + QStringLiteral(".deteriorat-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString sufix = info.suffix().isEmpty() ? QString() : '.' + info.suffix();
    QString nume = baza + sufix;
    for (int n = 2; QFileInfo::exists(nume) || QFileInfo(nume).isSymLink(); ++n)
        nume = baza + '-' + QString::number(n) + sufix;
    return nume;
}

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
