#include "store/UCopii.h"

#include "platform/UScriereSigura.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UFirebird.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <firebird/Interface.h>
#include <ibase.h>
#include <iberror.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Firebird;

namespace {

const char* const Utilizator = "sysdba";
const char* const Parola = "velkortan";

IMaster* Master()
{
    static IMaster* master = fb_get_master_interface();
    return master;
}

EEroareBD::TCategorie Categorie(const ISC_STATUS* v)
{
    for (int i = 0; v[i] != isc_arg_end;) {
        if (v[i] == isc_arg_gds) {
            switch (v[i + 1]) {
            case isc_network_error:
            case isc_unavailable:
            case isc_login:
            case isc_shutdown:
            case isc_net_connect_err:
            case isc_net_read_err:
            case isc_net_write_err:
                return EEroareBD::Conexiune;
            default:
                break;
            }
        }
        i += v[i] == isc_arg_cstring ? 3 : 2;
    }
    return EEroareBD::Alta;
}

struct TEroareServiciu
{
    QString Text;
    EEroareBD::TCategorie Categorie = EEroareBD::Alta;
};

// Where the services of a database name live and how they name the database: the embedded engine's own
// manager for a file, "host:service_mgr" and the path on the server for a server name.
struct TTintaServiciu
{
    QByteArray Manager;
    QByteArray Baza;
};

TTintaServiciu TintaPentru(const QString& baza)
{
    if (!EsteNumeServer(baza))
        return {QByteArrayLiteral("service_mgr"), QDir::toNativeSeparators(baza).toUtf8()};
    const int doua = baza.indexOf(u':');
    return {(baza.left(doua) + QStringLiteral(":service_mgr")).toUtf8(), baza.mid(doua + 1).toUtf8()};
}

unsigned Lungime(const unsigned char* p)
{
    return unsigned(p[0]) | (unsigned(p[1]) << 8);
}

// Starts one service action and reads its verbose output to the end. The engine reports a failure of the
// action itself through the status of the query that follows it, so every error surfaces here.
// Each call has its own status object: this runs on worker threads.
void RuleazaServiciu(const QString& baza, const std::function<void(ThrowStatusWrapper&, IXpbBuilder*)>& actiune,
                     const TProgresCopie& progres)
{
    IStatus* stare = Master()->getStatus();
    ThrowStatusWrapper st(stare);
    IUtil* util = Master()->getUtilInterface();
    IProvider* furnizor = Master()->getDispatcher();
    IXpbBuilder* spbAtasare = nullptr;
    IXpbBuilder* spbStart = nullptr;
    IService* serviciu = nullptr;
    TEroareServiciu eroare;
    bool esec = false;
    try {
        const TTintaServiciu tinta = TintaPentru(baza);
        spbAtasare = util->getXpbBuilder(&st, IXpbBuilder::SPB_ATTACH, nullptr, 0);
        spbAtasare->insertString(&st, isc_spb_user_name, Utilizator);
        spbAtasare->insertString(&st, isc_spb_password, Parola);
        serviciu = furnizor->attachServiceManager(&st, tinta.Manager.constData(), spbAtasare->getBufferLength(&st),
                                                  spbAtasare->getBuffer(&st));
        spbStart = util->getXpbBuilder(&st, IXpbBuilder::SPB_START, nullptr, 0);
        actiune(st, spbStart);
        serviciu->start(&st, spbStart->getBufferLength(&st), spbStart->getBuffer(&st));

        const unsigned char cerere[] = {isc_info_svc_line};
        std::vector<unsigned char> raspuns(32 * 1024);
        for (bool gata = false; !gata;) {
            serviciu->query(&st, 0, nullptr, sizeof(cerere), cerere, unsigned(raspuns.size()), raspuns.data());
            const unsigned char* p = raspuns.data();
            const unsigned char* const sfarsit = p + raspuns.size();
            bool maiUrmeaza = false;
            while (p < sfarsit && *p != isc_info_end) {
                const unsigned char element = *p++;
                if (element == isc_info_svc_line) {
                    const unsigned n = Lungime(p);
                    p += 2;
                    if (n == 0) {
                        gata = !maiUrmeaza;
                    } else {
                        if (progres)
                            progres(QString::fromUtf8(reinterpret_cast<const char*>(p), int(n)));
                        maiUrmeaza = true;
                    }
                    p += n;
                } else if (element == isc_info_truncated || element == isc_info_svc_timeout ||
                           element == isc_info_data_not_ready) {
                    maiUrmeaza = true;
                } else {
                    break;
                }
            }
        }
        serviciu->detach(&st);
        serviciu = nullptr;
    } catch (const FbException& e) {
        char text[4096];
        util->formatStatus(text, sizeof(text), e.getStatus());
        eroare = {QString::fromUtf8(text).trimmed(), Categorie(e.getStatus()->getErrors())};
        esec = true;
    }
    if (serviciu)
        serviciu->release();
    if (spbAtasare)
        spbAtasare->dispose();
    if (spbStart)
        spbStart->dispose();
    furnizor->release();
    stare->dispose();
    if (esec)
        throw EEroareBD(eroare.Text, eroare.Categorie, 0, eroare.Text);
}

QString Afisat(const QString& cale)
{
    return QDir::toNativeSeparators(cale);
}

QString Stampila(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QRegularExpression TiparCopieAutomata(const QString& caleBaza)
{
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(QFileInfo(caleBaza).completeBaseName()) +
                                  QStringLiteral("-automata-(\\d{8})-(\\d{6})(-[A-Za-z0-9]+)?\\.fbk$"),
                              QRegularExpression::CaseInsensitiveOption);
}

// A free name in `dosar` built as baza + stampila + sufix + extensie.
QString NumeLiber(const QString& dosar, const QString& inceput, const QString& extensie)
{
    QString cale = QDir(dosar).filePath(inceput + extensie);
    for (int i = 2; QFileInfo::exists(cale); ++i)
        cale = QDir(dosar).filePath(inceput + QStringLiteral("-%1").arg(i) + extensie);
    return cale;
}

} // namespace

