#pragma once

#include <QString>

// Version of the program's own executable: FileVersion and its four parts, as texts.
class TCEVersionInfo
{
public:
    static const QString FaraInformatie;

    // The version compiled into the executable.
    TCEVersionInfo();
    // A given file version; an empty text stands for an executable without version information.
    explicit TCEVersionInfo(const QString& fileVersion);

    QString FileVersion;
    QString MajorVersion;
    QString MinorVersion;
    QString Release;
    QString Build;

    // The four parts joined by ".".
    QString TextVersiune() const;
};
