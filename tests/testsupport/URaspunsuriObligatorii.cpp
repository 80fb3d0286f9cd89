#include "platform/UMesaje.h"

#include <QCoreApplication>
#include <QTest>

namespace {
// Linked into every test program: a question that the test did not queue an answer for fails the test that
// asked it, with the question's text, instead of passing for a "Nu" nobody chose.
void CereRaspunsuri()
{
    TMesaje::SetLaIntrebareFaraRaspuns([](const QString& text) {
        const QByteArray mesaj = "Intrebare fara raspuns pregatit: " + text.toUtf8();
        if (QTest::currentTestFunction())
            QTest::qFail(mesaj.constData(), __FILE__, __LINE__);
        else
            qFatal("%s", mesaj.constData());
    });
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(CereRaspunsuri)
