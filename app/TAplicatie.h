#pragma once

#include <QApplication>

// The application object; its notify is the last net for an error thrown from an event handler.
class TAplicatie : public QApplication
{
public:
    TAplicatie(int& argc, char** argv);
    bool notify(QObject* destinatar, QEvent* eveniment) override;
    // The program's icon at each size rendered at build time, from 16 to 256 pixels.
    static QIcon Iconita();

    // Blocks SIGTERM and SIGINT in every thread; call first in main(), before any thread exists. Delivered
    // asynchronously they would interrupt the database engine's threads mid-call.
    static void BlocheazaSemnale();
    // Reads the blocked signals on the message loop: they end it like closing the main window, so the
    // database is closed cleanly.
    void OpresteLaSemnal();
};
