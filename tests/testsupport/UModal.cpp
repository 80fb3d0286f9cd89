#include "testsupport/UModal.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace {

// The test function and data row now running; a waiting action belongs to the one that queued it.
QByteArray TestulCurent()
{
    const char* functie = QTest::currentTestFunction();
    const char* rand = QTest::currentDataTag();
    return QByteArray(functie ? functie : "") + '/' + QByteArray(rand ? rand : "");
}

} // namespace

void LaUrmatorulModal(std::function<void(QDialog*)> actiune)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, actiune, test = TestulCurent()] {
        // No clock: however slow the machine, the action waits for its dialog as long as its test runs, and
        // never acts on a dialog of a later test.
        if (TestulCurent() != test) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        actiune(dialog);
        // Closed as it is: a dialog that asks before dropping typed work must not keep the test waiting.
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
    timer->start();
}
