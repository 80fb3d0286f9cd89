#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The one way the program writes its own files: whole or not at all.

// Writes `octeti` to `cale` through a temporary file beside it: every write checked, the data synced to
// disk, then renamed over the old file. On any error the temporary file is removed, the old file stays as it
// was and false is returned with `motiv`, the cause in the user's words ("nu mai este loc pe disc").
bool ScrieFisierSigur(const QString& cale, const QByteArray& octeti, QString& motiv);

// Copies `sursa` to `destinatie` the same careful way, but only as a new file: an existing `destinatie` is never
// replaced (false, with `motiv`), not even by a copy that another program makes at the same moment.
bool CopiazaInFisierNou(const QString& sursa, const QString& destinatie, QString& motiv);

// The cause of a failed write in `dosar`, from the system's error number. An error number that says nothing
// useful (0 included) is replaced by what a test write in the folder meets now.
QString MotivEroareScriere(int eroareSistem, const QString& dosar);

// Removes the temporary copies of `fisier` that an interrupted ScrieFisierSigur left beside it (the file's
// name, a dot and six letters or digits), when they were last changed before `inainte`. Returns how many.
int StergeCopiiTemporare(const QString& fisier, const QDateTime& inainte);

// When the running process started.
QDateTime PornireaProcesului();

// True when a file that the process `pid` names as its own and that was last changed at `modificat` may still
// be in that process's use: the process runs and had started by then (a later process with the same id is
// another one).
bool FolositDeProces(qint64 pid, const QDateTime& modificat);

// Takes every permission of other users off a file or folder the program has just made.
void InchideAltora(const QString& cale);
// Creates `dosar` with its missing parents; each folder it creates gets no permission for other users.
bool CreeazaDosarPrivat(const QString& dosar);

// A new file that another writer (the PDF printer) fills under a temporary name beside `tinta`: made empty
// with the permissions of the file it replaces, else those the umask gives, in both cases none for other users;
// it is given the name `tinta` only by Incheie, in one rename over an older file of that
// name. Destroyed without Incheie, it removes the temporary file: the older file stays as it was.
class TFisierInLucru
{
public:
    explicit TFisierInLucru(const QString& tinta);
    ~TFisierInLucru();
    TFisierInLucru(const TFisierInLucru&) = delete;
    TFisierInLucru& operator=(const TFisierInLucru&) = delete;

    // False when the temporary file could not be made; Motiv() says why.
    bool Valid() const { return !m_temporar.isEmpty(); }
    QString Cale() const { return m_temporar; }
    QString Motiv() const { return m_motiv; }
    // Syncs the written file to disk and renames it to the target. False, with `motiv`, when it cannot; the
    // temporary file then stays, so nothing written is lost.
    bool Incheie(QString& motiv);

private:
    QString m_tinta;
    QString m_temporar;
    QString m_motiv;
    bool m_incheiat = false;
};
