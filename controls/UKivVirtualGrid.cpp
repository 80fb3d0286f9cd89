#include "controls/UKivVirtualGrid.h"

#include "controls/UKivLargeFonts.h"
#include "controls/UKivVGridEditor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDateEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace {
const QColor kFundalAntet(243, 250, 220);
} // namespace

// ---------------------------------------------------------------- the grid

// The base grid draws no lines of its own and fills no cells: this grid paints each cell whole.
TKivVirtualGrid::TKivVirtualGrid(QWidget* parent) : TKivCustomDrawGrid(parent)
{
    setObjectName(QStringLiteral("KivVirtualGrid"));
    m_desenareImplicita = false;
    SetOptions(ogRedimColoane);
    SetHeaderHeight(48);
    Reconstruieste();
}

TKivVirtualGrid::~TKivVirtualGrid()
{
    m_seDistruge = true;
    OpresteTicker();
    m_hover.Goleste();
}

void TKivVirtualGrid::PornesteTicker()
{
    OpresteTicker();
    m_ticker = std::make_unique<TKivTickTackThread>(this);
    m_ticker->start();
}

void TKivVirtualGrid::OpresteTicker()
{
    if (!m_ticker)
        return;
    m_ticker->SetPornit(false);
    m_ticker->Termina();
    m_ticker->wait();
    m_ticker.reset();
}

// The ticker starts with the window; destroying the grid ends and joins it.
void TKivVirtualGrid::showEvent(QShowEvent* e)
{
    TKivCustomDrawGrid::showEvent(e);
    if (!m_ticker)
        PornesteTicker();
}

int TKivVirtualGrid::HeaderHeight() const
{
    if (RowCount() < 1 || ColCount() < 1)
        return -1;
    return RowHeights(0);
}

void TKivVirtualGrid::SetHeaderHeight(int inaltime)
{
    if (RowCount() >= 1 && ColCount() >= 1)
        SetRowHeights(0, inaltime);
}

void TKivVirtualGrid::SetNrColoaneFixe(int n)
{
    m_nrColoaneFixe = n;
    BeginUpdate();
    EndUpdate();
}

void TKivVirtualGrid::SetOptiuni(TKivGridOptions optiuni)
{
    m_optiuni = optiuni;
    Repaint();
}

void TKivVirtualGrid::BeginUpdate()
{
    ++m_nrActualizari;
}

void TKivVirtualGrid::EndUpdate()
{
    if (m_nrActualizari <= 0)
        throw EEroare(QStringLiteral("EndUpdate fara BeginUpdate"));
    if (--m_nrActualizari == 0)
        Reconstruieste();
}

// The header row keeps its height; every other size is the design size scaled for large fonts.
void TKivVirtualGrid::Reconstruieste()
{
    if (m_seDistruge)
        return;
    const TKivDimensiuniGrila d = DimensiuniGrila(m_coloane.Count(), m_linii.Count(), m_nrColoaneFixe);
    const TKivRaportFonturi raport = RaportFonturiMari();
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const int dpi = ecran ? int(std::lround(ecran->logicalDotsPerInchY())) : 96;
    std::vector<int> latimi(d.coloane, ColWidths(0));
    for (int c = 0; c < m_coloane.Count(); ++c)
        latimi[c] = ScaleazaMarime(m_coloane.Item(c)->Width(), raport, dpi);
    const int inaltimeImplicita = ScaleazaMarime(DefaultRowHeight(), raport, dpi);
    std::vector<int> inaltimi(d.randuri, inaltimeImplicita);
    inaltimi[0] = RowHeights(0);
    for (int i = 1; i < d.randuri; ++i) {
        const int h = m_linii.Item(i - 1)->InaltimeLinie;
        if (h != 0)
            inaltimi[i] = ScaleazaMarime(h, raport, dpi);
    }
    SeteazaDimensiuni(std::move(latimi), std::move(inaltimi), d.coloaneFixe, d.randuriFixe);
    Repaint();
}

