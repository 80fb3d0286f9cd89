#include "platform/UForme.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint PozitieCentrata(const QRect& zonaLucru, const QSize& fereastra)
{
    // Integer division truncating toward zero, as the placement rule demands.
    int stanga = zonaLucru.left() + (zonaLucru.width() - fereastra.width()) / 2;
    int sus = zonaLucru.top() + (zonaLucru.height() - fereastra.height()) / 2;
    if (stanga < zonaLucru.left())
        stanga = zonaLucru.left();
    if (sus < zonaLucru.top())
        sus = zonaLucru.top();
    return {stanga, sus};
}

static QScreen* EcranCursor()
{
    QScreen* ecran = QGuiApplication::screenAt(QCursor::pos());
    return ecran ? ecran : QGuiApplication::primaryScreen();
}

QRect ZonaLucruSubCursor()
{
    QScreen* ecran = EcranCursor();
    return ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect EcranSubCursor()
{
    QScreen* ecran = EcranCursor();
    return ecran ? ecran->geometry() : QRect(0, 0, 1024, 768);
}

void CentreazaForma(QWidget* forma)
{
    forma->move(PozitieCentrata(ZonaLucruSubCursor(), forma->frameGeometry().size()));
}