bool EsteNumeServer(const QString& baza)
{
    const int doua = baza.indexOf(u':');
    // "C:\..." is a drive, not a host; "/..." is a local path.
    return doua > 1 && !baza.startsWith(u'/');
}

void FaCopieDeSiguranta(const QString& baza, const QString& fisier, const TProgresCopie& progres)
{
    // The engine of a server writes on the server's disk, where a partial file could not be taken back.
    if (EsteNumeServer(baza))
        throw EEroareBD(QStringLiteral("Registrul se afla pe serverul Firebird %1: copiile lui de siguranta le face "
                                       "administratorul serverului, cu gbak.")
                            .arg(baza),
                        EEroareBD::Alta);
    // Named by this process, so that a start-up tells an interrupted backup's file from one being written.
    const QString partial = fisier + QStringLiteral(".p%1.part").arg(::getpid());
    if (QFileInfo::exists(fisier))
        throw EEroareBD(QStringLiteral("Exista deja un fisier %1. Copia de siguranta nu il inlocuieste; alegeti "
                                       "alt nume.")
                            .arg(Afisat(fisier)),
                        EEroareBD::Alta);
    // A partial file is what an interrupted backup left: never a backup, so it may go.
    QFile::remove(partial);
    const auto esec = [&](const QString& motiv, EEroareBD::TCategorie categorie) {
        QFile::remove(partial);
        return EEroareBD(QStringLiteral("Copia de siguranta nu a putut fi facuta in %1. Copiile facute inainte "
                                        "au ramas neatinse.\n\n%2")
                             .arg(Afisat(fisier), motiv),
                         categorie);
    };
    const auto esecMotor = [&](const EEroareBD& e) {
        QFile::remove(partial);
        return e.Reformulata(QStringLiteral("Copia de siguranta nu a putut fi facuta in %1 (baza de date sau "
                                            "dosarul copiei nu au putut fi citite ori scrise). Copiile facute "
                                            "inainte au ramas neatinse.")
                                 .arg(Afisat(fisier)));
    };
    try {
        RuleazaServiciu(
            baza,
            [&](ThrowStatusWrapper& st, IXpbBuilder* spb) {
                const TTintaServiciu tinta = TintaPentru(baza);
                const QByteArray fbk = Afisat(partial).toUtf8();
                spb->insertTag(&st, isc_action_svc_backup);
                spb->insertString(&st, isc_spb_dbname, tinta.Baza.constData());
                spb->insertString(&st, isc_spb_bkp_file, fbk.constData());
                spb->insertTag(&st, isc_spb_verbose);
            },
            progres);
    } catch (const EEroareBD& e) {
        throw esecMotor(e);
    }
    if (QFileInfo(partial).size() <= 0)
        throw esec(QStringLiteral("Fisierul scris este gol."), EEroareBD::Alta);
    // The engine makes it as the umask says; it holds every student's personal data.
    InchideAltora(partial);
    if (!QFile::rename(partial, fisier))
        throw esec(QStringLiteral("Fisierul scris nu a putut primi numele copiei."), EEroareBD::Alta);
}

