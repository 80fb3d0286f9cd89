#pragma once

#include "store/URezolvare.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

class TDM;
class TQuery;

// The values a filling needs, read in bulk within the caller's transaction (Q1 to Q3): the whole profile, all the
// value rows of one student at a time, and each linked record's rows once.
class TSursaInBloc : public TSursaValori
{
public:
    explicit TSursaInBloc(TDM& dm) : m_dm(dm) {}
    bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) override;
    QString ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id) override;
    // Whether the student has a link row to a record of `tabel`; nothing when "DATE" has no link column for it.
    std::optional<bool> LegatDe(const QString& tabel, qint64 id);

private:
    struct TRand
    {
        QString Valoare;
        QHash<QString, qint64> Legaturi; // table -> linked record, for the links that are set
    };

    // Codes compare as the database compares them: trailing blanks do not count.
    struct TCheie
    {
        QString F, P, C;
        bool operator==(const TCheie& b) const { return C == b.C && P == b.P && F == b.F; }
    };
    friend size_t qHash(const TCheie& k, size_t seed = 0) { return qHashMulti(seed, k.F, k.P, k.C); }
    static TCheie Cheie(const QString& f, const QString& p, const QString& c);
    static TCheie CheieRand(const TQuery& q);

    void CitesteProfil();
    void CitesteElev(qint64 id);
    const QHash<TCheie, QString>& ValoriInregistrare(const QString& tabel, qint64 id);

    TDM& m_dm;
    bool m_profilCitit = false;
    QHash<TCheie, TProfilCamp> m_profil;
    QStringList m_tabele;  // the tables other than ELEVI that own fields
    QStringList m_coloane; // those of them "DATE" has a link column for
    bool m_coloaneCitite = false;
    qint64 m_idCitit = -1;
    QHash<TCheie, TRand> m_randuri;
    QHash<QString, QHash<TCheie, QString>> m_inregistrari;
};
