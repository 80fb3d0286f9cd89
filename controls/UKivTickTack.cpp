#include "controls/UKivVirtualGrid.h"

#include <QCoreApplication>

// ---------------------------------------------------------------- hover cells and ticker

TKivCelulaGrid* TKivListaCeluleGrid::Gaseste(int coloana, int linie) const
{
    for (const auto& c : m_celule) {
        if (c->Coloana == coloana && c->Linie == linie)
            return c.get();
    }
    return nullptr;
}

TKivCelulaGrid* TKivListaCeluleGrid::Adauga(int coloana, int linie)
{
    auto celula = std::make_unique<TKivCelulaGrid>();
    celula->Coloana = coloana;
    celula->Linie = linie;
    celula->Intensitate = 10;
    m_celule.push_back(std::move(celula));
    return m_celule.back().get();
}

TKivTickTackThread::TKivTickTackThread(QObject* grila) : m_grila(grila)
{
    setObjectName(QStringLiteral("KivTickTack"));
}

TKivTickTackThread::~TKivTickTackThread()
{
    Termina();
    wait();
}

bool TKivTickTackThread::Pornit() const
{
    QReadLocker citire(&m_blocare);
    return m_pornit;
}

void TKivTickTackThread::SetPornit(bool pornit)
{
    QWriteLocker scriere(&m_blocare);
    m_pornit = pornit;
}

void TKivTickTackThread::Termina()
{
    QMutexLocker somn(&m_somn);
    m_termina = true;
    m_trezire.wakeAll();
}

// Holds the sleep mutex except while waiting, so Termina() can never slip in between the check and the wait.
void TKivTickTackThread::run()
{
    QMutexLocker somn(&m_somn);
    while (!m_termina) {
        if (Pornit())
            QCoreApplication::postEvent(m_grila, new QEvent(QEvent::Type(KivMesajTickTack)));
        // 100 ms, cut short only when the grid asks the loop to end.
        m_trezire.wait(&m_somn, 100);
    }
}
