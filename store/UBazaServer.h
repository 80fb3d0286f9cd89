#pragma once

#include <QString>

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
