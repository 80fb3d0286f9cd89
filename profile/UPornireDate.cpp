#include "profile/UPornireDate.h"

#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UTipariri.h"

void PornesteModululDeDate(TDM& dm, const QString& dosarProgram, const QString& dosarSablon)
{
    const TClasaProfil* profil = ProfilInregistrat();
    if (!profil)
        throw EEroare(QStringLiteral("NU ai definit profilul diplomei"));
    dm.Deschide(profil->NumeBazaDeDate(), dosarProgram, dosarSablon);
    dm.ActualizeazaSchema();
    ActualizeazaListaTabele();
    dm.CreeazaStructuriTabele();
    dm.InregistreazaTipuriDeDate();
    ActualizeazaProfil();
    CreeazaRegistruTipariri(dm);
    dm.ActualizeazaStatistici();
}
