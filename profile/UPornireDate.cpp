#include "profile/UPornireDate.h"

#include "profile/UProfil.h"
#include "store/UDataModule.h"

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
    dm.ActualizeazaStatistici();
}
