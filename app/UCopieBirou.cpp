#include "app/UCopieBirou.h"

#include "platform/UEroare.h"
#include "platform/URegistru.h"
#include "platform/UScriereSigura.h"
#include "print/UParticularizari.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <zip.h>

#include <unistd.h>

namespace {

const char* const NumeFbk = "registru.fbk";
const char* const NumeRegistru = "HKCU.reg";
const char* const NumeCorecturi = "licenta.lic";
// Settings files are small; anything larger is not one of them.
constexpr zip_uint64_t MarimeSetariMaxima = 16 * 1024 * 1024;

QString Afisat(const QString& cale)
{
    return QDir::toNativeSeparators(cale);
}

QString Pid()
{
    return QString::number(::getpid());
}

QString TextZip(int cod)
{
    zip_error_t eroare;
    zip_error_init_with_code(&eroare, cod);
    const QString text = QString::fromUtf8(zip_error_strerror(&eroare));
    zip_error_fini(&eroare);
    return text;
}

QByteArray Citeste(const QString& cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        throw EEroare(QStringLiteral("Fisierul %1 nu poate fi citit (%2).").arg(Afisat(cale), f.errorString()));
    return f.readAll();
}

// Reads one entry of at most `maxim` bytes; writes it to `iesire` when given, else returns it.
QByteArray CitesteIntrare(zip_t* arhiva, zip_int64_t index, zip_uint64_t maxim, QFile* iesire)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(arhiva, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > maxim)
        throw EEroare(QStringLiteral("o parte a ei are o marime nepermisa"));
    zip_file_t* f = zip_fopen_index(arhiva, zip_uint64_t(index), 0);
    if (!f)
        throw EEroare(QStringLiteral("o parte a ei nu poate fi citita"), QString::fromUtf8(zip_strerror(arhiva)));
    const auto inchide = qScopeGuard([f] { zip_fclose(f); });
    QByteArray tot;
    QByteArray bloc(1 << 16, Qt::Uninitialized);
    zip_uint64_t citit = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(f, bloc.data(), zip_uint64_t(bloc.size()));
        if (n < 0)
            throw EEroare(QStringLiteral("o parte a ei este deteriorata"), QString::fromUtf8(zip_file_strerror(f)));
        if (n == 0)
            break;
        citit += zip_uint64_t(n);
        if (citit > st.size)
            throw EEroare(QStringLiteral("o parte a ei are o marime nepermisa"));
        if (iesire) {
            if (iesire->write(bloc.constData(), n) != n)
                throw EEroare(QStringLiteral("registrul din ea nu poate fi scris pe disc"), iesire->errorString());
        } else {
            tot.append(bloc.constData(), n);
        }
    }
    if (citit != st.size)
        throw EEroare(QStringLiteral("o parte a ei este incompleta"));
    return tot;
}

void VerificaRegistru(const QByteArray& octeti, const QString& dosarLucru)
{
    QTemporaryFile proba(QDir(dosarLucru).filePath(QStringLiteral("HKCU-proba-XXXXXX.reg")));
    if (!proba.open() || proba.write(octeti) != octeti.size() || !proba.flush())
        throw EEroare(QStringLiteral("setarile ei nu pot fi verificate (%1)").arg(proba.errorString()));
    proba.close();
    if (TRegistru(proba.fileName()).Deteriorat())
        throw EEroare(QStringLiteral("setarile ei (HKCU.reg) sunt deteriorate"));
}

void VerificaCorecturi(const QByteArray& octeti)
{
    TListaParticularizareTextArea proba; // without a file: nothing is written
    try {
        proba.Deserializeaza(octeti);
    } catch (const EEroare& e) {
        throw EEroare(QStringLiteral("corecturile ei (licenta.lic) sunt deteriorate: %1").arg(e.Mesaj()));
    }
}

} // namespace

bool EsteCopieBirou(const QString& fisier)
{
    QFile f(fisier);
    return f.open(QIODevice::ReadOnly) && f.read(4) == QByteArrayLiteral("PK\x03\x04");
}

