#pragma once

#include "store/URezolvare.h"

#include <QHash>
#include <QList>
#include <QMap>

// Expands one display expression for many students at once. Pregateste reads, in a few queries, every
// profile row and every "DATE" row the expression can reach (through mirrors and link rows); Evalueaza
// then expands the expression for a student in memory, by the same resolution rules as ParseExp.
class TEvaluatorExpresie : private TSursaValori
{
public:
    TEvaluatorExpresie(TDM& dm, const QString& expresie);

    // Reads what the expression needs. Tr must be active; uses Q1 only.
    void Pregateste();
    // The expression for a student, as ParseExp would give it inside the same transaction.
    QString Evalueaza(qint64 idElev);

private:
    struct TRandElev
    {
        QString Valoare;
        QList<qint64> Legaturi; // IDF_<table> per linked table; -1 for NULL
    };

    bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) override;
    QString ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id) override;
    static QString Normalizata(const TCheieCamp& cheie);
    // A key met before: its profile row (null without one) and its field's index (-1 when no value is read).
    struct TCheieCunoscuta
    {
        TCheieCamp Cheie;
        const TProfilCamp* Profil;
        int Camp;
    };
    // The same few keys come back for every student: they are found by comparing codes, not by building
    // the normalised text again.
    const TCheieCunoscuta& Cunoscuta(const TCheieCamp& cheie);
    void AdunaCampuri(TCheieCamp cheie, QMap<QString, TCheieCamp>& campuri) const;

    TDM& m_dm;
    QList<TSegmentExpresie> m_segmente;
    QHash<QString, TProfilCamp> m_profil;
    QList<TCheieCunoscuta> m_cunoscute;
    QHash<QString, int> m_indexCamp;
    QStringList m_tabeleLegate; // upper-case names of the other tables reached by a link
    QHash<QPair<int, qint64>, TRandElev> m_randuriElev;
    QList<QHash<QPair<int, qint64>, QString>> m_valoriTabele; // per linked table: (field, record) -> value
};
