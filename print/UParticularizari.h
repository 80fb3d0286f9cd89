#pragma once

#include "print/UFontFormular.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

// The user's corrections of one text area of a printable form. Fields in the order of the file.
struct TParticularizareTextArea
{
    QString NumeFormular;        // objectName of the form window that owns the area
    QString NumeCamp;            // objectName of the area
    int Aliniere = 0;            // 0 the area's own, 1 left, 2 centre, 3 right
    int DeplasareOrizontala = 0; // -1 half a millimetre left, 1 right
    int DeplasareVerticala = 0;  // -1 half a millimetre higher, 1 lower
    QString NumeFont;            // a font of the same form instead of the area's; empty = the area's
    QString TextRedefinit;       // replaces the filled-in text; empty = none
    int Italic = 0;              // 0 the font's, 1 italic, 2 upright
    int Bold = 0;                // 0 the font's, 1 weight 700, 2 weight 400
    QString FontSistem;          // an installed face instead of the font's FontName; empty = none

    // The font component named by NumeFont, resolved at each look-up; not stored.
    QPointer<TFontFormular> Font;
};

// The store of corrections: records in insertion order, and the file they are kept in ("licenta.lic").
class TListaParticularizareTextArea
{
public:
    explicit TListaParticularizareTextArea(QString cale = {});
    // Writes the list to its file (never throws; a list whose file failed to load writes nothing).
    ~TListaParticularizareTextArea();
    TListaParticularizareTextArea(const TListaParticularizareTextArea&) = delete;
    TListaParticularizareTextArea& operator=(const TListaParticularizareTextArea&) = delete;

    const QString& Cale() const { return m_cale; }
    int Count() const { return static_cast<int>(m_inregistrari.size()); }
    TParticularizareTextArea* At(int i) const { return m_inregistrari.at(i).get(); }
    TParticularizareTextArea* Adauga(std::unique_ptr<TParticularizareTextArea> inregistrare);
    void Goleste() { m_inregistrari.clear(); }

    // The last record of the area, or nullptr. With `creeaza`, a missing record is made, appended and the
    // list written to its file.
    TParticularizareTextArea* Cauta(const QString& formular, const QString& camp, bool creeaza);

    // Writes the list to its file, unless the file failed to load and no new correction was made since.
    void SalveazaLista();
    // Writes after the user confirmed a correction: a file that failed to load is replaced from now on.
    void SalveazaCorectura();

    // Appends the records of a file. Throws EEroare: "Invalid format", "Invalid property value", or the
    // file error; records read before the error stay appended.
    void IncarcaDinFisier(const QString& cale);
    // Writes the whole list, every record as version 2, replacing the file whole or not at all.
    void SalveazaInFisier(const QString& cale) const;

    // The file's content as written by SalveazaInFisier.
    QByteArray Serializeaza() const;
    // Appends the records held in `octeti`; throws as IncarcaDinFisier.
    void Deserializeaza(const QByteArray& octeti);

    // Message of the error met when the list's own file was read at creation; empty when it loaded.
    // While it is set the file is left untouched.
    const QString& EroareIncarcare() const { return m_eroareIncarcare; }
    void SeteazaEroareIncarcare(const QString& eroare) { m_eroareIncarcare = eroare; }
    // Whether the load error was already shown to the user (it is shown once).
    bool EroareRaportata() const { return m_eroareRaportata; }
    void MarcheazaEroareRaportata() { m_eroareRaportata = true; }

private:
    QString m_cale;
    std::vector<std::unique_ptr<TParticularizareTextArea>> m_inregistrari;
    QString m_eroareIncarcare;
    bool m_eroareRaportata = false;
};

// "licenta.lic" in the program's folder.
QString FisierParticularizari();

// The program's one store, created on first use from "licenta.lic" in the program's folder. A file that
// fails to load leaves an empty store carrying the error (EroareIncarcare) and the file untouched.
TListaParticularizareTextArea& Particularizari();

// Replaces the program's store with one read from `cale` on next use (the program's own file when empty).
// The current store is written and destroyed first.
void ReseteazaParticularizari(const QString& cale = {});
