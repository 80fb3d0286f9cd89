#pragma once

#include "store/URezolvare.h"

#include <QHash>
#include <QList>
#include <QMap>

#include <functional>

// Expands one display expression for many students at once. Pregateste reads, in a few queries, every
// profile row and every "DATE" row the expression can reach (through mirrors and link rows); Evalueaza
// then expands the expression for a student in memory, by the same resolution rules as ParseExp.
class TEvaluatorExpresie : private TSursaValori
{
public:
    TEvaluatorExpresie(TDM& dm, const QString& expresie);

    // Reads what the expression needs. Tr must be active; uses Q1, and a second thread that builds the values
    // from the rows while the engine reads on.
    // When the expression reaches no linked table, elevCitit is called on the reading's own thread for each
    // student whose value rows have just been read (once a row of another student follows them); it may call
    // Evalueaza and CampuriCitite there. A row of that student read later still changes the expansion, which
    // CampuriCitite then tells.
    void Pregateste(const std::function<void(qint64 idElev)>& elevCitit = {});
    // The expression for a student, as ParseExp would give it inside the same transaction. Once Pregateste has
    // returned, it changes nothing, so several threads may call it at once.
    QString Evalueaza(qint64 idElev);
    // How many of the fields the expression reads have a value row for the student, so far.
    int CampuriCitite(qint64 idElev) const;

private:
    struct TRandElev
    {
        qsizetype Inceput, Lungime; // the value, in m_texteElevi
        QList<qint64> Legaturi;     // IDF_<table> per linked table; -1 for NULL
    };

    // Each field's codes as the value rows hold them (UTF-8 without trailing blanks).
    struct TCoduriCamp
    {
        QByteArray Formular, Pagina, Camp;
        int Index;
    };

    // Reads the profile and finds the fields and linked tables the expression reaches. False when no value
    // is read.
    bool PregatesteCampurile();
    // The value rows of the fields found, in record order; only the first row of a field and owner counts.
    void CitesteRanduri(const std::function<void(qint64 idElev)>& elevCitit);
    bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) override;
    QString ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id) override;
    static QString Normalizata(const TCheieCamp& cheie);
    // What a key resolves to: its profile row (null without one) and its field's index (-1 when no value is read).
    struct TCheieGasita
    {
        const TProfilCamp* Profil;
        int Camp;
    };
    struct TCheieCunoscuta
    {
        TCheieCamp Cheie;
        TCheieGasita Gasita;
    };
    TCheieGasita Gaseste(const TCheieCamp& cheie) const;
    const TCheieCunoscuta* Inregistrata(const TCheieCamp& cheie) const;
    // The same few keys come back for every student: they are found by comparing codes, not by building the
    // normalised text again. Pregateste records every key the resolution can meet, so nothing is recorded
    // while students are expanded.
    TCheieGasita Cunoscuta(const TCheieCamp& cheie) const;
    void InregistreazaCheile();
    void AdunaCampuri(TCheieCamp cheie, QMap<QString, TCheieCamp>& campuri) const;

    TDM& m_dm;
    QList<TSegmentExpresie> m_segmente;
    QHash<QString, TProfilCamp> m_profil;
    QList<TCheieCunoscuta> m_cunoscute;
    QHash<QString, int> m_indexCamp;
    QStringList m_tabeleLegate; // upper-case names of the other tables reached by a link
    QList<TCoduriCamp> m_coduriCampuri;
    QHash<QPair<int, qint64>, TRandElev> m_randuriElev;
    QString m_texteElevi; // the students' values one after the other: one buffer to build and to free
    QList<QHash<QPair<int, qint64>, QString>> m_valoriTabele; // per linked table: (field, record) -> value
};
