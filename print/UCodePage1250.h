#pragma once

#include <QByteArray>
#include <QString>

// Text from single-byte code page 1250 (Central European) bytes. The bytes the code page leaves undefined
// keep their own value as a code point, so nothing read is lost.
QString DinCodePage1250(const QByteArray& octeti);
