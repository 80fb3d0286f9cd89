#include "print/UFormulareTiparite.h"

#include "platform/UEroare.h"
#include "platform/UMesaje.h"
#include "print/UInsertPaper.h"
#include "print/UTiparireClasa.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UFormulare.h"
#include "store/UTipariri.h"

#include <QSet>

bool PregatesteFormulare(QWidget* parinte, const QList<TElevDeTiparit>& elevi)
{
    TDM& dm = ModululDeDate();
    if (!EvidentaFormulareActiva(dm))
        return true;
    QList<qint64> iduri;
    for (const TElevDeTiparit& e : elevi)
        iduri << e.Id;
    const QSet<qint64> cuFormular = EleviCuFormularEliberat(dm, iduri);
    if (!cuFormular.isEmpty()) {
        QStringList nume;
        for (const TElevDeTiparit& e : elevi)
            if (cuFormular.contains(e.Id))
                nume << e.Denumire;
        TMesaje::Avertizeaza(parinte, QStringLiteral("Au deja un formular eliberat: %1. Anulati formularul tiparit "
                                                     "(\"Anuleaza formularul\") inainte de a-l tipari din nou.")
                                          .arg(nume.join(QStringLiteral(", "))));
        return false;
    }
    const qint64 libere = FormulareLibere(dm);
    const int foi = int(elevi.size());
    if (libere < foi) {
        TMesaje::Avertizeaza(parinte,
                             QStringLiteral("Lucrarea are nevoie de %1 formulare, dar in stoc sunt doar %2 "
                                            "libere. Inregistrati lotul urmator in \"Formulare\" > \"Loturi de "
                                            "formulare\".")
                                 .arg(foi)
                                 .arg(libere));
        return false;
    }
    const TFormularPropus propus = FormularPropus(dm);
    InsertPaperForm().CereFormularul(propus.Serie, propus.Numar, [foi](const QString& serie, qint64 numar) {
        return VerificaFormulareDeLuat(ModululDeDate(), serie, numar, foi);
    });
    return true;
}

qint64 InregistreazaLucrarea(QWidget* parinte, const QList<TTiparire>& tipariri, const TRezultatInserare& ins,
                             QString* formulare)
{
    TDM& dm = ModululDeDate();
    if (formulare)
        formulare->clear();
    if (ins.Serie.isEmpty() || tipariri.isEmpty())
        return InregistreazaTipariri(dm, tipariri);
    QList<qint64> numere;
    try {
        const qint64 lucrare = InregistreazaTipaririCuFormulare(dm, tipariri, ins.Serie, ins.Numar, &numere);
        if (formulare)
            *formulare = DescriereFormulare(ins.Serie, numere);
        return lucrare;
    } catch (const EEroareBD&) {
        throw;
    } catch (const EEroare& e) {
        // The sheets left the printer: they are recorded whatever became of the stock.
        const qint64 lucrare = InregistreazaTipariri(dm, tipariri);
        TMesaje::Avertizeaza(parinte, QStringLiteral("Foile trimise au fost inregistrate fara formulare: %1 Anulati "
                                                     "sau inregistrati formularele folosite in \"Formulare\" > "
                                                     "\"Loturi de formulare\".")
                                          .arg(e.Mesaj()));
        return lucrare;
    }
}
