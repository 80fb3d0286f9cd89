#pragma once

// The settings file's model and its REGEDIT4 text, shared by the store's units inside platform/ only: keys and
// values in the file's order with a case-blind index of names, the file's identity on disk, reading and writing.

#include "platform/URegistru.h"

#include <QList>
#include <QMap>
#include <QString>

#include <sys/types.h>

namespace RegistruIntern {

QString Pliaza(const QString& text);
// A hash of a name that two names equal without regard to case share; no copy of the name is made.
size_t HashFaraMajuscule(const QString& nume);

// Where each value of a key sits, by its name without regard to case: open addressing over positions in
// the key's list, with each position's hash beside it; a few allocations for the whole key, not one per value.
// The names indexed are all different.
class TIndexNume
{
public:
    bool Gol() const { return m_sloturi.isEmpty(); }
    void Goleste()
    {
        m_sloturi.clear();
        m_hashuri.clear();
    }
    // Indexes every position of `valori`.
    void Construieste(const QList<TValoareRegistru>& valori)
    {
        m_hashuri.resize(valori.size());
        for (qsizetype p = 0; p < valori.size(); ++p)
            m_hashuri[p] = HashFaraMajuscule(valori[p].nume);
        Redimensioneaza(valori.size());
    }
    // Room for `numar` positions without growing.
    void Rezerva(qsizetype numar)
    {
        m_hashuri.reserve(numar);
        Redimensioneaza(numar);
    }
    qsizetype Cauta(const QList<TValoareRegistru>& valori, const QString& nume) const
    {
        return Gol() ? -1 : Sondeaza(valori, nume, HashFaraMajuscule(nume)).second;
    }
    // The position of `nume` when indexed; otherwise it is indexed as the next position and -1 is returned.
    qsizetype CautaSauAdauga(const QList<TValoareRegistru>& valori, const QString& nume)
    {
        const size_t h = HashFaraMajuscule(nume);
        if (2 * (m_hashuri.size() + 1) > m_sloturi.size())
            Redimensioneaza(m_hashuri.size() + 1);
        const auto [slot, gasit] = Sondeaza(valori, nume, h);
        if (gasit >= 0)
            return gasit;
        m_sloturi[slot] = qint32(m_hashuri.size());
        m_hashuri.append(h);
        return -1;
    }

private:
    // The slot holding the name, or the free slot where it would go, and the position found (-1 when none).
    std::pair<qsizetype, qsizetype> Sondeaza(const QList<TValoareRegistru>& valori, const QString& nume, size_t h) const
    {
        const qsizetype masca = m_sloturi.size() - 1;
        for (qsizetype slot = qsizetype(h & size_t(masca));; slot = (slot + 1) & masca) {
            const qint32 p = m_sloturi[slot];
            if (p < 0)
                return {slot, -1};
            if (m_hashuri[p] == h && valori[p].nume.compare(nume, Qt::CaseInsensitive) == 0)
                return {slot, p};
        }
    }
    // At most half full for `numar` positions; the positions indexed so far are placed again.
    void Redimensioneaza(qsizetype numar)
    {
        qsizetype marime = 64;
        while (marime < 2 * numar)
            marime *= 2;
        if (marime <= m_sloturi.size())
            return;
        m_sloturi.fill(-1, marime);
        const qsizetype masca = marime - 1;
        for (qsizetype p = 0; p < m_hashuri.size(); ++p) {
            qsizetype slot = qsizetype(m_hashuri[p] & size_t(masca));
            while (m_sloturi[slot] >= 0)
                slot = (slot + 1) & masca;
            m_sloturi[slot] = qint32(p);
        }
    }

    QList<qint32> m_sloturi; // positions, -1 in a free slot; a power of two in size
    QList<size_t> m_hashuri; // the hash of each indexed position's name
};

// One key: its values in the order they were first written. A key with many values (a damaged or hostile
// file) also gets an index of their names, so that it still loads and answers in constant time per name; the
// few values of an ordinary key are simply looked through.
struct TCheieInterna
{
    static constexpr qsizetype kFaraIndex = 16;

