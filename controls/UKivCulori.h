#pragma once

#include <QColor>
#include <QPalette>

// How a colour variation shifts the channels of its base colour.
enum TKivColorVariationEnum : quint8
{
    cvNoVariation,
    cvLiteBlue,
    cvLiteGreen,
    cvLiteRed,
    cvLiteLiteBlue,
    cvLiteLiteGreen,
    cvLiteLiteRed,
    cvLite,
    cvLiteLite
};

// The base colour with the variation's fixed amounts added to red, green and blue, each limited to
// 0 ... 255. Throws EEroare("Don't know variation") for a value outside the enumeration.
QColor AplicaVariatia(const QColor& baza, TKivColorVariationEnum variatie);

// True for the values the enumeration names.
bool EsteVariatieCunoscuta(TKivColorVariationEnum variatie);

// A colour that is either fixed or one of the system's colours, resolved through the application's
// palette when it is used (so a palette change shows at the next paint).
class TKivCuloare
{
public:
    TKivCuloare() = default;
    TKivCuloare(const QColor& fixa) : m_fixa(fixa) {}

    static TKivCuloare Sistem(QPalette::ColorRole rol);
    static TKivCuloare Fereastra() { return Sistem(QPalette::Base); }
    static TKivCuloare TextFereastra() { return Sistem(QPalette::Text); }
    static TKivCuloare FataButon() { return Sistem(QPalette::Button); }
    static TKivCuloare UmbraButon() { return Sistem(QPalette::Dark); }
    static TKivCuloare Evidentiere() { return Sistem(QPalette::Highlight); }
    static TKivCuloare TextEvidentiat() { return Sistem(QPalette::HighlightedText); }

    bool EsteSistem() const { return m_sistem; }
    QPalette::ColorRole Rol() const { return m_rol; }
    // Red, green and blue of the colour; a system colour needs a QGuiApplication.
    QColor Rgb() const;

    bool operator==(const TKivCuloare& alta) const;

private:
    bool m_sistem = false;
    QPalette::ColorRole m_rol = QPalette::Base;
    QColor m_fixa = Qt::black;
};
