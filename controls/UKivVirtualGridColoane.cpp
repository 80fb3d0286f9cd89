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

QFont FontArial(int puncte)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(puncte);
    return f;
}

} // namespace

// ---------------------------------------------------------------- fonts and styles

TFontKivCuloriColoana::TFontKivCuloriColoana(const QFont& font, const TKivCuloare& culoare)
    : m_font(font), m_culoare(culoare), m_fontImplicit(font), m_culoareImplicita(culoare)
{
}

void TFontKivCuloriColoana::SetFont(const QFont& font)
{
    m_font = font;
    if (m_laSchimbare)
        m_laSchimbare();
}

void TFontKivCuloriColoana::SetCuloare(const TKivCuloare& culoare)
{
    m_culoare = culoare;
    if (m_laSchimbare)
        m_laSchimbare();
}

bool TFontKivCuloriColoana::EsteImplicit() const
{
    return m_culoare == m_culoareImplicita && m_font.family() == m_fontImplicit.family() &&
           m_font.pointSizeF() == m_fontImplicit.pointSizeF() && m_font.pixelSize() == m_fontImplicit.pixelSize() &&
           m_font.bold() == m_fontImplicit.bold() && m_font.italic() == m_fontImplicit.italic() &&
           m_font.underline() == m_fontImplicit.underline() && m_font.strikeOut() == m_fontImplicit.strikeOut() &&
           m_font.fixedPitch() == m_fontImplicit.fixedPitch();
}

TKivCuloriColoana::TKivCuloriColoana(TKivVirtualGridColumn* coloana)
    : m_coloana(coloana), m_fontNormal(FontArial(9), TKivCuloare::TextFereastra()),
      m_fontSelectat(FontArial(9), TKivCuloare::TextEvidentiat())
{
    m_fontNormal.SetLaSchimbare([this] { Schimbat(); });
    m_fontSelectat.SetLaSchimbare([this] { Schimbat(); });
}

void TKivCuloriColoana::Schimbat()
{
    if (m_coloana)
        m_coloana->Schimbat();
}

void TKivCuloriColoana::SetCuloareBackgroundNormal(const TKivCuloare& culoare)
{
    m_fundalNormal = culoare;
    Schimbat();
}

void TKivCuloriColoana::SetCuloareBackgroundSelectat(const TKivCuloare& culoare)
{
    m_fundalSelectat = culoare;
    Schimbat();
}

void TKivCuloriColoana::SetImageIndex(int index)
{
    m_imageIndex = index;
    Schimbat();
}

void TKivCuloriColoana::SetIndent(int indent)
{
    m_indent = indent;
    Schimbat();
}

void TKivCuloriColoana::SetAliniere(Qt::Alignment aliniere)
{
    m_aliniere = aliniere;
    Schimbat();
}

void TKivCuloriColoana::SetActiv(bool activ)
{
    m_activ = activ;
    Schimbat();
}

// ---------------------------------------------------------------- lines

void TKivVirtualGridLine::SetStil(int stil)
{
    if (stil < 1 || stil > 10)
        throw EEroare(QStringLiteral("Stil trebuie sa fie de la 1 la 10"));
    m_stil = stil;
}

// Owned from the first line: a failure below cannot leak the line.
void TKivVirtualGridList::Adauga(TKivVirtualGridLine* linie)
{
    std::unique_ptr<TKivVirtualGridLine> detinuta(linie);
    m_grila->BeginUpdate();
    linie->m_lista = this;
    m_linii.push_back(std::move(detinuta));
    m_grila->EndUpdate();
}

void TKivVirtualGridList::Goleste()
{
    m_grila->BeginUpdate();
    m_linii.clear();
    m_grila->EndUpdate();
}

// ---------------------------------------------------------------- columns

TKivVirtualGridColumn::TKivVirtualGridColumn(TKivVirtualGridColumns* colectie)
    : m_colectie(colectie), m_fontUmbrela1(FontArial(8), TKivCuloare(QColor(0, 0, 128))),
      m_fontUmbrela2(FontArial(8), TKivCuloare(QColor(0, 0, 128)))
{
    for (auto& stil : m_stiluri)
        stil = std::make_unique<TKivCuloriColoana>(this);
    m_stiluri[0]->SetActiv(true);
    m_fontUmbrela1.SetLaSchimbare([this] { Schimbat(); });
    m_fontUmbrela2.SetLaSchimbare([this] { Schimbat(); });
}

