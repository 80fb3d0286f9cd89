#pragma once

#include <QString>
#include <QStringList>

// The register on a Firebird server: a database name "host:path" (or "host/port:path") kept in the
// registry under the print settings' key. Empty means the file beside the program.

// The print settings' key, where the setting lives.
QString CheieSetariBazaDeDate();
// Name of the registry value.
inline constexpr const char* ValoareBazaDeDate = "BazaDeDate";

// The server name set, or empty. A value that cannot be read counts as not set.
QString NumeBazaServer();
// Checks and stores the name (trimmed); empty returns to the file beside the program. Raises EEroare with a
// Romanian message for a name that is not "host:path".
void SeteazaNumeBazaServer(const QString& nume);
// Empty when `nume` is a usable server name (or empty), else the reason it is not.
QString MotivNumeServerGresit(const QString& nume);

// The register's own user on the server, kept beside the name; empty when not set.
inline constexpr const char* ValoareUtilizatorServer = "UtilizatorBazaDeDate";
QString UtilizatorBazaServer();
void SeteazaUtilizatorBazaServer(const QString& utilizator);

// The password of `utilizator` on the server `nume`: the one kept in memory for this run, else the one in the
// desktop's secret store (then kept in memory too). Empty when neither has it; `motiv` then says why
// (nothing stored yet, or no secret store on this desk).
QString ParolaServer(const QString& nume, const QString& utilizator, QString* motiv = nullptr);
// Keeps the password in memory for this run and in the desktop's secret store. Returns empty when the store
// kept it, otherwise the store's reason (the password then lives in memory only and is asked at the next start).
QString PastreazaParolaServer(const QString& nume, const QString& utilizator, const QString& parola);
// Keeps the password in memory only, for this run.
void PastreazaParolaInMemorie(const QString& nume, const QString& utilizator, const QString& parola);
// The connection parameters of a server register: the user, the password and a required encrypted wire.
QStringList ParametriServer(const QString& utilizator, const QString& parola);
