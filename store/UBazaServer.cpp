#include "store/UBazaServer.h"

#include "platform/URegistru.h"
#include "store/UCopii.h"

QString CheieSetariBazaDeDate()
{
    // The same key as the print settings (a test keeps the two equal).
    return QStringLiteral("SOFTWARE\\Zorvik SOFT\\Pravelo\\2006\\Tessaluna");
}

QString NumeBazaServer()
{
    try {
        TRegistru reg;
        if (!reg.DeschideCheie(CheieSetariBazaDeDate(), false))
            return {};
        const QString nume = QString::fromLatin1(ValoareBazaDeDate);
        if (!reg.ExistaValoare(nume) || reg.TipValoare(nume) != TTipValoareRegistru::Text)
            return {};
        const QString valoare = reg.CitesteText(nume).trimmed();
        return MotivNumeServerGresit(valoare).isEmpty() ? valoare : QString();
    } catch (const EEroare&) {
        return {};
    }
}

QString MotivNumeServerGresit(const QString& nume)
{
    const QString n = nume.trimmed();
    if (n.isEmpty())
        return {};
    const int doua = n.indexOf(u':');
    if (!EsteNumeServer(n) || doua + 1 >= n.size())
        return QStringLiteral("Numele bazei de date de pe server trebuie scris server:cale, de exemplu "
                              "secretariat:/var/lib/firebird/data/Tessaluna2006.FDB.");
    if (n.left(doua).contains(u' '))
        return QStringLiteral("Numele serverului nu poate contine spatii.");
    return {};
}

void SeteazaNumeBazaServer(const QString& nume)
{
    const QString motiv = MotivNumeServerGresit(nume);
    if (!motiv.isEmpty())
        throw EEroare(motiv);
    TRegistru reg;
    reg.SetSalvareUtilizator(true);
    reg.DeschideCheie(CheieSetariBazaDeDate(), true);
    if (nume.trimmed().isEmpty())
        reg.StergeValoare(QString::fromLatin1(ValoareBazaDeDate));
    else
        reg.ScrieText(QString::fromLatin1(ValoareBazaDeDate), nume.trimmed());
}
