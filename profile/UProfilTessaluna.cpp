#include "profile/UProfilTessaluna.h"

TListaLiniiProfilTessaluna::TListaLiniiProfilTessaluna()
{
    struct TDefinitie
    {
        const char* camp;
        const char* eticheta;
        const char* tip;
        const char* asociat;
        const char* similar;
    };
    static const TDefinitie linii[] = {
        {"C_ABREVIERE", "[Candidat]Abreviere{cotor}", "TEXT", "ELEVI", ""},
        {"C_NUME_L1", "[Candidat]Nume linia 1{cotor}", "TEXT", "ELEVI", ""},
        {"C_NUME_L2", "[Candidat]Nume linia 2{cotor}", "TEXT", "ELEVI", ""},
        {"C_AN_ABSOLVIRE", "[Candidat]Anul absolvirii ciclului{cotor}", "TEXT", "ELEVI", ""},
        {"C_UNITATEA_L1", "[Scoala]Unitatea linia 1{cotor}", "TEXT", "SCOALA", ""},
        {"C_UNITATEA_L2", "[Scoala]Unitatea linia 2{cotor}", "TEXT", "SCOALA", ""},
        {"C_COD_SIRUES", "[Scoala]Cod SIRUES{cotor}", "SIRUES", "SCOALA", ""},
        {"C_LOCALITATEA", "[Scoala]Localitatea{cotor}", "TEXT", "SCOALA", ""},
        {"C_JUDETUL", "[Scoala]Judetul{cotor}", "TEXT", "SCOALA", ""},
        {"C_FILIERA", "[Scoala]Filiera{cotor}", "TEXT", "ELEVI", ""},
        {"C_PROFILUL", "[Scoala]Profilul{cotor}", "TEXT", "ELEVI", ""},
        {"C_SPECIALIZAREA", "[Scoala]Specializarea{cotor}", "TEXT", "ELEVI", ""},
        {"C_CNP", "[Candidat]CNP{cotor}", "CNP", "ELEVI", ""},
        {"C_DIRECTOR", "[Conducerea]Director{cotor}", "TEXT", "SCOALA", ""},
        {"C_SECRETAR", "[Conducerea]Secretar{cotor}", "TEXT", "SCOALA", ""},
        {"A_ABREVIERE", "[Candidat]Abreviere{certificat}", "TEXT", "ELEVI", "C_ABREVIERE"},
        {"A_NUME", "[Candidat]Nume{certificat}", "TEXT", "ELEVI", ""},
        {"A_AN_ABSOLVIRE", "[Candidat]Anul absolvirii ciclului{cotor}", "TEXT", "ELEVI", "C_AN_ABSOLVIRE"},
        {"A_UNITATEA_L1", "[Scoala]Unitatea linia 1{certificat}", "TEXT", "SCOALA", "C_UNITATEA_L1"},
        {"A_UNITATEA_L2", "[Scoala]Unitatea linia 2{certificat}", "TEXT", "SCOALA", "C_UNITATEA_L2"},
        {"A_COD_SIRUES", "[Scoala]Cod SIRUES{certificat}", "SIRUES", "SCOALA", "C_COD_SIRUES"},
        {"A_LOCALITATEA_L1", "[Scoala]Localitatea (certificat, linia 1){certificat}", "TEXT", "SCOALA", ""},
        {"A_LOCALITATEA_L2", "[Scoala]Localitatea (certificat, linia 2){certificat}", "TEXT", "SCOALA", ""},
        {"A_JUDETUL", "[Scoala]Judetul{certificat}", "TEXT", "SCOALA", "C_JUDETUL"},
        {"A_FILIERA", "[Scoala]Filiera{certificat}", "TEXT", "ELEVI", "C_FILIERA"},
        {"A_PROFILUL", "[Scoala]Profilul{certificat}", "TEXT", "ELEVI", "C_PROFILUL"},
        {"A_SPECIALIZAREA", "[Scoala]Specializarea{certificat}", "TEXT", "ELEVI", "C_SPECIALIZAREA"},
        {"A_CNP", "[Candidat]CNP{certificat}", "CNP", "ELEVI", "C_CNP"},
        {"A_DIRECTOR", "[Conducerea]Director{cotor}", "TEXT", "SCOALA", "C_DIRECTOR"},
        {"A_SECRETAR", "[Conducerea]Secretar{cotor}", "TEXT", "SCOALA", "C_SECRETAR"},
    };
    const QString prefix = QStringLiteral("Tessaluna.FATA.");
    for (const TDefinitie& d : linii) {
        const QString similar = QString::fromUtf8(d.similar);
        AdaugaLinie(QStringLiteral("Tessaluna"), QStringLiteral("FATA"), QString::fromUtf8(d.camp),
                    QString::fromUtf8(d.eticheta), QString(), QStringLiteral("DA"), QString::fromUtf8(d.tip),
                    QString::fromUtf8(d.asociat), similar.isEmpty() ? QString() : prefix + similar, 0, QString());
    }
}

TListaLiniiTabelTessaluna::TListaLiniiTabelTessaluna()
{
    AdaugaTabel(QStringLiteral("ELEVI"), QString());
    AdaugaTabel(QStringLiteral("SCOALA"), QString());
}

std::unique_ptr<TListaLiniiProfilDiploma> TClasaProfilTessaluna::Creeaza() const
{
    return std::make_unique<TListaLiniiProfilTessaluna>();
}

QString TClasaProfilTessaluna::ListaCampuriElev() const
{
    return QStringLiteral("{Tessaluna.FATA.C_NUME_L1} {Tessaluna.FATA.C_NUME_L2} / {Tessaluna.FATA.C_NUME_L1} "
                          "{Tessaluna.FATA.C_NUME_L2} ({Tessaluna.FATA.C_CNP})");
}

QString TClasaProfilTessaluna::ListaCampuriGeneric() const
{
    return QStringLiteral("{Tessaluna.FATA.C_UNITATEA_L1} {Tessaluna.FATA.C_UNITATEA_L2} / "
                          "{Tessaluna.FATA.C_UNITATEA_L1} {Tessaluna.FATA.C_UNITATEA_L2}");
}

std::unique_ptr<TListaLiniiTabel> TClasaTabeleTessaluna::Creeaza() const
{
    return std::make_unique<TListaLiniiTabelTessaluna>();
}

void InregistreazaClaseTessaluna()
{
    static const TClasaProfilTessaluna profil;
    static const TClasaTabeleTessaluna tabele;
    InregistreazaProfil(&profil);
    InregistreazaTabele(&tabele);
}
