#pragma once

#include "settings/UKivRegistryClass.h"

#include <QStringList>

// The global settings of the year's forms: how grades and averages are written and the forms of
// address. Loaded when created, written back whole when destroyed (see TKivRegistryClass).
class TInfoGlobal2005 final : public TKivRegistryClass
{
    Q_OBJECT
    Q_PROPERTY(QString SufixFete MEMBER m_sufixFete)
    Q_PROPERTY(QString SufixBaieti MEMBER m_sufixBaieti)
    Q_PROPERTY(QString NotaDiploma MEMBER m_notaDiploma)
    Q_PROPERTY(QString MedieDiploma MEMBER m_medieDiploma)
    Q_PROPERTY(QString NotaCotor MEMBER m_notaCotor)
    Q_PROPERTY(QString MedieCotor MEMBER m_medieCotor)
    Q_PROPERTY(QString ScriuCuLitereMari MEMBER m_scriuCuLitereMari)

public:
    // Software\Zorvik SOFT\Pravelo\2006\Global under HKEY_CURRENT_USER.
    static QString Cheie();

    explicit TInfoGlobal2005(QObject* parinte = nullptr);
    ~TInfoGlobal2005() override;

    QString SufixFete() const { return m_sufixFete; }
    void SetSufixFete(const QString& v) { m_sufixFete = v; }
    QString SufixBaieti() const { return m_sufixBaieti; }
    void SetSufixBaieti(const QString& v) { m_sufixBaieti = v; }
    QString NotaDiploma() const { return m_notaDiploma; }
    void SetNotaDiploma(const QString& v) { m_notaDiploma = v; }
    QString MedieDiploma() const { return m_medieDiploma; }
    void SetMedieDiploma(const QString& v) { m_medieDiploma = v; }
    QString NotaCotor() const { return m_notaCotor; }
    void SetNotaCotor(const QString& v) { m_notaCotor = v; }
    QString MedieCotor() const { return m_medieCotor; }
    void SetMedieCotor(const QString& v) { m_medieCotor = v; }
    // "1" capitals, "0" small letters; empty until the settings dialog is confirmed once.
    QString ScriuCuLitereMari() const { return m_scriuCuLitereMari; }
    void SetScriuCuLitereMari(const QString& v) { m_scriuCuLitereMari = v; }

    // The format setting of a grade kind: 0 grade on the certificate, 1 grade on the stub, 2 average on
    // the certificate, 3 (and any other kind) average on the stub.
    QString FormatPentruTip(int tip) const;

    // Empty formats take their defaults: "NOTA/LITERE" on the certificate, "NOTA(PROCENT)" on the stub.
    void CompleteazaFormateLipsa();

private:
    QString m_sufixFete;
    QString m_sufixBaieti;
    QString m_notaDiploma;
    QString m_medieDiploma;
    QString m_notaCotor;
    QString m_medieCotor;
    QString m_scriuCuLitereMari;
};

// The four grade formats, in the order the settings dialog offers them.
inline const QString kFormatNota = QStringLiteral("NOTA");
inline const QString kFormatNotaProcent = QStringLiteral("NOTA(PROCENT)");
inline const QString kFormatNotaSlashProcent = QStringLiteral("NOTA/PROCENT");
inline const QString kFormatNotaSlashLitere = QStringLiteral("NOTA/LITERE");
QStringList FormateNota();

// Number of a format: "NOTA" 0, "NOTA(PROCENT)" 1, "NOTA/PROCENT" 2, "NOTA/LITERE" 3, anything else 0.
int NumarFormatNota(const QString& format);

// One line of the sample shown for a format in the settings dialog: its text and how many pixels below
// the top of the entry its text cell starts.
struct TLinieMostra
{
    QString text;
    int sus = 0;
    bool operator==(const TLinieMostra&) const = default;
};
QList<TLinieMostra> MostraFormatNota(const QString& format);