void RestaureazaCopie(const QString& fisier, const QString& tinta, const TProgresCopie& progres)
{
    if (!EsteNumeServer(tinta) && QFileInfo::exists(tinta))
        throw EEroareBD(QStringLiteral("Exista deja un fisier %1; restaurarea nu il inlocuieste.").arg(Afisat(tinta)),
                        EEroareBD::Alta);
    if (!QFileInfo(fisier).isFile())
        throw EEroareBD(QStringLiteral("Nu gasesc copia de siguranta %1.").arg(Afisat(fisier)), EEroareBD::Alta);
    try {
        RuleazaServiciu(
            tinta,
            [&](ThrowStatusWrapper& st, IXpbBuilder* spb) {
                const QByteArray fbk = Afisat(fisier).toUtf8();
                spb->insertTag(&st, isc_action_svc_restore);
                spb->insertString(&st, isc_spb_bkp_file, fbk.constData());
                spb->insertString(&st, isc_spb_dbname, TintaPentru(tinta).Baza.constData());
                spb->insertInt(&st, isc_spb_options, isc_spb_res_create);
                spb->insertTag(&st, isc_spb_verbose);
            },
            progres);
    } catch (const EEroareBD& e) {
        if (!EsteNumeServer(tinta))
            QFile::remove(tinta);
        throw e.Reformulata(QStringLiteral("Fisierul %1 nu a putut fi restaurat: este deteriorat sau nu este o "
                                           "copie de siguranta a registrului. Alegeti o copie facuta de program "
                                           "(.zip sau .fbk). Registrul curent a ramas neatins.")
                                .arg(Afisat(fisier)));
    }
}

QString DosarCopii(const QString& caleBaza)
{
    return QFileInfo(caleBaza).absoluteDir().filePath(QStringLiteral("copii"));
}

QStringList CopiiAutomate(const QString& caleBaza)
{
    const QRegularExpression tipar = TiparCopieAutomata(caleBaza);
    struct TCopie
    {
        QString Stampila;
        QString Nume;
    };
    QList<TCopie> copii;
    const QStringList fisiere = QDir(DosarCopii(caleBaza)).entryList(QDir::Files);
    for (const QString& nume : fisiere) {
        const QRegularExpressionMatch m = tipar.match(nume);
        if (m.hasMatch())
            copii.append({m.captured(1) + m.captured(2), nume});
    }
    std::sort(copii.begin(), copii.end(), [](const TCopie& a, const TCopie& b) {
        return a.Stampila != b.Stampila ? a.Stampila < b.Stampila : a.Nume < b.Nume;
    });
    QStringList rezultat;
    for (const TCopie& c : copii)
        rezultat << QDir(DosarCopii(caleBaza)).filePath(c.Nume);
    return rezultat;
}

