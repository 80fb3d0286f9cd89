#include "controls/UKivEditors.h"

#include "platform/UEroare.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>

void TKivColorVariation::SetBaseColor(const TKivCuloare& culoare)
{
    m_baseColor = culoare;
    Schimbat();
}

void TKivColorVariation::SetVariation(TKivColorVariationEnum variatie)
{
    if (!EsteVariatieCunoscuta(variatie))
        throw EEroare(QStringLiteral("Don't know variation"));
    m_variation = variatie;
    Schimbat();
}

void TKivColorVariation::Assign(const TKivColorVariation& alta)
{
    m_baseColor = alta.m_baseColor;
    m_variation = alta.m_variation;
    Schimbat();
}

QColor TKivColorVariation::CuloareEfectiva() const
{
    return AplicaVariatia(m_baseColor.Rgb(), m_variation);
}

void TKivColorVariation::Schimbat()
{
    if (m_laSchimbare)
        m_laSchimbare();
}

TKivTextEditStyle::TKivTextEditStyle()
{
    for (TKivColorVariation* c : {&m_bkColor, &m_fontColor, &m_borderColor})
        c->SetLaSchimbare([this] { Schimbat(); });
}

void TKivTextEditStyle::SetBorderWidth(int latime)
{
    m_borderWidth = latime;
    Schimbat();
}

void TKivTextEditStyle::SetFont(const QFont& font)
{
    m_font = font;
    Schimbat();
}

void TKivTextEditStyle::Assign(const TKivTextEditStyle& alt)
{
    m_font = alt.m_font;
    m_borderWidth = alt.m_borderWidth;
    m_bkColor.Assign(alt.m_bkColor);
    m_fontColor.Assign(alt.m_fontColor);
    m_borderColor.Assign(alt.m_borderColor);
    Schimbat();
}

void TKivTextEditStyle::Aplica(QPainter& p) const
{
    p.setFont(m_font);
    p.setPen(m_fontColor.CuloareEfectiva());
    p.setBrush(Qt::NoBrush);
}

void TKivTextEditStyle::Schimbat()
{
    if (m_laSchimbare)
        m_laSchimbare();
}

TKivTextEditStyleRepository::TKivTextEditStyleRepository(QObject* parent) : QObject(parent)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    for (TKivTextEditStyle* s : {&m_cold, &m_hot, &m_hover, &m_readOnlyCold, &m_readOnlyHot, &m_readOnlyHover}) {
        s->BorderColor().SetBaseColor(TKivCuloare::UmbraButon());
        s->SetBorderWidth(1);
        s->FontColor().SetBaseColor(TKivCuloare::TextFereastra());
        s->SetFont(font);
        s->SetLaSchimbare([this] { StilSchimbat(); });
    }
    QColor fereastra = TKivCuloare::Fereastra().Rgb();
    fereastra.setBlue(std::max(0, fereastra.blue() - 5));
    m_cold.BkColor().SetBaseColor(fereastra);

    m_hot.BkColor().SetBaseColor(TKivCuloare::Fereastra());
    m_hot.BkColor().SetVariation(cvLiteLiteBlue);
    m_hot.BorderColor().SetBaseColor(QColor(Qt::black));
    m_hot.SetBorderWidth(2);

    m_hover.BkColor().SetBaseColor(TKivCuloare::Fereastra());
    m_hover.BkColor().SetVariation(cvLiteGreen);
    m_hover.BorderColor().SetVariation(cvLiteGreen);

    m_readOnlyCold.BkColor().SetBaseColor(TKivCuloare::FataButon());
    m_readOnlyCold.BkColor().SetVariation(cvLite);
    m_readOnlyHot.BkColor().SetBaseColor(TKivCuloare::FataButon());
    m_readOnlyHot.BkColor().SetVariation(cvLiteLiteRed);
    m_readOnlyHover.BkColor().SetBaseColor(TKivCuloare::FataButon());
    m_readOnlyHover.BkColor().SetVariation(cvLiteRed);
}

TKivTextEditStyleRepository& TKivTextEditStyleRepository::Implicit()
{
    static QPointer<TKivTextEditStyleRepository> depozit;
    if (!depozit)
        depozit = new TKivTextEditStyleRepository(QCoreApplication::instance());
    return *depozit;
}

TKivBaseControl::TKivBaseControl(QWidget* parent) : QWidget(parent) {}
