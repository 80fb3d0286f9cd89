#include "app/TCEVersionInfo.h"

const QString TCEVersionInfo::FaraInformatie = QStringLiteral("<info not available>");

TCEVersionInfo::TCEVersionInfo() : TCEVersionInfo(QStringLiteral(TESSALUNA_FILE_VERSION)) {}

TCEVersionInfo::TCEVersionInfo(const QString& fileVersion)
    : FileVersion(FaraInformatie), MajorVersion(FaraInformatie), MinorVersion(FaraInformatie), Release(FaraInformatie),
      Build(FaraInformatie)
{
    if (fileVersion.isEmpty())
        return;
    FileVersion = fileVersion;
    QChar separator;
    if (fileVersion.contains(u'.'))
        separator = u'.';
    else if (fileVersion.contains(u','))
        separator = u',';
    else
        return;

    // Takes the text before the first separator of rest and leaves what follows it in rest; without a
    // separator the part is empty and rest stays whole.
    auto taie = [separator](QString& rest) {
        const int poz = rest.indexOf(separator);
        if (poz < 0)
            return QString();
        const QString parte = rest.left(poz);
        rest = rest.mid(poz + 1);
        return parte;
    };
    QString rest = fileVersion;
    MajorVersion = taie(rest);
    MinorVersion = taie(rest);
    Release = taie(rest);
    Build = rest;
}

QString TCEVersionInfo::TextVersiune() const
{
    return MajorVersion + u'.' + MinorVersion + u'.' + Release + u'.' + Build;
}