QString NumeCopieManuala(const QString& caleBaza, const QDateTime& moment)
{
    return QDir(DosarCopii(caleBaza))
        .filePath(QFileInfo(caleBaza).completeBaseName() + u'-' + Stampila(moment) + QStringLiteral(".zip"));
}

bool EsteNumeCopieAutomata(const QString& caleBaza, const QString& fisier)
{
    const QFileInfo info(fisier);
    return info.absoluteDir() == QDir(DosarCopii(caleBaza)) &&
           TiparCopieAutomata(caleBaza).match(info.fileName()).hasMatch();
}

bool ExistaCopieDin(const QString& caleBaza, const QDate& zi)
{
    const QRegularExpression tipar = TiparCopieAutomata(caleBaza);
    const QString ziua = zi.toString(QStringLiteral("yyyyMMdd"));
    const QStringList copii = CopiiAutomate(caleBaza);
    return std::any_of(copii.begin(), copii.end(), [&](const QString& cale) {
        return tipar.match(QFileInfo(cale).fileName()).captured(1) == ziua;
    });
}

QString FaCopieAutomata(const QString& caleBaza, const QDateTime& moment, const QString& sufix,
                        const TProgresCopie& progres)
{
    const QString dosar = DosarCopii(caleBaza);
    if (!CreeazaDosarPrivat(dosar))
        throw EEroareBD(QStringLiteral("Nu pot crea dosarul copiilor de siguranta %1.").arg(Afisat(dosar)),
                        EEroareBD::Alta);
    QString inceput = QFileInfo(caleBaza).completeBaseName() + QStringLiteral("-automata-") + Stampila(moment);
    if (!sufix.isEmpty())
        inceput += u'-' + sufix;
    // A second copy within the same second gets a counter, which the name pattern reads as a suffix.
    const QString fisier = NumeLiber(dosar, inceput, QStringLiteral(".fbk"));
    InchideAltora(dosar); // made by an earlier version as the umask said
    FaCopieDeSiguranta(caleBaza, fisier, progres);
    const QStringList copii = CopiiAutomate(caleBaza);
    for (int i = 0; i + CopiiPastrate < copii.size(); ++i)
        QFile::remove(copii[i]);
    return fisier;
}

namespace {

// Students of the database behind `q`, in its own transaction `tr` (idle on entry).
qint64 NumarElevi(TTranzactie& tr, TQuery& q)
{
    const TGardaCitire citire(tr);
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select RDB$RELATION_NAME from RDB$RELATIONS where RDB$RELATION_NAME = 'ELEVI'"));
    q.Open();
    if (q.Eof())
        return 0;
    q.SetSQL(QStringLiteral("select count(*) as N from ELEVI"));
    q.Open();
    return q.FieldByName(QStringLiteral("N")).AsInteger();
}

// What a restore that did not reach its end left undone, as the engine sees the new database: empty when
// nothing. The engine's restore puts the database online, activates the indexes and adds the constraints
// last, and a backup cut short ends it before them without an error.
QString CeLipsesteDupaRestaurare(TTranzactie& tr, TQuery& q)
{
    const TGardaCitire citire(tr);
    const TGardaCursor cursor(q);
    const auto numar = [&q](const QString& sql) {
        q.SetSQL(sql);
        q.Open();
        return q.FieldByName(QStringLiteral("N")).AsInteger();
    };
    if (numar(QStringLiteral("select MON$SHUTDOWN_MODE as N from MON$DATABASE")) != 0)
        return QStringLiteral("baza de date restaurata a ramas inchisa pentru intretinere");
    if (const qint64 n =
            numar(QStringLiteral("select count(*) as N from RDB$INDICES where "
                                 "coalesce(RDB$SYSTEM_FLAG, 0) = 0 and coalesce(RDB$INDEX_INACTIVE, 0) <> 0"));
        n > 0)
        return QStringLiteral("%1 indecsi au ramas inactivi").arg(n);
    // The index of a key is restored before its constraint: a unique or foreign index without one is a key lost.
    if (const qint64 n = numar(
            QStringLiteral("select count(*) as N from RDB$INDICES i where coalesce(i.RDB$SYSTEM_FLAG, 0) = 0 and "
                           "(i.RDB$UNIQUE_FLAG = 1 or i.RDB$FOREIGN_KEY is not null) and not exists (select 1 from "
                           "RDB$RELATION_CONSTRAINTS c where c.RDB$INDEX_NAME = i.RDB$INDEX_NAME)"));
        n > 0)
        return QStringLiteral("%1 chei sau legaturi intre tabele lipsesc").arg(n);
    return {};
}

} // namespace

