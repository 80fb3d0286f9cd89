#pragma once

// What the query layer's units share inside the store: the client library's master interface, its one status
// object, the translation of its errors, and the layouts of the message buffers. Nothing outside store/ includes it.

#include "store/UFirebird.h"

#include <QString>
#include <QStringList>

#include <firebird/Interface.h>

#include <cstring>

namespace FirebirdIntern {

Firebird::IMaster* Master();
// The one status wrapper, cleared; every call of the client library takes it.
Firebird::ThrowStatusWrapper& Stare();
// Raises the engine's error as EEroareBD with its category. `laLucru`: the error met a statement or a transaction
// of an open connection (not its opening).
[[noreturn]] void Arunca(const Firebird::FbException& e, bool laLucru = true);
// Replaces each ":NAME" outside quotes and comments by "?" and returns the names in order of appearance.
QString InlocuiesteParametri(const QString& sql, QStringList& nume);
qint64 Putere10(int n);

struct TColoana
{
    unsigned tip = 0;
    unsigned offset = 0;
    unsigned offsetNul = 0;
    unsigned lungime = 0;
    int scara = 0;
};

// A value of the message buffer, which keeps no alignment.
template <typename T> T DinBuffer(const char* loc)
{
    T v;
    std::memcpy(&v, loc, sizeof(v));
    return v;
}

} // namespace FirebirdIntern

struct TConexiune::TImpl
{
    Firebird::IAttachment* atasament = nullptr;
};

struct TTranzactie::TImpl
{
    Firebird::ITransaction* tranzactie = nullptr;
};
