#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// The copy of the program working on a register answers the copies started after it: a second copy, which
// cannot open the register in use, asks the first to bring its window to the front and ends.
class TInstantaUnica : public QObject
{
    Q_OBJECT

public:
    // Listens for the copies started later on the register `caleBaza`; brings `fereastra` to the front.
    TInstantaUnica(QWidget* fereastra, const QString& caleBaza);
    ~TInstantaUnica() override;

    // Asks the copy working on `caleBaza` to show its window; false when no copy answered.
    static bool CereAfisarea(const QString& caleBaza);
    // The local socket's name for a register.
    static QString NumeCanal(const QString& caleBaza);

    int CereriPrimite() const { return m_cereri; }

private:
    QWidget* m_fereastra;
    QLocalServer* m_server;
    int m_cereri = 0;
};
