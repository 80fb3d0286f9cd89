#include "app/TAplicatie.h"
#include "app/TDialogBazaDeDate.h"
#include "app/TMeniuRegistru.h"
#include "app/TTessalunaMain.h"
#include "app/USplash.h"
#include "app/UFontCertificat.h"
#include "app/UInstantaUnica.h"
#include "app/UPornireFisiere.h"
#include "platform/UActiune.h"
#include "platform/UFoldere.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "platform/UScriereSigura.h"
#include "print/UParticularizari.h"
#include "print/UPrintTessaluna.h"
#include "profile/UPornireDate.h"
#include "profile/UProfil.h"
#include "profile/UProfilTessaluna.h"
#include "store/UBazaServer.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/ULiniiElevi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <optional>

namespace {
// With TESSALUNA_MASURA_PORNIRE naming a file, the start-up benchmark's figures: seconds since main, seconds since
// the start screen closed, and the process's CPU time (every thread); the window then closes.
void ScrieMasuraPornirii(const QElapsedTimer& dinMain, const QElapsedTimer& dupaSplash)
{
    const QString fisier = qEnvironmentVariable("TESSALUNA_MASURA_PORNIRE");
    if (fisier.isEmpty())
        return;
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const double cpu = double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    QFile f(fisier);
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral("%1 %2 %3\n")
                    .arg(dinMain.nsecsElapsed() / 1e9)
                    .arg(dupaSplash.isValid() ? dupaSplash.nsecsElapsed() / 1e9 : -1.0)
                    .arg(cpu)
                    .toUtf8());
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer dinMain;
    dinMain.start();
    TAplicatie::BlocheazaSemnale();
    // The engine's restore asks on the standard input for the next volume of a cut-off backup and waits for
    // an answer; with nothing to read there it reports the backup as incomplete instead.
    if (!std::freopen("/dev/null", "r", stdin))
        std::fclose(stdin);
    try {
        InregistreazaClaseTessaluna();
        InregistreazaHandlerTessaluna();
    } catch (const EEroare& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Mesaj()));
        return 1;
    }
    TAplicatie aplicatie(argc, argv);
    aplicatie.OpresteLaSemnal();
    // The start-up's worker may meet a settings file it cannot read: the message box is shown by this thread.
    SeteazaAvertizareRegistru([](const QString& mesaj) {
        if (QThread::currentThread() == qApp->thread())
            TMesaje::Avertizeaza(nullptr, mesaj);
        else
            QMetaObject::invokeMethod(
                qApp, [mesaj] { TMesaje::Avertizeaza(nullptr, mesaj); }, Qt::BlockingQueuedConnection);
    });
    PregatesteBlocareFirebird();
    // A save interrupted by a crash or a kill leaves its temporary copy beside the file.
    QStringList fisiere{FisierRegistruUtilizator(), FisierParticularizari()};
    if (const TClasaProfil* profil = ProfilInregistrat())
        fisiere << TDM::CaleBazaDeDate(profil->NumeBazaDeDate(), DosarProgram());
    for (const QString& fisier : std::as_const(fisiere))
        StergeCopiiTemporare(fisier, PornireaProcesului());

    TDM dm;
    SeteazaRevenireLaEroare([&dm] { dm.Tr.Rollback(); });
    InstaleazaAccesServer(dm);
    // A register beside the program that can be written stays in use there, whatever the folder allows.
    const QString numeBaza = ProfilInregistrat() ? ProfilInregistrat()->NumeBazaDeDate() : QString();
    const QString dosarProgram =
        DosarPentruFisier(QDir(DosarExecutabil()).relativeFilePath(TDM::CaleBazaDeDate(numeBaza, DosarExecutabil())));
    // The register beside a read-only program, and what an interrupted restore left, are seen to before the
    // register is looked for; the user is told once the window shows.
    QStringList anunturi;
    const bool local = NumeBazaServer().isEmpty();
    const QString oferta = local ? OferaRegistrulDeLangaProgram(DosarExecutabil(), dosarProgram, numeBaza) : QString();
    if (!oferta.isEmpty())
        anunturi << oferta;
    anunturi << IngrijesteFisiereleLaPornire(
        numeBaza.isEmpty() || !local ? QString() : TDM::CaleBazaDeDate(numeBaza, dosarProgram));
    const QStringList bazeExistente = QDir(dosarProgram + QStringLiteral("/DB")).entryList(QDir::Files);
    QElapsedTimer dupaSplash;
    std::optional<TListaLiniiElevi> liniiCitite;
    try {
        // A local register is opened and maintained while the start screen shows. A server's may ask for its
        // password in a dialog, which only this thread may show: it starts after the start screen, as it did.
        const auto porneste = [&dm, &dosarProgram] { PornesteModululDeDate(dm, dosarProgram, DosarSablon()); };
        // The student list is read there too, once the register is open; a failure there is met again, and
        // reported, when the window reads the list itself.
        const auto pornesteSiCiteste = [&] {
            porneste();
            if (!dm.Db.Connected() || !ProfilInregistrat())
                return;
            try {
                liniiCitite = CitesteLiniiSortate(dm, ProfilInregistrat()->ListaCampuriElev());
            } catch (const std::exception&) {
                liniiCitite.reset();
            }
        };
        AfiseazaSplash(QStringLiteral("Tessaluna"),
                       local ? std::function<void()>(pornesteSiCiteste) : std::function<void()>());
        dupaSplash.start();
        if (!local)
            porneste();
    } catch (const EFaraBazaDeDate& e) {
        TMesaje::Avertizeaza(nullptr, e.Mesaj());
        return 1;
    } catch (const EEroareBD& e) {
        if (e.Categorie() != EEroareBD::BazaDeDateOcupata) {
            AfiseazaEroareaCurenta(nullptr, e);
        } else {
            // Another copy works on this register: it is brought to the front, and this copy ends untouched.
            TMesaje::Avertizeaza(nullptr, e.Mesaj(), e.Detalii());
            TInstantaUnica::CereAfisarea(dm.Db.DatabaseName());
            return 0;
        }
    } catch (const std::exception& e) {
        // Start-up goes on without the steps after the failing one; the main window still opens.
        AfiseazaEroareaCurenta(nullptr, e);
    }

    int rezultat = 0;
    // The window goes before the register is recorded below.
    {
        TTessalunaMain principala(std::move(liniiCitite));
        principala.show();
        if (qEnvironmentVariableIsSet("TESSALUNA_MASURA_PORNIRE")) {
            QTimer::singleShot(0, &principala, [&principala, &dinMain, &dupaSplash] {
                ScrieMasuraPornirii(dinMain, dupaSplash);
                principala.close();
            });
        }
        if (!dm.Db.DatabaseName().isEmpty())
            new TInstantaUnica(&principala, dm.Db.DatabaseName());
        principala.CreeazaFerestreAscunse();
        // The daily backup runs beside the shown window, so start-up does not wait for it.
        QTimer::singleShot(0, &principala, [&principala] { principala.Registru->PornesteCopiaZilnica(); });

        const QString fontLipsa = AvertismentFontCertificat();
        if (!fontLipsa.isEmpty())
            QTimer::singleShot(0, &principala,
                               [&principala, fontLipsa] { TMesaje::Avertizeaza(&principala, fontLipsa); });

        // A register made now outside the program's folder is announced once, from the running message loop.
        const QString caleBaza = dm.Db.DatabaseName();
        if (oferta.isEmpty() && dosarProgram != DosarExecutabil() && !caleBaza.isEmpty() &&
            QFileInfo::exists(caleBaza) && !bazeExistente.contains(QFileInfo(caleBaza).fileName())) {
            QTimer::singleShot(0, &principala, [&principala, caleBaza] {
                TMesaje::Informeaza(&principala,
                                    QStringLiteral("Registrul (baza de date) se pastreaza in dosarul dumneavoastra de "
                                                   "date:\n%1\nTot acolo se pastreaza si fisierul licenta.lic.")
                                        .arg(QDir::toNativeSeparators(caleBaza)));
            });
        }
        for (const QString& anunt : std::as_const(anunturi))
            QTimer::singleShot(0, &principala, [&principala, anunt] { TMesaje::Avertizeaza(&principala, anunt); });
        rezultat = aplicatie.exec();
    }
    // The window and its workers are gone: a register still open was not found damaged, and what the program wrote
    // to it is recorded, so that the next start need not read it whole.
    if (dm.Db.Connected() && dm.CitireVerificata) {
        const QString cale = dm.Db.DatabaseName();
        try {
            dm.Tr.Rollback();
            dm.Db.Close();
            InregistreazaVerificarea(cale);
        } catch (const std::exception&) {
            // Left unrecorded, the register is checked whole at the next start.
        }
    }
    return rezultat;
}
