#include "app/TAplicatie.h"
#include "app/TTessalunaMain.h"
#include "app/USplash.h"
#include "platform/UActiune.h"
#include "platform/UFoldere.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/UPrintTessaluna.h"
#include "profile/UPornireDate.h"
#include "profile/UProfilTessaluna.h"
#include "store/UDataModule.h"

int main(int argc, char** argv)
{
    TAplicatie::BlocheazaSemnale();
    try {
        InregistreazaClaseTessaluna();
        InregistreazaHandlerTessaluna();
    } catch (const EEroare& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Mesaj()));
        return 1;
    }
    TAplicatie aplicatie(argc, argv);
    aplicatie.OpresteLaSemnal();
    SeteazaAvertizareRegistru([](const QString& mesaj) { TMesaje::Avertizeaza(nullptr, mesaj); });
    PregatesteBlocareFirebird();

    TDM dm;
    SeteazaRevenireLaEroare([&dm] { dm.Tr.Rollback(); });
    try {
        AfiseazaSplash(QStringLiteral("Tessaluna"));
        PornesteModululDeDate(dm, DosarProgram(), DosarExecutabil());
    } catch (const EFaraBazaDeDate& e) {
        TMesaje::Avertizeaza(nullptr, e.Mesaj());
        return 1;
    } catch (const std::exception& e) {
        // Start-up goes on without the steps after the failing one; the main window still opens.
        AfiseazaEroareaCurenta(nullptr, e);
    }

    TTessalunaMain principala;
    principala.show();
    principala.CreeazaFerestreAscunse();
    return aplicatie.exec();
}
