// One desk of the secretariat without its windows: the program's start-up and its save statements over the
// database named in the desk's own registry file. Driven by doua_birouri.sh, two at a time.
//
//   birou_server seteaza NUME [UTILIZATOR]
//                                        the database setting, as the "Baza de date" dialog stores it; the
//                                        password comes from BIROU_PAROLA, kept in memory as on a desk
//                                        without a secret store
//   birou_server acces NUME UTILIZATOR PAROLA
//                                        what the "Baza de date" dialog's OK does: checks by connecting, then stores
//   birou_server pastreaza-parola PAROLA keeps the password as the dialog does: memory and secret store
//   birou_server citeste-parola          the password a new start finds for the desk's server and user
//   birou_server porneste                the data module's start-up; prints the database in use
//   birou_server verifica                the rows the start-up writes, against the built-in profile
//   birou_server legatura                the connection's user and whether its wire is encrypted
//   birou_server reconecteaza ID DOSAR   a save after the server stopped and started again, then the
//                                        reconnection and the same save again
//   birou_server adauga ETICHETA N       N students, each saved in its own transaction
//   birou_server schimba ID TEXT ROL DOSAR
//                                        changes one student's name: ROL "primul" saves while the other desk
//                                        holds the same student open; ROL "al-doilea" meets that change, shows
//                                        the message and saves again what was typed
//   birou_server pana-la-oprire ID DOSAR  a save still open when the server stops
//   birou_server numara                  students, values and names as a new reload of the list sees them
//   birou_server formulare-lot SERIE DE PANA
//                                        records a batch of blanks
//   birou_server formulare ETICHETA LUCRARI FOI DOSAR
//                                        once DOSAR/formulare-start exists, records LUCRARI print jobs of FOI sheets,
//                                        each taking blanks of series AB from number 1 on, as the other desk does
//   birou_server formulare-oprit FOI DOSAR
//                                        records a job of FOI sheets as the program does, and waits inside the
//                                        recording transaction, its blanks taken, for the test to kill it
//   birou_server formulare-loturi START DOSAR
//                                        once DOSAR/loturi-start exists, adds 20 batches of series CD, ten blanks
//                                        each from START on, and counts those refused
//   birou_server numara-formulare        the blanks issued, distinct numbers and register numbers, the highest

#include "platform/UFoldere.h"
#include "profile/UPornireDate.h"
#include "profile/UProfil.h"
#include "profile/UProfilTessaluna.h"
#include "store/UBazaServer.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UFormulare.h"
#include "store/UTipariri.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