bool TKivVirtualGrid::ValoareCelula(int coloana, TKivVirtualGridLine* linie, TKivValoareDate& valoare) const
{
    valoare = TKivValoareDate();
    if (!OnGetCellValue)
        return false;
    OnGetCellValue(linie, coloana, valoare);
    return valoare.Tip() != atAsk;
}

QString TKivVirtualGrid::TextCelula(int coloana, int linie) const
{
    const TKivVirtualGridColumn* col = m_coloane.Item(coloana);
    if (InProiectare())
        return TextDeProba(col->TipDeDate());
    TKivVirtualGridLine* l = m_linii.Item(linie);
    QString text;
    if (col->OnGetText) {
        col->OnGetText(l, text);
        return text;
    }
    TKivValoareDate valoare;
    if (!ValoareCelula(coloana, l, valoare))
        return QStringLiteral("!NoData!");
    if (col->TipDeDate() != atAuto && col->TipDeDate() != atAsk && col->TipDeDate() != valoare.Tip())
        throw EEroare(QStringLiteral("Nepotrivire de date cand citesc coloana ") + col->NumeColoana());
    text = TextValoare(valoare);
    if (OnCustomText)
        OnCustomText(l, valoare, coloana, text);
    return text;
}

// With whole-row selection the colour of the rows left and entered changes in every column.
void TKivVirtualGrid::MutaCelulaCurenta(int coloana, int rand, bool mutaAncora, bool arata)
{
    const int randVechi = Row();
    TKivCustomDrawGrid::MutaCelulaCurenta(coloana, rand, mutaAncora, arata);
    if ((m_optiuni & goSelectezLinia) && Row() != randVechi) {
        InvalidateCells(QRect(0, randVechi, ColCount(), 1));
        InvalidateCells(QRect(0, Row(), ColCount(), 1));
    }
}

void TKivVirtualGrid::paintEvent(QPaintEvent* e)
{
    // System colours are resolved once per paint, not several times for every cell.
    m_paleta = QGuiApplication::palette();
    TKivCustomDrawGrid::paintEvent(e);
}

QColor TKivVirtualGrid::Culoare(const TKivCuloare& culoare) const
{
    return culoare.EsteSistem() ? m_paleta.color(QPalette::Active, culoare.Rol()) : culoare.Rgb();
}

void TKivVirtualGrid::DeseneazaCelula(QPainter& p, int coloana, int rand, const QRect& dreptunghi,
                                      TKivStariCelula stare)
{
    if (rand == 0)
        DeseneazaAntet(p, coloana, dreptunghi);
    else
        DeseneazaDate(p, coloana, rand, dreptunghi, stare);
}

void TKivVirtualGrid::Umbra(QPainter& p, const QRect& d, bool verticala, const QColor& de, const QColor& la)
{
    const QList<QColor> culori = GradientUmbra(de, la, 5);
    for (int i = 0; i < 5; ++i) {
        p.setPen(culori[i]);
        if (verticala) {
            const int x = d.right() - 4 + i;
            p.drawLine(x, d.top(), x, d.bottom());
        } else {
            const int y = d.bottom() - 4 + i;
            p.drawLine(d.left(), y, d.right(), y);
        }
    }
}

void TKivVirtualGrid::Margini(QPainter& p, const QRect& d, const QColor& culoare, bool sus, bool dreapta, bool jos)
{
    p.setPen(culoare);
    if (sus)
        p.drawLine(d.topLeft(), d.topRight());
    if (dreapta)
        p.drawLine(d.topRight(), d.bottomRight());
    if (jos)
        p.drawLine(d.bottomLeft(), d.bottomRight());
}

