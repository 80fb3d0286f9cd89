#include "testsupport/UPdfText.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

namespace {
constexpr double kMmPePunct = 25.4 / 72.0;

QByteArray Ruleaza(const QString& program, const QStringList& argumente)
{
    QProcess proces;
    proces.start(program, argumente);
    if (!proces.waitForFinished(60000) || proces.exitStatus() != QProcess::NormalExit || proces.exitCode() != 0) {
        QTest::qFail(
            qPrintable(program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(proces.readAllStandardError())),
            __FILE__, __LINE__);
        return {};
    }
    return proces.readAllStandardOutput();
}

double Atribut(const QXmlStreamReader& xml, const char* nume)
{
    return xml.attributes().value(QLatin1String(nume)).toDouble() * kMmPePunct;
}
} // namespace

TDocumentPdf CitestePdf(const QString& caleaPdf)
{
    TDocumentPdf doc;
    const QByteArray xhtml =
        Ruleaza(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), caleaPdf, QStringLiteral("-")});
    QXmlStreamReader xml(xhtml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            doc.Pagini << QSizeF(Atribut(xml, "width"), Atribut(xml, "height"));
        } else if (xml.name() == QLatin1String("word")) {
            TCuvantPdf c;
            c.Pagina = int(doc.Pagini.size()) - 1;
            const double x0 = Atribut(xml, "xMin"), y0 = Atribut(xml, "yMin");
            c.Mm = QRectF(QPointF(x0, y0), QPointF(Atribut(xml, "xMax"), Atribut(xml, "yMax")));
            c.Text = xml.readElementText();
            doc.Cuvinte << c;
        }
    }
    return doc;
}

QStringList FonturiPdf(const QString& caleaPdf)
{
    QStringList fonturi;
    const QList<QByteArray> linii = Ruleaza(QStringLiteral("pdffonts"), {caleaPdf}).split('\n');
    // Two header lines, then one font per line, its name first.
    for (qsizetype i = 2; i < linii.size(); ++i) {
        const QString nume = QString::fromUtf8(linii[i].simplified()).section(QLatin1Char(' '), 0, 0);
        if (!nume.isEmpty())
            fonturi << nume.section(QLatin1Char('+'), -1);
    }
    return fonturi;
}

QString RandeazaPdfLaPng(const QString& caleaPdf, const QString& caleaPngFaraExtensie, int dpi)
{
    Ruleaza(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                                         QString::number(dpi), caleaPdf, caleaPngFaraExtensie});
    const QString png = caleaPngFaraExtensie + QStringLiteral(".png");
    return QFileInfo::exists(png) ? png : QString();
}
