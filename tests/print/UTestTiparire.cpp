#include "UTestTiparire.h"

#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/UInsertPaper.h"
#include "print/UParticularizari.h"
#include "testsupport/UModal.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

std::unique_ptr<TBazaTest> PornesteTestDeTiparire(const QTemporaryDir& dosar)
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    QFile::remove(FisierRegistruUtilizator());
    ReseteazaParticularizari(dosar.filePath("licenta.lic"));
    auto baza = std::make_unique<TBazaTest>();
    baza->Porneste();
    return baza;
}

TRezultatPagini TiparesteClasaInPdf(const QList<TElevDeTiparit>& elevi, const QString& pdf,
                                    const std::function<void(TInsertPaperForm*)>& laHartie,
                                    const std::function<bool(int, int)>& opreste)
{
    TMesaje::SetFisierUrmator(pdf);
    LaUrmatorulModal([laHartie](QDialog* d) {
        auto* hartie = qobject_cast<TInsertPaperForm*>(d);
        if (laHartie)
            laHartie(hartie);
        QTest::mouseClick(hartie->Ok, Qt::LeftButton);
    });
    try {
        return TiparesteClasa(nullptr, elevi, opreste);
    } catch (const std::exception& e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
    return {};
}
