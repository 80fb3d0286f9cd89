#pragma once

#include "store/UCopii.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A desk's backup: one zip archive holding the register's backup in the engine's format ("registru.fbk") and,
// when the desk has them, its settings ("HKCU.reg": margins, printer calibration, grade formats) and its area
// corrections ("licenta.lic"), so that a desk can be rebuilt from the one file. A backup in the engine's own
// format (.fbk) holds the register alone and restores as before.

// True when `fisier` is a zip archive, judged by its first bytes.
bool EsteCopieBirou(const QString& fisier);

// Writes the desk's backup into `fisierZip`, never over an existing file: the register's backup and the two
// settings files that exist. The pieces are written beside it under names that carry this process's id, and
// the archive takes its name only whole; on any error nothing is left and EEroare is raised.
void FaCopieBirou(const QString& caleBaza, const QString& fisierZip, const QString& fisierRegistru,
                  const QString& fisierCorecturi, const TProgresCopie& progres = {});

// A backup opened for a restore: the engine's backup to restore and the settings the archive holds.
class TCopieCitita
{
public:
    TCopieCitita() = default;
    ~TCopieCitita(); // removes the register's backup taken out of an archive
    TCopieCitita(const TCopieCitita&) = delete;
    TCopieCitita& operator=(const TCopieCitita&) = delete;

    QString Fbk;
    std::optional<QByteArray> Registru;
    std::optional<QByteArray> Corecturi;
    bool AreSetari() const { return Registru || Corecturi; }

private:
    friend std::unique_ptr<TCopieCitita> CitesteCopie(const QString&, const QString&);
    bool m_extrasa = false;
};

// Opens `fisier` for a restore: an archive has its register's backup taken out into `dosarLucru` (under a name
// carrying this process's id) and its settings read and checked; an engine's .fbk is used as it is. A damaged
// or foreign archive raises EEroare and leaves nothing behind.
std::unique_ptr<TCopieCitita> CitesteCopie(const QString& fisier, const QString& dosarLucru);

// Puts the archive's settings in place of the desk's: each one it holds replaces its file whole, and the file
// replaced is kept beside it as "<name>.inlocuit-YYYYMMDD-HHMMSS". Returns the kept files' paths. Raises
// EEroare when a file cannot be written; what was put back before stays.
QStringList PuneLaLocSetarile(const TCopieCitita& copie, const QString& fisierRegistru, const QString& fisierCorecturi,
                              const QDateTime& moment);
