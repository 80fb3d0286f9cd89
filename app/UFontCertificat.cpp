#include "app/UFontCertificat.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>

QString AvertismentFontCertificat()
{
    static const QStringList aceleasiLatimi = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                               QStringLiteral("Arimo")};
    // The family actually drawn with, after the font configuration's substitutions.
    const QString folosit = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    if (aceleasiLatimi.contains(folosit, Qt::CaseInsensitive))
        return {};
    return QStringLiteral("Lipseste fontul Arial al certificatului (sau Liberation Sans, din pachetul "
                          "fonts-liberation): textele se scriu cu fontul %1, mai lat, iar numele lungi pot fi "
                          "taiate.")
        .arg(folosit);
}
