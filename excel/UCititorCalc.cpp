#include "excel/UCititorFoi.h"

#include "platform/UEroare.h"
#include "platform/UFoldere.h"
#include "platform/UScriereSigura.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

static void IncarcaScriptul()
{
    Q_INIT_RESOURCE(excel);
}

namespace {

const char* const PachetCalc = "libreoffice-calc-nogui";
const char* const PachetUno = "python3-uno";

// The exit codes of the script, as it documents them.
enum : int
{
    IesireOk = 0,
    IesireFisier = 2,
    IesireFaraUno = 3,
    IesireFaraCalc = 4
};

// Calc's settings in the private profile: Romanian formats whatever the machine's locale, no lock files
// beside the user's file, no macros.
const char* const SetariProfil = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>ro-RO</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="DecimalSeparatorAsLocale" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="DefaultLocale" oor:op="fuse"><value>ro-RO</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentSystemFileLocking" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentOOoLockFile" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
)";

// `detalii`: Calc's or the system's own words, shown only under "Detalii".
EEroare Eroare(const QString& cale, const QString& motiv, const QString& detalii = {})
{
    return EEroare(QStringLiteral("Nu pot citi fisierul %1: %2").arg(QFileInfo(cale).fileName(), motiv.simplified()),
                   detalii);
}

QString ProgramSoffice(const TProgrameCalc& programe)
{
    if (!programe.Soffice.isEmpty())
        return QFileInfo(programe.Soffice).isExecutable() ? programe.Soffice : QString();
    QString gasit = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (gasit.isEmpty() && QFileInfo(QStringLiteral("/usr/lib/libreoffice/program/soffice")).isExecutable())
        gasit = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    return gasit;
}

// Calc keeps its pipes as sockets in /tmp (or /var/tmp) under names made from the profile, whatever
// TMPDIR says; one that was killed leaves them there.
QStringList PipeCalc(const QString& urlProfil, const QString& numeTeava)
{
    QByteArray utf16;
    for (const QChar c : urlProfil) {
        utf16.append(char(c.unicode() & 0xff));
        utf16.append(char(c.unicode() >> 8));
    }
    QString rezumat;
    for (const char b : QCryptographicHash::hash(utf16, QCryptographicHash::Md5))
        rezumat += QString::number(uchar(b), 16);
    const QString uid = QString::number(getuid());
    QStringList pipe;
    for (const char* dosar : {"/tmp/", "/var/tmp/"}) {
        pipe << QString::fromLatin1(dosar) + QStringLiteral("OSL_PIPE_%1_SingleOfficeIPC_%2").arg(uid, rezumat);
        pipe << QString::fromLatin1(dosar) + QStringLiteral("OSL_PIPE_%1_%2").arg(uid, numeTeava);
    }
    return pipe;
}

// Whether a process of the group is still alive, a zombie not counting.
bool MembriVii(pid_t grup)
{
    const QStringList procese = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : procese) {
        if (pid.isEmpty() || !pid.front().isDigit())
            continue;
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid pgrp ...": the name may hold blanks and brackets, so read after the last ')'.
        const QByteArray stat = f.readAll();
        const QList<QByteArray> campuri = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (campuri.size() > 2 && campuri[2].toLongLong() == grup && campuri[0] != "Z" && campuri[0] != "X")
            return true;
    }
    return false;
}

// The script and Calc as one process group: ended as a whole, whatever way the reading ends.
class TGrupCalc
{
public:
    TGrupCalc(const QStringList& pipe) : m_pipe(pipe) {}
    ~TGrupCalc() { Termina(); }
    TGrupCalc(const TGrupCalc&) = delete;
    TGrupCalc& operator=(const TGrupCalc&) = delete;

    QProcess Proces;

    // Call once the process has started: its id names the group.
    void Porneste() { m_grup = Proces.processId(); }

