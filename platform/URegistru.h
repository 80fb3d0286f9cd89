#pragma once

#include "platform/UEroare.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The per-user settings store: keys under HKEY_CURRENT_USER kept in one REGEDIT4 text file.

// The registry's error: a value of the other type, a missing value, a key or file that cannot be written.
class ERegistru : public EEroare
{
public:
    using EEroare::EEroare;
};

enum class TTipValoareRegistru
{
    Text,
    Intreg
};

struct TValoareRegistru
{
    QString nume;
    TTipValoareRegistru tip = TTipValoareRegistru::Text;
    QString text;
    qint32 intreg = 0;

    static TValoareRegistru Text(const QString& nume, const QString& text)
    {
        return {nume, TTipValoareRegistru::Text, text, 0};
    }
    static TValoareRegistru Intreg(const QString& nume, qint32 intreg)
    {
        return {nume, TTipValoareRegistru::Intreg, QString(), intreg};
    }
};
Q_DECLARE_TYPEINFO(TValoareRegistru, Q_RELOCATABLE_TYPE);

// $XDG_CONFIG_HOME/tessaluna/HKCU.reg (by default ~/.config/tessaluna/HKCU.reg).
QString FisierRegistruUtilizator();

// Where the store's problems go when no exception can carry them (a damaged file found while reading, a
// backup made). The application shows them in a message box; without a receiver they go to the log.
void SeteazaAvertizareRegistru(std::function<void(const QString&)> receptor);
// Passes a message on, unless it is the very message passed last (a failing write repeated by every
// settings object would otherwise show the same box again and again).
void AvertizeazaRegistru(const QString& mesaj);

struct TStareFisierRegistru;

// One handle on the store, like a registry object with one open key. Key paths are relative to
// HKEY_CURRENT_USER and compare without regard to case, as do value names. Every change is written at once
// and whole (QSaveFile), under a lock file so that two copies of the program do not lose each other's
// writes; every read sees what the file holds now, whoever wrote it.
//
// A file that cannot be read or parsed counts as damaged: reads see no keys, changes are kept in memory
// only, and the file stays untouched until a write flagged as the user's own save, which first renames
// the damaged file to a backup beside it.
class TRegistru
{
public:
    explicit TRegistru(const QString& fisier = FisierRegistruUtilizator());
    ~TRegistru();

    // Opens a key; a missing key is created (and written) when `creeaza`, else false is returned.
    // Throws ERegistru when the key cannot be created or the path is not a valid key path.
    bool DeschideCheie(const QString& cale, bool creeaza);
    void InchideCheie();
    // The open key as written in the file, or empty.
    QString CheieCurenta() const;
    bool ExistaCheie(const QString& cale) const;

    bool ExistaValoare(const QString& nume) const;
    TTipValoareRegistru TipValoare(const QString& nume) const;
    // Names of the open key's values, in the order they were first written.
    QStringList NumeValori() const;
    // Both throw ERegistru for a missing value or a value of the other type.
    QString CitesteText(const QString& nume) const;
    qint32 CitesteIntreg(const QString& nume) const;
    // All values of the open key as the file holds them now, in one look at the file.
    QList<TValoareRegistru> Valori() const;
    // Throws the error of CitesteText / CitesteIntreg when `valoare` (of the open key) is not of type `tip`.
    void CereTip(const TValoareRegistru& valoare, TTipValoareRegistru tip) const;

    void ScrieText(const QString& nume, const QString& valoare);
    void ScrieIntreg(const QString& nume, qint32 valoare);
    // Several values in one write: all of them or, on an error, none. A write that changes nothing
    // leaves the file alone.
    void ScrieValori(const QList<TValoareRegistru>& valori);
    bool StergeValoare(const QString& nume);

    // Marks the following writes as the user's own save of settings: a damaged file is then kept as a
    // backup and replaced.
    void SetSalvareUtilizator(bool salvareUtilizator) { m_salvareUtilizator = salvareUtilizator; }

    // The caller found a value it cannot use (a value of the other type): the file is treated as
    // damaged from now on, and the user is told once.
    void MarcheazaDeteriorat(const QString& motiv);
    bool Deteriorat() const;
    QString Fisier() const;

private:
    std::optional<TValoareRegistru> Valoare(const QString& nume) const;
    TValoareRegistru ValoareExistenta(const QString& nume) const;
    QString CaleAfisata() const;
    QString MesajScriere(const QString& motiv) const;
    void CereCheieDeschisa() const;

    std::shared_ptr<TStareFisierRegistru> m_stare;
    bool m_deschisa = false;
    QString m_cheie; // case-folded path of the open key
    QString m_cheieAfisata;
    bool m_salvareUtilizator = false;
};
