#pragma once

#include "platform/UEroare.h"

// An error of the database engine: Firebird's own text (every line of its status vector) and a category
// that lets the caller word a clear message.
class EEroareBD : public EEroare
{
public:
    enum TCategorie
    {
        Alta,
        CheieDuplicata,
        ConflictBlocare,
        Conexiune,
        FisierDeteriorat,
        BazaDeDateOcupata,
        Conversie,
        // The server refused the user name or the password.
        AccesRefuzat,
        // The server will not encrypt the connection, which the program requires.
        CriptareRefuzata
    };

    EEroareBD(const QString& mesaj, TCategorie categorie, long codSql = 0, const QString& detalii = {})
        : EEroare(mesaj, detalii), m_categorie(categorie), m_codSql(codSql)
    {
    }
    // The same error worded anew for the user; the engine's text stays in the details.
    EEroareBD Reformulata(const QString& mesaj) const
    {
        return EEroareBD(mesaj, m_categorie, m_codSql, Detalii().isEmpty() ? Mesaj() : Detalii());
    }
    TCategorie Categorie() const { return m_categorie; }
    long CodSql() const { return m_codSql; }

private:
    TCategorie m_categorie = Alta;
    long m_codSql = 0;
};
