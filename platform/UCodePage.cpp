#include "platform/UCodePage.h"

#include <QByteArray>

#include <clocale>
#include <langinfo.h>

int CodePagePentruCodeset(const char* codeset)
{
    const QByteArray c = QByteArray(codeset ? codeset : "").toUpper().replace("-", "").replace("_", "");
    if (c == "UTF8" || c == "ISO88592" || c == "CP1250" || c == "WINDOWS1250")
        return 1250;
    return 0;
}

int CodePageSistem()
{
    // The codeset follows the environment's locale; the C locale would always answer ASCII.
    std::setlocale(LC_CTYPE, "");
    return CodePagePentruCodeset(nl_langinfo(CODESET));
}
