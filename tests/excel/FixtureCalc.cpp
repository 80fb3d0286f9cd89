#include "excel/FixtureCalc.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <unistd.h>

namespace {

QString Xml(const QString& s)
{
    return s.toHtmlEscaped();
}

QString Celula(const TCelulaFixture& c)
{
    if (c.Valoare.isEmpty())
        return QStringLiteral("<table:table-cell/>");
    switch (c.Tip) {
    case TCelulaFixture::Numar:
        return QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\"/>").arg(c.Valoare);
    case TCelulaFixture::Nota:
        return QStringLiteral("<table:table-cell table:style-name=\"ceNota\" office:value-type=\"float\" "
                              "office:value=\"%1\"/>")
            .arg(c.Valoare);
    case TCelulaFixture::Data:
        return QStringLiteral("<table:table-cell table:style-name=\"ceData\" office:value-type=\"date\" "
                              "office:date-value=\"%1\"/>")
            .arg(c.Valoare);
    case TCelulaFixture::Text:
        break;
    }
    return QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>")
        .arg(Xml(c.Valoare));
}

// A profile of Calc's own for the conversions, Romanian as a secretary's would be.
const char* const SetariProfil = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>ro-RO</value></prop></item>
</oor:items>
)";

} // namespace

QByteArray TextFods(const QList<TFoaieFixture>& foi)
{
    QString t = QStringLiteral(
        R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<number:number-style style:name="N2"><number:number number:decimal-places="2" number:min-decimal-places="2" number:min-integer-digits="1"/></number:number-style>
<number:date-style style:name="N37"><number:day number:style="long"/><number:text>.</number:text><number:month number:style="long"/><number:text>.</number:text><number:year number:style="long"/></number:date-style>
<style:style style:name="ceNota" style:family="table-cell" style:data-style-name="N2"/>
<style:style style:name="ceData" style:family="table-cell" style:data-style-name="N37"/>
)");
    for (int f = 0; f < foi.size(); ++f) {
        for (int c = 0; c < foi[f].LatimiCm.size(); ++c) {
            if (foi[f].LatimiCm[c] > 0)
                t += QStringLiteral("<style:style style:name=\"co%1_%2\" style:family=\"table-column\">"
                                    "<style:table-column-properties style:column-width=\"%3cm\"/></style:style>\n")
                         .arg(f)
                         .arg(c)
                         .arg(foi[f].LatimiCm[c]);
        }
    }
    t += QStringLiteral("</office:automatic-styles>\n<office:body><office:spreadsheet>\n");
    for (int f = 0; f < foi.size(); ++f) {
        const TFoaieFixture& foaie = foi[f];
        t += QStringLiteral("<table:table table:name=\"%1\"%2>\n")
                 .arg(Xml(foaie.Nume), foaie.Protejata ? QStringLiteral(" table:protected=\"true\"") : QString());
        for (int c = 0; c < foaie.LatimiCm.size(); ++c) {
            t += foaie.LatimiCm[c] > 0
                     ? QStringLiteral("<table:table-column table:style-name=\"co%1_%2\"/>").arg(f).arg(c)
                     : QStringLiteral("<table:table-column/>");
        }
        t += u'\n';
        for (const auto& rand : foaie.Randuri) {
            t += QStringLiteral("<table:table-row>");
            for (const TCelulaFixture& c : rand)
                t += Celula(c);
            if (rand.isEmpty())
                t += QStringLiteral("<table:table-cell/>");
            t += QStringLiteral("</table:table-row>\n");
        }
        int rand = int(foaie.Randuri.size());
        for (const TFoaieFixture::TDeparte& d : foaie.Departe) {
            if (d.Rand - 1 > rand)
                t += QStringLiteral("<table:table-row table:number-rows-repeated=\"%1\"><table:table-cell/>"
                                    "</table:table-row>\n")
                         .arg(d.Rand - 1 - rand);
            t += QStringLiteral("<table:table-row>");
            if (d.Coloana > 1)
                t += QStringLiteral("<table:table-cell table:number-columns-repeated=\"%1\"/>").arg(d.Coloana - 1);
            t += Celula(TCelulaFixture(d.Text)) + QStringLiteral("</table:table-row>\n");
            rand = d.Rand;
        }
        t += QStringLiteral("</table:table>\n");
    }
    t += QStringLiteral("</office:spreadsheet></office:body></office:document>\n");
    return t.toUtf8();
}

