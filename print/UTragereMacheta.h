#pragma once

#include <QPointF>

#include <functional>

class QEvent;
class QLabel;
class QWidget;
class TEditorMacheta;
class TFormularDePrintat;
class TFormularTextArea;

// The mouse of the layout's edit mode over the area views of the preview's page: a press selects (with Ctrl it
// adds or removes an area), a drag moves the selected areas or, from an edge or a corner of a selected one,
// resizes them, with the millimetres in a label beside the cursor. A drag is one undo step; a press without
// movement only selects.
class TTragereMacheta
{
public:
    // The label is made on `parinteCota` (the widget the page is shown in); `dupaEditare` shows the editor's
    // layout on the page after every change.
    TTragereMacheta(QWidget* parinteCota, std::function<void()> dupaEditare);

    // Turns the hover cursors of the page's area views on or off (edit mode entered or left, page rebuilt).
    void Pregateste(TFormularDePrintat& pagina, bool activ);
    // Handles mouse event `e` of area view `zona` on `pagina`; true when edit mode took it (never passed on).
    bool Trateaza(TEditorMacheta& editor, TFormularDePrintat& pagina, TFormularTextArea* zona, QEvent* e);
    // The millimetres shown during a drag; hidden otherwise.
    QLabel* Cota() const { return m_cota; }

private:
    void ArataCota(const TEditorMacheta& editor, const QPointF& global);

    QLabel* m_cota = nullptr;
    std::function<void()> m_dupaEditare;
    QPointF m_apasare; // global position of the press
    int m_index = -1;
    int m_maner = 0;
    bool m_apasat = false;
    bool m_trage = false;
    bool m_doarAceasta = false; // a press on a selected area without a drag leaves it selected alone
};