void FaCopieBirou(const QString& caleBaza, const QString& fisierZip, const QString& fisierRegistru,
                  const QString& fisierCorecturi, const TProgresCopie& progres)
{
    if (QFileInfo::exists(fisierZip))
        throw EEroare(QStringLiteral("Exista deja un fisier %1. Copia de siguranta nu il inlocuieste; alegeti alt "
                                     "nume.")
                          .arg(Afisat(fisierZip)));
    // Named as a backup's partial files, which a later start removes when this process is gone.
    const QString fbk = fisierZip + QStringLiteral(".fbk.p%1.part").arg(Pid());
    const QString partial = fisierZip + QStringLiteral(".p%1.part").arg(Pid());
    const auto curata = qScopeGuard([&] {
        QFile::remove(fbk);
        QFile::remove(partial);
    });
    QFile::remove(fbk);
    QFile::remove(partial);
    FaCopieDeSiguranta(caleBaza, fbk, progres);

    // `detalii`: the archive library's own words, shown only under "Detalii".
    const auto esec = [&](const QString& motiv, const QString& detalii = {}) {
        return EEroare(QStringLiteral("Copia de siguranta nu a putut fi facuta in %1. Copiile facute inainte au "
                                      "ramas neatinse.\n\n%2")
                           .arg(Afisat(fisierZip), motiv),
                       detalii);
    };
    // The settings are read now and held until the archive is written.
    QList<QPair<const char*, QByteArray>> setari;
    for (const auto& [nume, cale] :
         {std::pair{NumeRegistru, fisierRegistru}, std::pair{NumeCorecturi, fisierCorecturi}}) {
        if (QFileInfo(cale).isFile())
            setari.append({nume, Citeste(cale)});
    }
    int cod = 0;
    zip_t* arhiva = zip_open(QFile::encodeName(partial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &cod);
    if (!arhiva)
        throw esec(QStringLiteral("Arhiva nu a putut fi inceputa."), TextZip(cod));
    const auto adauga = [&](const char* nume, zip_source_t* sursa) {
        if (!sursa || zip_file_add(arhiva, nume, sursa, ZIP_FL_ENC_UTF_8) < 0) {
            const QString motiv = QString::fromUtf8(zip_strerror(arhiva));
            if (sursa)
                zip_source_free(sursa);
            zip_discard(arhiva);
            throw esec(QStringLiteral("Arhiva nu a putut fi scrisa."), motiv);
        }
    };
    adauga(NumeFbk, zip_source_file(arhiva, QFile::encodeName(fbk).constData(), 0, -1));
    for (const auto& [nume, octeti] : std::as_const(setari))
        adauga(nume, zip_source_buffer(arhiva, octeti.constData(), zip_uint64_t(octeti.size()), 0));
    if (zip_close(arhiva) != 0) {
        const QString motiv = QString::fromUtf8(zip_strerror(arhiva));
        zip_discard(arhiva);
        throw esec(QStringLiteral("Arhiva nu a putut fi scrisa pana la capat."), motiv);
    }
    InchideAltora(partial);
    // Synced, then given its name: link() never replaces a file another program made meanwhile.
    if (QFile f(partial); f.open(QIODevice::ReadOnly))
        ::fsync(f.handle());
    if (::link(QFile::encodeName(partial).constData(), QFile::encodeName(fisierZip).constData()) != 0)
        throw esec(MotivEroareScriere(errno, QFileInfo(fisierZip).absolutePath()));
}

TCopieCitita::~TCopieCitita()
{
    if (m_extrasa)
        QFile::remove(Fbk);
}

std::unique_ptr<TCopieCitita> CitesteCopie(const QString& fisier, const QString& dosarLucru)
{
    auto copie = std::make_unique<TCopieCitita>();
    if (!EsteCopieBirou(fisier)) {
        copie->Fbk = fisier;
        return copie;
    }
    const auto esec = [&](const QString& motiv, const QString& detalii = {}) {
        return EEroare(QStringLiteral("Fisierul %1 nu poate fi folosit ca o copie de siguranta: %2. Registrul "
                                      "curent a ramas neatins.")
                           .arg(Afisat(fisier), motiv),
                       detalii);
    };
    int cod = 0;
    zip_t* arhiva = zip_open(QFile::encodeName(fisier).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &cod);
    if (!arhiva)
        throw esec(QStringLiteral("arhiva este deteriorata sau incompleta"), TextZip(cod));
    const auto inchide = qScopeGuard([arhiva] { zip_discard(arhiva); });
    const zip_int64_t indexFbk = zip_name_locate(arhiva, NumeFbk, 0);
    if (indexFbk < 0)
        throw esec(QStringLiteral("arhiva nu contine registrul (%1)").arg(QString::fromLatin1(NumeFbk)));
    copie->Fbk = QDir(dosarLucru).filePath(QStringLiteral("%1.p%2.part").arg(QString::fromLatin1(NumeFbk), Pid()));
    try {
        for (const auto& [nume, tinta] :
             {std::pair{NumeRegistru, &copie->Registru}, std::pair{NumeCorecturi, &copie->Corecturi}}) {
            const zip_int64_t index = zip_name_locate(arhiva, nume, 0);
            if (index >= 0)
                *tinta = CitesteIntrare(arhiva, index, MarimeSetariMaxima, nullptr);
        }
        if (copie->Registru)
            VerificaRegistru(*copie->Registru, dosarLucru);
        if (copie->Corecturi)
            VerificaCorecturi(*copie->Corecturi);
        QFile::remove(copie->Fbk);
        QFile fbk(copie->Fbk);
        if (!fbk.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            throw EEroare(QStringLiteral("nu pot scrie %1 (%2)").arg(Afisat(copie->Fbk), fbk.errorString()));
        copie->m_extrasa = true;
        CitesteIntrare(arhiva, indexFbk, std::numeric_limits<zip_uint64_t>::max(), &fbk);
        if (!fbk.flush())
            throw EEroare(QStringLiteral("registrul din ea nu poate fi scris pe disc"), fbk.errorString());
    } catch (const EEroare& e) {
        throw esec(e.Mesaj(), e.Detalii());
    }
    return copie;
}

QStringList PuneLaLocSetarile(const TCopieCitita& copie, const QString& fisierRegistru, const QString& fisierCorecturi,
                              const QDateTime& moment)
{
    QStringList pastrate;
    const QString stampila = moment.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const auto& [octeti, cale] :
         {std::pair{&copie.Registru, fisierRegistru}, std::pair{&copie.Corecturi, fisierCorecturi}}) {
        if (!*octeti)
            continue;
        QDir().mkpath(QFileInfo(cale).absolutePath());
        if (QFileInfo::exists(cale)) {
            const QString pastrata = cale + QStringLiteral(".inlocuit-") + stampila;
            QString motiv;
            if (!CopiazaInFisierNou(cale, pastrata, motiv))
                throw EEroare(QStringLiteral("Setarile de acum din %1 nu au putut fi pastrate (%2); nu le-am "
                                             "inlocuit.")
                                  .arg(Afisat(cale), motiv));
            pastrate << pastrata;
        }
        QString motiv;
        if (!ScrieFisierSigur(cale, **octeti, motiv))
            throw EEroare(QStringLiteral("Fisierul %1 nu a putut fi scris: %2.").arg(Afisat(cale), motiv));
        InchideAltora(cale);
    }
    return pastrate;
}