qint64 NumarEleviCurenti(TDM& dm)
{
    return NumarElevi(dm.Tr, dm.Q1);
}

TVerificareCopie PregatesteRestaurarea(TDM& dm, const QString& fisierCopie, const TRuleazaRestaurarea& ruleaza,
                                       const QString& afisat)
{
    const QString numeCopie = afisat.isEmpty() ? fisierCopie : afisat;
    const QString curenta = dm.Db.DatabaseName();
    if (curenta.isEmpty() || EsteNumeServer(curenta))
        throw EEroare(QStringLiteral("Registrul se afla pe un server Firebird: restaurarea lui o face "
                                     "administratorul serverului, din copia de siguranta, cu gbak."));
    TVerificareCopie v;
    const QFileInfo info(curenta);
    v.CaleRestaurata = NumeLiber(info.absolutePath(),
                                 info.completeBaseName() + QStringLiteral("-restaurata-") +
                                     Stampila(QDateTime::currentDateTime()) + QStringLiteral("-p%1").arg(::getpid()),
                                 QStringLiteral(".FDB"));
    const auto restaurare = [&](const TProgresCopie& progres) {
        try {
            RestaureazaCopie(fisierCopie, v.CaleRestaurata, progres);
        } catch (const EEroareBD& e) {
            if (afisat.isEmpty())
                throw;
            throw EEroareBD(QString(e.Mesaj()).replace(Afisat(fisierCopie), Afisat(numeCopie)), e.Categorie(), 0,
                            e.Detalii());
        }
    };
    if (ruleaza)
        ruleaza(restaurare);
    else
        restaurare({});
    // The engine makes the file as the umask says: it gets the register's own permissions, never others'.
    QFile::setPermissions(v.CaleRestaurata,
                          QFile::permissions(curenta) & ~(QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));

    const auto strain = [&](const QString& motiv, const QString& detalii = {}) {
        QFile::remove(v.CaleRestaurata);
        return EEroare(QStringLiteral("Fisierul %1 nu este o copie a registrului: %2 Registrul curent a ramas "
                                      "neatins.")
                           .arg(Afisat(numeCopie), motiv),
                       detalii);
    };
    const auto incompleta = [&](const QString& lipsa) {
        QFile::remove(v.CaleRestaurata);
        return EEroare(QStringLiteral("Copia de siguranta %1 este incompleta (%2): probabil nu a fost copiata pana "
                                      "la capat, de exemplu dintr-o copiere intrerupta sau pe un disc plin. Nu "
                                      "poate fi folosita. Registrul curent a ramas neatins.")
                           .arg(Afisat(numeCopie), lipsa));
    };
    try {
        TConexiune db;
        TTranzactie tr(db);
        TQuery q(db, tr);
        db.SetDatabaseName(v.CaleRestaurata);
        db.Params() << QStringLiteral("USER_NAME=sysdba") << QStringLiteral("password=velkortan");
        db.Open();
        const QString lipsa = CeLipsesteDupaRestaurare(tr, q);
        if (!lipsa.isEmpty()) {
            db.Close();
            throw incompleta(lipsa);
        }
        qint64 versiune = 0;
        {
            const TGardaCitire citire(tr);
            const TGardaCursor cursor(q);
            for (const char* tabel : {"CONFID_DB", "PROFIL_DIPLOMA", "TABELE", "TIPURI_DE_DATE", "DATE"}) {
                q.SetSQL(QStringLiteral("select RDB$RELATION_NAME from RDB$RELATIONS where RDB$RELATION_NAME = :NUME"));
                q.ParamByName(QStringLiteral("NUME")).SetAsString(QString::fromLatin1(tabel));
                q.Open();
                if (q.Eof())
                    throw strain(QStringLiteral("ii lipseste tabela %1.").arg(QString::fromLatin1(tabel)));
            }
            q.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
            q.Open();
            versiune = q.Eof() ? 0 : q.FieldByName(QStringLiteral("VERSIUNE")).AsInteger();
        }
        // A register always has its one CONFID_DB row: a copy without it was cut short before its data.
        if (versiune == 0) {
            db.Close();
            throw incompleta(QStringLiteral("tabela CONFID_DB nu are niciun rand"));
        }
        if (versiune < 1 || versiune > 3)
            throw strain(QStringLiteral("versiunea ei (%1) nu este una pe care programul o cunoaste.").arg(versiune));
        VerificaCitireaBazei(tr, q);
        v.EleviInCopie = NumarElevi(tr, q);
        db.Close();
    } catch (const EEroareBD& e) {
        throw strain(QStringLiteral("nu se deschide ca baza de date a programului."),
                     e.Detalii().isEmpty() ? e.Mesaj() : e.Detalii());
    }
    try {
        v.EleviCurenti = NumarEleviCurenti(dm);
    } catch (...) {
        QFile::remove(v.CaleRestaurata);
        throw;
    }
    return v;
}

