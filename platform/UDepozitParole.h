#pragma once

#include <QString>

// The desktop's secret store (the Secret Service of GNOME or KDE, through QtKeychain). Passwords go there and
// nowhere else: never into the registry file nor any other file. Each call waits for the store's answer; it
// needs the application object.

struct TParolaDepozit
{
    enum TStare
    {
        Gasita,
        Lipseste,
        // No secret store answers (no desktop session, no keyring service): the caller keeps the password
        // in memory only.
        FaraDepozit
    };
    TStare Stare = Lipseste;
    QString Parola;
    // The store's own text when it could not answer.
    QString Motiv;
};

// The password kept under `cont` (for example "TESSALUNA@server:/cale/Tessaluna2006.FDB").
TParolaDepozit CitesteParolaDepozit(const QString& cont);
// Keeps `parola` under `cont`; empty when kept, otherwise the store's reason.
QString ScrieParolaDepozit(const QString& cont, const QString& parola);