void TKivVirtualGrid::DeseneazaDate(QPainter& p, int coloana, int rand, const QRect& d, TKivStariCelula stare)
{
    const bool selectat = stare & scSelectata;
    QColor fundal = Culoare(TKivCuloare::Fereastra());
    QColor fundalSelectat = Culoare(TKivCuloare::Evidentiere());
    const QColor textFereastra = Culoare(TKivCuloare::TextFereastra());
    QColor margine = textFereastra;
    QColor culoareText = textFereastra;
    QFont font = this->font();
    QString text;
    QString eroare;
    Qt::Alignment aliniere = Qt::AlignLeft;
    const int linie = rand - 1;
    if (linie < m_linii.Count() && coloana < m_coloane.Count()) {
        TKivVirtualGridLine* l = m_linii.Item(linie);
        const TKivVirtualGridColumn* col = m_coloane.Item(coloana);
        std::array<bool, 10> activ{};
        for (int s = 1; s <= 10; ++s)
            activ[s - 1] = col->Stil(s).Activ();
        const TKivCuloriColoana& stil = col->Stil(AlegeStil(l->Stil(), activ));
        fundalSelectat = Culoare(stil.CuloareBackgroundSelectat());
        const TFontKivCuloriColoana& f = selectat ? stil.FontSelectat() : stil.FontNormal();
        fundal = selectat ? fundalSelectat : Culoare(stil.CuloareBackgroundNormal());
        font = f.Font();
        culoareText = Culoare(f.Culoare());
        if (!selectat) {
            if (l->CuloareFundal.isValid())
                fundal = l->CuloareFundal;
            if (l->CuloareFont.isValid())
                culoareText = l->CuloareFont;
        }
        font = AplicaFormatFont(font, l->FormatFont);
        // A cell whose value cannot be shown says why in place of its text: an error raised from inside
        // painting would come back at every repaint.
        try {
            text = TextCelula(coloana, linie);
        } catch (const EEroare& e) {
            eroare = e.Mesaj();
        }
        aliniere = stil.Aliniere();
        if (!selectat && OnFormatCell)
            OnFormatCell(l, coloana, fundal, font, culoareText);
    }
    if (!selectat) {
        if (const TKivCelulaGrid* h = m_hover.Gaseste(coloana, rand))
            fundal = CuloareHover(fundal, h->Intensitate);
    }
    if ((m_optiuni & goSelectezLinia) && rand == Row())
        fundal = fundalSelectat;
    p.fillRect(d, fundal);
    if (coloana == FixedCols() - 1)
        Umbra(p, d, true, fundal, margine);
    if (coloana >= FixedCols() && margine == textFereastra)
        margine = Culoare(TKivCuloare::UmbraButon());
    const bool orizontale = !(m_optiuni & goNuAfisezLiniiOrizontale);
    Margini(p, d, margine, orizontale, !(m_optiuni & goNuAfisezLiniiVerticale), orizontale);
    if (!eroare.isEmpty()) {
        text = eroare;
        culoareText = Qt::red;
    }
    if (text.isEmpty())
        return;
    // The base grid saves the painter around each cell and restores it after: no save of our own.
    p.setClipRect(d.adjusted(2, 1, -2, -1), Qt::IntersectClip);
    p.setFont(font);
    p.setPen(culoareText);
    // Drawn at a computed origin rather than laid out in a rectangle: the same place, a good deal cheaper
    // for the few hundred cells of a view.
    const QFontMetrics fm = p.fontMetrics();
    int x = d.left() + 2;
    if (aliniere & (Qt::AlignRight | Qt::AlignHCenter)) {
        const int latime = fm.horizontalAdvance(text);
        x = (aliniere & Qt::AlignRight) ? d.right() - 1 - latime : d.left() + (d.width() - latime) / 2;
    }
    p.drawText(QPoint(x, d.top() + (d.height() - fm.height()) / 2 + fm.ascent()), text);
}

