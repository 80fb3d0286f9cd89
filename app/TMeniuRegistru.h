#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QMenuBar;
class QThread;
class QWidget;

// Runs `lucru` on a worker thread while a modal progress window shows its last progress line; returns
// when it has ended and raises what it raised. The worker never touches a widget.
void RuleazaCuProgres(QWidget* parinte, const QString& titlu,
                      const std::function<void(const std::function<void(const QString&)>&)>& lucru);

// The error display's answer to a connection that broke while the program worked: the message with a
// "Reconecteaza" button, which opens the connection again (as often as the user asks). The window that showed
// the error stays open with what was typed. False for any other error, which is shown as usual.
bool OferaReconectarea(QWidget* parinte, const std::exception& e);

// The "Registru" menu (backup, restore, the database setting) and the daily automatic backup.
class TMeniuRegistru : public QObject
{
    Q_OBJECT

public:
    TMeniuRegistru(QMainWindow* fereastra, QMenuBar* meniuri);
    // Waits for an automatic backup still running.
    ~TMeniuRegistru() override;

    QAction* CopieDeSiguranta = nullptr;
    QAction* RestaurareDinCopie = nullptr;
    QAction* BazaDeDate = nullptr;
    // Opens the register's connection again (a server stopped and started again) without a new start.
    QAction* Reconecteaza = nullptr;

    // Once a day, after the main window is shown: a backup into copii/ on a worker thread, its progress
    // in the status bar. Does nothing for a server's register or one just made from the template.
    void PornesteCopiaZilnica();
    // True while the automatic backup runs (tests wait on it).
    bool CopieZilnicaInCurs() const;
    // Shows the database in use in the status bar.
    void ArataBazaDeDate();
    // Called after a restore put another register in place, so the window can show it.
    std::function<void()> DupaRestaurare;

private:
    void FaCopie();
    void Restaureaza();
    void SchimbaBazaDeDate();
    // A new connection for a broken one; for a server register that never opened, the whole start-up.
    void RefaLegatura();

    QMainWindow* m_fereastra = nullptr;
    QLabel* m_baza = nullptr;
    QThread* m_zilnica = nullptr;
};
