#pragma once

#include "store/UDataModule.h"

#include <QList>
#include <QString>

// The rows of PROFIL_DIPLOMA and TABELE. Every function runs in the caller's transaction (a TGardaTranzactie for
// the writes, a TGardaCitire for the readings), reads its rows whole before it returns and uses Q1 unless it says
// otherwise.

// One field of a printed form, as the profile describes it and PROFIL_DIPLOMA stores it.
struct TLinieProfilDiploma
{
    QString COD_FORMULAR;
    QString COD_PAGINA;
    QString COD_CAMP;
    QString SIMILAR_CU;
    QString ETICHETA_EDITOR;
    QString FORMULA;
    QString VIZIBIL;
    QString TIP_DE_DATE;
    QString ASOCIAT_CU;
    QString GRUP;
    int ORDINE = 0;
    int LATIME_SUGERATA = 0;
    QString COD_LINIE;
};

// A registered record table and the display expression of its rows.
struct TLinieTabel
{
    QString NUME_TABEL;
    QString EXP_DENUMIRE;
};

// A profile line as the database holds it, with the mirror mode the user chooses. A NULL column reads as an empty
// text; the two flags tell NULL apart where the grouped editor needs it.
struct TRandProfil : TLinieProfilDiploma
{
    QString ONOREZ_SIMILAR;
    bool SimilarCuNul = true;
    bool OnorezSimilarNul = true;
};

// Inserts the tables missing from TABELE and rewrites the expression of those present.
void ScrieTabeleInregistrate(TDM& dm, const QList<TLinieTabel>& tabele);

// Rewrites PROFIL_DIPLOMA from the built-in profile: a new line gets ONOREZ_SIMILAR 'DA', an existing one keeps it
// (the user's choice) and takes every other column; a line the profile no longer has is deleted. Uses Q1 and Q2.
void RescrieProfil(TDM& dm, const QList<TLinieProfilDiploma>& linii);

// Every line with its key, label, mirror mode and table, in the database's order.
QList<TRandProfil> RanduriProfil(TDM& dm);
// The lines of the fields owned by `asociatCu`, every column but ORDINE, in the database's order. Uses Q6.
QList<TRandProfil> RanduriProfilTabel(TDM& dm, const QString& asociatCu);
// The mirror mode and the table of one line; false when the line is gone.
bool CitesteRandProfil(TDM& dm, const TCheieCamp& cheie, TRandProfil& rand);
// The two settings of a line that the user may change.
void ModificaRandProfil(TDM& dm, const TCheieCamp& cheie, const QString& onorezSimilar, const QString& asociatCu);

// The student fields an import may fill: owned by ELEVI, mirroring nothing, in the order of ORDINE.
QList<TRandProfil> RanduriProfilDeImport(TDM& dm);
// The key of the first field of type CNP; false when the profile has none.
bool CampCnpDinProfil(TDM& dm, TCheieCamp& cheie);
// The data type of a field; false when the profile has no such field. Uses Q4.
bool TipDeDateCamp(TDM& dm, const TCheieCamp& cheie, QString& tip);