    QString cale; // as first written
    QList<TValoareRegistru> valori;
    TIndexNume index; // empty while the key has at most kFaraIndex values

    qsizetype Pozitie(const QString& nume) const
    {
        if (valori.size() <= kFaraIndex) {
            for (qsizetype i = 0; i < valori.size(); ++i) {
                if (valori[i].nume.compare(nume, Qt::CaseInsensitive) == 0)
                    return i;
            }
            return -1;
        }
        return index.Cauta(valori, nume);
    }
    TValoareRegistru* Gaseste(const QString& nume)
    {
        const qsizetype i = Pozitie(nume);
        return i < 0 ? nullptr : &valori[i];
    }
    const TValoareRegistru* Gaseste(const QString& nume) const
    {
        const qsizetype i = Pozitie(nume);
        return i < 0 ? nullptr : &valori[i];
    }
    // Adds the value or replaces the one of the same name (keeping its first spelling); false when the
    // key already held exactly this.
    bool Pune(const TValoareRegistru& valoare)
    {
        if (TValoareRegistru* v = Gaseste(valoare.nume)) {
            if (v->tip == valoare.tip && v->text == valoare.text && v->intreg == valoare.intreg)
                return false;
            v->tip = valoare.tip;
            v->text = valoare.text;
            v->intreg = valoare.intreg;
            return true;
        }
        valori << valoare;
        if (valori.size() > kFaraIndex + 1)
            index.CautaSauAdauga(valori, valoare.nume);
        else if (valori.size() == kFaraIndex + 1)
            index.Construieste(valori);
        return true;
    }
    bool Sterge(const QString& nume)
    {
        const qsizetype i = Pozitie(nume);
        if (i < 0)
            return false;
        valori.removeAt(i);
        index.Goleste();
        if (valori.size() > kFaraIndex)
            index.Construieste(valori);
        return true;
    }
    // After a file was read with every value appended: merges repeated names (the later value wins, at the
    // place and with the spelling of the first) and builds the index in the same pass.
    void Compacteaza()
    {
        index.Goleste();
        const bool cuIndex = valori.size() > kFaraIndex;
        if (cuIndex)
            index.Rezerva(valori.size());
        qsizetype unice = 0;
        for (qsizetype i = 0; i < valori.size(); ++i) {
            TValoareRegistru& v = valori[i];
            qsizetype anterioara = -1;
            if (cuIndex) {
                anterioara = index.CautaSauAdauga(valori, v.nume);
            } else {
                for (qsizetype j = 0; j < unice && anterioara < 0; ++j) {
                    if (valori[j].nume.compare(v.nume, Qt::CaseInsensitive) == 0)
                        anterioara = j;
                }
            }
            if (anterioara >= 0) {
                valori[anterioara].tip = v.tip;
                valori[anterioara].text = std::move(v.text);
                valori[anterioara].intreg = v.intreg;
                continue;
            }
            if (unice != i)
                valori[unice] = std::move(v);
            ++unice;
        }
        valori.resize(unice);
        if (valori.size() <= kFaraIndex)
            index.Goleste();
    }
};
// Keys by case-folded path; the map's order is the order of the keys in the file.
using TModel = QMap<QString, TCheieInterna>;

// What the file on disk was when it was last read: a write through QSaveFile always makes a new inode.
struct TIdentitate
{
    bool exista = false;
    dev_t dispozitiv = 0;
    ino_t inod = 0;
    off_t marime = 0;
    qint64 secunde = 0;
    qint64 nanosecunde = 0;
    bool operator==(const TIdentitate&) const = default;
};

TIdentitate Identitate(const QString& fisier);
QString CaleCompleta(const QString& cale);
QString NumeTip(TTipValoareRegistru tip);
QString NormalizeazaCale(const QString& cale);
QString MesajDeteriorat(const QString& fisier, QString motiv, bool doarValori = false);
bool CitesteFisier(const QString& fisier, TModel& model, QString& motiv);
bool ScrieFisier(const QString& fisier, const TModel& model, QString& eroare);
QString MotivDosarNecreat(const QString& dosar);
QString NumeRezerva(const QString& fisier);

} // namespace RegistruIntern
