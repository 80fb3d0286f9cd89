#include "testsupport/UModal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

void LaUrmatorulModal(std::function<void(QDialog*)> actiune, int asteptareMaximaMs)
{
    auto* timer = new QTimer;
    auto* ceas = new QElapsedTimer;
    ceas->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, ceas, actiune, asteptareMaximaMs] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (ceas->elapsed() > asteptareMaximaMs) {
                timer->stop();
                timer->deleteLater();
                delete ceas;
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        delete ceas;
        actiune(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}
