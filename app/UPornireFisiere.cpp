#include "app/UPornireFisiere.h"

#include "excel/UCititorFoi.h"
#include "platform/UFoldere.h"
#include "platform/UMesaje.h"
#include "platform/UScriereSigura.h"
#include "store/UCopii.h"
#include "store/UDataModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList IngrijesteFisiereleLaPornire(const QString& caleBaza)
{
    QStringList anunturi;
    if (!caleBaza.isEmpty() && !EsteNumeServer(caleBaza)) {
        // Before the leftovers go: an interrupted swap is recognised by the restored file beside the register.
        if (const QString mesaj = IncheieInlocuireaIntrerupta(caleBaza); !mesaj.isEmpty())
            anunturi << mesaj;
        StergeResturi(caleBaza);
    }
    StergeResturiCalc();
    return anunturi;
}

QString OferaRegistrulDeLangaProgram(const QString& dosarExecutabil, const QString& dosarProgram,
                                     const QString& numeBaza)
{
    if (numeBaza.isEmpty() || ProgramInstalat(dosarExecutabil) ||
        QDir(dosarProgram).canonicalPath() == QDir(dosarExecutabil).canonicalPath())
        return {};
    const QString langaProgram = TDM::CaleBazaDeDate(numeBaza, dosarExecutabil);
    const QString alUtilizatorului = TDM::CaleBazaDeDate(numeBaza, dosarProgram);
    if (!QFileInfo(langaProgram).isFile() || QFileInfo::exists(alUtilizatorului))
        return {};
    const QString sursa = QDir::toNativeSeparators(langaProgram);
    const QString tinta = QDir::toNativeSeparators(alUtilizatorului);
    const bool copiaza = TMesaje::Intreaba(
        nullptr,
        QStringLiteral("Langa program se afla un registru (baza de date):\n%1\nDumneavoastra nu il puteti "
                       "modifica acolo, asa ca programul isi pastreaza registrul in dosarul dumneavoastra de "
                       "date:\n%2\n\nCopiati registrul de langa program in dosarul dumneavoastra de date, "
                       "ca sa lucrati mai departe cu elevii lui? Registrul de langa program ramane neschimbat. "
                       "Daca alegeti \"Nu\", incepeti cu un registru nou, gol.")
            .arg(sursa, tinta));
    if (!copiaza)
        return QStringLiteral("Ati inceput un registru nou, gol, in dosarul dumneavoastra de date:\n%1\nRegistrul de "
                              "langa program a ramas neschimbat, dar nu este folosit:\n%2")
            .arg(tinta, sursa);
    QString motiv;
    if (!CreeazaDosarPrivat(QFileInfo(alUtilizatorului).absolutePath()) ||
        !CopiazaInFisierNou(langaProgram, alUtilizatorului, motiv))
        return QStringLiteral("Registrul de langa program nu a putut fi copiat (%1); programul porneste cu un registru "
                              "nou, gol, in dosarul dumneavoastra de date:\n%2\nRegistrul de langa program a ramas "
                              "neschimbat:\n%3")
            .arg(motiv.isEmpty() ? QStringLiteral("dosarul nu a putut fi creat") : motiv, tinta, sursa);
    // As the register made from the template: shared with the group, nothing for others.
    QFile::setPermissions(alUtilizatorului,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    return QStringLiteral("Registrul de langa program a fost copiat in dosarul dumneavoastra de date; programul "
                          "lucreaza de acum cu copia:\n%1\nRegistrul de langa program a ramas neschimbat:\n%2")
        .arg(tinta, sursa);
}
