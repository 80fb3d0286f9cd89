#include "store/UDataModule.h"

#include "platform/UScriereSigura.h"
#include "store/UBazaServer.h"
#include "store/UCopii.h"
#include "store/UEroareBD.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

namespace {
TDM* g_dm = nullptr;
} // namespace

EFaraBazaDeDate::EFaraBazaDeDate(const QString& caleCurenta, const QString& caleSablon)
    : EEroare(QStringLiteral("Nu exista baza de date curenta si nu gasesc baza de date \"BLANK\" pentru "
                             "initializare.\nDB Curent:%1\nDB Blank:%2")
                  .arg(caleCurenta, caleSablon)),
      CaleCurenta(caleCurenta), CaleSablon(caleSablon)
{
}

EEroareBD EroareBazaDeteriorata(const QString& cale, const QString& textMotor)
{
    return EEroareBD(QStringLiteral("Fisierul %1 este deteriorat sau nu este o baza de date. Fisierul a ramas neatins; "
                                    "restaurati-l dintr-o copie de siguranta.")
                         .arg(cale),
                     EEroareBD::FisierDeteriorat, 0, textMotor);
}

TCheieCamp DesparteCheie(const QString& cheie)
{
    TCheieCamp rezultat;
    QString* parti[] = {&rezultat.Formular, &rezultat.Pagina, &rezultat.Camp};
    int parte = 0;
    for (const QChar c : cheie) {
        if (c == u'.')
            ++parte;
        else if (parte < 3)
            *parti[parte] += c;
    }
    return rezultat;
}

QString UnesteCheie(const TCheieCamp& cheie)
{
    return cheie.Formular.trimmed() + u'.' + cheie.Pagina.trimmed() + u'.' + cheie.Camp.trimmed();
}

