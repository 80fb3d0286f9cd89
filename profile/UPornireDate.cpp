#include "profile/UPornireDate.h"

#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UTipariri.h"

void PornesteModululDeDate(TDM& dm, const QString& dosarProgram, const QString& dosarSablon)
{
    const TClasaProfil* profil = ProfilInregistrat();
    if (!profil)
        throw EEroare(QStringLiteral("NU ai definit profilul diplomei"));
    const QString cale = dm.Deschide(profil->NumeBazaDeDate(), dosarProgram, dosarSablon);
    try {
        dm.VerificaCitirea();
        dm.ActualizeazaSchema();
        // Several desks of a server register may start at once: one at a time rewrites the shared rows.
        const TBlocarePornire blocare(dm);
        RepetaLaConflict([] { ActualizeazaListaTabele(); });
        RepetaLaConflict([&dm] { dm.CreeazaStructuriTabele(); });
        RepetaLaConflict([&dm] { dm.InregistreazaTipuriDeDate(); });
        RepetaLaConflict([] { ActualizeazaProfil(); });
        RepetaLaConflict([&dm] { CreeazaRegistruTipariri(dm); });
        RepetaLaConflict([&dm] { dm.ActualizeazaStatistici(); });
    } catch (const EEroareBD& e) {
        if (e.Categorie() != EEroareBD::FisierDeteriorat)
            throw;
        // Whichever step met the damage: the one message, and no later step nor user action writes to the file.
        try {
            dm.Tr.Rollback();
            dm.Db.Close();
        } catch (const std::exception&) {
            // A damaged file may fail these too; the message below says all the user needs.
        }
        throw EroareBazaDeteriorata(cale, e.Mesaj());
    }
}
