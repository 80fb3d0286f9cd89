#include "store/UBazaServer.h"

#include "platform/UDepozitParole.h"
#include "platform/URegistru.h"
#include "store/UCopii.h"

#include <QHash>

namespace {
// Passwords of this run, by account; never written anywhere.
QHash<QString, QString>& ParoleInMemorie()
{
    static QHash<QString, QString> parole;
    return parole;
}

QString Cont(const QString& nume, const QString& utilizator)
{
    return utilizator.trimmed().toUpper() + u'@' + nume.trimmed();
}

QString CitesteTextSetare(const char* valoare)
{
    try {
        TRegistru reg;
        if (!reg.DeschideCheie(CheieSetariBazaDeDate(), false))
            return {};
        const QString nume = QString::fromLatin1(valoare);
        if (!reg.ExistaValoare(nume) || reg.TipValoare(nume) != TTipValoareRegistru::Text)
            return {};
        return reg.CitesteText(nume).trimmed();
    } catch (const EEroare&) {
        return {};
    }
}
} // namespace

QString CheieSetariBazaDeDate()
{
    // The same key as the print settings (a test keeps the two equal).
    return QStringLiteral("SOFTWARE\\Zorvik SOFT\\Pravelo\\2006\\Tessaluna");
}

QString NumeBazaServer()
{
    const QString valoare = CitesteTextSetare(ValoareBazaDeDate);
    return MotivNumeServerGresit(valoare).isEmpty() ? valoare : QString();
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

QString UtilizatorBazaServer()
{
    return CitesteTextSetare(ValoareUtilizatorServer);
}

void SeteazaUtilizatorBazaServer(const QString& utilizator)
{
    TRegistru reg;
    reg.SetSalvareUtilizator(true);
    reg.DeschideCheie(CheieSetariBazaDeDate(), true);
    if (utilizator.trimmed().isEmpty())
        reg.StergeValoare(QString::fromLatin1(ValoareUtilizatorServer));
    else
        reg.ScrieText(QString::fromLatin1(ValoareUtilizatorServer), utilizator.trimmed());
}

QString ParolaServer(const QString& nume, const QString& utilizator, QString* motiv)
{
    const QString cont = Cont(nume, utilizator);
    if (const auto it = ParoleInMemorie().constFind(cont); it != ParoleInMemorie().cend())
        return *it;
    const TParolaDepozit citita = CitesteParolaDepozit(cont);
    if (citita.Stare == TParolaDepozit::Gasita && !citita.Parola.isEmpty()) {
        ParoleInMemorie().insert(cont, citita.Parola);
        return citita.Parola;
    }
    if (motiv) {
        *motiv = citita.Stare == TParolaDepozit::FaraDepozit
                     ? QStringLiteral("Pe acest calculator nu exista un depozit de parole (%1), asa ca parola se "
                                      "cere la fiecare pornire.")
                           .arg(citita.Motiv)
                     : QStringLiteral("Parola utilizatorului %1 nu este inca pastrata pe acest calculator.")
                           .arg(utilizator.trimmed());
    }
    return {};
}

void PastreazaParolaInMemorie(const QString& nume, const QString& utilizator, const QString& parola)
{
    ParoleInMemorie().insert(Cont(nume, utilizator), parola);
}

QString PastreazaParolaServer(const QString& nume, const QString& utilizator, const QString& parola)
{
    PastreazaParolaInMemorie(nume, utilizator, parola);
    return ScrieParolaDepozit(Cont(nume, utilizator), parola);
}

QStringList ParametriServer(const QString& utilizator, const QString& parola)
{
    // A register on the network holds every student's CNP: the wire is encrypted or there is no connection.
    // A server that does not answer is reported after a quarter of a minute, not the library's three.
    return {QStringLiteral("USER_NAME=") + utilizator.trimmed(), QStringLiteral("password=") + parola,
            QStringLiteral("WireCrypt=Required"), QStringLiteral("connect_timeout=15")};
}
