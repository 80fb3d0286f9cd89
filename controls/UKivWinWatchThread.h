#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// Watches whether the mouse is still over a window: every 100 ms it compares the mouse position with
// the window's screen rectangle (its edges count as inside); once the mouse is outside it posts an
// event of type `notita` to the window and ends. It runs on the user-interface thread (widget geometry
// and the cursor may be read only there), starts at once, belongs to the watched window and frees
// itself when it ends; a window destroyed while watched takes its watcher with it, and no notice is
// ever posted to a window that no longer exists.
class TKivMouseInWindowThread : public QObject
{
    Q_OBJECT
public:
    TKivMouseInWindowThread(QWidget* fereastra, int notita);
    ~TKivMouseInWindowThread() override;

    // Ends the watch without posting anything.
    void Opreste();

    // How many watchers are running in the process.
    static int NumarActive();

    static constexpr int IntervalMs = 100;

private:
    void Verifica();
    void Termina();

    QPointer<QWidget> m_fereastra;
    int m_notita = 0;
    QTimer m_ceas;
    bool m_terminat = false;
};
