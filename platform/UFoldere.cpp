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

QString DosarProgram()
{
    const QString exe = DosarExecutabil();
    if (DosarInscriptibil(exe))
        return exe;
    const QString utilizator = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(utilizator);
    return utilizator;
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
    QString baza = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (baza.isEmpty() || !DosarInscriptibil(baza))
        baza = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString dosar = baza + "/tessaluna/firebird-lock";
    QDir().mkpath(dosar);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(dosar));
}
