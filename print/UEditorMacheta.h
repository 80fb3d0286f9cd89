#pragma once

#include "print/UMachetaFormular.h"

#include <QList>
#include <QSet>

// Millimetres typed by a user, with a decimal comma or point ("12,5", "12.5"); false for anything else.
bool CitesteMm(const QString& text, double& mm);

// Edits of a layout's first page with undo and redo, headless: what the preview's edit mode changes. Every
// change is one step; a step that changes nothing is not recorded.
class TEditorMacheta
{
public:
    explicit TEditorMacheta(TMachetaFormular macheta) : m_macheta(std::move(macheta)) {}

    const TMachetaFormular& Macheta() const { return m_macheta; }
    const QList<TMachetaZona>& Zone() const { return m_macheta.Pagini.first().Zone; }

    // Indexes of the selected areas in the page's area order.
    const QSet<int>& Selectie() const { return m_selectie; }
    // Selects area `index` alone, or adds it to (removes it from) the selection when `adauga`.
    void Selecteaza(int index, bool adauga = false);

    // Moves the selected areas by millimetres; resizes them by millimetres (never below 0.1 mm).
    void Muta(double dxMm, double dyMm);
    void Redimensioneaza(double dwMm, double dhMm);
    // Replaces area `index` with `zona` (the side panel's values).
    void Modifica(int index, const TMachetaZona& zona);
    // Adds a copy of the first selected area (or of the page's first), 5 mm lower, named "ZonaNouaN", and
    // selects it. Removes the selected areas.
    void AdaugaZona();
    void StergeZone();
    // The page's background picture, shown under the areas and never printed; empty for none.
    void SeteazaFundal(const QString& cale);

    bool PoateAnula() const { return !m_inapoi.isEmpty(); }
    bool PoateReface() const { return !m_inainte.isEmpty(); }
    void Anuleaza();
    void Reface();

private:
    void Pas(const TMachetaFormular& inainte);
    QList<TMachetaZona>& ZoneDeScris() { return m_macheta.Pagini.first().Zone; }

    TMachetaFormular m_macheta;
    QSet<int> m_selectie;
    QList<TMachetaFormular> m_inapoi;
    QList<TMachetaFormular> m_inainte;
};
