#include "print/UFontFormular.h"

#include <utility>

TFontFormular::TFontFormular(QObject* proprietar) : QObject(proprietar) {}

TFontFormular::~TFontFormular()
{
    // FontDestroyed must not call back into DetachArea while the list is walked.
    const QList<TUtilizatorFont*> zone = std::exchange(m_zone, {});
    for (TUtilizatorFont* zona : zone)
        zona->FontDestroyed();
}

void TFontFormular::Anunta()
{
    for (TUtilizatorFont* zona : m_zone)
        zona->FontChanged();
}

void TFontFormular::SetFontName(const QString& v)
{
    m_fontName = v;
    Anunta();
}

void TFontFormular::SetCodePage(int v)
{
    m_codePage = v;
    Anunta();
}

void TFontFormular::SetCharSet(int v)
{
    m_charSet = v;
    Anunta();
}

void TFontFormular::SetSize(double v)
{
    m_size = v;
    Anunta();
}

void TFontFormular::SetBold(bool v)
{
    m_bold = v;
    Anunta();
}

void TFontFormular::SetItalic(bool v)
{
    m_italic = v;
    Anunta();
}

void TFontFormular::AttachArea(TUtilizatorFont* zona)
{
    m_zone.append(zona);
}

void TFontFormular::DetachArea(TUtilizatorFont* zona)
{
    m_zone.removeOne(zona);
}
