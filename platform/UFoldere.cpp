#include "platform/UFoldere.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString DosarExecutabil()
{
    return QCoreApplication::applicationDirPath();
}

bool DosarInscriptibil(const QString& dosar)
{
    if (!QFileInfo(dosar).isDir())
        return false;
    QTemporaryFile proba(dosar + "/.scriere-XXXXXX");
    return proba.open();
}

namespace {
const QString kSablon = QStringLiteral("BLANK.FDB");

QString DosarShare(const QString& dosarExecutabil)
{
    return QDir::cleanPath(dosarExecutabil + QStringLiteral("/../share/tessaluna"));
}
} // namespace

bool ProgramInstalat(const QString& dosarExecutabil)
{
    return !QFileInfo::exists(QDir(dosarExecutabil).filePath(kSablon)) &&
           QFileInfo::exists(QDir(DosarShare(dosarExecutabil)).filePath(kSablon));
}

QString DosarSablonPentru(const QString& dosarExecutabil)
{
    return ProgramInstalat(dosarExecutabil) ? DosarShare(dosarExecutabil) : dosarExecutabil;
}

QString DosarSablon()
{
    return DosarSablonPentru(DosarExecutabil());
}

QString DosarProgram()
{
    return DosarProgramPentru(DosarExecutabil());
}

QString DosarProgramPentru(const QString& exe)
{
    // An installed program's folder is the system's (/usr/bin), even for root who may write it.
    if (!ProgramInstalat(exe) && DosarInscriptibil(exe))
        return exe;
    const QString utilizator = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(utilizator);
    return utilizator;
}

QString DosarPentruFisier(const QString& relativ)
{
    return DosarPentruFisierIn(DosarExecutabil(), relativ);
}

QString DosarPentruFisierIn(const QString& exe, const QString& relativ)
{
    if (!ProgramInstalat(exe)) {
        const QFileInfo fisier(QDir(exe).filePath(relativ));
        if (fisier.isFile() && fisier.isWritable())
            return exe;
    }
    return DosarProgramPentru(exe);
}

QString DosarTemporar()
{
    const QString tmp = QDir::tempPath();
    QDir().mkpath(tmp);
    return tmp;
}

void PregatesteBlocareFirebird()
{
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // Without a runtime folder the lock folder goes into the per-user data folder that holds the register,
    // not into a second folder spelled alike.
    const QString dosar = !runtime.isEmpty() && DosarInscriptibil(runtime)
                              ? runtime + QStringLiteral("/tessaluna/firebird-lock")
                              : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                                    QStringLiteral("/firebird-lock");
    QDir().mkpath(dosar);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(dosar));
}
