// Build-time generator of BLANK.FDB: creates an empty UTF8 database and runs the schema script on it.
// Usage: makeblank <script.sql> <output.fdb>

#include "platform/UFoldere.h"
#include "store/UEroareBD.h"
#include "store/USablon.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeblank <script.sql> <output.fdb>\n");
        return 2;
    }
    const QString script = QString::fromLocal8Bit(argv[1]);
    const QString iesire = QFile::decodeName(argv[2]);
    QFile f(script);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(f.readAll());

    PregatesteBlocareFirebird();
    // Write to a temporary name first so that an interrupted build never leaves a half-made template.
    const QString temporar = iesire + QStringLiteral(".tmp");
    QFile::remove(temporar);
    try {
        CreeazaBazaDinScript(temporar, text);
    } catch (const EEroare& e) {
        std::fprintf(stderr, "makeblank: %s\n", qPrintable(e.Mesaj()));
        QFile::remove(temporar);
        return 1;
    }
    QFile::remove(iesire);
    if (!QFile::rename(temporar, iesire)) {
        std::fprintf(stderr, "makeblank: cannot write %s\n", argv[2]);
        return 1;
    }
    QFile::setPermissions(iesire, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return 0;
}
