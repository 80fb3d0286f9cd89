// Holds a database open until its standard input closes: a second running copy of the program.
#include "platform/UFoldere.h"
#include "store/UDataModule.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PregatesteBlocareFirebird();
    TDM dm;
    dm.Db.SetDatabaseName(QString::fromLocal8Bit(argv[1]));
    dm.Db.Params() << QStringLiteral("USER_NAME=sysdba") << QStringLiteral("password=velkortan");
    try {
        dm.Db.Open();
    } catch (const EEroare& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Mesaj()));
        return 1;
    }
    std::printf("deschis\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
