#include "controls/UKivWinWatchThread.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QWidget>

namespace {
int g_active = 0;
}

TKivMouseInWindowThread::TKivMouseInWindowThread(QWidget* fereastra, int notita)
    : QObject(fereastra), m_fereastra(fereastra), m_notita(notita)
{
    ++g_active;
    m_ceas.setInterval(IntervalMs);
    connect(&m_ceas, &QTimer::timeout, this, &TKivMouseInWindowThread::Verifica);
    m_ceas.start();
    // The first look happens as soon as the event loop runs, the later ones every 100 ms.
    QTimer::singleShot(0, this, &TKivMouseInWindowThread::Verifica);
}

TKivMouseInWindowThread::~TKivMouseInWindowThread()
{
    --g_active;
}

int TKivMouseInWindowThread::NumarActive()
{
    return g_active;
}

void TKivMouseInWindowThread::Opreste()
{
    Termina();
}

void TKivMouseInWindowThread::Termina()
{
    if (m_terminat)
        return;
    m_terminat = true;
    m_ceas.stop();
    deleteLater();
}

void TKivMouseInWindowThread::Verifica()
{
    if (m_terminat)
        return;
    if (!m_fereastra) {
        Termina();
        return;
    }
    const QPoint colt = m_fereastra->mapToGlobal(QPoint(0, 0));
    const QPoint mouse = QCursor::pos();
    const bool inauntru = mouse.x() >= colt.x() && mouse.x() <= colt.x() + m_fereastra->width() &&
                          mouse.y() >= colt.y() && mouse.y() <= colt.y() + m_fereastra->height();
    if (inauntru)
        return;
    QCoreApplication::postEvent(m_fereastra, new QEvent(QEvent::Type(m_notita)));
    Termina();
}