    void Termina()
    {
        if (m_grup > 0) {
            ::kill(-pid_t(m_grup), SIGKILL);
            Proces.waitForFinished(5000);
            // Killed members stay in the group as zombies until init reaps them, which may take long: wait
            // only while one still runs.
            for (int i = 0; i < 1000 && MembriVii(pid_t(m_grup)); ++i)
                QThread::msleep(5);
            m_grup = 0;
        }
        for (const QString& teava : m_pipe) {
            struct stat st
            {
            };
            const QByteArray cale = QFile::encodeName(teava);
            if (::lstat(cale.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == getuid())
                ::unlink(cale.constData());
        }
    }

private:
    QStringList m_pipe;
    qint64 m_grup = 0;
};

// The sheet the script wrote into `dosar`, or false when it is not there.
bool CitesteFoaia(const QString& dosar, TFoaieCalcul& foaie)
{
    const QStringList csv = QDir(dosar).entryList({QStringLiteral("*.csv")}, QDir::Files);
    if (csv.size() != 1)
        return false;
    QFile f(QDir(dosar).filePath(csv.first()));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    foaie.Randuri = CelulePentruCsv(QString::fromUtf8(f.readAll()));
    foaie.UltimulRandCuDate = int(foaie.Randuri.size());
    // Written by the script only when the sheet holds values beyond the rows it lets through.
    QFile dincolo(QDir(dosar).filePath(QStringLiteral("ultimul_rand.txt")));
    if (dincolo.open(QIODevice::ReadOnly))
        foaie.UltimulRandCuDate = qMax(foaie.UltimulRandCuDate, dincolo.readAll().trimmed().toInt());
    return true;
}

} // namespace

TCititorCalc::TCititorCalc(TProgrameCalc programe) : m_programe(std::move(programe)) {}

TCititorCalc::~TCititorCalc() = default;

QStringList TCititorCalc::Foi() const
{
    QStringList nume;
    for (const TFoaieCalcul& f : m_foi)
        nume << f.Nume;
    return nume;
}

const TFoaieCalcul& TCititorCalc::Foaie(int index) const
{
    if (index < 0 || index >= m_foi.size())
        throw EEroare(QStringLiteral("Foaia de calcul %1 nu exista in fisierul citit.").arg(index + 1));
    return m_foi[index];
}

