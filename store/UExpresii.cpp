#include "store/UDataModule.h"

#include "platform/UEroare.h"

QString TDM::ParseExp(const QString& expresie, qint64 id)
{
    if (!Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    QString rezultat;
    QString cheie;
    bool inCheie = false;
    for (const QChar c : expresie) {
        if (!inCheie) {
            if (c == u'{') {
                cheie.clear();
                inCheie = true;
            } else {
                rezultat += c;
            }
        } else if (c == u'}') {
            const TCheieCamp k = DesparteCheie(cheie);
            rezultat += ValoareCamp(k.Formular, k.Pagina, k.Camp, id);
            inCheie = false;
        } else {
            cheie += c;
        }
    }
    return rezultat;
}