int TKivVirtualGridColumn::Index() const
{
    return m_colectie ? m_colectie->IndexOf(this) : -1;
}

QString TKivVirtualGridColumn::DisplayName() const
{
    const QString nume = m_nume.isEmpty() ? QStringLiteral("<fara nume>") : m_nume;
    return QStringLiteral("[%1] %2").arg(Index()).arg(nume);
}

void TKivVirtualGridColumn::Schimbat()
{
    if (m_colectie && m_colectie->Grila())
        m_colectie->Grila()->Repaint();
}

void TKivVirtualGridColumn::SetTipDeDate(TKivTipDeDateColoana tip)
{
    m_tip = tip;
    Schimbat();
}

void TKivVirtualGridColumn::SetNumeColoana(const QString& nume)
{
    m_nume = nume;
    Schimbat();
}

// A width reaches the base grid only through a rebuild (scaled for large fonts).
void TKivVirtualGridColumn::SetWidth(int latime)
{
    m_latime = latime;
    if (m_colectie && m_colectie->Grila()) {
        m_colectie->Grila()->BeginUpdate();
        m_colectie->Grila()->EndUpdate();
    }
}

void TKivVirtualGridColumn::SetUmbrela1(const QString& umbrela)
{
    m_umbrela1 = umbrela;
    Schimbat();
}

void TKivVirtualGridColumn::SetUmbrela2(const QString& umbrela)
{
    m_umbrela2 = umbrela;
    Schimbat();
}

void TKivVirtualGridColumn::SetCuloareUmbrela1(const QColor& culoare)
{
    m_culoareUmbrela1 = culoare;
    Schimbat();
}

void TKivVirtualGridColumn::SetCuloareUmbrela2(const QColor& culoare)
{
    m_culoareUmbrela2 = culoare;
    Schimbat();
}

void TKivVirtualGridColumn::SetCuloareHeader(const QColor& culoare)
{
    m_culoareHeader = culoare;
    Schimbat();
}

void TKivVirtualGridColumn::SetAliniereTextInHeader(Qt::Alignment aliniere)
{
    m_aliniereHeader = aliniere;
    Schimbat();
}

TKivCuloriColoana& TKivVirtualGridColumn::Stil(int numar)
{
    if (numar < 1 || numar > 10)
        throw EEroare(QStringLiteral("Sunt definite stiluri de la 1 la 10"));
    return *m_stiluri[numar - 1];
}

const TKivCuloriColoana& TKivVirtualGridColumn::Stil(int numar) const
{
    return const_cast<TKivVirtualGridColumn*>(this)->Stil(numar);
}

TKivVirtualGridColumn* TKivVirtualGridColumns::Adauga()
{
    m_coloane.push_back(std::make_unique<TKivVirtualGridColumn>(this));
    TKivVirtualGridColumn* coloana = m_coloane.back().get();
    Schimbat();
    return coloana;
}

void TKivVirtualGridColumns::Sterge(int index)
{
    if (index < 0 || index >= Count())
        throw KivEInvalidGridOperation(QStringLiteral("Grid index out of range"));
    m_coloane.erase(m_coloane.begin() + index);
    Schimbat();
}

void TKivVirtualGridColumns::Goleste()
{
    m_coloane.clear();
    Schimbat();
}

int TKivVirtualGridColumns::IndexOf(const TKivVirtualGridColumn* coloana) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_coloane[i].get() == coloana)
            return i;
    }
    return -1;
}

// Rebuilt at once, and again from the event loop once the window exists: whatever the owner changes in
// the same pass (widths, lines) is then taken into account too.
void TKivVirtualGridColumns::Schimbat()
{
    m_grila->Reconstruieste();
    if (m_grila->testAttribute(Qt::WA_WState_Created))
        QCoreApplication::postEvent(m_grila, new QEvent(QEvent::Type(KivMesajReconstruieste)));
}
