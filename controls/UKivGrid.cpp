#include "controls/UKivGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

const QString kInAfara = QStringLiteral("Grid index out of range");
const QString kPreaMulteSterse = QStringLiteral("Too many rows or columns deleted");
const QString kPreaMare = QStringLiteral("Grid too large for operation");

// How close to a border the mouse must be to resize.
constexpr int kPragRedimensionare = 3;

template <typename T> void Muta(std::vector<T>& v, int de, int la)
{
    const T element = v[de];
    v.erase(v.begin() + de);
    v.insert(v.begin() + la, element);
}

} // namespace

// ---------------------------------------------------------------- the grid

TKivCustomGrid::TKivCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent), m_latimi(5, 64), m_inaltimi(5, 24), m_opriri(5, true)
{
    setObjectName(QStringLiteral("KivGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    viewport()->setMouseTracking(true);
    m_timerTragere.setInterval(60);
    connect(&m_timerTragere, &QTimer::timeout, this, [this] { TimerTragere(); });
    ActualizeazaBare();
}

TKivCustomGrid::~TKivCustomGrid() = default;

void TKivCustomGrid::VerificaCelula(int coloana, int rand) const
{
    if (coloana < 0 || rand < 0 || coloana >= ColCount() || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
}

// Shrinking below the fixed count keeps one scrolling column: the fixed count follows the total down.
void TKivCustomGrid::SetColCount(int n)
{
    if (n > MaximDimensiune)
        throw KivEInvalidGridOperation(kPreaMare);
    if (n < 1)
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    if (n == ColCount())
        return;
    if (n <= m_coloaneFixe)
        m_coloaneFixe = n - 1;
    m_latimi.resize(n, m_latimeImplicita);
    m_opriri.resize(n, true);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetRowCount(int n)
{
    if (n > MaximDimensiune)
        throw KivEInvalidGridOperation(kPreaMare);
    if (n < 1)
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    if (n == RowCount())
        return;
    if (n <= m_randuriFixe)
        m_randuriFixe = n - 1;
    m_inaltimi.resize(n, m_inaltimeImplicita);
    LimiteazaPozitia();
}

int TKivCustomGrid::ColWidths(int coloana) const
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    return m_latimi[coloana];
}

void TKivCustomGrid::SetColWidths(int coloana, int latime)
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (m_latimi[coloana] == latime)
        return;
    m_latimi[coloana] = std::max(latime, 0);
    LimiteazaPozitia();
}

int TKivCustomGrid::RowHeights(int rand) const
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    return m_inaltimi[rand];
}

void TKivCustomGrid::SetRowHeights(int rand, int inaltime)
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (m_inaltimi[rand] == inaltime)
        return;
    m_inaltimi[rand] = std::max(inaltime, 0);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetDefaultColWidth(int latime)
{
    m_latimeImplicita = std::max(latime, 0);
    std::fill(m_latimi.begin(), m_latimi.end(), m_latimeImplicita);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetDefaultRowHeight(int inaltime)
{
    m_inaltimeImplicita = std::max(inaltime, 0);
    std::fill(m_inaltimi.begin(), m_inaltimi.end(), m_inaltimeImplicita);
    LimiteazaPozitia();
}

void TKivCustomGrid::SeteazaDimensiuni(std::vector<int> latimi, std::vector<int> inaltimi, int coloaneFixe,
                                       int randuriFixe)
{
    if (latimi.size() > size_t(MaximDimensiune) || inaltimi.size() > size_t(MaximDimensiune))
        throw KivEInvalidGridOperation(kPreaMare);
    if (latimi.empty() || inaltimi.empty())
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_opriri.resize(latimi.size(), true);
    m_latimi = std::move(latimi);
    m_inaltimi = std::move(inaltimi);
    m_coloaneFixe = std::clamp(coloaneFixe, 0, ColCount() - 1);
    m_randuriFixe = std::clamp(randuriFixe, 0, RowCount() - 1);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetFixedCols(int n)
{
    if (n < 0 || n >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_coloaneFixe = n;
    LimiteazaPozitia();
}

void TKivCustomGrid::SetFixedRows(int n)
{
    if (n < 0 || n >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_randuriFixe = n;
    LimiteazaPozitia();
}

void TKivCustomGrid::SetGridLineWidth(int latime)
{
    m_latimeLinie = std::max(latime, 0);
    LimiteazaPozitia();
}

TKivOptiuniGrila TKivCustomGrid::Options() const
{
    if (m_inProiectare)
        return m_optiuni | ogRedimRanduri | ogRedimColoane;
    return m_optiuni;
}

// The thumb-tracking option maps onto the scroll bars' tracking: without it the view moves on release.
void TKivCustomGrid::SetOptions(TKivOptiuniGrila optiuni)
{
    if (optiuni == m_optiuni)
        return;
    m_optiuni = optiuni;
    if (!(optiuni & ogEditare) && EditorAfisat())
        AscundeEditor();
    verticalScrollBar()->setTracking(optiuni & ogUrmaresteBara);
    horizontalScrollBar()->setTracking(optiuni & ogUrmaresteBara);
    LimiteazaPozitia();
    if ((optiuni & ogEditare) && (optiuni & ogEditorMereu))
        ArataEditor();
}

bool TKivCustomGrid::TabStops(int coloana) const
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    return m_opriri[coloana];
}

void TKivCustomGrid::SetTabStops(int coloana, bool oprire)
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_opriri[coloana] = oprire;
}

void TKivCustomGrid::SetInProiectare(bool proiectare)
{
    m_inProiectare = proiectare;
    if (proiectare && EditorAfisat())
        AscundeEditor();
    viewport()->update();
}

void TKivCustomGrid::SetLeftCol(int coloana)
{
    SeteazaStangaSus(coloana, TopRow());
}

void TKivCustomGrid::SetTopRow(int rand)
{
    SeteazaStangaSus(LeftCol(), rand);
}

// Whole-row selection spans the scrolling columns of the rows between the anchor and the current row.
QRect TKivCustomGrid::Selection() const
{
    if (m_optiuni & ogSelectieRand)
        return QRect(QPoint(m_coloaneFixe, std::min(m_curent.y(), m_ancora.y())),
                     QPoint(ColCount() - 1, std::max(m_curent.y(), m_ancora.y())));
    if (!(m_optiuni & ogSelectieInterval))
        return QRect(m_curent, m_curent);
    return QRect(QPoint(std::min(m_curent.x(), m_ancora.x()), std::min(m_curent.y(), m_ancora.y())),
                 QPoint(std::max(m_curent.x(), m_ancora.x()), std::max(m_curent.y(), m_ancora.y())));
}

// The line after a cell takes space only when the option for its region (fixed or scrolling) is on.
int TKivCustomGrid::LatimeLinieVerticala(int coloana) const
{
    const TKivOptiuneGrila optiune = coloana < m_coloaneFixe ? ogLiniiFixeVerticale : ogLiniiVerticale;
    return (m_optiuni & optiune) ? m_latimeLinie : 0;
}

int TKivCustomGrid::LatimeLinieOrizontala(int rand) const
{
    const TKivOptiuneGrila optiune = rand < m_randuriFixe ? ogLiniiFixeOrizontale : ogLiniiOrizontale;
    return (m_optiuni & optiune) ? m_latimeLinie : 0;
}

int TKivCustomGrid::Extindere(bool coloane, int i) const
{
    const int marime = coloane ? m_latimi[i] : m_inaltimi[i];
    if (marime <= 0)
        return 0;
    return marime + (coloane ? LatimeLinieVerticala(i) : LatimeLinieOrizontala(i));
}

int TKivCustomGrid::MarimeFixa(bool coloane) const
{
    int suma = 0;
    for (int i = 0; i < (coloane ? m_coloaneFixe : m_randuriFixe); ++i)
        suma += Extindere(coloane, i);
    return suma;
}

int TKivCustomGrid::PrimulCare(bool coloane, int ultimul) const
{
    const int fixe = coloane ? m_coloaneFixe : m_randuriFixe;
    const int disponibil = (coloane ? viewport()->width() : viewport()->height()) - MarimeFixa(coloane);
    int suma = 0;
    int i = ultimul;
    for (; i >= fixe; --i) {
        suma += Extindere(coloane, i);
        if (suma > disponibil)
            break;
    }
    return std::min(std::max(i + 1, fixe), ultimul);
}

int TKivCustomGrid::Vizibile(bool coloane) const
{
    const int disponibil = (coloane ? viewport()->width() : viewport()->height()) - MarimeFixa(coloane);
    int suma = 0;
    int n = 0;
    for (int i = coloane ? LeftCol() : TopRow(); i < (coloane ? ColCount() : RowCount()); ++i) {
        suma += Extindere(coloane, i);
        if (suma > disponibil)
            break;
        ++n;
    }
    return std::max(n, 1);
}

int TKivCustomGrid::Pozitie(bool coloane, int index) const
{
    const bool fixa = index < (coloane ? m_coloaneFixe : m_randuriFixe);
    const int capat = coloane ? viewport()->width() : viewport()->height();
    int p = fixa ? 0 : MarimeFixa(coloane);
    for (int i = fixa ? 0 : (coloane ? LeftCol() : TopRow()); i < index && p < capat; ++i)
        p += Extindere(coloane, i);
    return p < capat ? p : -1;
}

int TKivCustomGrid::LatimeFixa() const
{
    return MarimeFixa(true);
}

int TKivCustomGrid::InaltimeFixa() const
{
    return MarimeFixa(false);
}

int TKivCustomGrid::UltimaColoanaStanga() const
{
    return PrimulCare(true, ColCount() - 1);
}

int TKivCustomGrid::UltimulRandSus() const
{
    return PrimulCare(false, RowCount() - 1);
}

int TKivCustomGrid::RanduriVizibile() const
{
    return Vizibile(false);
}

int TKivCustomGrid::ColoaneVizibile() const
{
    return Vizibile(true);
}

QRect TKivCustomGrid::CellRect(int coloana, int rand) const
{
    if (coloana < 0 || rand < 0 || coloana >= ColCount() || rand >= RowCount())
        return QRect();
    if ((coloana >= m_coloaneFixe && coloana < LeftCol()) || (rand >= m_randuriFixe && rand < TopRow()))
        return QRect();
    const int x = Pozitie(true, coloana);
    const int y = Pozitie(false, rand);
    if (x < 0 || y < 0 || m_latimi[coloana] <= 0 || m_inaltimi[rand] <= 0)
        return QRect();
    return QRect(x, y, m_latimi[coloana], m_inaltimi[rand]);
}

QPoint TKivCustomGrid::MouseCoord(const QPoint& pozitie) const
{
    auto cauta = [](int p, int fixe, int primul, int total, const std::vector<int>& marimi, auto linie) {
        if (p < 0)
            return -1;
        int capat = 0;
        for (int i = 0; i < total;) {
            if (i == fixe)
                i = std::max(primul, fixe);
            if (i >= total)
                break;
            capat += marimi[i] > 0 ? marimi[i] + linie(i) : 0;
            if (p < capat)
                return i;
            ++i;
        }
        return -1;
    };
    const int c = cauta(pozitie.x(), m_coloaneFixe, LeftCol(), ColCount(), m_latimi,
                        [this](int i) { return LatimeLinieVerticala(i); });
    const int r = cauta(pozitie.y(), m_randuriFixe, TopRow(), RowCount(), m_inaltimi,
                        [this](int i) { return LatimeLinieOrizontala(i); });
    if (c < 0 || r < 0)
        return QPoint(-1, -1);
    return QPoint(c, r);
}

void TKivCustomGrid::InvalidateCell(int coloana, int rand)
{
    const QRect d = CellRect(coloana, rand);
    if (!d.isEmpty())
        viewport()->update(d.adjusted(0, 0, m_latimeLinie, m_latimeLinie));
}

void TKivCustomGrid::InvalidateCells(const QRect& celule)
{
    // Only the cells in view are looked at: the cost follows the view, not the grid.
    const int primaColoana = std::max(celule.left(), 0);
    const int ultimaColoana = std::min(celule.right(), ColCount() - 1);
    const int primulRand = std::max(celule.top(), 0);
    const int ultimulRand = std::min(celule.bottom(), RowCount() - 1);
    auto vizibile = [](int prima, int ultima, int fixe, int primul, int nrVizibile, auto&& f) {
        for (int i = prima; i <= ultima && i < fixe; ++i)
            f(i);
        for (int i = std::max(prima, primul); i <= ultima && i < primul + nrVizibile + 1; ++i)
            f(i);
    };
    vizibile(primulRand, ultimulRand, m_randuriFixe, TopRow(), RanduriVizibile(), [&](int r) {
        vizibile(primaColoana, ultimaColoana, m_coloaneFixe, LeftCol(), ColoaneVizibile(),
                 [&](int c) { InvalidateCell(c, r); });
    });
}

void TKivCustomGrid::Repaint()
{
    viewport()->update();
}

void TKivCustomGrid::DeleteColumn(int coloana)
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (ColCount() <= 1 || (coloana >= m_coloaneFixe && ColCount() - 1 <= m_coloaneFixe))
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_latimi.erase(m_latimi.begin() + coloana);
    m_opriri.erase(m_opriri.begin() + coloana);
    if (coloana < m_coloaneFixe)
        --m_coloaneFixe;
    ColoanaStearsa(coloana);
    LimiteazaPozitia();
}

void TKivCustomGrid::DeleteRow(int rand)
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (RowCount() <= 1 || (rand >= m_randuriFixe && RowCount() - 1 <= m_randuriFixe))
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_inaltimi.erase(m_inaltimi.begin() + rand);
    if (rand < m_randuriFixe)
        --m_randuriFixe;
    RandSters(rand);
    LimiteazaPozitia();
}

// The cell sizes and tab stops travel with the column; the owner moves its own data in ColoanaMutata.
void TKivCustomGrid::MoveColumn(int de, int la)
{
    if (de < 0 || la < 0 || de >= ColCount() || la >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (de == la)
        return;
    Muta(m_latimi, de, la);
    std::vector<bool> opriri(m_opriri.begin(), m_opriri.end());
    Muta(opriri, de, la);
    m_opriri.assign(opriri.begin(), opriri.end());
    if (m_curent.x() == de)
        m_curent.setX(la);
    ColoanaMutata(de, la);
    LimiteazaPozitia();
}

void TKivCustomGrid::MoveRow(int de, int la)
{
    if (de < 0 || la < 0 || de >= RowCount() || la >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (de == la)
        return;
    Muta(m_inaltimi, de, la);
    if (m_curent.y() == de)
        m_curent.setY(la);
    RandMutat(de, la);
    LimiteazaPozitia();
}

// After any change of sizes or counts: the current cell, the anchor and the top-left cell back inside the
// scrolling area, the scroll bars and the editor placed again, everything repainted.
void TKivCustomGrid::LimiteazaPozitia()
{
    auto limiteaza = [this](QPoint p) {
        return QPoint(std::clamp(p.x(), m_coloaneFixe, ColCount() - 1),
                      std::clamp(p.y(), m_randuriFixe, RowCount() - 1));
    };
    m_curent = limiteaza(m_curent);
    m_ancora = limiteaza(m_ancora);
    if (m_optiuni & ogSelectieRand)
        m_curent.setX(m_coloaneFixe);
    const QPoint stangaSus(std::clamp(m_stangaSus.x(), m_coloaneFixe, UltimaColoanaStanga()),
                           std::clamp(m_stangaSus.y(), m_randuriFixe, UltimulRandSus()));
    const bool schimbat = stangaSus != m_stangaSus;
    m_stangaSus = stangaSus;
    ActualizeazaBare();
    if (EditorAfisat())
        m_editor->Pozitioneaza(CellRect(m_celulaEditor.x(), m_celulaEditor.y()));
    viewport()->update();
    if (schimbat)
        StangaSusSchimbat();
}

// The scroll bars count cells, not pixels: their value is the top row or left column.
void TKivCustomGrid::ActualizeazaBare()
{
    m_actualizezBare = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(m_randuriFixe, std::max(UltimulRandSus(), m_randuriFixe));
    v->setPageStep(RanduriVizibile());
    v->setSingleStep(1);
    v->setValue(TopRow());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(m_coloaneFixe, std::max(UltimaColoanaStanga(), m_coloaneFixe));
    h->setPageStep(ColoaneVizibile());
    h->setSingleStep(1);
    h->setValue(LeftCol());
    m_actualizezBare = false;
}

// The viewport is never scrolled as pixels: a new top-left cell repaints the view.
void TKivCustomGrid::scrollContentsBy(int, int)
{
    if (m_actualizezBare)
        return;
    SeteazaStangaSus(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TKivCustomGrid::SeteazaStangaSus(int coloana, int rand)
{
    const QPoint nou(std::clamp(coloana, m_coloaneFixe, UltimaColoanaStanga()),
                     std::clamp(rand, m_randuriFixe, UltimulRandSus()));
    if (nou == m_stangaSus)
        return;
    m_stangaSus = nou;
    ActualizeazaBare();
    if (EditorAfisat())
        m_editor->Pozitioneaza(CellRect(m_celulaEditor.x(), m_celulaEditor.y()));
    viewport()->update();
    StangaSusSchimbat();
}

void TKivCustomGrid::ArataCelula(int coloana, int rand)
{
    int stanga = LeftCol();
    int sus = TopRow();
    if (coloana >= m_coloaneFixe)
        stanga = coloana < stanga ? coloana : std::max(stanga, PrimulCare(true, coloana));
    if (rand >= m_randuriFixe)
        sus = rand < sus ? rand : std::max(sus, PrimulCare(false, rand));
    SeteazaStangaSus(stanga, sus);
}

void TKivCustomGrid::MutaCelulaCurenta(int coloana, int rand, bool mutaAncora, bool arata)
{
    VerificaCelula(coloana, rand);
    if (coloana < m_coloaneFixe || rand < m_randuriFixe)
        throw KivEInvalidGridOperation(kInAfara);
    if (!SelecteazaCelula(coloana, rand))
        return;
    // What was painted as selected or current before the move must be repainted too.
    const QRect selectieVeche = Selection();
    const QPoint vechi = m_curent;
    const bool editorMereu = (m_optiuni & ogEditorMereu) && EditorAfisat();
    if (EditorAfisat() && !editorMereu)
        AscundeEditor();
    if (editorMereu && QPoint(coloana, rand) != m_celulaEditor)
        SeteazaTextEditare(m_celulaEditor.x(), m_celulaEditor.y(), m_editor->Text());
    m_curent = QPoint(coloana, rand);
    if (mutaAncora || !(m_optiuni & ogSelectieInterval))
        m_ancora = m_curent;
    if (m_optiuni & ogSelectieRand) {
        if (mutaAncora || !(m_optiuni & ogSelectieInterval))
            m_ancora = QPoint(ColCount() - 1, rand);
        m_curent.setX(m_coloaneFixe);
    }
    if (arata)
        ArataCelula(coloana, rand);
    if (selectieVeche != Selection()) {
        InvalidateCells(selectieVeche);
        InvalidateCells(Selection());
    }
    InvalidateCell(vechi.x(), vechi.y());
    InvalidateCell(m_curent.x(), m_curent.y());
    if (editorMereu && m_curent != m_celulaEditor) {
        m_celulaEditor = m_curent;
        m_editor->SetText(TextEditare(m_curent.x(), m_curent.y()));
        m_editor->Pozitioneaza(CellRect(m_curent.x(), m_curent.y()));
        m_editor->SelecteazaTot();
    }
}

TKivRedimensionare TKivCustomGrid::CalculeazaRedimensionare(const QPoint& pozitie) const
{
    TKivRedimensionare r;
    // The border after a cell in view along one axis, within reach of the mouse.
    auto cauta = [&](bool coloane) {
        const int p = coloane ? pozitie.x() : pozitie.y();
        const int fixe = coloane ? m_coloaneFixe : m_randuriFixe;
        const int total = coloane ? ColCount() : RowCount();
        const int capat = coloane ? viewport()->width() : viewport()->height();
        int inceput = 0;
        for (int i = 0; i < total && inceput < capat; ++i) {
            if (i == fixe)
                i = std::max(coloane ? LeftCol() : TopRow(), fixe);
            if (i >= total)
                break;
            const int marime = coloane ? m_latimi[i] : m_inaltimi[i];
            if (marime > 0 && std::abs(p - (inceput + marime)) <= kPragRedimensionare) {
                r.tip = coloane ? TKivRedimensionare::Coloana : TKivRedimensionare::Rand;
                r.index = i;
                r.inceput = inceput;
                return true;
            }
            inceput += Extindere(coloane, i);
        }
        return false;
    };
    const TKivOptiuniGrila optiuni = Options();
    if ((optiuni & ogRedimColoane) && pozitie.y() < InaltimeFixa() && cauta(true))
        return r;
    if ((optiuni & ogRedimRanduri) && pozitie.x() < LatimeFixa() && cauta(false))
        return r;
    return TKivRedimensionare();
}

TKivInplaceEdit* TKivCustomGrid::CreeazaEditor()
{
    return new TKivInplaceEdit(this);
}

// The window's focus widget, not hasFocus(): a grid in a window that is not active still paints its focus.
bool TKivCustomGrid::EsteControlActiv() const
{
    const QWidget* activ = window()->focusWidget();
    return activ == this || activ == viewport() || (m_editor && activ == m_editor->Edit());
}

bool TKivCustomGrid::PoateArataEditor() const
{
    return (m_optiuni & ogEditare) && !(m_optiuni & ogSelectieRand) && !m_inProiectare && isVisible() &&
           (EsteControlActiv() || (m_optiuni & ogEditorMereu));
}

bool TKivCustomGrid::SelecteazaCelula(int, int)
{
    return true;
}

QString TKivCustomGrid::TextEditare(int, int) const
{
    return QString();
}

void TKivCustomGrid::SeteazaTextEditare(int, int, const QString&) {}

void TKivCustomGrid::ArataEditor()
{
    if (!PoateArataEditor())
        return;
    if (!m_editor)
        m_editor = CreeazaEditor();
    m_celulaEditor = m_curent;
    m_editor->SetText(TextEditare(m_curent.x(), m_curent.y()));
    m_editor->Pozitioneaza(CellRect(m_curent.x(), m_curent.y()));
    m_editorAfisat = true;
    m_editor->SelecteazaTot();
    if (EsteControlActiv())
        m_editor->Edit()->setFocus();
}

void TKivCustomGrid::AscundeEditor()
{
    if (!EditorAfisat())
        return;
    m_editorAfisat = false;
    SeteazaTextEditare(m_celulaEditor.x(), m_celulaEditor.y(), m_editor->Text());
    m_editor->Pozitioneaza(QRect());
    InvalidateCell(m_celulaEditor.x(), m_celulaEditor.y());
}

// Tab normally moves the focus between widgets before keyPressEvent sees it.
bool TKivCustomGrid::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && (m_optiuni & ogTab) &&
            !(k->modifiers() & Qt::AltModifier)) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TKivCustomGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    LimiteazaPozitia();
}

void TKivCustomGrid::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    DeseneazaGrila(p, e->rect());
}

// Only the cells in view are visited: fixed rows and columns first, then from the top-left scrolling cell
// until the viewport is full.
void TKivCustomGrid::DeseneazaGrila(QPainter& p, const QRect& zona)
{
    const QPalette& pal = palette();
    p.fillRect(zona, pal.color(QPalette::Window));
    const QRect selectie = Selection();
    const bool activ = EsteControlActiv();
    const int latime = viewport()->width();
    const int inaltime = viewport()->height();
    const QColor culoareLinie = pal.color(QPalette::Shadow);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    auto randuri = [&](auto&& f) {
        int y = 0;
        for (int r = 0; r < RowCount() && y < inaltime; ++r) {
            if (r == m_randuriFixe)
                r = std::max(TopRow(), m_randuriFixe);
            if (r >= RowCount())
                break;
            if (m_inaltimi[r] <= 0)
                continue;
            f(r, y);
            y += m_inaltimi[r] + LatimeLinieOrizontala(r);
        }
    };
    randuri([&](int r, int y) {
        int x = 0;
        for (int c = 0; c < ColCount() && x < latime; ++c) {
            if (c == m_coloaneFixe)
                c = std::max(LeftCol(), m_coloaneFixe);
            if (c >= ColCount())
                break;
            if (m_latimi[c] <= 0)
                continue;
            QRect d(x, y, m_latimi[c], m_inaltimi[r]);
            x += m_latimi[c] + LatimeLinieVerticala(c);
            const int lv = LatimeLinieVerticala(c);
            const int lo = LatimeLinieOrizontala(r);
            if (rtl)
                d.moveLeft(latime - d.right() - 1);
            if (lv > 0)
                p.fillRect(QRect(rtl ? d.left() - lv : d.right() + 1, d.top(), lv, d.height() + lo), culoareLinie);
            if (lo > 0)
                p.fillRect(QRect(d.left(), d.bottom() + 1, d.width() + lv, lo), culoareLinie);
            if (!d.intersects(zona))
                continue;
            TKivStariCelula stare;
            const bool fixa = c < m_coloaneFixe || r < m_randuriFixe;
            if (fixa)
                stare |= scFixa;
            else if (selectie.contains(c, r))
                stare |= scSelectata;
            const bool focus = activ && QPoint(c, r) == m_curent;
            if (focus)
                stare |= scFocus;
            if (m_desenareImplicita) {
                const bool caSelectata =
                    (stare & scSelectata) && (!focus || (m_optiuni & (ogSelectieRand | ogSelectatSiCuFocus)));
                p.fillRect(d, caSelectata ? pal.color(QPalette::Highlight)
                                          : pal.color(fixa ? QPalette::Button : QPalette::Base));
                p.setPen(caSelectata ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
            }
            if (!(focus && EditorAfisat())) {
                p.save();
                p.setClipRect(d);
                DeseneazaCelula(p, c, r, d, stare);
                p.restore();
            }
            if (m_desenareImplicita && fixa) {
                p.setPen(pal.color(QPalette::Light));
                p.drawLine(d.topLeft(), d.topRight());
                p.drawLine(d.topLeft(), d.bottomLeft());
                p.setPen(pal.color(QPalette::Dark));
                p.drawLine(d.bottomLeft(), d.bottomRight());
                p.drawLine(d.topRight(), d.bottomRight());
            }
            if (focus && !(m_optiuni & ogSelectieRand) && !((m_optiuni & ogEditare) && (m_optiuni & ogEditorMereu))) {
                p.save();
                p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(d.adjusted(0, 0, -1, -1));
                p.restore();
            }
        }
    });
}
