#include "testsupport/UTestSupport.h"

QString DosarDateTest()
{
    return QStringLiteral(TESSALUNA_TEST_DATA);
}

QString DosarBinar()
{
    return QStringLiteral(TESSALUNA_BIN_DIR);
}

QString CnpCuCifraDeControl(const QString& douasprezece)
{
    static const int ponderi[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
    int suma = 0;
    for (int i = 0; i < 12; ++i)
        suma += douasprezece[i].digitValue() * ponderi[i];
    const int rest = suma % 11 == 10 ? 1 : suma % 11;
    return douasprezece + QString::number(rest);
}