int TKivVirtualGrid::DeseneazaBanda(QPainter& p, int coloana, const QRect& d, int y, int banda, const QColor& margine)
{
    QStringList umbrele;
    for (int c = 0; c < m_coloane.Count(); ++c)
        umbrele << (banda == 1 ? m_coloane.Item(c)->Umbrela1() : m_coloane.Item(c)->Umbrela2());
    const auto [prima, ultima] = GrupUmbrela(umbrele, coloana);
    TKivVirtualGridColumn* primaColoana = m_coloane.Item(prima);
    const TFontKivCuloriColoana& font = banda == 1 ? primaColoana->FontUmbrela1() : primaColoana->FontUmbrela2();
    const QColor culoare = banda == 1 ? primaColoana->CuloareUmbrela1() : primaColoana->CuloareUmbrela2();
    const int h = QFontMetrics(font.Font()).height();
    const QRect zona(d.left(), y, d.width(), h);
    if (culoare.isValid())
        p.fillRect(zona, culoare);
    // The caption is centred over the whole group and clipped to this cell: the cells of a group show
    // one caption between them.
    int stanga = d.left();
    for (int c = prima; c < coloana; ++c)
        stanga -= ColWidths(c);
    int dreapta = d.right() + 1;
    for (int c = coloana + 1; c <= ultima; ++c)
        dreapta += ColWidths(c);
    p.save();
    p.setClipRect(zona.intersected(d));
    p.setFont(font.Font());
    p.setPen(Culoare(font.Culoare()));
    p.drawText(QRect(stanga, y, dreapta - stanga, h), Qt::AlignCenter | Qt::TextSingleLine,
               TextUmbrelaAfisat(umbrele[coloana]));
    p.restore();
    p.setPen(margine);
    p.drawLine(d.left(), y, d.right(), y);
    if (coloana == 0 && coloana == prima)
        p.drawLine(d.left(), y, d.left(), y + h - 1);
    if (coloana == ultima)
        p.drawLine(d.right(), y, d.right(), y + h - 1);
    return h;
}

