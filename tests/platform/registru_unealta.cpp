// A second program on the same registry file, for the tests that need another process:
//   registru_unealta FILE listeaza KEY            -> one line per value: name=text:... or name=dword:N
//   registru_unealta FILE text KEY NAME VALUE
//   registru_unealta FILE intreg KEY NAME NUMBER
//   registru_unealta FILE multe KEY PREFIX COUNT  -> COUNT separate writes PREFIX0 .. PREFIXn-1 = n
// With LIMITA_FISIER=N in the environment no file may grow past N bytes (a disk that fills up).
#include "platform/URegistru.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

#include <sys/resource.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("LIMITA_FISIER")) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limita{};
        getrlimit(RLIMIT_FSIZE, &limita);
        limita.rlim_cur = rlim_t(qEnvironmentVariableIntValue("LIMITA_FISIER"));
        if (setrlimit(RLIMIT_FSIZE, &limita) != 0)
            return 4;
    }
    const QStringList a = app.arguments();
    QTextStream out(stdout);
    if (a.size() < 4)
        return 2;
    try {
        TRegistru reg(a[1]);
        const QString comanda = a[2];
        if (comanda == "listeaza") {
            if (!reg.DeschideCheie(a[3], false))
                return 3;
            for (const QString& nume : reg.NumeValori()) {
                if (reg.TipValoare(nume) == TTipValoareRegistru::Text)
                    out << nume << "=text:" << reg.CitesteText(nume).toUtf8().toPercentEncoding() << "\n";
                else
                    out << nume << "=dword:" << reg.CitesteIntreg(nume) << "\n";
            }
            return 0;
        }
        reg.DeschideCheie(a[3], true);
        if (comanda == "text" && a.size() == 6)
            reg.ScrieText(a[4], a[5]);
        else if (comanda == "intreg" && a.size() == 6)
            reg.ScrieIntreg(a[4], a[5].toInt());
        else if (comanda == "multe" && a.size() == 6) {
            for (int i = 0; i < a[5].toInt(); ++i)
                reg.ScrieIntreg(a[4] + QString::number(i), i);
        } else
            return 2;
    } catch (const std::exception& e) {
        QTextStream(stderr) << TextEroare(e) << "\n";
        return 1;
    }
    return 0;
}