void TCititorCalc::Deschide(const QString& cale)
{
    const QFileInfo info(cale);
    if (!info.exists())
        throw Eroare(cale, QStringLiteral("fisierul nu exista."));
    if (!info.isFile())
        throw Eroare(cale, QStringLiteral("nu este un fisier."));
    if (!info.isReadable())
        throw Eroare(cale, QStringLiteral("nu am drept de citire asupra lui."));
    // Calc opens an empty file as a new, empty workbook; here it is a file that holds nothing to read.
    if (info.size() == 0)
        throw Eroare(cale, QStringLiteral("fisierul este gol."));
    const QString soffice = ProgramSoffice(m_programe);
    if (soffice.isEmpty())
        throw Eroare(cale, QStringLiteral("LibreOffice Calc nu este instalat. Instalati pachetul %1.")
                               .arg(QString::fromLatin1(PachetCalc)));
    if (!QFileInfo(m_programe.Python).isExecutable())
        throw Eroare(cale, QStringLiteral("lipseste Python 3 cu legatura catre LibreOffice. Instalati pachetul %1.")
                               .arg(QString::fromLatin1(PachetUno)));

    // Named by this process, so that a start-up tells a killed reading's folder from one in use.
    QTemporaryDir temporar(
        QDir(DosarTemporar())
            .filePath(QStringLiteral("tessaluna-calc-%1-XXXXXX").arg(QCoreApplication::applicationPid())));
    if (!temporar.isValid())
        throw Eroare(cale, QStringLiteral("nu pot crea un dosar temporar (%1).").arg(temporar.errorString()));
    const QDir dosar(temporar.path());
    const QString profil = dosar.filePath(QStringLiteral("profil"));
    const QString iesire = dosar.filePath(QStringLiteral("iesire"));
    const QString tmp = dosar.filePath(QStringLiteral("tmp"));
    const QString script = dosar.filePath(QStringLiteral("citeste_foi.py"));
    IncarcaScriptul();
    bool pregatit = QDir().mkpath(profil + QStringLiteral("/user")) && QDir().mkpath(iesire) && QDir().mkpath(tmp) &&
                    QFile::copy(QStringLiteral(":/tessaluna/excel/citeste_foi.py"), script);
    QFile setari(profil + QStringLiteral("/user/registrymodifications.xcu"));
    pregatit = pregatit && setari.open(QIODevice::WriteOnly) && setari.write(SetariProfil) > 0 && setari.flush();
    setari.close();
    if (!pregatit)
        throw Eroare(cale, QStringLiteral("nu pot pregati dosarul temporar %1.").arg(temporar.path()));

    const QString urlProfil = QUrl::fromLocalFile(profil).toString(QUrl::FullyEncoded);
    const QString teava = QStringLiteral("tessaluna_%1_%2").arg(getpid()).arg(QFileInfo(temporar.path()).fileName());
    TGrupCalc grup(PipeCalc(urlProfil, teava));
    QProcess& proces = grup.Proces;
    QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
    // Paths and texts cross as UTF-8; Calc's own formats come from the profile, not from these.
    mediu.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    mediu.insert(QStringLiteral("PYTHONUTF8"), QStringLiteral("1"));
    mediu.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
    mediu.insert(QStringLiteral("TMPDIR"), tmp);
    mediu.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("svp"));
    mediu.remove(QStringLiteral("PYTHONPATH"));
    proces.setProcessEnvironment(mediu);
    proces.setStandardOutputFile(QProcess::nullDevice());
    proces.setProgram(m_programe.Python);
    proces.setArguments({script, soffice, urlProfil, QFileInfo(cale).absoluteFilePath(), iesire,
                         QString::number(m_programe.SecundeLimita), teava});
    const rlim_t memorie = rlim_t(m_programe.MemorieLimita);
    proces.setChildProcessModifier([memorie] {
        // Only async-signal-safe calls here: this runs between fork and exec.
        ::setpgid(0, 0);
        struct rlimit limita = {memorie, memorie};
        ::setrlimit(RLIMIT_AS, &limita);
        limita = {0, 0};
        ::setrlimit(RLIMIT_CORE, &limita);
    });
    proces.start();
    if (!proces.waitForStarted(10000))
        throw Eroare(cale, QStringLiteral("nu pot porni %1 (%2). Instalati pachetul %3.")
                               .arg(m_programe.Python, proces.errorString(), QString::fromLatin1(PachetUno)));
    grup.Porneste();
    if (!proces.waitForFinished(m_programe.SecundeLimita * 1000)) {
        grup.Termina();
        throw Eroare(cale,
                     QStringLiteral("LibreOffice Calc nu l-a citit in %1 secunde.").arg(m_programe.SecundeLimita));
    }
    const QProcess::ExitStatus stare = proces.exitStatus();
    const int cod = proces.exitCode();
    const QString eroare = QString::fromUtf8(proces.readAllStandardError());
    grup.Termina();

    QString motiv, detalii;
    for (const QString& linie : eroare.split(u'\n')) {
        if (linie.startsWith(QStringLiteral("MOTIV: ")))
            motiv = linie.mid(7).trimmed();
        else if (linie.startsWith(QStringLiteral("DETALII: ")))
            detalii = linie.mid(9).trimmed();
    }
    if (stare == QProcess::CrashExit)
        throw Eroare(cale,
                     QStringLiteral("LibreOffice Calc s-a oprit neasteptat (semnalul %1), poate din lipsa de memorie.")
                         .arg(cod));
    if (cod == IesireFaraUno)
        throw Eroare(cale, QStringLiteral("%1. Instalati pachetul %2.").arg(motiv, QString::fromLatin1(PachetUno)),
                     detalii);
    if (cod == IesireFaraCalc)
        throw Eroare(cale, QStringLiteral("%1. Instalati pachetul %2.").arg(motiv, QString::fromLatin1(PachetCalc)),
                     detalii);
    if (cod != IesireOk)
        throw Eroare(cale,
                     motiv.isEmpty() ? QStringLiteral("LibreOffice Calc s-a oprit neasteptat (cod %1).").arg(cod)
                                     : motiv + u'.',
                     detalii.isEmpty() && motiv.isEmpty() ? eroare.trimmed().right(2000) : detalii);

    QFile fisierFoi(QDir(iesire).filePath(QStringLiteral("foi.json")));
    if (!fisierFoi.open(QIODevice::ReadOnly))
        throw Eroare(cale, QStringLiteral("LibreOffice Calc nu a dat lista foilor."));
    const QJsonArray nume = QJsonDocument::fromJson(fisierFoi.readAll()).array();
    if (nume.isEmpty())
        throw Eroare(cale, QStringLiteral("nu are nicio foaie de calcul."));
    QList<TFoaieCalcul> foi;
    for (qsizetype i = 0; i < nume.size(); ++i) {
        TFoaieCalcul foaie;
        foaie.Nume = nume[i].toString();
        if (!CitesteFoaia(QDir(iesire).filePath(QString::number(i + 1)), foaie))
            throw Eroare(cale, QStringLiteral("LibreOffice Calc nu a dat foaia %1.").arg(foaie.Nume));
        foi.append(foaie);
    }
    m_foi = std::move(foi);
}

