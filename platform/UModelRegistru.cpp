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

namespace {
const QString kRadacina = QStringLiteral("HKEY_CURRENT_USER");
const QString kAntet = QStringLiteral("REGEDIT4");
const QString kPrefixCheie = kRadacina + u'\\';
// A settings file is a few hundred bytes; anything this large is not one.
constexpr qint64 kMarimeMaxima = 16 * 1024 * 1024;
} // namespace

namespace RegistruIntern {

QString Pliaza(const QString& text)
{
    return text.toCaseFolded();
}

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
QString MesajDeteriorat(const QString& fisier, QString motiv, bool doarValori)
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

} // namespace RegistruIntern
