#include "testsupport/UTestSupport.h"

QString DosarDateTest()
{
    return QStringLiteral(TESSALUNA_TEST_DATA);
}

QString DosarBinar()
{
    return QStringLiteral(TESSALUNA_BIN_DIR);
}