TDM& ModululDeDate()
{
    if (!g_dm)
        throw EEroare(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."));
    return *g_dm;
}

bool AreModulDeDate()
{
    return g_dm != nullptr;
}

TDM::TDM(TRol rol)
{
    if (rol == AlProgramului)
        g_dm = this;
}

TDM::~TDM()
{
    if (g_dm == this)
        g_dm = nullptr;
}

const QStringList& TDM::TipuriDeDate()
{
    static const QStringList tipuri = {"TEXT", "CF", "SIRUES", "CNP", "NOTA", "CALIFICATIV", "NOTA sau CALIFICATIV"};
    return tipuri;
}

QString TDM::CaleBazaDeDate(const QString& numeBazaDeDate, const QString& dosarProgram)
{
    return QDir::toNativeSeparators(QDir(dosarProgram).filePath(QStringLiteral("DB")) + u'/' + numeBazaDeDate +
                                    QStringLiteral(".FDB"));
}

namespace {
// The message for a connection that would not open, by what went wrong.
[[noreturn]] void AruncaEroareDeschidere(const QString& cale, const QStringList& parametri, const EEroareBD& e,
                                         const QString& motivCopie)
{
    switch (e.Categorie()) {
    case EEroareBD::AccesRefuzat: {
        QString utilizator;
        for (const QString& p : parametri) {
            if (p.startsWith(QStringLiteral("USER_NAME="), Qt::CaseInsensitive))
                utilizator = p.mid(10);
        }
        throw e.Reformulata(QStringLiteral("Nu pot deschide baza de date %1: serverul nu primeste utilizatorul %2 "
                                           "cu parola data. Verificati utilizatorul si parola (le stie "
                                           "administratorul serverului).")
                                .arg(cale, utilizator));
    }
    case EEroareBD::CriptareRefuzata:
        throw e.Reformulata(QStringLiteral("Nu pot deschide baza de date %1: serverul nu accepta o legatura "
                                           "criptata, iar programul nu trimite datele elevilor necriptate prin retea. "
                                           "Cereti administratorului serverului sa puna WireCrypt = Enabled in "
                                           "firebird.conf si sa reporneasca serverul.")
                                .arg(cale));
    case EEroareBD::BazaDeDateOcupata:
        throw e.Reformulata(QStringLiteral("Baza de date %1 este folosita de un alt program (poate o alta copie a "
                                           "programului este deja pornita). Inchideti-l si porniti din nou.")
                                .arg(cale));
    case EEroareBD::FisierDeteriorat:
        throw EroareBazaDeteriorata(cale, e.Detalii().isEmpty() ? e.Mesaj() : e.Detalii());
    default: {
        const QString copie =
            motivCopie.isEmpty() ? QString()
                                 : QStringLiteral(" Baza de date \"BLANK\" nu a putut fi copiata: %1.").arg(motivCopie);
        const QFileInfo fisier(cale);
        const QString protejat =
            fisier.exists() && !fisier.isWritable()
                ? QStringLiteral(" Fisierul este protejat la scriere (doar citire): programul are nevoie sa "
                                 "scrie in el. Cereti drept de scriere asupra fisierului.")
                : QString();
        // A server that does not answer: what to check, and how to try again without a restart.
        const QString retea =
            e.Categorie() == EEroareBD::Conexiune && EsteNumeServer(cale)
                ? QStringLiteral(" Serverul nu raspunde: verificati ca serverul este pornit si ca acest calculator "
                                 "il ajunge prin retea, apoi alegeti \"Registru\" > \"Reconecteaza\".")
                : QString();
        throw e.Reformulata(QStringLiteral("Nu pot deschide baza de date %1.%2%3%4").arg(cale, retea, protejat, copie));
    }
    }
}
} // namespace

QString TDM::Deschide(const QString& numeBazaDeDate, const QString& dosarProgram, const QString& dosarSablon)
{
    // A register on a server is the administrator's to create: no folder, no template copy.
    if (!NumeBazaServer().isEmpty()) {
        // Empty when the dialog asking for the password returned to the file beside the program.
        if (const QString cale = ConecteazaServer(); !cale.isEmpty())
            return cale;
    }
    const QString dosarDB = QDir(dosarProgram).filePath(QStringLiteral("DB"));
    if (!CreeazaDosarPrivat(dosarDB))
        throw EEroare(QStringLiteral("Nu pot crea dosarul bazei de date: %1").arg(QDir::toNativeSeparators(dosarDB)));
    const QString cale = CaleBazaDeDate(numeBazaDeDate, dosarProgram);
    QString motivCopie;
    CopiataDinSablon = false;
    if (!QFileInfo::exists(cale)) {
        const QString sablon = QDir::toNativeSeparators(QDir(dosarSablon).filePath(QStringLiteral("BLANK.FDB")));
        if (!QFileInfo::exists(sablon))
            throw EFaraBazaDeDate(cale, sablon);
        // Never over an existing file, and never a cut copy (a full disk): a failed copy leaves no file, and shows
        // up as the connection's error.
        CopiataDinSablon = CopiazaInFisierNou(sablon, cale, motivCopie);
        if (CopiataDinSablon)
            QFile::setPermissions(cale, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    }
    return Conecteaza(cale, {QStringLiteral("USER_NAME=sysdba"), QStringLiteral("password=velkortan")}, motivCopie);
}

QString TDM::ConecteazaServer()
{
    CopiataDinSablon = false;
    QString motiv;
    for (;;) {
        // The dialog may change any of the three; each round reads them again.
        const QString server = NumeBazaServer();
        if (server.isEmpty())
            return {};
        const QString utilizator = UtilizatorBazaServer();
        QString lipsa;
        const QString parola = utilizator.isEmpty() ? QString() : ParolaServer(server, utilizator, &lipsa);
        if (motiv.isEmpty() && utilizator.isEmpty())
            motiv = QStringLiteral("Scrieti utilizatorul si parola registrului de pe server.");
        else if (motiv.isEmpty() && parola.isEmpty())
            motiv = lipsa;
        if (!motiv.isEmpty()) {
            if (!CereAccesServer)
                throw EEroareBD(QStringLiteral("Nu pot deschide baza de date %1: %2").arg(server, motiv),
                                EEroareBD::AccesRefuzat);
            if (!CereAccesServer(motiv))
                throw EEroareBD(QStringLiteral("Nu pot deschide baza de date %1: utilizatorul si parola nu au fost "
                                               "date. Alegeti \"Registru\" > \"Baza de date...\" pentru a le scrie.")
                                    .arg(server),
                                EEroareBD::AccesRefuzat);
            motiv.clear();
            continue;
        }
        try {
            return Conecteaza(server, ParametriServer(utilizator, parola));
        } catch (const EEroareBD& e) {
            if (e.Categorie() != EEroareBD::AccesRefuzat || !CereAccesServer)
                throw;
            motiv = e.Mesaj();
        }
    }
}

void TDM::Reconecteaza()
{
    const QString cale = Db.DatabaseName();
    if (cale.isEmpty())
        throw EEroare(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."));
    const QStringList parametri = Db.Params();
    // The old connection may be dead: its transaction and its statements are dropped, whatever the server says.
    try {
        Tr.Rollback();
    } catch (const std::exception&) {
    }
    try {
        Db.Close();
    } catch (const std::exception&) {
    }
    Conecteaza(cale, parametri);
}

QString TDM::Conecteaza(const QString& cale, const QStringList& parametri, const QString& motivCopie)
{
    if (EsteNumeServer(cale))
        CopiataDinSablon = false;
    if (cale != Db.DatabaseName())
        CitireVerificata = false;
    Db.Close();
    Db.SetDatabaseName(cale);
    Db.Params() = parametri;
    try {
        Db.Open();
    } catch (const EEroareBD& e) {
        AruncaEroareDeschidere(cale, parametri, e, motivCopie);
    }
    return cale;
}

namespace {
QString Citat(const QString& nume)
{
    return u'"' + QString(nume).replace(u'"', QStringLiteral("\"\"")) + u'"';
}
} // namespace

void TDM::VerificaCitirea()
{
    VerificaCitireaBazei(Tr, Q1);
}

void VerificaCitireaBazei(TTranzactie& Tr, TQuery& Q1)
{
    const TGardaCitire citire(Tr);
    const TGardaCursor cursor(Q1);
    {
        QStringList tabele;
        Q1.SetSQL(QStringLiteral("select RDB$RELATION_NAME from RDB$RELATIONS where coalesce(RDB$RELATION_TYPE, 0) = 0 "
                                 "and RDB$VIEW_BLR is null"));
        Q1.Open();
        while (!Q1.Eof()) {
            tabele << Q1.FieldByName(QStringLiteral("RDB$RELATION_NAME")).AsString().trimmed();
            Q1.Next();
        }
        // Counting fetches every record: the data and pointer pages of each table.
        for (const QString& tabel : std::as_const(tabele)) {
            Q1.SetSQL(QStringLiteral("select count(*) from ") + Citat(tabel));
            Q1.Open();
        }
        // Walking an index in its order reads its root and every leaf page.
        struct TIndex
        {
            QString nume, tabel;
            bool descrescator = false;
            QStringList coloane;
        };
        QList<TIndex> indecsi;
        Q1.SetSQL(QStringLiteral(
            "select i.RDB$INDEX_NAME, i.RDB$RELATION_NAME, coalesce(i.RDB$INDEX_TYPE, 0) as DESCRESCATOR, "
            "s.RDB$FIELD_NAME from RDB$INDICES i join RDB$INDEX_SEGMENTS s on s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
            "join RDB$RELATIONS r on r.RDB$RELATION_NAME = i.RDB$RELATION_NAME "
            "where i.RDB$EXPRESSION_BLR is null and coalesce(i.RDB$INDEX_INACTIVE, 0) = 0 "
            "and coalesce(r.RDB$RELATION_TYPE, 0) = 0 order by i.RDB$INDEX_NAME, s.RDB$FIELD_POSITION"));
        Q1.Open();
        while (!Q1.Eof()) {
            const QString nume = Q1.FieldByName(QStringLiteral("RDB$INDEX_NAME")).AsString().trimmed();
            if (indecsi.isEmpty() || indecsi.last().nume != nume) {
                indecsi.append({nume,
                                Q1.FieldByName(QStringLiteral("RDB$RELATION_NAME")).AsString().trimmed(),
                                Q1.FieldByName(QStringLiteral("DESCRESCATOR")).AsInteger() == 1,
                                {}});
            }
            indecsi.last().coloane << Citat(Q1.FieldByName(QStringLiteral("RDB$FIELD_NAME")).AsString().trimmed());
            Q1.Next();
        }
        for (const TIndex& index : std::as_const(indecsi)) {
            const QString sens = index.descrescator ? QStringLiteral(" desc") : QString();
            Q1.SetSQL(QStringLiteral("select count(*) from (select 1 as U from %1 plan (%1 order %2) order by %3)")
                          .arg(Citat(index.tabel), Citat(index.nume), index.coloane.join(sens + u',') + sens));
            Q1.Open();
        }
    }
}

namespace {
// The file's identity, size, and times of its last change to the nanosecond: the change time (ctime) moves on
// every write and cannot be set back by hand, as the modification time can.
QString AmprentaFisier(const QString& caleBaza)
{
    struct stat s
    {
    };
    if (::stat(QFile::encodeName(caleBaza).constData(), &s) != 0 || !S_ISREG(s.st_mode))
        return {};
    return QStringLiteral("%1 %2 %3 %4.%5 %6.%7")
        .arg(qulonglong(s.st_dev))
        .arg(qulonglong(s.st_ino))
        .arg(qlonglong(s.st_size))
        .arg(qlonglong(s.st_mtim.tv_sec))
        .arg(qlonglong(s.st_mtim.tv_nsec))
        .arg(qlonglong(s.st_ctim.tv_sec))
        .arg(qlonglong(s.st_ctim.tv_nsec));
}
} // namespace

QString FisierVerificare(const QString& caleBaza)
{
    return caleBaza + QStringLiteral(".verificat");
}

bool VerificareLaZi(const QString& caleBaza)
{
    if (EsteNumeServer(caleBaza))
        return false;
    QFile f(FisierVerificare(caleBaza));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString amprenta = AmprentaFisier(caleBaza);
    return !amprenta.isEmpty() && QString::fromUtf8(f.read(200)).trimmed() == amprenta;
}

void InregistreazaVerificarea(const QString& caleBaza)
{
    const QString amprenta = AmprentaFisier(caleBaza);
    if (EsteNumeServer(caleBaza) || amprenta.isEmpty())
        return;
    QSaveFile f(FisierVerificare(caleBaza));
    if (f.open(QIODevice::WriteOnly)) {
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        f.write((amprenta + u'\n').toUtf8());
        f.commit();
    }
}

void UitaVerificarea(const QString& caleBaza)
{
    if (!EsteNumeServer(caleBaza))
        QFile::remove(FisierVerificare(caleBaza));
}

void VerificaCitireaSeparat(const QString& cale, const QStringList& parametri)
{
    TConexiune db;
    db.SetDatabaseName(cale);
    db.Params() = parametri;
    try {
        db.Open();
        TTranzactie tr(db);
        TQuery q(db, tr);
        VerificaCitireaBazei(tr, q);
        db.Close();
    } catch (const EEroareBD& e) {
        if (e.Categorie() == EEroareBD::FisierDeteriorat)
            throw EroareBazaDeteriorata(cale, e.Mesaj());
        throw;
    }
}

QString TDM::AmprentaStructurii()
{
    const TGardaCitire citire(Tr);
    const TGardaCursor cursor(Q1);
    Q1.SetSQL(QStringLiteral(
        "select (select count(*) from RDB$RELATIONS) || ':' || (select coalesce(sum(RDB$FORMAT), 0) from "
        "RDB$RELATIONS) || ':' || (select count(*) from RDB$RELATION_FIELDS) || ':' || (select count(*) from "
        "RDB$INDICES) || ':' || (select count(*) from RDB$RELATION_CONSTRAINTS) || ':' || (select count(*) from "
        "RDB$GENERATORS) as C from RDB$DATABASE"));
    Q1.Open();
    return Q1.FieldByName(QStringLiteral("C")).AsString();
}

void TDM::ActualizeazaSchema()
{
    qint64 versiune = 0;
    {
        const TGardaCitire citire(Tr);
        const TGardaCursor cursor(Q1);
        Q1.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
        Q1.Open();
        if (Q1.Eof())
            throw EEroareBD(QStringLiteral("Tabela CONFID_DB nu contine nicio linie: versiunea bazei de date nu "
                                           "poate fi citita."),
                            EEroareBD::Conversie);
        const TCamp camp = Q1.FieldByName(QStringLiteral("VERSIUNE"));
        if (camp.IsNull())
            throw EEroareBD(QStringLiteral("Versiunea bazei de date din CONFID_DB lipseste."), EEroareBD::Conversie);
        try {
            versiune = camp.AsInteger();
        } catch (const EEroareBD&) {
            throw EEroareBD(
                QStringLiteral("Versiunea bazei de date din CONFID_DB nu este un numar: '%1'").arg(camp.AsString()),
                EEroareBD::Conversie);
        }
    }

    if (versiune < 3)
        CopieInainteDeActualizare(versiune);

    // Desks that start together upgrade one at a time: each step locks the version's row, reads it again and
    // changes the structure only when it is still older. A desk that waited there meets the other's change as a
    // conflict, and takes the step again in a new transaction, which sees the new version.
    auto pas = [this](int versiuneNoua, const QString& modificare) {
        RepetaLaConflict([&] {
            TGardaTranzactie garda(Tr);
            const TGardaCursor cursor(Q1);
            Q1.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB WITH LOCK"));
            Q1.Open();
            const qint64 citita = Q1.Eof() ? 0 : Q1.FieldByName(QStringLiteral("VERSIUNE")).AsInteger();
            if (citita < versiuneNoua) {
                Q1.SetSQL(modificare);
                Q1.ExecSQL();
                Q1.SetSQL(QStringLiteral("UPDATE CONFID_DB SET VERSIUNE=%1").arg(versiuneNoua));
                Q1.ExecSQL();
            }
            garda.Commit();
        });
    };
    if (versiune < 2)
        pas(2, QStringLiteral("ALTER TABLE PROFIL_DIPLOMA ADD LATIME_SUGERATA INTEGER, ADD COD_LINIE VARCHAR(32)"));
    if (versiune < 3)
        pas(3, QStringLiteral("ALTER TABLE PROFIL_DIPLOMA ADD ORDINE INTEGER"));
}

void RepetaLaConflict(const std::function<void()>& pas)
{
    for (int incercare = 1;; ++incercare) {
        try {
            pas();
            return;
        } catch (const EEroareBD& e) {
            if (e.Categorie() != EEroareBD::ConflictBlocare || incercare >= 5)
                throw;
        }
    }
}

TBlocarePornire::TBlocarePornire(TDM& dm) : m_tranzactie(dm.Db), m_interogare(dm.Db, m_tranzactie)
{
    RepetaLaConflict([this] {
        // Kept open until the destructor: the transaction holds the lock.
        TGardaTranzactie garda(m_tranzactie);
        const TGardaCursor cursor(m_interogare);
        // Waits while another desk holds it; its holder only ever rolls back, so there is nothing to meet.
        m_interogare.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB WITH LOCK"));
        m_interogare.Open();
        garda.Pastreaza();
    });
}

TBlocarePornire::~TBlocarePornire()
{
    try {
        m_tranzactie.Rollback();
    } catch (...) {
    }
}

void TDM::CopieInainteDeActualizare(qint64 versiune)
{
    const QString cale = Db.DatabaseName();
    if (CopiataDinSablon || EsteNumeServer(cale))
        return;
    try {
        FaCopieAutomata(cale, QDateTime::currentDateTime(), QStringLiteral("v%1").arg(versiune));
    } catch (const EEroare& e) {
        // The copy's own sentence is kept; an engine's text only under "Detalii".
        const bool doarMotor = !e.Detalii().isEmpty() && e.Mesaj() == e.Detalii();
        throw EEroare(QStringLiteral("Baza de date nu a fost actualizata, pentru ca inainte de actualizare nu am "
                                     "putut face copia ei de siguranta.%1")
                          .arg(doarMotor ? QString() : QStringLiteral("\n\n") + e.Mesaj()),
                      e.Detalii());
    }
}

bool TDM::Exista(const QString& sql, const QList<QPair<QString, QString>>& parametri)
{
    const TGardaCursor cursor(Q1);
    Q1.SetSQL(sql);
    for (const auto& p : parametri)
        Q1.ParamByName(p.first).SetAsString(p.second);
    Q1.Open();
    return !Q1.Eof();
}

namespace {
// The existence test of an object by its name, and the name of its parameter, in the order of TObiectStructura.
QPair<QString, QString> TestObiect(TDM::TObiectStructura obiect)
{
    static const QPair<QString, QString> teste[] = {
        {QStringLiteral("select * from RDB$RELATIONS where RDB$RELATION_NAME = :RDB$RELATION_NAME"),
         QStringLiteral("RDB$RELATION_NAME")},
        {QStringLiteral("select * from RDB$INDICES where RDB$INDEX_NAME = :RDB$INDEX_NAME"),
         QStringLiteral("RDB$INDEX_NAME")},
        {QStringLiteral("select * from RDB$GENERATORS where RDB$GENERATOR_NAME = :RDB$GENERATOR_NAME"),
         QStringLiteral("RDB$GENERATOR_NAME")},
    };
    return teste[int(obiect)];
}
} // namespace

bool TDM::ExistaObiect(TObiectStructura obiect, const QString& nume)
{
    const auto [sql, parametru] = TestObiect(obiect);
    return Exista(sql, {{parametru, nume}});
}

void TDM::CreeazaDacaLipseste(TObiectStructura obiect, const QString& nume, const QString& instructiune)
{
    const auto [sql, parametru] = TestObiect(obiect);
    PasStructura(sql, {{parametru, nume}}, {instructiune});
}

void TDM::PasStructura(const QString& sqlTest, const QList<QPair<QString, QString>>& parametri,
                       const QStringList& instructiuni)
{
    TGardaTranzactie garda(Tr);
    if (!Exista(sqlTest, parametri)) {
        for (const QString& sql : instructiuni) {
            Q1.SetSQL(sql);
            Q1.ExecSQL();
        }
    }
    garda.Commit();
}

QString ExpresieIndexCnp()
{
    return QStringLiteral("iif(char_length(VALOARE_TEXT) = %1, VALOARE_TEXT, null)").arg(LungimeCnp);
}

void TDM::CreeazaStructuriTabele()
{
    QStringList tabele;
    {
        const TGardaCitire citire(Tr);
        const TGardaCursor cursor(Q1);
        Q1.SetSQL(QStringLiteral("select NUME_TABEL from TABELE"));
        Q1.Open();
        while (!Q1.Eof()) {
            tabele << Q1.FieldByName(QStringLiteral("NUME_TABEL")).AsString();
            Q1.Next();
        }
    }

    const QString sqlRelatie = QStringLiteral(
        "select    RDB$RELATION_NAME from    RDB$RELATIONS where    RDB$RELATION_NAME = :RDB$RELATION_NAME");
    const QString sqlConstrangere =
        QStringLiteral("select    RDB$CONSTRAINT_NAME from    RDB$RELATION_CONSTRAINTS where  "
                       "  RDB$CONSTRAINT_NAME = :RDB$CONSTRAINT_NAME");
    const QString sqlGenerator = QStringLiteral(
        "select    RDB$GENERATOR_NAME from    RDB$GENERATORS where    RDB$GENERATOR_NAME = :RDB$GENERATOR_NAME");
    const QString sqlColoana =
        QStringLiteral("SELECT * FROM RDB$RELATION_FIELDS WHERE (RDB$RELATION_NAME=:TAB) AND (RDB$FIELD_NAME=:FLD)");
    const QString fk1 = QStringLiteral("alter table \"DATE\" add constraint FK_%:1s_1 foreign key (ID_%:1s) references "
                                       "%:1s(ID_%:1s) on delete CASCADE");
    const QString fk2 = QStringLiteral("alter table \"DATE\" add constraint FK_%:1s_2 foreign key (IDF_%:1s) "
                                       "references %:1s(ID_%:1s) on delete CASCADE");

    for (const QString& t : std::as_const(tabele)) {
        PasStructura(sqlRelatie, {{"RDB$RELATION_NAME", t}},
                     {QStringLiteral("create table ") + t + QStringLiteral("(") + QStringLiteral("    ID_") + t +
                      QStringLiteral(" INTEGER NOT NULL ") + QStringLiteral(");")});
        PasStructura(sqlConstrangere, {{"RDB$CONSTRAINT_NAME", "PK_" + t}},
                     {"ALTER TABLE " + t + " ADD CONSTRAINT PK_" + t + " PRIMARY KEY (ID_" + t + ");"});
        PasStructura(sqlGenerator, {{"RDB$GENERATOR_NAME", "G_ID_" + t}},
                     {"CREATE GENERATOR G_ID_" + t + ";", "SET GENERATOR G_ID_" + t + " TO 0;"});
        PasStructura(sqlColoana, {{"TAB", "DATE"}, {"FLD", "ID_" + t}},
                     {"ALTER TABLE \"DATE\" ADD ID_" + t + " INTEGER"});
        PasStructura(sqlColoana, {{"TAB", "DATE"}, {"FLD", "IDF_" + t}},
                     {"ALTER TABLE \"DATE\" ADD IDF_" + t + " INTEGER"});
        PasStructura(sqlConstrangere, {{"RDB$CONSTRAINT_NAME", "FK_" + t + "_1"}},
                     {QString(fk1).replace(QStringLiteral("%:1s"), t)});
        PasStructura(sqlConstrangere, {{"RDB$CONSTRAINT_NAME", "FK_" + t + "_2"}},
                     {QString(fk2).replace(QStringLiteral("%:1s"), t)});
    }
    // Finding a student by his CNP (the import looks every row up by it) without reading every value. Only texts
    // of a CNP's length are indexed, the other values share one null key: a saved student changes one or two
    // pages of the index, not one per value.
    PasStructura(QStringLiteral("select RDB$INDEX_NAME from RDB$INDICES where RDB$INDEX_NAME = :RDB$INDEX_NAME"),
                 {{"RDB$INDEX_NAME", "IX_DATE_CNP"}},
                 {QStringLiteral("create index IX_DATE_CNP on \"DATE\" computed by (") + ExpresieIndexCnp() +
                  QStringLiteral(")")});
}

void TDM::InregistreazaTipuriDeDate()
{
    TGardaTranzactie garda(Tr);
    for (const QString& tip : TipuriDeDate()) {
        if (!Exista(QStringLiteral("select * from TIPURI_DE_DATE where TIP_DE_DATE = :TIP_DE_DATE"),
                    {{QStringLiteral("TIP_DE_DATE"), tip}})) {
            Q1.SetSQL(QStringLiteral("insert into TIPURI_DE_DATE (TIP_DE_DATE) values (:TIP_DE_DATE)"));
            Q1.ParamByName(QStringLiteral("TIP_DE_DATE")).SetAsString(tip);
            Q1.ExecSQL();
        }
    }
    garda.Commit();
}

void TDM::ActualizeazaStatistici()
{
    QStringList indecsi;
    TGardaTranzactie garda(Tr);
    const TGardaCursor cursor(Q1);
    Q1.SetSQL(QStringLiteral("select RDB$INDEX_NAME from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
    Q1.Open();
    while (!Q1.Eof()) {
        indecsi << Q1.FieldByName(QStringLiteral("RDB$INDEX_NAME")).AsString().trimmed();
        Q1.Next();
    }
    for (const QString& index : std::as_const(indecsi)) {
        Q1.SetSQL(QStringLiteral("SET STATISTICS INDEX \"%1\"").arg(QString(index).replace(u'"', "\"\"")));
        Q1.ExecSQL();
    }
    garda.Commit();
}

void VerificaAccesServer(const QString& nume, const QString& utilizator, const QString& parola)
{
    TConexiune conexiune;
    conexiune.SetDatabaseName(nume.trimmed());
    conexiune.Params() = ParametriServer(utilizator, parola);
    try {
        conexiune.Open();
    } catch (const EEroareBD& e) {
        AruncaEroareDeschidere(nume.trimmed(), conexiune.Params(), e, {});
    }
    conexiune.Close();
}

QString SalveazaAccesServer(const QString& nume, const QString& utilizator, const QString& parola)
{
    if (const QString motiv = MotivNumeServerGresit(nume); !motiv.isEmpty())
        throw EEroare(motiv);
    const QString server = nume.trimmed();
    if (server.isEmpty()) {
        SeteazaNumeBazaServer({});
        return {};
    }
    const QString cine = utilizator.trimmed();
    if (cine.isEmpty())
        throw EEroare(QStringLiteral("Scrieti utilizatorul registrului de pe server (il stie administratorul "
                                     "serverului)."));
    const QString deVerificat = parola.isEmpty() ? ParolaServer(server, cine) : parola;
    if (deVerificat.isEmpty())
        throw EEroare(QStringLiteral("Scrieti parola utilizatorului %1.").arg(cine));
    VerificaAccesServer(server, cine, deVerificat);
    SeteazaNumeBazaServer(server);
    SeteazaUtilizatorBazaServer(cine);
    return PastreazaParolaServer(server, cine, deVerificat);
}
