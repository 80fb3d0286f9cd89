#include "print/UImprimanta.h"

#include "platform/UEroare.h"
#include "platform/UMesaje.h"
#include "platform/UScriereSigura.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
QString& NumeCurent()
{
    static QString nume = [] {
        const QString implicita = QPrinterInfo::defaultPrinterName();
        return implicita.isEmpty() ? NumeImprimantaPdf : implicita;
    }();
    return nume;
}

QString& DosarPdf()
{
    static QString dosar = QDir::homePath();
    return dosar;
}

bool ImprimantaExista(const QString& nume)
{
    return QPrinterInfo::availablePrinterNames().contains(nume);
}
} // namespace

QStringList ListaImprimante()
{
    QStringList lista = QPrinterInfo::availablePrinterNames();
    lista << NumeImprimantaPdf;
    return lista;
}

QPrinter& ImprimantaProgram()
{
    static QPrinter imprimanta(QPrinter::HighResolution);
    return imprimanta;
}

QString ImprimantaCurenta()
{
    return NumeCurent();
}

void SeteazaImprimantaCurenta(const QString& nume)
{
    NumeCurent() = nume;
}

void PregatesteImprimanta(bool portret)
{
    QPrinter& p = ImprimantaProgram();
    if (NumeCurent() == NumeImprimantaPdf) {
        p.setOutputFormat(QPrinter::PdfFormat);
    } else {
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName(NumeCurent());
    }
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(portret ? QPageLayout::Portrait : QPageLayout::Landscape);
    p.setColorMode(QPrinter::GrayScale);
    // A PDF has no unprintable border: the page is the whole sheet.
    if (NumeCurent() == NumeImprimantaPdf)
        p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

TDocumentTiparit::TDocumentTiparit(QWidget* parinte, const QString& titlu)
{
    QPrinter& p = ImprimantaProgram();
    const QString nume = NumeCurent();
    if (nume == NumeImprimantaPdf) {
        m_fisier = TMesaje::CereFisierDeScris(parinte, QStringLiteral("Salvati documentul PDF"),
                                              QDir(DosarPdf()).filePath(titlu + QStringLiteral(".pdf")),
                                              QStringLiteral("Documente PDF (*.pdf)"));
        if (m_fisier.isEmpty())
            return;
        if (QFileInfo(m_fisier).suffix().isEmpty())
            m_fisier += QStringLiteral(".pdf");
        DosarPdf() = QFileInfo(m_fisier).absolutePath();
        m_inLucru = std::make_unique<TFisierInLucru>(m_fisier);
        if (!m_inLucru->Valid())
            throw EEroare(QStringLiteral("Fisierul \"%1\" nu poate fi scris: %2. Nu s-a tiparit nimic.")
                              .arg(QDir::toNativeSeparators(m_fisier), m_inLucru->Motiv()));
        p.setOutputFileName(m_inLucru->Cale());
    } else {
        if (!ImprimantaExista(nume))
            throw EEroare(QStringLiteral("Imprimanta \"%1\" nu mai este instalata. Alegeti o imprimanta din "
                                         "\"Configurare imprimanta\".")
                              .arg(nume));
        p.setOutputFileName(QString());
    }
    p.setDocName(titlu);
    m_corectie = CorectieImprimanta(nume);
    if (!m_painter.begin(&p)) {
        if (!m_fisier.isEmpty())
            throw EEroare(QStringLiteral("Fisierul \"%1\" nu poate fi scris (dosarul lipseste, nu aveti drept de "
                                         "scriere sau discul este plin). Nu s-a tiparit nimic.")
                              .arg(QDir::toNativeSeparators(m_fisier)));
        throw EEroare(QStringLiteral("Imprimanta \"%1\" nu poate incepe tiparirea. Nu s-a tiparit nimic.").arg(nume));
    }
}

TDocumentTiparit::~TDocumentTiparit()
{
    const bool terminat = !m_painter.isActive() || m_painter.end();
    if (!m_inLucru || !terminat || std::uncaught_exceptions() > m_exceptii)
        return; // the temporary file goes with m_inLucru; an older file of that name stays
    QString motiv;
    if (!m_inLucru->Incheie(motiv))
        TMesaje::Avertizeaza(
            nullptr, QStringLiteral("Documentul PDF a fost scris in fisierul \"%1\", dar nu a putut "
                                    "primi numele \"%2\": %3.")
                         .arg(QDir::toNativeSeparators(m_inLucru->Cale()), QDir::toNativeSeparators(m_fisier), motiv));
}