int StergeResturiCalc()
{
    static const QRegularExpression nume(QStringLiteral("^tessaluna-calc-(?:(\\d+)-)?[A-Za-z0-9]{6}$"));
    // Folders of earlier versions name no process; a reading is ended within its time limit, long before this.
    const QDateTime vechi = QDateTime::currentDateTime().addSecs(-3600);
    int sterse = 0;
    const QFileInfoList dosare =
        QDir(DosarTemporar()).entryInfoList({QStringLiteral("tessaluna-calc-*")}, QDir::Dirs | QDir::NoSymLinks);
    for (const QFileInfo& dosar : dosare) {
        const QRegularExpressionMatch m = nume.match(dosar.fileName());
        if (!m.hasMatch() || dosar.ownerId() != ::getuid())
            continue;
        const bool folosit = m.captured(1).isEmpty()
                                 ? dosar.lastModified() >= vechi
                                 : FolositDeProces(m.captured(1).toLongLong(), dosar.lastModified());
        if (folosit)
            continue;
        // Calc's pipes of that reading: the one named after the profile and the one named by the reader.
        const QString url = QUrl::fromLocalFile(QDir(dosar.absoluteFilePath()).filePath(QStringLiteral("profil")))
                                .toString(QUrl::FullyEncoded);
        QStringList pipe = PipeCalc(url, QStringLiteral("-")).filter(QStringLiteral("SingleOfficeIPC"));
        for (const char* tmp : {"/tmp", "/var/tmp"}) {
            for (const QString& p :
                 QDir(QString::fromLatin1(tmp))
                     .entryList({QStringLiteral("OSL_PIPE_%1_tessaluna_*_%2").arg(::getuid()).arg(dosar.fileName())},
                                QDir::System | QDir::Hidden | QDir::Files))
                pipe << QString::fromLatin1(tmp) + u'/' + p;
        }
        for (const QString& teava : std::as_const(pipe)) {
            struct stat st
            {
            };
            const QByteArray cale = QFile::encodeName(teava);
            if (::lstat(cale.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid())
                ::unlink(cale.constData());
        }
        if (QDir(dosar.absoluteFilePath()).removeRecursively())
            ++sterse;
    }
    return sterse;
}
