#include "platform/UScriereSigura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDateTime g_incarcare = QDateTime::currentDateTime();

QString Nativ(const QString& cale)
{
    return QDir::toNativeSeparators(cale);
}

bool ScrieTot(int fd, const char* date, qint64 lungime, int& eroare)
{
    while (lungime > 0) {
        const ssize_t n = ::write(fd, date, size_t(lungime));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            eroare = errno;
            return false;
        }
        date += n;
        lungime -= n;
    }
    return true;
}

// What creating and writing a small file in the folder meets now: 0 when it works.
int ProbaScriere(const QString& dosar)
{
    QByteArray sablon = QFile::encodeName(dosar + QStringLiteral("/.proba-scriere-XXXXXX"));
    const int fd = ::mkstemp(sablon.data());
    if (fd < 0)
        return errno;
    int eroare = 0;
    const char bloc[512] = {};
    if (ScrieTot(fd, bloc, sizeof bloc, eroare) && ::fsync(fd) != 0)
        eroare = errno;
    ::close(fd);
    ::unlink(sablon.constData());
    return eroare;
}

QString MotivCunoscut(int eroare, const QString& dosar)
{
    switch (eroare) {
    case ENOSPC:
        return QStringLiteral("nu mai este loc pe disc");
    case EDQUOT:
        return QStringLiteral("s-a atins limita de spatiu pe disc a utilizatorului");
    case EFBIG:
        return QStringLiteral("fisierul ar depasi marimea maxima permisa de sistem");
    case EACCES:
    case EPERM:
        return QStringLiteral("nu am drept de scriere in dosarul \"%1\"").arg(Nativ(dosar));
    case EROFS:
        return QStringLiteral("dosarul \"%1\" este pe un disc protejat la scriere").arg(Nativ(dosar));
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("dosarul \"%1\" nu exista").arg(Nativ(dosar));
    case EIO:
        return QStringLiteral("eroare de intrare/iesire a discului");
    default:
        return QString();
    }
}

} // namespace

QString MotivEroareScriere(int eroareSistem, const QString& dosar)
{
    QString motiv = MotivCunoscut(eroareSistem, dosar);
    if (!motiv.isEmpty())
        return motiv;
    if (!QFileInfo(dosar).isDir())
        return MotivCunoscut(ENOENT, dosar);
    const int proba = ProbaScriere(dosar);
    motiv = MotivCunoscut(proba, dosar);
    if (!motiv.isEmpty())
        return motiv;
    const int eroare = eroareSistem != 0 ? eroareSistem : proba;
    if (eroare != 0)
        return QStringLiteral("eroare de sistem %1 (%2)")
            .arg(eroare)
            .arg(QString::fromLocal8Bit(std::strerror(eroare)));
    return QStringLiteral("eroare necunoscuta la scrierea in dosarul \"%1\"").arg(Nativ(dosar));
}

bool ScrieFisierSigur(const QString& cale, const QByteArray& octeti, QString& motiv)
{
    const QString dosar = QFileInfo(cale).absolutePath();
    QSaveFile f(cale);
    // Unbuffered, and written through the descriptor: each write's own error number is the cause, and no
    // buffer is left for commit() to flush (Qt 6.4 misses an error of that last flush and renames the cut
    // file over the good one).
    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // QSaveFile refuses to replace a file the user may not write, without an error number.
        const QFileInfo info(cale);
        motiv = info.exists() && !info.isWritable()
                    ? QStringLiteral("nu am drept de scriere in fisierul \"%1\"").arg(Nativ(cale))
                    : MotivEroareScriere(errno, dosar);
        return false;
    }
    int eroare = 0;
    bool scris = ScrieTot(f.handle(), octeti.constData(), octeti.size(), eroare);
    // A full disk may show only here, when the data is really written (delayed allocation, network disks).
    if (scris && ::fsync(f.handle()) != 0 && errno != EINVAL) {
        eroare = errno;
        scris = false;
    }
    if (!scris) {
        f.cancelWriting();
        motiv = MotivEroareScriere(eroare, dosar);
        return false;
    }
    errno = 0;
    if (!f.commit()) {
        const int dupaCommit = errno;
        motiv = MotivCunoscut(dupaCommit, dosar);
        if (motiv.isEmpty())
            motiv = f.errorString();
        return false;
    }
    return true;
}

bool CopiazaInFisierNou(const QString& sursa, const QString& destinatie, QString& motiv)
{
    QFile in(sursa);
    if (!in.open(QIODevice::ReadOnly)) {
        motiv = QStringLiteral("fisierul \"%1\" nu poate fi citit (%2)").arg(Nativ(sursa), in.errorString());
        return false;
    }
    const QByteArray octeti = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        motiv = QStringLiteral("fisierul \"%1\" nu poate fi citit (%2)").arg(Nativ(sursa), in.errorString());
        return false;
    }
    const QString dosar = QFileInfo(destinatie).absolutePath();
    // Named as QSaveFile names its copies, so that a copy left by a kill is found and removed the same way.
    QByteArray temporar = QFile::encodeName(destinatie) + ".XXXXXX";
    const int fd = ::mkstemp(temporar.data());
    if (fd < 0) {
        motiv = MotivEroareScriere(errno, dosar);
        return false;
    }
    int eroare = 0;
    bool scris = ScrieTot(fd, octeti.constData(), octeti.size(), eroare);
    if (scris && ::fsync(fd) != 0 && errno != EINVAL) {
        eroare = errno;
        scris = false;
    }
    if (::close(fd) != 0 && scris) {
        eroare = errno;
        scris = false;
    }
    // link() never replaces an existing name, where rename() would.
    if (scris && ::link(temporar.constData(), QFile::encodeName(destinatie).constData()) != 0) {
        eroare = errno;
        scris = false;
    }
    ::unlink(temporar.constData());
    if (!scris) {
        motiv = eroare == EEXIST ? QStringLiteral("fisierul \"%1\" exista deja").arg(Nativ(destinatie))
                                 : MotivEroareScriere(eroare, dosar);
        return false;
    }
    return true;
}

