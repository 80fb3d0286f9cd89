#include "settings/UInfoGlobal2005.h"

QString TInfoGlobal2005::Cheie()
{
    return QStringLiteral("Software\\Zorvik SOFT\\Pravelo\\") + QStringLiteral("2006") + QStringLiteral("\\Global");
}

TInfoGlobal2005::TInfoGlobal2005(QObject* parinte) : TKivRegistryClass(Cheie(), parinte)
{
    Incarca();
}

TInfoGlobal2005::~TInfoGlobal2005()
{
    ScrieLaDistrugere();
}

QString TInfoGlobal2005::FormatPentruTip(int tip) const
{
    switch (tip) {
    case 0:
        return m_notaDiploma;
    case 1:
        return m_notaCotor;
    case 2:
        return m_medieDiploma;
    default:
        return m_medieCotor;
    }
}

void TInfoGlobal2005::CompleteazaFormateLipsa()
{
    if (m_notaDiploma.isEmpty())
        m_notaDiploma = kFormatNotaSlashLitere;
    if (m_medieDiploma.isEmpty())
        m_medieDiploma = kFormatNotaSlashLitere;
    if (m_notaCotor.isEmpty())
        m_notaCotor = kFormatNotaProcent;
    if (m_medieCotor.isEmpty())
        m_medieCotor = kFormatNotaProcent;
}

QStringList FormateNota()
{
    return {kFormatNota, kFormatNotaProcent, kFormatNotaSlashProcent, kFormatNotaSlashLitere};
}

int NumarFormatNota(const QString& format)
{
    const int numar = int(FormateNota().indexOf(format));
    return numar < 0 ? 0 : numar;
}

QList<TLinieMostra> MostraFormatNota(const QString& format)
{
    switch (FormateNota().indexOf(format)) {
    case 0:
        return {{QStringLiteral("9,63"), 8}};
    case 1:
        return {{QStringLiteral("9,63 (noua 63%)"), 8}};
    case 2:
        return {{QStringLiteral("9,63"), 1}, {QStringLiteral("(noua 63%)"), 13}};
    case 3:
        return {{QStringLiteral("9,63"), 1}, {QStringLiteral("(noua,sasezecisitrei)"), 13}};
    default:
        return {};
    }
}
