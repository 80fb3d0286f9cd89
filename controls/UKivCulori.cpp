#include "controls/UKivCulori.h"

#include "platform/UEroare.h"

#include <QGuiApplication>

#include <algorithm>

namespace {
struct TDeplasare
{
    int rosu, verde, albastru;
};

TDeplasare DeplasareaVariatiei(TKivColorVariationEnum variatie)
{
    switch (variatie) {
    case cvNoVariation:
        return {0, 0, 0};
    case cvLiteBlue:
        return {-20, -20, 0};
    case cvLiteGreen:
        return {-20, 0, -20};
    case cvLiteRed:
        return {0, -20, -20};
    case cvLiteLiteBlue:
        return {-10, -10, 0};
    case cvLiteLiteGreen:
        return {-10, 0, -10};
    case cvLiteLiteRed:
        return {0, -10, -10};
    case cvLite:
        return {20, 20, 20};
    case cvLiteLite:
        return {10, 10, 10};
    }
    throw EEroare(QStringLiteral("Don't know variation"));
}

int Limiteaza(int canal)
{
    return std::clamp(canal, 0, 255);
}
} // namespace

bool EsteVariatieCunoscuta(TKivColorVariationEnum variatie)
{
    return variatie <= cvLiteLite;
}

QColor AplicaVariatia(const QColor& baza, TKivColorVariationEnum variatie)
{
    const TDeplasare d = DeplasareaVariatiei(variatie);
    if (variatie == cvNoVariation)
        return baza;
    return QColor(Limiteaza(baza.red() + d.rosu), Limiteaza(baza.green() + d.verde),
                  Limiteaza(baza.blue() + d.albastru));
}

TKivCuloare TKivCuloare::Sistem(QPalette::ColorRole rol)
{
    TKivCuloare c;
    c.m_sistem = true;
    c.m_rol = rol;
    return c;
}

QColor TKivCuloare::Rgb() const
{
    if (!m_sistem)
        return m_fixa;
    return QGuiApplication::palette().color(QPalette::Active, m_rol);
}

bool TKivCuloare::operator==(const TKivCuloare& alta) const
{
    if (m_sistem != alta.m_sistem)
        return false;
    return m_sistem ? m_rol == alta.m_rol : m_fixa == alta.m_fixa;
}
