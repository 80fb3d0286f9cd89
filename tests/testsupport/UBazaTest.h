#pragma once

#include "store/UDataModule.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A program folder in a temporary directory with a data module over a real embedded database in it.
// The certificate's profile is registered on first use.
class TBazaTest
{
public:
    TBazaTest();
    ~TBazaTest();

    // Runs the whole start-up of the data module (copies the template on the first call).
    void Porneste();
    // Closes the connection and runs the start-up again on the same file, as a new start of the program.
    void Reporneste();
    // Copies the blank template into DB/ without starting, so a test can prepare the file first.
    QString PregatesteDinSablon();
    // Connects to the database file without any start-up step.
    void DeschideDoar();
    void Inchide();

    QString Dosar() const { return m_dosar.path(); }
    QString CaleBaza() const;
    TDM& Dm() { return *m_dm; }

    // Runs one statement in its own transaction.
    void Executa(const QString& sql);
    // First column of every row of a query, read in its own transaction, as texts.
    QStringList Coloana(const QString& sql);
    QString Scalar(const QString& sql);

    // A new student with the given field values (codes without the "Tessaluna.FATA." prefix); returns its id.
    qint64 AdaugaElev(const QList<QPair<QString, QString>>& valori);
    // Grows the database through the program's own statements by n students holding every student field,
    // in one transaction, then starts the program again on it (as a real database grows and restarts).
    void CresteCuElevi(int n);
    // One database per size, grown once with CresteCuElevi and kept for the life of the process (benchmarks).
    static TBazaTest& CuElevi(int n);
    // A value row of a record of any table.
    void ScrieValoare(const QString& tabel, qint64 id, const QString& camp, const QString& valoare);

private:
    QTemporaryDir m_dosar;
    std::unique_ptr<TDM> m_dm;
};
