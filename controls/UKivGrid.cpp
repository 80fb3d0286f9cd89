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

TKivCustomGrid::TKivCustomGrid(QWidget* parent) : QAbstractScrollArea(parent)
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
    if (n <= m_stare.ColoaneFixe)
        m_stare.ColoaneFixe = n - 1;
    m_stare.Latimi.resize(n, m_stare.LatimeImplicita);
    m_stare.Opriri.resize(n, true);
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
    if (n <= m_stare.RanduriFixe)
        m_stare.RanduriFixe = n - 1;
    m_stare.Inaltimi.resize(n, m_stare.InaltimeImplicita);
    LimiteazaPozitia();
}

int TKivCustomGrid::ColWidths(int coloana) const
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    return m_stare.Latimi[coloana];
}

void TKivCustomGrid::SetColWidths(int coloana, int latime)
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (m_stare.Latimi[coloana] == latime)
        return;
    m_stare.Latimi[coloana] = std::max(latime, 0);
    LimiteazaPozitia();
}

int TKivCustomGrid::RowHeights(int rand) const
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    return m_stare.Inaltimi[rand];
}

void TKivCustomGrid::SetRowHeights(int rand, int inaltime)
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (m_stare.Inaltimi[rand] == inaltime)
        return;
    m_stare.Inaltimi[rand] = std::max(inaltime, 0);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetDefaultColWidth(int latime)
{
    m_stare.LatimeImplicita = std::max(latime, 0);
    std::fill(m_stare.Latimi.begin(), m_stare.Latimi.end(), m_stare.LatimeImplicita);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetDefaultRowHeight(int inaltime)
{
    m_stare.InaltimeImplicita = std::max(inaltime, 0);
    std::fill(m_stare.Inaltimi.begin(), m_stare.Inaltimi.end(), m_stare.InaltimeImplicita);
    LimiteazaPozitia();
}

void TKivCustomGrid::SeteazaDimensiuni(std::vector<int> latimi, std::vector<int> inaltimi, int coloaneFixe,
                                       int randuriFixe)
{
    if (latimi.size() > size_t(MaximDimensiune) || inaltimi.size() > size_t(MaximDimensiune))
        throw KivEInvalidGridOperation(kPreaMare);
    if (latimi.empty() || inaltimi.empty())
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_stare.Opriri.resize(latimi.size(), true);
    m_stare.Latimi = std::move(latimi);
    m_stare.Inaltimi = std::move(inaltimi);
    m_stare.ColoaneFixe = std::clamp(coloaneFixe, 0, ColCount() - 1);
    m_stare.RanduriFixe = std::clamp(randuriFixe, 0, RowCount() - 1);
    LimiteazaPozitia();
}

void TKivCustomGrid::SetFixedCols(int n)
{
    if (n < 0 || n >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_stare.ColoaneFixe = n;
    LimiteazaPozitia();
}

void TKivCustomGrid::SetFixedRows(int n)
{
    if (n < 0 || n >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_stare.RanduriFixe = n;
    LimiteazaPozitia();
}

void TKivCustomGrid::SetGridLineWidth(int latime)
{
    m_stare.LatimeLinie = std::max(latime, 0);
    LimiteazaPozitia();
}

TKivOptiuniGrila TKivCustomGrid::Options() const
{
    if (m_inProiectare)
        return m_stare.Optiuni | ogRedimRanduri | ogRedimColoane;
    return m_stare.Optiuni;
}

// The thumb-tracking option maps onto the scroll bars' tracking: without it the view moves on release.
void TKivCustomGrid::SetOptions(TKivOptiuniGrila optiuni)
{
    if (optiuni == m_stare.Optiuni)
        return;
    m_stare.Optiuni = optiuni;
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
    return m_stare.Opriri[coloana];
}

void TKivCustomGrid::SetTabStops(int coloana, bool oprire)
{
    if (coloana < 0 || coloana >= ColCount())
        throw KivEInvalidGridOperation(kInAfara);
    m_stare.Opriri[coloana] = oprire;
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

QRect TKivCustomGrid::Selection() const
{
    return m_stare.Selectie();
}

int TKivCustomGrid::MarimeFixa(bool coloane) const
{
    return m_stare.MarimeFixa(coloane);
}

int TKivCustomGrid::PrimulCare(bool coloane, int ultimul) const
{
    return m_stare.PrimulCare(coloane, ultimul, viewport()->size());
}

int TKivCustomGrid::Vizibile(bool coloane) const
{
    return m_stare.Vizibile(coloane, viewport()->size());
}

int TKivCustomGrid::Pozitie(bool coloane, int index) const
{
    return m_stare.Pozitie(coloane, index, viewport()->size());
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
    return m_stare.DreptunghiCelula(coloana, rand, viewport()->size());
}

QPoint TKivCustomGrid::MouseCoord(const QPoint& pozitie) const
{
    return m_stare.CelulaLa(pozitie);
}

void TKivCustomGrid::InvalidateCell(int coloana, int rand)
{
    const QRect d = CellRect(coloana, rand);
    if (!d.isEmpty())
        viewport()->update(d.adjusted(0, 0, m_stare.LatimeLinie, m_stare.LatimeLinie));
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
    vizibile(primulRand, ultimulRand, m_stare.RanduriFixe, TopRow(), RanduriVizibile(), [&](int r) {
        vizibile(primaColoana, ultimaColoana, m_stare.ColoaneFixe, LeftCol(), ColoaneVizibile(),
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
    if (ColCount() <= 1 || (coloana >= m_stare.ColoaneFixe && ColCount() - 1 <= m_stare.ColoaneFixe))
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_stare.Latimi.erase(m_stare.Latimi.begin() + coloana);
    m_stare.Opriri.erase(m_stare.Opriri.begin() + coloana);
    if (coloana < m_stare.ColoaneFixe)
        --m_stare.ColoaneFixe;
    ColoanaStearsa(coloana);
    LimiteazaPozitia();
}

void TKivCustomGrid::DeleteRow(int rand)
{
    if (rand < 0 || rand >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (RowCount() <= 1 || (rand >= m_stare.RanduriFixe && RowCount() - 1 <= m_stare.RanduriFixe))
        throw KivEInvalidGridOperation(kPreaMulteSterse);
    m_stare.Inaltimi.erase(m_stare.Inaltimi.begin() + rand);
    if (rand < m_stare.RanduriFixe)
        --m_stare.RanduriFixe;
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
    Muta(m_stare.Latimi, de, la);
    std::vector<bool> opriri(m_stare.Opriri.begin(), m_stare.Opriri.end());
    Muta(opriri, de, la);
    m_stare.Opriri.assign(opriri.begin(), opriri.end());
    if (m_stare.Curent.x() == de)
        m_stare.Curent.setX(la);
    ColoanaMutata(de, la);
    LimiteazaPozitia();
}

void TKivCustomGrid::MoveRow(int de, int la)
{
    if (de < 0 || la < 0 || de >= RowCount() || la >= RowCount())
        throw KivEInvalidGridOperation(kInAfara);
    if (de == la)
        return;
    Muta(m_stare.Inaltimi, de, la);
    if (m_stare.Curent.y() == de)
        m_stare.Curent.setY(la);
    RandMutat(de, la);
    LimiteazaPozitia();
}

// After any change of sizes or counts: the current cell, the anchor and the top-left cell back inside the
// scrolling area, the scroll bars and the editor placed again, everything repainted.
void TKivCustomGrid::LimiteazaPozitia()
{
    auto limiteaza = [this](QPoint p) {
        return QPoint(std::clamp(p.x(), m_stare.ColoaneFixe, ColCount() - 1),
                      std::clamp(p.y(), m_stare.RanduriFixe, RowCount() - 1));
    };
    m_stare.Curent = limiteaza(m_stare.Curent);
    m_stare.Ancora = limiteaza(m_stare.Ancora);
    if (m_stare.Optiuni & ogSelectieRand)
        m_stare.Curent.setX(m_stare.ColoaneFixe);
    const QPoint stangaSus(std::clamp(m_stare.StangaSus.x(), m_stare.ColoaneFixe, UltimaColoanaStanga()),
                           std::clamp(m_stare.StangaSus.y(), m_stare.RanduriFixe, UltimulRandSus()));
    const bool schimbat = stangaSus != m_stare.StangaSus;
    m_stare.StangaSus = stangaSus;
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
    v->setRange(m_stare.RanduriFixe, std::max(UltimulRandSus(), m_stare.RanduriFixe));
    v->setPageStep(RanduriVizibile());
    v->setSingleStep(1);
    v->setValue(TopRow());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(m_stare.ColoaneFixe, std::max(UltimaColoanaStanga(), m_stare.ColoaneFixe));
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
    const QPoint nou(std::clamp(coloana, m_stare.ColoaneFixe, UltimaColoanaStanga()),
                     std::clamp(rand, m_stare.RanduriFixe, UltimulRandSus()));
    if (nou == m_stare.StangaSus)
        return;
    m_stare.StangaSus = nou;
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
    if (coloana >= m_stare.ColoaneFixe)
        stanga = coloana < stanga ? coloana : std::max(stanga, PrimulCare(true, coloana));
    if (rand >= m_stare.RanduriFixe)
        sus = rand < sus ? rand : std::max(sus, PrimulCare(false, rand));
    SeteazaStangaSus(stanga, sus);
}

void TKivCustomGrid::MutaCelulaCurenta(int coloana, int rand, bool mutaAncora, bool arata)
{
    VerificaCelula(coloana, rand);
    if (coloana < m_stare.ColoaneFixe || rand < m_stare.RanduriFixe)
        throw KivEInvalidGridOperation(kInAfara);
    if (!SelecteazaCelula(coloana, rand))
        return;
    // What was painted as selected or current before the move must be repainted too.
    const QRect selectieVeche = Selection();
    const QPoint vechi = m_stare.Curent;
    const bool editorMereu = (m_stare.Optiuni & ogEditorMereu) && EditorAfisat();
    if (EditorAfisat() && !editorMereu)
        AscundeEditor();
    if (editorMereu && QPoint(coloana, rand) != m_celulaEditor)
        SeteazaTextEditare(m_celulaEditor.x(), m_celulaEditor.y(), m_editor->Text());
    m_stare.Curent = QPoint(coloana, rand);
    if (mutaAncora || !(m_stare.Optiuni & ogSelectieInterval))
        m_stare.Ancora = m_stare.Curent;
    if (m_stare.Optiuni & ogSelectieRand) {
        if (mutaAncora || !(m_stare.Optiuni & ogSelectieInterval))
            m_stare.Ancora = QPoint(ColCount() - 1, rand);
        m_stare.Curent.setX(m_stare.ColoaneFixe);
    }
    if (arata)
        ArataCelula(coloana, rand);
    if (selectieVeche != Selection()) {
        InvalidateCells(selectieVeche);
        InvalidateCells(Selection());
    }
    InvalidateCell(vechi.x(), vechi.y());
    InvalidateCell(m_stare.Curent.x(), m_stare.Curent.y());
    if (editorMereu && m_stare.Curent != m_celulaEditor) {
        m_celulaEditor = m_stare.Curent;
        m_editor->SetText(TextEditare(m_stare.Curent.x(), m_stare.Curent.y()));
        m_editor->Pozitioneaza(CellRect(m_stare.Curent.x(), m_stare.Curent.y()));
        m_editor->SelecteazaTot();
    }
}

TKivRedimensionare TKivCustomGrid::CalculeazaRedimensionare(const QPoint& pozitie) const
{
    TKivRedimensionare r;
    // The border after a cell in view along one axis, within reach of the mouse.
    auto cauta = [&](bool coloane) {
        const int p = coloane ? pozitie.x() : pozitie.y();
        const int fixe = coloane ? m_stare.ColoaneFixe : m_stare.RanduriFixe;
        const int total = coloane ? ColCount() : RowCount();
        const int capat = coloane ? viewport()->width() : viewport()->height();
        int inceput = 0;
        for (int i = 0; i < total && inceput < capat; ++i) {
            if (i == fixe)
                i = std::max(coloane ? LeftCol() : TopRow(), fixe);
            if (i >= total)
                break;
            const int marime = coloane ? m_stare.Latimi[i] : m_stare.Inaltimi[i];
            if (marime > 0 && std::abs(p - (inceput + marime)) <= kPragRedimensionare) {
                r.tip = coloane ? TKivRedimensionare::Coloana : TKivRedimensionare::Rand;
                r.index = i;
                r.inceput = inceput;
                return true;
            }
            inceput += m_stare.Extindere(coloane, i);
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
    return (m_stare.Optiuni & ogEditare) && !(m_stare.Optiuni & ogSelectieRand) && !m_inProiectare && isVisible() &&
           (EsteControlActiv() || (m_stare.Optiuni & ogEditorMereu));
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
    m_celulaEditor = m_stare.Curent;
    m_editor->SetText(TextEditare(m_stare.Curent.x(), m_stare.Curent.y()));
    m_editor->Pozitioneaza(CellRect(m_stare.Curent.x(), m_stare.Curent.y()));
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
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && (m_stare.Optiuni & ogTab) &&
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
            if (r == m_stare.RanduriFixe)
                r = std::max(TopRow(), m_stare.RanduriFixe);
            if (r >= RowCount())
                break;
            if (m_stare.Inaltimi[r] <= 0)
                continue;
            f(r, y);
            y += m_stare.Inaltimi[r] + m_stare.LatimeLinieOrizontala(r);
        }
    };
    randuri([&](int r, int y) {
        int x = 0;
        for (int c = 0; c < ColCount() && x < latime; ++c) {
            if (c == m_stare.ColoaneFixe)
                c = std::max(LeftCol(), m_stare.ColoaneFixe);
            if (c >= ColCount())
                break;
            if (m_stare.Latimi[c] <= 0)
                continue;
            QRect d(x, y, m_stare.Latimi[c], m_stare.Inaltimi[r]);
            x += m_stare.Latimi[c] + m_stare.LatimeLinieVerticala(c);
            const int lv = m_stare.LatimeLinieVerticala(c);
            const int lo = m_stare.LatimeLinieOrizontala(r);
            if (rtl)
                d.moveLeft(latime - d.right() - 1);
            if (lv > 0)
                p.fillRect(QRect(rtl ? d.left() - lv : d.right() + 1, d.top(), lv, d.height() + lo), culoareLinie);
            if (lo > 0)
                p.fillRect(QRect(d.left(), d.bottom() + 1, d.width() + lv, lo), culoareLinie);
            if (!d.intersects(zona))
                continue;
            TKivStariCelula stare;
            const bool fixa = c < m_stare.ColoaneFixe || r < m_stare.RanduriFixe;
            if (fixa)
                stare |= scFixa;
            else if (selectie.contains(c, r))
                stare |= scSelectata;
            const bool focus = activ && QPoint(c, r) == m_stare.Curent;
            if (focus)
                stare |= scFocus;
            if (m_desenareImplicita) {
                const bool caSelectata =
                    (stare & scSelectata) && (!focus || (m_stare.Optiuni & (ogSelectieRand | ogSelectatSiCuFocus)));
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
            if (focus && !(m_stare.Optiuni & ogSelectieRand) &&
                !((m_stare.Optiuni & ogEditare) && (m_stare.Optiuni & ogEditorMereu))) {
                p.save();
                p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(d.adjusted(0, 0, -1, -1));
                p.restore();
            }
        }
    });
}
