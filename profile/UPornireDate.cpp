#include "profile/UPornireDate.h"

#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UFormulare.h"
#include "store/UTipariri.h"

#include <optional>

void PornesteModululDeDate(TDM& dm, const QString& dosarProgram, const QString& dosarSablon)
{
    const TClasaProfil* profil = ProfilInregistrat();
    if (!profil)
        throw EEroare(QStringLiteral("NU ai definit profilul diplomei"));
    // Looked at before connecting: the engine writes to the file's header as it attaches.
    const QString caleLocala = TDM::CaleBazaDeDate(profil->NumeBazaDeDate(), dosarProgram);
    const bool laZi = VerificareLaZi(caleLocala);
    const QString cale = dm.Deschide(profil->NumeBazaDeDate(), dosarProgram, dosarSablon);
    try {
        // Several desks of a server register may start at once: one at a time rewrites the shared rows. A connection
        // keeps the columns of a table as it first read them; when another desk changed the structure since this one
        // began (a register's first starts, an upgrade), the connection is opened again before the steps use it.
        QString amprenta = dm.AmprentaStructurii();
        // The whole file is read only when it changed since the program last left it clean: damage inside it
        // shows before any step writes. The daily backup checks it again whatever the record says.
        dm.CitireVerificata = false;
        if (!laZi || cale != caleLocala) {
            dm.VerificaCitirea();
            InregistreazaVerificarea(cale);
        }
        dm.CitireVerificata = true;
        dm.ActualizeazaSchema();
        std::optional<TBlocarePornire> blocare;
        for (;;) {
            blocare.emplace(dm);
            if (dm.AmprentaStructurii() == amprenta)
                break;
            blocare.reset();
            dm.Reconecteaza();
            amprenta = dm.AmprentaStructurii();
        }
        RepetaLaConflict([] { ActualizeazaListaTabele(); });
        RepetaLaConflict([&dm] { dm.CreeazaStructuriTabele(); });
        RepetaLaConflict([&dm] { dm.InregistreazaTipuriDeDate(); });
        RepetaLaConflict([] { ActualizeazaProfil(); });
        RepetaLaConflict([&dm] { CreeazaRegistruTipariri(dm); });
        RepetaLaConflict([&dm] { CreeazaEvidentaFormulare(dm); });
        RepetaLaConflict([&dm] { dm.ActualizeazaStatistici(); });
    } catch (const EEroareBD& e) {
        if (e.Categorie() != EEroareBD::FisierDeteriorat)
            throw;
        dm.CitireVerificata = false;
        UitaVerificarea(cale);
        // Whichever step met the damage: the one message, and no later step nor user action writes to the file.
        try {
            dm.Tr.Rollback();
            dm.Db.Close();
        } catch (const std::exception&) {
            // A damaged file may fail these too; the message below says all the user needs.
        }
        throw EroareBazaDeteriorata(cale, e.Detalii().isEmpty() ? e.Mesaj() : e.Detalii());
    }
}