QString ConvertesteCuCalc(const QString& fisier, const QString& dosar, const QString& extensie)
{
    QTemporaryDir profil;
    if (!profil.isValid() || !QDir().mkpath(profil.filePath(QStringLiteral("user"))))
        return {};
    QFile setari(profil.filePath(QStringLiteral("user/registrymodifications.xcu")));
    if (!setari.open(QIODevice::WriteOnly) || setari.write(SetariProfil) <= 0)
        return {};
    setari.close();
    // A CSV as Calc shows the sheet: comma, double quotes, UTF-8, every cell as shown.
    const QString tinta = extensie == QLatin1String("csv")
                              ? QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1048,false,true,true")
                              : extensie;
    QProcess p;
    p.setProgram(QStringLiteral("soffice"));
    p.setArguments({QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profil.path()).toString(),
                    QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"), tinta,
                    QStringLiteral("--outdir"), dosar, fisier});
    QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
    mediu.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(mediu);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setChildProcessModifier([] { ::setpgid(0, 0); });
    p.start();
    const bool pornit = p.waitForStarted(10000);
    const qint64 grup = pornit ? p.processId() : 0;
    const bool gata = pornit && p.waitForFinished(120000);
    if (grup > 0)
        ::kill(-pid_t(grup), SIGKILL);
    p.waitForFinished(5000);
    const QString rezultat = QDir(dosar).filePath(QFileInfo(fisier).completeBaseName() + u'.' + extensie);
    if (!gata || p.exitCode() != 0 || !QFileInfo::exists(rezultat)) {
        qWarning("Calc did not convert %s to %s: %s", qPrintable(fisier), qPrintable(extensie),
                 p.readAll().constData());
        return {};
    }
    return rezultat;
}

QString FaFisierCalc(const QList<TFoaieFixture>& foi, const QString& dosar, const QString& numeBaza,
                     const QString& extensie)
{
    const QString fods = QDir(dosar).filePath(numeBaza + QStringLiteral(".fods"));
    QSaveFile f(fods);
    if (!f.open(QIODevice::WriteOnly) || f.write(TextFods(foi)) < 0 || !f.commit())
        return {};
    if (extensie == QLatin1String("fods"))
        return fods;
    return ConvertesteCuCalc(fods, dosar, extensie);
}

QStringList PipeleCalc()
{
    const QString inceput = QStringLiteral("OSL_PIPE_%1_").arg(getuid());
    return QDir(QStringLiteral("/tmp")).entryList({inceput + u'*'}, QDir::System | QDir::AllEntries);
}

QStringList RamaseDupaCitire(const QStringList& pipeInainte)
{
    QStringList ramase;
    // Only this program's readers: their folders live in its temporary folder.
    const QString semn = QDir(QDir::tempPath()).filePath(QStringLiteral("tessaluna-calc-"));
    const QStringList procese = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : procese) {
        if (pid.toInt() <= 0)
            continue;
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmd.open(QIODevice::ReadOnly))
            continue;
        const QString linie = QString::fromUtf8(cmd.readAll()).replace(QChar(0), u' ');
        if (linie.contains(semn))
            ramase << QStringLiteral("process %1: %2").arg(pid, linie);
    }
    const QStringList temporare =
        QDir(QDir::tempPath())
            .entryList({QStringLiteral("tessaluna-calc-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& d : temporare)
        ramase << QStringLiteral("temporary %1").arg(d);
    // A pipe some running Calc listens on is listed by the kernel; one left by a killed Calc is not.
    QFile socluri(QStringLiteral("/proc/net/unix"));
    const QString ascultate = socluri.open(QIODevice::ReadOnly) ? QString::fromUtf8(socluri.readAll()) : QString();
    for (const QString& p : PipeleCalc()) {
        if (!pipeInainte.contains(p) && !ascultate.contains(QStringLiteral("/tmp/") + p))
            ramase << QStringLiteral("pipe %1").arg(p);
    }
    return ramase;
}
