#include "store/UDataModule.h"

#include "platform/UEroare.h"
#include "store/URezolvare.h"

QString TDM::ParseExp(const QString& expresie, qint64 id)
{
    return ParseExpInregistrare(expresie, QStringLiteral("ELEVI"), id);
}

QString TDM::ParseExpInregistrare(const QString& expresie, const QString& tabel, qint64 id)
{
    if (!Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    QString rezultat;
    for (const TSegmentExpresie& s : ParseazaExpresie(expresie))
        rezultat +=
            s.EsteCheie ? ValoareCampInregistrare(tabel, s.Cheie.Formular, s.Cheie.Pagina, s.Cheie.Camp, id) : s.Text;
    return rezultat;
}
