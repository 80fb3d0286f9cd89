#pragma once

#include "print/UMachetaFormular.h"

#include <QList>
#include <QSet>

#include <optional>

// Millimetres typed by a user, with a decimal comma or point ("12,5", "12.5"); false for anything else.
bool CitesteMm(const QString& text, double& mm);

// What a mouse drag on an area takes hold of: the whole area (0), or the edges it holds, a corner two of them.
enum TManerZona
{
    ManerMutare = 0,
    ManerStanga = 1,
    ManerDreapta = 2,
    ManerSus = 4,
    ManerJos = 8
};

// The handle under `punct`, pixels inside an area shown `latime` x `inaltime` pixels: a band along each edge, up
// to 4 pixels and never more than a quarter of the area, so a small digit box can still be moved.
int ManerLa(double latime, double inaltime, double x, double y);

// A drag of `pixeli` screen pixels at `dpi` in millimetres, to the nearest tenth.
double MmDinPixeli(double pixeli, double dpi);

// Edits of a layout's first page with undo and redo, headless: what the preview's edit mode changes. Every
// change is one step; a step that changes nothing is not recorded. Any other edit ends a drag in progress.
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

    // A mouse drag of the selection by `maner`: each Trage places the selected areas `dxMm` / `dyMm` from where
    // the drag began (a width or height never below 0.1 mm, the opposite edge staying); TerminaTragere records
    // the whole drag as one step, AnuleazaTragere puts everything back.
    void IncepeTragere(int maner);
    void Trage(double dxMm, double dyMm);
    void TerminaTragere();
    void AnuleazaTragere();
    bool TragereInCurs() const { return m_tragere.has_value(); }
    // What a drag shows beside the cursor for area `index`: left and top for a move, width and height (and the
    // edge that moves) for a resize, in millimetres with a decimal comma.
    QString CotaTragere(int index) const;

    bool PoateAnula() const { return !m_inapoi.isEmpty(); }
    bool PoateReface() const { return !m_inainte.isEmpty(); }
    void Anuleaza();
    void Reface();

private:
    void Pas(const TMachetaFormular& inainte);
    QList<TMachetaZona>& ZoneDeScris() { return m_macheta.Pagini.first().Zone; }

    TMachetaFormular m_macheta;
    QSet<int> m_selectie;
    struct TTragere
    {
        int Maner = ManerMutare;
        TMachetaFormular Inainte;
    };
    std::optional<TTragere> m_tragere;
    QList<TMachetaFormular> m_inapoi;
    QList<TMachetaFormular> m_inainte;
};