void AbandoneazaRestaurata(const TVerificareCopie& verificare)
{
    QFile::remove(verificare.CaleRestaurata);
}

std::function<void()> LaMijloculInlocuirii;

namespace {

bool AcelasiFisier(const QString& a, const QString& b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Makes the renames in `dosar` durable before the next step relies on them.
void SincronizeazaDosar(const QString& dosar)
{
    const int fd = ::open(QFile::encodeName(dosar).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QRegularExpression TiparInlocuita(const QString& caleBaza)
{
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(QFileInfo(caleBaza).completeBaseName()) +
                                  QStringLiteral("-inlocuita-\\d{8}-\\d{6}(-\\d+)?\\.FDB$"),
                              QRegularExpression::CaseInsensitiveOption);
}

} // namespace

QString InlocuiesteCuRestaurata(TDM& dm, const TVerificareCopie& verificare, const QDateTime& moment)
{
    const QString curenta = dm.Db.DatabaseName();
    const QFileInfo info(curenta);
    const QString pastrata =
        NumeLiber(info.absolutePath(), info.completeBaseName() + QStringLiteral("-inlocuita-") + Stampila(moment),
                  QStringLiteral(".FDB"));
    dm.Tr.Rollback();
    dm.Db.Close();
    const auto revino = [&](const QString& motiv, const QString& detalii = {}) {
        dm.Db.Open();
        return EEroare(QStringLiteral("Restaurarea nu a putut inlocui registrul: %1 Registrul curent a ramas "
                                      "neatins.")
                           .arg(motiv),
                       detalii);
    };
    const QByteArray cCurenta = QFile::encodeName(curenta);
    const QByteArray cPastrata = QFile::encodeName(pastrata);
    const QByteArray cRestaurata = QFile::encodeName(verificare.CaleRestaurata);
    // The current register gets its second name first (a copy where the disk has no links), then the restored
    // file takes the register's name in one step: at every moment the register's name holds a whole register.
    if (::link(cCurenta.constData(), cPastrata.constData()) != 0 && !QFile::copy(curenta, pastrata))
        throw revino(
            QStringLiteral("fisierul %1 nu a putut fi pastrat sub numele %2.").arg(Afisat(curenta), Afisat(pastrata)));
    SincronizeazaDosar(info.absolutePath());
    if (LaMijloculInlocuirii)
        LaMijloculInlocuirii();
    if (::rename(cRestaurata.constData(), cCurenta.constData()) != 0) {
        QFile::remove(pastrata);
        throw revino(QStringLiteral("fisierul restaurat nu a putut fi mutat in locul lui."));
    }
    SincronizeazaDosar(info.absolutePath());
    try {
        dm.Db.Open();
    } catch (const EEroareBD& e) {
        ::rename(cPastrata.constData(), cCurenta.constData());
        throw revino(QStringLiteral("fisierul restaurat nu s-a deschis."),
                     e.Detalii().isEmpty() ? e.Mesaj() : e.Detalii());
    }
    return pastrata;
}

QString IncheieInlocuireaIntrerupta(const QString& caleBaza)
{
    const QDir dosar = QFileInfo(caleBaza).absoluteDir();
    const QRegularExpression tipar = TiparInlocuita(caleBaza);
    QStringList pastrate;
    for (const QString& nume : dosar.entryList(QDir::Files, QDir::Name)) {
        if (tipar.match(nume).hasMatch())
            pastrate << dosar.filePath(nume);
    }
    if (QFileInfo::exists(caleBaza)) {
        // A second name of the register itself: the swap stopped before the restored file took its place.
        for (const QString& pastrata : std::as_const(pastrate)) {
            if (AcelasiFisier(pastrata, caleBaza) && QFile::remove(pastrata))
                return QStringLiteral("O restaurare din copie a fost intrerupta inainte de a inlocui registrul. "
                                      "Registrul a ramas cel de dinainte, neschimbat; daca doriti registrul din "
                                      "copie, faceti din nou restaurarea.");
        }
        return {};
    }
    // No register, but the one replaced by a restore beside a restored file: a swap of the program's earlier
    // versions, which renamed the register away first, stopped there. The replaced register is put back.
    const QStringList restaurate =
        dosar.entryList({QFileInfo(caleBaza).completeBaseName() + QStringLiteral("-restaurata-*.FDB")}, QDir::Files);
    if (pastrate.isEmpty() || restaurate.isEmpty())
        return {};
    const QString ultima = pastrate.last(); // the names sort by their time stamp
    if (::rename(QFile::encodeName(ultima).constData(), QFile::encodeName(caleBaza).constData()) != 0)
        return QStringLiteral("O restaurare din copie a fost intrerupta si registrul nu se afla la locul lui. "
                              "Registrul de dinainte se afla in fisierul %1; nu l-am putut pune la loc: inchideti "
                              "programul si redenumiti-l %2.")
            .arg(Afisat(ultima), Afisat(caleBaza));
    SincronizeazaDosar(dosar.path());
    return QStringLiteral("O restaurare din copie a fost intrerupta inainte de a se incheia. Registrul de dinainte a "
                          "fost pus la loc din fisierul %1; daca doriti registrul din copie, faceti din nou "
                          "restaurarea.")
        .arg(Afisat(ultima));
}

int StergeResturi(const QString& caleBaza)
{
    const QDateTime pornire = PornireaProcesului();
    static const QRegularExpression proces(QStringLiteral("-p(\\d+)(-\\d+)?\\.FDB$|\\.p(\\d+)\\.part$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto sterge = [&](const QString& dosar, const QString& tipar) {
        int sterse = 0;
        const QFileInfoList fisiere = QDir(dosar).entryInfoList({tipar}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QFileInfo& f : fisiere) {
            if (f.ownerId() != ::geteuid())
                continue;
            const QRegularExpressionMatch m = proces.match(f.fileName());
            const QString pid = m.captured(1).isEmpty() ? m.captured(3) : m.captured(1);
            // A file of an earlier version names no process: one changed since this start may be in use.
            const bool folosit =
                m.hasMatch() ? FolositDeProces(pid.toLongLong(), f.lastModified()) : f.lastModified() >= pornire;
            if (!folosit && QFile::remove(f.absoluteFilePath()))
                ++sterse;
        }
        return sterse;
    };
    const QFileInfo baza(caleBaza);
    return sterge(DosarCopii(caleBaza), QStringLiteral("*.part")) +
           sterge(baza.absolutePath(), QStringLiteral("*.part")) +
           sterge(baza.absolutePath(), baza.completeBaseName() + QStringLiteral("-restaurata-*.FDB"));
}
