#include "print/UMachetaNefolosibila.h"

#include "platform/UEroare.h"
#include "platform/UMesaje.h"
#include "print/UMachetaProprie.h"

#include <QDir>

bool AsiguraMacheta(QWidget* parinte)
{
    for (;;) {
        const QString problema = ProblemaMachetaProprie();
        if (problema.isEmpty())
            return true;
        const QMessageBox::StandardButton ales = TMesaje::Alege(
            parinte,
            problema + QStringLiteral("\n\nPuteti reveni la macheta initiala sau importa alta macheta; fisierul de "
                                      "acum se pastreaza alaturi, sub alt nume. Pana atunci certificatul nu poate "
                                      "fi vizualizat si nici tiparit."),
            {{QMessageBox::Reset, QStringLiteral("Macheta initiala")},
             {QMessageBox::Open, QStringLiteral("Importa macheta")},
             {QMessageBox::Cancel, QStringLiteral("Renunt")}});
        QString importata;
        if (ales == QMessageBox::Open) {
            importata = TMesaje::CereFisierDeCitit(parinte, QStringLiteral("Importa macheta"), QString(),
                                                   QStringLiteral("Macheta (*.json)"));
            if (importata.isEmpty())
                continue;
        } else if (ales != QMessageBox::Reset) {
            return false;
        }
        try {
            const QString pastrata = InlocuiesteMachetaNefolosibila(importata);
            TMesaje::Informeaza(parinte, QStringLiteral("Se foloseste %1. Fisierul care nu putea fi folosit a fost "
                                                        "pastrat ca %2.")
                                             .arg(importata.isEmpty() ? QStringLiteral("macheta initiala")
                                                                      : QStringLiteral("macheta importata"),
                                                  QDir::toNativeSeparators(pastrata)));
            return true;
        } catch (const EEroare& e) {
            TMesaje::Avertizeaza(parinte, e.Mesaj());
        }
    }
}