int StergeCopiiTemporare(const QString& fisier, const QDateTime& inainte)
{
    const QFileInfo info(fisier);
    static const QRegularExpression sufix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    int sterse = 0;
    const QFileInfoList copii = QDir(info.absolutePath())
                                    .entryInfoList({info.fileName() + QStringLiteral(".??????")},
                                                   QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& copie : copii) {
        if (!copie.fileName().startsWith(info.fileName()) ||
            !sufix.match(copie.fileName().mid(info.fileName().size())).hasMatch())
            continue;
        // A copy changed since this process started may be another running copy's write in progress.
        if (copie.lastModified() >= inainte || copie.ownerId() != ::geteuid())
            continue;
        if (QFile::remove(copie.absoluteFilePath()))
            ++sterse;
    }
    return sterse;
}

bool FolositDeProces(qint64 pid, const QDateTime& modificat)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return false;
    // The start in clock ticks after boot is field 22 of /proc/<pid>/stat, after the name in parentheses.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    QFile sistem(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly) || !sistem.open(QIODevice::ReadOnly))
        return true;
    const QByteArray linie = stat.readAll();
    const QList<QByteArray> campuri = linie.mid(linie.lastIndexOf(')') + 2).split(' ');
    qint64 boot = -1;
    for (const QByteArray& l : sistem.readAll().split('\n')) {
        if (l.startsWith("btime "))
            boot = l.mid(6).trimmed().toLongLong();
    }
    bool ok = false;
    const qint64 tic = campuri.size() > 19 ? campuri[19].toLongLong(&ok) : 0;
    if (!ok || boot < 0)
        return true;
    const qint64 pornire = boot * 1000 + tic * 1000 / ::sysconf(_SC_CLK_TCK);
    // The boot time is given in whole seconds.
    return pornire <= modificat.toMSecsSinceEpoch() + 2000;
}

QDateTime PornireaProcesului()
{
    // /proc/self is made when the process starts; the time the library was loaded is close behind it.
    struct stat st;
    if (::stat("/proc/self", &st) == 0) {
        const QDateTime pornire =
            QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);
        if (pornire.isValid() && pornire <= g_incarcare)
            return pornire;
    }
    return g_incarcare;
}

namespace {

mode_t UmaskProces()
{
    // Read where the system shows it: setting it to read it back would race with other threads' files.
    QFile stare(QStringLiteral("/proc/self/status"));
    if (stare.open(QIODevice::ReadOnly)) {
        for (const QByteArray& linie : stare.readAll().split('\n')) {
            if (linie.startsWith("Umask:")) {
                bool ok = false;
                const uint m = linie.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(m);
            }
        }
    }
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
}

// The mode of a new file of personal data at `cale`: that of the file it replaces, else the one the umask gives;
// in both cases without any permission for other users.
mode_t ModFaraAltii(const QString& cale)
{
    struct stat st;
    if (::stat(QFile::encodeName(cale).constData(), &st) == 0)
        return st.st_mode & 0770;
    return (0666 & ~UmaskProces()) & 0770;
}

} // namespace

void InchideAltora(const QString& cale)
{
    struct stat st;
    const QByteArray c = QFile::encodeName(cale);
    if (::stat(c.constData(), &st) == 0 && (st.st_mode & S_IRWXO))
        ::chmod(c.constData(), st.st_mode & 07770);
}

bool CreeazaDosarPrivat(const QString& dosar)
{
    QStringList noi;
    for (QString d = QDir::cleanPath(QDir(dosar).absolutePath()); !QFileInfo::exists(d);
         d = QFileInfo(d).absolutePath()) {
        noi.prepend(d);
        if (d == QFileInfo(d).absolutePath())
            break;
    }
    if (!QDir().mkpath(dosar))
        return false;
    for (const QString& d : std::as_const(noi))
        InchideAltora(d);
    return true;
}

TFisierInLucru::TFisierInLucru(const QString& tinta) : m_tinta(tinta)
{
    QByteArray sablon = QFile::encodeName(tinta) + ".XXXXXX";
    const int fd = ::mkstemp(sablon.data());
    if (fd < 0) {
        m_motiv = MotivEroareScriere(errno, QFileInfo(tinta).absolutePath());
        return;
    }
    ::fchmod(fd, ModFaraAltii(tinta));
    ::close(fd);
    m_temporar = QFile::decodeName(sablon);
}

TFisierInLucru::~TFisierInLucru()
{
    if (!m_incheiat && !m_temporar.isEmpty())
        ::unlink(QFile::encodeName(m_temporar).constData());
}

bool TFisierInLucru::Incheie(QString& motiv)
{
    if (m_temporar.isEmpty()) {
        motiv = m_motiv;
        return false;
    }
    const QByteArray temporar = QFile::encodeName(m_temporar);
    const QString dosar = QFileInfo(m_tinta).absolutePath();
    const int fd = ::open(temporar.constData(), O_RDONLY);
    if (fd < 0 || (::fsync(fd) != 0 && errno != EINVAL)) {
        motiv = MotivEroareScriere(errno, dosar);
        if (fd >= 0)
            ::close(fd);
        m_incheiat = true;
        return false;
    }
    ::close(fd);
    if (::rename(temporar.constData(), QFile::encodeName(m_tinta).constData()) != 0) {
        motiv = MotivEroareScriere(errno, dosar);
        m_incheiat = true;
        return false;
    }
    m_incheiat = true;
    return true;
}