// Group bands from the top, then the word-wrapped caption centred in what is left of the cell.
void TKivVirtualGrid::DeseneazaAntet(QPainter& p, int coloana, const QRect& d)
{
    const QColor margine = Culoare(TKivCuloare::TextFereastra());
    const bool orizontale = !(m_optiuni & goNuAfisezLiniiOrizontale) || coloana == 0;
    if (coloana >= m_coloane.Count()) {
        p.fillRect(d, kFundalAntet);
        Margini(p, d, margine, orizontale, true, orizontale);
        return;
    }
    const TKivVirtualGridColumn* col = m_coloane.Item(coloana);
    p.fillRect(d, col->CuloareHeader());
    QFont font = col->Stil(1).FontNormal().Font();
    font.setPointSizeF(std::max(font.pointSizeF() - 2, 8.0));
    int y = d.top();
    QColor fundalUmbra = col->CuloareHeader();
    if (!col->Umbrela1().isEmpty()) {
        y += DeseneazaBanda(p, coloana, d, y, 1, margine);
        if (col->CuloareUmbrela1().isValid())
            fundalUmbra = col->CuloareUmbrela1();
    }
    if (!col->Umbrela2().isEmpty()) {
        y += DeseneazaBanda(p, coloana, d, y, 2, margine);
        if (col->CuloareUmbrela2().isValid())
            fundalUmbra = col->CuloareUmbrela2();
    }
    if (coloana >= FixedCols() - 1) {
        Umbra(p, d, false, fundalUmbra, margine);
        if (coloana == FixedCols() - 1)
            Umbra(p, d, true, fundalUmbra, margine);
    }
    Margini(p, d, margine, orizontale, true, orizontale);

    const QFontMetrics fm(font);
    const QStringList randuri =
        RanduriCaptiune(col->NumeColoana(), d.width() - 7, [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    const int inaltimeBloc = int(randuri.size()) * fm.height();
    int yText = y + (d.bottom() + 1 - y - inaltimeBloc) / 2;
    p.save();
    p.setClipRect(QRect(d.left(), y, d.width(), d.bottom() + 1 - y));
    p.setFont(font);
    p.setPen(Culoare(col->Stil(1).FontNormal().Culoare()));
    const Qt::Alignment h = col->AliniereTextInHeader() & Qt::AlignHorizontal_Mask;
    for (const QString& rand : randuri) {
        const QRect linie(d.left() + 2, yText, d.width() - 4, fm.height());
        p.drawText(linie, int((h ? h : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::TextSingleLine), rand);
        yText += fm.height();
    }
    p.restore();
}

bool TKivVirtualGrid::event(QEvent* e)
{
    if (e->type() == QEvent::Type(KivMesajReconstruieste)) {
        if (!m_seDistruge)
            Reconstruieste();
        return true;
    }
    if (e->type() == QEvent::Type(KivMesajTickTack)) {
        TickTack();
        return true;
    }
    return TKivCustomDrawGrid::event(e);
}

// Only a cell with a typed value (types 0 to 6) that the owner lets edit opens the editor.
void TKivVirtualGrid::EditareDinTastatura(const QString& textStart)
{
    const int coloana = Col();
    const int linie = Row() - 1;
    if (linie < 0 || linie >= m_linii.Count() || coloana < 0 || coloana >= m_coloane.Count())
        return;
    TKivVirtualGridLine* l = m_linii.Item(linie);
    TKivValoareDate valoare;
    if (!ValoareCelula(coloana, l, valoare) || valoare.Tip() >= atAuto)
        return;
    bool poate = true;
    if (OnPotEdita)
        OnPotEdita(l, coloana, poate);
    if (poate)
        EditeazaCelula(coloana, Row(), textStart, l, valoare);
}

void TKivVirtualGrid::keyPressEvent(QKeyEvent* e)
{
    const int cod = CodVirtualTasta(e->key(), e->modifiers());
    if (cod == 13) {
        if (Col() >= FixedCols() && Row() >= 1) {
            EditareDinTastatura(QString());
            e->accept();
            return;
        }
    } else if (EsteTastaDeDeschidere(cod)) {
        if (Row() >= 1 && m_linii.Count() > 0) {
            QString tastat;
            for (const QChar ch : e->text()) {
                if (ch.isPrint())
                    tastat += ch;
            }
            EditareDinTastatura(TextDeStart(cod, tastat));
            e->accept();
            return;
        }
    }
    TKivCustomDrawGrid::keyPressEvent(e);
}

void TKivVirtualGrid::EditeazaCelula(int coloana, int rand, const QString& textStart, TKivVirtualGridLine* linie,
                                     TKivValoareDate& valoare)
{
    const TKivVirtualGridColumn* col = m_coloane.Item(coloana);
    if (col->OnApeleazaEditor) {
        bool standard = false;
        col->OnApeleazaEditor(linie, standard);
        if (!standard)
            return;
    }
    const QRect celula = CellRect(coloana, rand);
    std::unique_ptr<TKivVGridEditorForm> forma(new TKivVGridEditorForm(this));
    forma->resize(forma->width(), (celula.isEmpty() ? RowHeights(rand) : celula.height()) + 1);
    forma->move(viewport()->mapToGlobal(celula.topLeft()));
    const TKivTipDeDateColoana tip = valoare.Tip();
    TKivNumEdit* num = forma->Num();
    switch (tip) {
    case atCurrency:
    case atInteger:
    case atIntegerDouaZecimale:
        forma->ArataEditor(num);
        break;
    case atString:
        forma->ArataEditor(forma->Ed());
        break;
    case atDataScurtFaraAn:
    case atDataScurtCuAn:
    case atDataLung:
        forma->ArataEditor(forma->Date());
        break;
    default:
        throw EEroare(QStringLiteral("Nu cunosc tipul"));
    }
    switch (tip) {
    case atCurrency:
        num->SetAsCurrency(valoare.AsCurrency());
        break;
    case atInteger:
        num->SetFaraZecimale(valoare.AsInteger());
        break;
    case atIntegerDouaZecimale:
        num->SetCuDouaZecimale(valoare.AsIntegerDouaZecimale());
        break;
    case atString:
        forma->Ed()->setText(valoare.AsString());
        forma->Ed()->selectAll();
        break;
    default:
        forma->Date()->setDate(valoare.Valoare().toDate());
        break;
    }
    num->SetAutoSelectOnEnter(true);
    if (!textStart.isEmpty()) {
        bool intreg = false;
        const qint64 n = textStart.toLongLong(&intreg);
        if (tip == atString) {
            forma->Ed()->setText(textStart);
            forma->SetEdSelecteazaLaIntrare(false);
            forma->Ed()->deselect();
            forma->Ed()->setCursorPosition(int(textStart.size()));
        } else if (intreg && tip <= atIntegerDouaZecimale) {
            if (tip == atCurrency)
                num->SetAsCurrency(n * 10000);
            else if (tip == atInteger)
                num->SetFaraZecimale(n);
            else
                num->SetCuDouaZecimale(n * 100);
            num->SetAutoSelectOnEnter(false);
            num->SetText(textStart);
        }
    }
    if (ColWidths(coloana) > forma->width())
        forma->AsazaPeLatime(ColWidths(coloana));

    // Modal: the value is stored back only on OK, with the type code it came with.
    m_editorDeschis = forma.get();
    const int rezultat = forma->exec();
    m_editorDeschis = nullptr;
    if (rezultat == QDialog::Accepted) {
        switch (tip) {
        case atCurrency:
            valoare.Seteaza(num->AsCurrency(), tip);
            break;
        case atInteger:
            valoare.Seteaza(num->FaraZecimale(), tip);
            break;
        case atIntegerDouaZecimale:
            valoare.Seteaza(num->CuDouaZecimale(), tip);
            break;
        case atString:
            valoare.Seteaza(forma->Ed()->text(), tip);
            break;
        default:
            valoare.Seteaza(forma->Date()->date(), tip);
            break;
        }
        if (OnSetCellValue)
            OnSetCellValue(linie, coloana, valoare);
        Repaint();
    }
    setFocus();
}

// After the base handling: the cell (or row) under the pointer lights up at full intensity.
void TKivVirtualGrid::mouseMoveEvent(QMouseEvent* e)
{
    TKivCustomDrawGrid::mouseMoveEvent(e);
    const QPoint celula = MouseCoord(e->position().toPoint());
    if (celula.x() < 0)
        return;
    if (m_optiuni & goSelectezLinia) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            MarcheazaHover(c, celula.y());
    } else {
        MarcheazaHover(celula.x(), celula.y());
    }
}

void TKivVirtualGrid::MarcheazaHover(int coloana, int rand)
{
    if (coloana < FixedCols() || rand < 1)
        return;
    if (TKivCelulaGrid* c = m_hover.Gaseste(coloana, rand)) {
        if (c->Intensitate != 10) {
            c->Intensitate = 10;
            InvalidateCell(coloana, rand);
        }
        return;
    }
    m_hover.Adauga(coloana, rand);
    if (m_ticker)
        m_ticker->SetPornit(true);
    InvalidateCell(coloana, rand);
}

// One tick of the fade: cells away from the pointer lose 2 and go at 0; the cell under it is full again.
void TKivVirtualGrid::TickTack()
{
    const QPoint pozitie = viewport()->mapFromGlobal(QCursor::pos());
    const QPoint sub = viewport()->rect().contains(pozitie) ? MouseCoord(pozitie) : QPoint(-1, -1);
    const bool randIntreg = m_optiuni & goSelectezLinia;
    for (int i = 0; i < m_hover.Count();) {
        TKivCelulaGrid* c = m_hover.Item(i);
        const bool inAfara = (c->Coloana != sub.x() && !randIntreg) || c->Linie != sub.y();
        if (inAfara) {
            c->Intensitate -= 2;
            InvalidateCell(c->Coloana, c->Linie);
            if (c->Intensitate <= 0) {
                m_hover.Sterge(i);
                continue;
            }
        } else if (c->Intensitate != 10) {
            c->Intensitate = 10;
            InvalidateCell(c->Coloana, c->Linie);
        }
        ++i;
    }
}