namespace {

const QStringList Campuri = {"C_NUME_L1", "C_CNP", "C_AN_ABSOLVIRE", "A_NUME"};

void Scrie(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void AsteaptaFisier(const QString& cale)
{
    // The other desk's signal; the shell test's own time limit ends a desk that waits forever.
    while (!QFile::exists(cale))
        QThread::msleep(20);
}

void Semnaleaza(const QString& cale)
{
    QFile f(cale);
    f.open(QIODevice::WriteOnly);
}

void ScrieValoare(TDM& dm, qint64 id, const QString& camp, const QString& valoare)
{
    dm.Q2.SetSQL(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, "
                                "VALOARE_NUM, ID_ELEVI) values ('Tessaluna', 'FATA', :CAMP, :VALOARE, 0, :ID)"));
    dm.Q2.ParamByName(QStringLiteral("CAMP")).SetAsString(camp);
    dm.Q2.ParamByName(QStringLiteral("VALOARE")).SetAsString(valoare);
    dm.Q2.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    dm.Q2.ExecSQL();
}

void Adauga(TDM& dm, const QString& eticheta, int n)
{
    for (int i = 1; i <= n; ++i) {
        dm.Tr.StartTransaction();
        try {
            dm.Q1.SetSQL(QStringLiteral("SELECT GEN_ID(G_ID_ELEVI,1) AS \"ID\" FROM RDB$DATABASE"));
            dm.Q1.Open();
            const qint64 id = dm.Q1.FieldByName(QStringLiteral("ID")).AsInteger();
            dm.Q1.Close();
            dm.Q1.SetSQL(QStringLiteral("insert into    ELEVI    (ID_ELEVI) values    (:id)"));
            dm.Q1.ParamByName(QStringLiteral("id")).SetAsInteger(id);
            dm.Q1.ExecSQL();
            for (const QString& camp : Campuri)
                ScrieValoare(dm, id, camp, QStringLiteral("%1 %2 %3 Ştefănescu").arg(eticheta).arg(i).arg(camp));
            dm.Tr.Commit();
        } catch (...) {
            dm.Tr.Rollback();
            throw;
        }
    }
    Scrie(QStringLiteral("ADAUGATI %1").arg(n));
}

void SalveazaNume(TDM& dm, qint64 id, const QString& text)
{
    dm.Q1.SetSQL(QStringLiteral("update \"DATE\" set VALOARE_TEXT = :V where ID_ELEVI = :ID and COD_CAMP = "
                                "'C_NUME_L1'"));
    dm.Q1.ParamByName(QStringLiteral("V")).SetAsString(text);
    dm.Q1.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    dm.Q1.ExecSQL();
}

void Schimba(TDM& dm, qint64 id, const QString& text, const QString& rol, const QString& dosar)
{
    const QString deschis = dosar + QStringLiteral("/al-doilea-deschis");
    const QString salvat = dosar + QStringLiteral("/primul-salvat");
    if (rol == u"primul") {
        AsteaptaFisier(deschis);
        dm.Tr.StartTransaction();
        SalveazaNume(dm, id, text);
        dm.Tr.Commit();
        Semnaleaza(salvat);
        Scrie(QStringLiteral("SALVAT"));
        return;
    }
    // The second desk's save began (its transaction saw the student) before the first desk's save.
    dm.Tr.StartTransaction();
    dm.Q1.SetSQL(QStringLiteral("select count(*) as N from ELEVI"));
    dm.Q1.Open();
    dm.Q1.Close();
    Semnaleaza(deschis);
    AsteaptaFisier(salvat);
    try {
        SalveazaNume(dm, id, text);
        dm.Tr.Commit();
        Scrie(QStringLiteral("SALVAT FARA CONFLICT"));
        return;
    } catch (const EEroareBD& e) {
        dm.Tr.Rollback();
        Scrie(QStringLiteral("CONFLICT %1 %2").arg(int(e.Categorie())).arg(e.Mesaj().section(u'\n', 0, 0)));
    }
    // The typed text is still there: saving again stores it.
    dm.Tr.StartTransaction();
    SalveazaNume(dm, id, text);
    dm.Tr.Commit();
    Scrie(QStringLiteral("SALVAT DIN NOU"));
}

// A save held open while the server stops: the commit meets the lost connection.
void SchimbaPanaLaOprire(TDM& dm, qint64 id, const QString& dosar)
{
    dm.Tr.StartTransaction();
    SalveazaNume(dm, id, QStringLiteral("Pierdut la oprire"));
    Semnaleaza(dosar + QStringLiteral("/salvare-deschisa"));
    AsteaptaFisier(dosar + QStringLiteral("/server-oprit"));
    try {
        dm.Tr.Commit();
        Scrie(QStringLiteral("SALVAT FARA SERVER"));
    } catch (const EEroareBD& e) {
        Scrie(QStringLiteral("OPRIT %1 %2").arg(int(e.Categorie())).arg(e.Mesaj().section(u'\n', 0, 0)));
    }
}

QString Unu(TDM& dm, const QString& sql)
{
    dm.Q1.SetSQL(sql);
    dm.Q1.Open();
    const QString r = dm.Q1.FieldByName(QStringLiteral("C")).AsString();
    dm.Q1.Close();
    return r;
}

// What several desks started at once must leave behind: the version, each table and data type once, and every
// profile line of the program as it describes it.
void Verifica(TDM& dm)
{
    dm.Tr.StartTransaction();
    Scrie(QStringLiteral("VERSIUNE %1").arg(Unu(dm, QStringLiteral("select VERSIUNE as C from CONFID_DB"))));
    Scrie(QStringLiteral("TABELE %1").arg(Unu(dm, QStringLiteral("select count(*) as C from TABELE"))));
    Scrie(QStringLiteral("TIPURI %1 DISTINCTE %2")
              .arg(Unu(dm, QStringLiteral("select count(*) as C from TIPURI_DE_DATE")),
                   Unu(dm, QStringLiteral("select count(distinct TIP_DE_DATE) as C from TIPURI_DE_DATE"))));
    const auto lista = ProfilInregistrat()->Creeaza();
    int corecte = 0;
    for (const TLinieProfilDiploma& l : lista->Linii()) {
        dm.Q1.SetSQL(QStringLiteral("select ETICHETA_EDITOR, TIP_DE_DATE, ORDINE from PROFIL_DIPLOMA where "
                                    "COD_FORMULAR = :F and COD_PAGINA = :P and COD_CAMP = :C"));
        dm.Q1.ParamByName(QStringLiteral("F")).SetAsString(l.COD_FORMULAR);
        dm.Q1.ParamByName(QStringLiteral("P")).SetAsString(l.COD_PAGINA);
        dm.Q1.ParamByName(QStringLiteral("C")).SetAsString(l.COD_CAMP);
        dm.Q1.Open();
        if (!dm.Q1.Eof() && dm.Q1.FieldByName(QStringLiteral("ETICHETA_EDITOR")).AsString() == l.ETICHETA_EDITOR &&
            dm.Q1.FieldByName(QStringLiteral("TIP_DE_DATE")).AsString() == l.TIP_DE_DATE &&
            dm.Q1.FieldByName(QStringLiteral("ORDINE")).AsInteger() == l.ORDINE)
            ++corecte;
        dm.Q1.Close();
    }
    Scrie(QStringLiteral("PROFIL %1 CORECTE %2 DIN %3")
              .arg(Unu(dm, QStringLiteral("select count(*) as C from PROFIL_DIPLOMA")))
              .arg(corecte)
              .arg(lista->Linii().size()));
    dm.Tr.Rollback();
}

void Legatura(TDM& dm)
{
    dm.Tr.StartTransaction();
    Scrie(QStringLiteral("UTILIZATOR %1").arg(Unu(dm, QStringLiteral("select current_user as C from RDB$DATABASE"))));
    Scrie(QStringLiteral("CRIPTAT %1")
              .arg(Unu(dm, QStringLiteral("select rdb$get_context('SYSTEM', 'WIRE_ENCRYPTED') as C from "
                                          "RDB$DATABASE"))));
    dm.Tr.Rollback();
}

// The desk stays connected while the server stops and starts again; the save meets the dead connection, the
// reconnection opens a new one, and the same save goes through.
void Reconecteaza(TDM& dm, qint64 id, const QString& dosar)
{
    dm.Tr.StartTransaction();
    Unu(dm, QStringLiteral("select count(*) as C from ELEVI"));
    dm.Tr.Rollback();
    Semnaleaza(dosar + QStringLiteral("/conectat"));
    AsteaptaFisier(dosar + QStringLiteral("/server-repornit"));
    const QString text = QStringLiteral("Salvat dupa reconectare");
    try {
        dm.Tr.StartTransaction();
        SalveazaNume(dm, id, text);
        dm.Tr.Commit();
        Scrie(QStringLiteral("SALVAT PE LEGATURA VECHE"));
        return;
    } catch (const EEroareBD& e) {
        dm.Tr.Rollback();
        Scrie(QStringLiteral("PIERDUT %1 %2").arg(int(e.Categorie())).arg(e.Mesaj().section(u'\n', 0, 0)));
    }
    dm.Reconecteaza();
    dm.Tr.StartTransaction();
    SalveazaNume(dm, id, text);
    dm.Tr.Commit();
    Scrie(QStringLiteral("SALVAT DUPA RECONECTARE"));
}

void Numara(TDM& dm)
{
    dm.Tr.StartTransaction();
    auto unu = [&dm](const QString& sql) {
        dm.Q1.SetSQL(sql);
        dm.Q1.Open();
        const QString r = dm.Q1.FieldByName(QStringLiteral("C")).AsString();
        dm.Q1.Close();
        return r;
    };
    Scrie(QStringLiteral("ELEVI %1").arg(unu(QStringLiteral("select count(*) as C from ELEVI"))));
    // A student arrived whole when every field holds its own text.
    Scrie(QStringLiteral("INTREGI %1")
              .arg(unu(QStringLiteral("select count(*) as C from ELEVI e where (select count(*) from \"DATE\" d where "
                                      "d.ID_ELEVI = e.ID_ELEVI "
                                      "and d.VALOARE_TEXT like '% ' || d.COD_CAMP || ' Ştefănescu') = 4"))));
    dm.Q1.SetSQL(QStringLiteral("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_NUME_L1' and ID_ELEVI = "
                                "(select min(ID_ELEVI) from ELEVI)"));
    dm.Q1.Open();
    Scrie(QStringLiteral("PRIMUL %1").arg(dm.Q1.FieldByName(QStringLiteral("C")).AsString()));
    dm.Q1.Close();
    dm.Tr.Rollback();
}

void Formulare(TDM& dm, const QString& eticheta, int lucrari, int foi, const QString& dosar)
{
    AsteaptaFisier(dosar + QStringLiteral("/formulare-start"));
    int luate = 0;
    for (int l = 1; l <= lucrari; ++l) {
        QList<TTiparire> tipariri;
        for (int f = 1; f <= foi; ++f)
            tipariri << TTiparire{l * 100 + f,
                                  QStringLiteral("%1 %2 %3").arg(eticheta).arg(l).arg(f),
                                  QDateTime::currentDateTime(),
                                  QStringLiteral("PDF"),
                                  0,
                                  f,
                                  eticheta};
        QList<qint64> numere;
        InregistreazaTipaririCuFormulare(dm, tipariri, QStringLiteral("AB"), 1, &numere);
        luate += int(numere.size());
    }
    Scrie(QStringLiteral("LUATE %1").arg(luate));
}

void FormulareOprit(TDM& dm, int foi, const QString& dosar)
{
    QList<TTiparire> tipariri;
    for (int f = 1; f <= foi; ++f)
        tipariri << TTiparire{9000 + f,
                              QStringLiteral("Oprit %1").arg(f),
                              QDateTime::currentDateTime(),
                              QStringLiteral("PDF"),
                              0,
                              f,
                              QStringLiteral("oprit")};
    InregistreazaTipariri(dm, tipariri, [&](qint64 lucrare) {
        QList<TFoaieFormular> sheets;
        for (const TTiparire& t : tipariri)
            sheets << TFoaieFormular{t.IdElev, t.Elev, lucrare, t.Pagina, t.DataOra};
        IaFormulare(dm, QStringLiteral("AB"), 1, sheets);
        // The test kills this process by the id it finds here (the shell's job is the time limit's).
        QFile semnal(dosar + QStringLiteral("/in-inregistrare"));
        if (semnal.open(QIODevice::WriteOnly))
            semnal.write(QByteArray::number(QCoreApplication::applicationPid()));
        semnal.close();
        for (;;)
            QThread::sleep(1);
    });
}

void FormulareLoturi(TDM& dm, qint64 start, const QString& dosar)
{
    AsteaptaFisier(dosar + QStringLiteral("/loturi-start"));
    int refuzate = 0;
    for (int i = 0; i < 20; ++i) {
        try {
            AdaugaLot(dm, {0, QStringLiteral("CD"), start + i * 10, start + i * 10 + 9, QDate::currentDate(), {}});
        } catch (const EEroareBD&) {
            throw;
        } catch (const EEroare&) {
            ++refuzate;
        }
    }
    Scrie(QStringLiteral("REFUZATE %1").arg(refuzate));
}

void NumaraFormulare(TDM& dm)
{
    dm.Tr.StartTransaction();
    Scrie(QStringLiteral("FORMULARE %1 DISTINCTE %2 REGISTRE %3 MAXIM %4 TIPARIRI %5 OPRITE %6")
              .arg(Unu(dm, QStringLiteral("select count(*) as C from FORMULARE_FOLOSITE where STARE = 'E'")),
                   Unu(dm, QStringLiteral("select count(distinct SERIA || '/' || NUMAR) as C from FORMULARE_FOLOSITE")),
                   Unu(dm, QStringLiteral("select count(distinct NR_REGISTRU) as C from FORMULARE_FOLOSITE")),
                   Unu(dm, QStringLiteral("select max(NUMAR) as C from FORMULARE_FOLOSITE")),
                   Unu(dm, QStringLiteral("select count(*) as C from TIPARIRI t join FORMULARE_FOLOSITE f on "
                                          "f.ID_LUCRARE = t.ID_LUCRARE and f.PAGINA = t.PAGINA")),
                   Unu(dm, QStringLiteral("select count(*) as C from TIPARIRI where TITLU = 'oprit'"))));
    Scrie(QStringLiteral("LOTURI %1 SUPRAPUSE %2")
              .arg(Unu(dm, QStringLiteral("select count(*) as C from LOTURI_FORMULARE")),
                   Unu(dm, QStringLiteral("select count(*) as C from LOTURI_FORMULARE a join LOTURI_FORMULARE b on "
                                          "a.SERIA = b.SERIA and a.ID_LOT < b.ID_LOT and a.NUMAR_DE_LA <= "
                                          "b.NUMAR_PANA_LA and a.NUMAR_PANA_LA >= b.NUMAR_DE_LA"))));
    dm.Tr.Rollback();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication aplicatie(argc, argv);
    const QStringList a = aplicatie.arguments();
    try {
        if (a.size() < 2)
            throw EEroare(QStringLiteral("Lipseste comanda."));
        if (a[1] == u"acces") {
            const QString avertisment = SalveazaAccesServer(a.value(2), a.value(3), a.value(4));
            Scrie(QStringLiteral("SALVAT %1").arg(avertisment).trimmed());
            return 0;
        }
        if (a[1] == u"seteaza") {
            SeteazaNumeBazaServer(a.value(2));
            SeteazaUtilizatorBazaServer(a.value(3));
            return 0;
        }
        if (NumeBazaServer().isEmpty())
            throw EEroare(QStringLiteral("Biroul nu are setata o baza de date pe server."));
        if (a[1] == u"pastreaza-parola") {
            const QString motiv = PastreazaParolaServer(NumeBazaServer(), UtilizatorBazaServer(), a.value(2));
            Scrie(motiv.isEmpty() ? QStringLiteral("PASTRATA") : QStringLiteral("IN MEMORIE ") + motiv);
            return 0;
        }
        if (a[1] == u"citeste-parola") {
            QString motiv;
            const QString parola = ParolaServer(NumeBazaServer(), UtilizatorBazaServer(), &motiv);
            Scrie(parola.isEmpty() ? QStringLiteral("LIPSA ") + motiv : QStringLiteral("PAROLA ") + parola);
            return 0;
        }
        if (!qEnvironmentVariable("BIROU_PAROLA").isEmpty())
            PastreazaParolaInMemorie(NumeBazaServer(), UtilizatorBazaServer(), qEnvironmentVariable("BIROU_PAROLA"));
        InregistreazaClaseTessaluna();
        PregatesteBlocareFirebird();
        TDM dm;
        // The desk's own folder: a database made there instead of using the server's shows up in the test.
        const QString dosar = qEnvironmentVariable("XDG_DATA_HOME", QDir::tempPath());
        // BIROU_RASPUNS stands for the user who answers the start-up's question with this password.
        if (qEnvironmentVariableIsSet("BIROU_RASPUNS")) {
            dm.CereAccesServer = [](const QString& motiv) {
                Scrie(QStringLiteral("INTREBARE %1").arg(motiv.section(u'\n', 0, 0)));
                SalveazaAccesServer(NumeBazaServer(), UtilizatorBazaServer(), qEnvironmentVariable("BIROU_RASPUNS"));
                return true;
            };
        }
        if (a[1] == u"porneste") {
            PornesteModululDeDate(dm, dosar, dosar);
            Scrie(QStringLiteral("BAZA %1").arg(dm.Db.DatabaseName()));
            // What the student list and the editors read first: every column the start-up may have added.
            dm.Tr.StartTransaction();
            Unu(dm, QStringLiteral("select count(*) as C from \"DATE\" d join ELEVI e on e.ID_ELEVI = d.ID_ELEVI "
                                   "where d.IDF_ELEVI is null or d.ID_SCOALA is null"));
            Unu(dm, QStringLiteral("select count(*) as C from PROFIL_DIPLOMA where ORDINE > 0 and LATIME_SUGERATA >= 0 "
                                   "and COD_LINIE is not null"));
            Unu(dm, QStringLiteral("select count(*) as C from TIPARIRI where ID_ELEVI > 0"));
            dm.Tr.Rollback();
            return 0;
        }
        // Later commands connect as a started program does, without the maintenance steps again.
        dm.Deschide(QStringLiteral("Tessaluna2006"), dosar, dosar);
        if (a[1] == u"adauga")
            Adauga(dm, a.value(2), a.value(3).toInt());
        else if (a[1] == u"schimba")
            Schimba(dm, a.value(2).toLongLong(), a.value(3), a.value(4), a.value(5));
        else if (a[1] == u"pana-la-oprire")
            SchimbaPanaLaOprire(dm, a.value(2).toLongLong(), a.value(3));
        else if (a[1] == u"numara")
            Numara(dm);
        else if (a[1] == u"formulare-lot")
            AdaugaLot(dm, {0, a.value(2), a.value(3).toLongLong(), a.value(4).toLongLong(), QDate::currentDate(), {}});
        else if (a[1] == u"formulare")
            Formulare(dm, a.value(2), a.value(3).toInt(), a.value(4).toInt(), a.value(5));
        else if (a[1] == u"formulare-oprit")
            FormulareOprit(dm, a.value(2).toInt(), a.value(3));
        else if (a[1] == u"formulare-loturi")
            FormulareLoturi(dm, a.value(2).toLongLong(), a.value(3));
        else if (a[1] == u"numara-formulare")
            NumaraFormulare(dm);
        else if (a[1] == u"verifica")
            Verifica(dm);
        else if (a[1] == u"legatura")
            Legatura(dm);
        else if (a[1] == u"reconecteaza")
            Reconecteaza(dm, a.value(2).toLongLong(), a.value(3));
        else
            throw EEroare(QStringLiteral("Comanda necunoscuta: %1").arg(a[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "EROARE %s\n", TextEroare(e).toUtf8().constData());
        return 1;
    }
    return 0;
}
