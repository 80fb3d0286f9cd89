#include "UFormularTest.h"

#include "print/UConstructieFormular.h"
#include "print/UMachetaFormular.h"

#include <QHash>
#include <QTest>

TFormularTest::TFormularTest() : Fereastra(std::make_unique<QWidget>())
{
    Pagina = ConstruiesteFormular(MachetaCertificat(), Fereastra.get()).first();
}

bool TFormularTest::Arata()
{
    Fereastra->resize(Pagina->size());
    Fereastra->show();
    return QTest::qWaitForWindowExposed(Fereastra.get());
}

QString TextFaraSpatii(const TFormularTextArea* zona)
{
    static const QHash<QString, QString> valori = {{"C_ABREVIERE", "dl"},
                                                   {"A_ABREVIERE", "dl"},
                                                   {"C_NUME_L1", "ŞTEFĂNESCU"},
                                                   {"C_NUME_L2", "ANDREI-MIHAI"},
                                                   {"A_NUME", "ŞTEFĂNESCU-ANDREI-MIHAI"},
                                                   {"C_AN_ABSOLVIRE", "2006"},
                                                   {"A_AN_ABSOLVIRE", "2006"},
                                                   {"C_UNITATEA_L1", "COLEGIUL-NAŢIONAL"},
                                                   {"C_UNITATEA_L2", "\"MIHAI-EMINESCU\""},
                                                   {"A_UNITATEA_L1", "COLEGIUL"},
                                                   {"A_UNITATEA_L2", "NAŢIONAL-\"MIHAI-EMINESCU\""},
                                                   {"C_COD_SIRUES", "123456789"},
                                                   {"A_COD_SIRUES", "987654321"},
                                                   {"C_LOCALITATEA", "TÂRGU-MUREŞ"},
                                                   {"A_LOCALITATEA_L1", "TÂRGU"},
                                                   {"A_LOCALITATEA_L2", "MUREŞ"},
                                                   {"C_JUDETUL", "MUREŞ"},
                                                   {"A_JUDETUL", "Mureş"},
                                                   {"C_FILIERA", "TEORETICĂ"},
                                                   {"A_FILIERA", "Teoretică"},
                                                   {"C_PROFILUL", "REAL"},
                                                   {"A_PROFILUL", "Real"},
                                                   {"C_SPECIALIZAREA", "MATEMATICĂ-INFORMATICĂ"},
                                                   {"A_SPECIALIZAREA", "Matematică-informatică"},
                                                   {"C_CNP", "1900101260013"},
                                                   {"A_CNP", "2850707400021"},
                                                   {"C_DIRECTOR", "POPA-ELENA"},
                                                   {"A_DIRECTOR", "Popa-Elena"},
                                                   {"C_SECRETAR", "RUS-ION"},
                                                   {"A_SECRETAR", "Rus-Ion"}};
    const QString valoare = valori.value(zona->Denumire1().section(QLatin1Char('.'), 2));
    if (zona->Denumire2().isEmpty())
        return valoare;
    return valoare.mid(zona->Denumire2().toInt() - 1, 1);
}
