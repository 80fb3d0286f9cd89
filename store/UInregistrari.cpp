#include "store/UInregistrari.h"

#include "platform/UEroare.h"

namespace {
void CereTranzactie(TDM& dm)
{
    if (!dm.Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie DESCHISA in momentul in care salvez"));
}

void SeteazaCheie(TQuery& q, const TCheieCamp& cheie)
{
    q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(cheie.Formular);
    q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(cheie.Pagina);
    q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(cheie.Camp);
}

// The link rows a student would get for every field of `tabel` he has no row for, one statement for all.
QString SqlLegaturiLipsa(const QString& tabel, const QString& conditieElev)
{
    return QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, IDF_%1, VALOARE_NUM) "
                          "select P.COD_FORMULAR, P.COD_PAGINA, P.COD_CAMP, E.ID_ELEVI, R.ID_%1, 0 "
                          "from ELEVI E, PROFIL_DIPLOMA P, %1 R "
                          "where %2 (P.ASOCIAT_CU = :ASOCIAT_CU) and (R.ID_%1 = :IDF) and not exists ("
                          "select 1 from \"DATE\" D where (D.ID_ELEVI = E.ID_ELEVI) and "
                          "(D.COD_FORMULAR = P.COD_FORMULAR) and (D.COD_PAGINA = P.COD_PAGINA) and "
                          "(D.COD_CAMP = P.COD_CAMP))")
        .arg(tabel, conditieElev);
}
} // namespace

qint32 CreeazaInregistrare(TDM& dm, const QString& tabel)
{
    CereTranzactie(dm);
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("SELECT GEN_ID(G_ID_%1,1) AS \"ID\" FROM RDB$DATABASE").arg(tabel));
    q.Open();
    const auto id = qint32(q.FieldByName(QStringLiteral("ID")).AsInteger());
    q.SetSQL(QStringLiteral("insert into %1 (ID_%1) values (:id)").arg(tabel));
    q.ParamByName(QStringLiteral("id")).SetAsInteger(id);
    q.ExecSQL();
    return id;
}

int NumarInregistrari(TDM& dm, const QString& tabel)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select count(*) as N from %1").arg(tabel));
    q.Open();
    return int(q.FieldByName(QStringLiteral("N")).AsInteger());
}

void StergeInregistrare(TDM& dm, const QString& tabel, qint32 id)
{
    CereTranzactie(dm);
    TQuery& q = dm.Q1;
    q.SetSQL(QStringLiteral("delete from %1 where ID_%1 = :ID").arg(tabel));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.ExecSQL();
}

void ScrieValoareCamp(TDM& dm, const TCheieCamp& cheie, const QString& tabel, qint32 id, const QString& text,
                      int limita)
{
    CereTranzactie(dm);
    const QString valoare = text.trimmed().left(limita);
    TQuery& cautare = dm.Q1;
    TQuery& scriere = dm.Q2;
    const TGardaCursor inchideCautarea(cautare);
    const TGardaCursor inchideScrierea(scriere);
    cautare.SetSQL(QStringLiteral("SELECT * FROM \"DATE\" WHERE (ID_%1=:ID) AND (COD_FORMULAR=:COD_FORMULAR) AND "
                                  "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)")
                       .arg(tabel));
    cautare.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    SeteazaCheie(cautare, cheie);
    cautare.Open();
    if (cautare.Eof()) {
        scriere.SetSQL(
            QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_%1, VALOARE_TEXT, "
                           "VALOARE_NUM) VALUES (:COD_FORMULAR, :COD_PAGINA, :COD_CAMP, :ID, :VALOARE_TEXT, 0)")
                .arg(tabel));
        scriere.ParamByName(QStringLiteral("VALOARE_TEXT")).SetAsString(valoare);
    } else {
        QString sql = QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT=:VAL, VALOARE_NUM=0");
        scriere.SetSQL(QStringLiteral("SELECT NUME_TABEL FROM TABELE WHERE NUME_TABEL <> :TAB"));
        scriere.ParamByName(QStringLiteral("TAB")).SetAsString(tabel);
        scriere.Open();
        while (!scriere.Eof()) {
            sql += QStringLiteral(", ID_") + scriere.FieldByName(QStringLiteral("NUME_TABEL")).AsString() +
                   QStringLiteral(" = NULL");
            scriere.Next();
        }
        sql += QStringLiteral(" WHERE (ID_") + tabel +
               QStringLiteral("=:ID) AND (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) AND "
                              "(COD_CAMP=:COD_CAMP)");
        scriere.SetSQL(sql);
        scriere.ParamByName(QStringLiteral("VAL")).SetAsString(valoare);
    }
    scriere.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    SeteazaCheie(scriere, cheie);
    scriere.ExecSQL();
}

QString TextValoareProprie(TDM& dm, const TCheieCamp& cheie, const QString& tabel, qint32 id)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("SELECT * FROM \"DATE\" WHERE (ID_%1=:ID) AND (COD_FORMULAR=:COD_FORMULAR) "
                            "AND (COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)")
                 .arg(tabel));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    SeteazaCheie(q, cheie);
    q.Open();
    if (q.Eof())
        return {};
    const TCamp valoare = q.FieldByName(QStringLiteral("VALOARE_TEXT"));
    return valoare.IsNull() ? QString() : valoare.AsString();
}

QStringList TexteFolosite(TDM& dm, const TCheieCamp& cheie)
{
    QStringList texte;
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select DISTINCT(VALOARE_TEXT) from \"DATE\" where (COD_FORMULAR=:COD_FORMULAR) and "
                            "(COD_PAGINA=:COD_PAGINA) and (COD_CAMP=:COD_CAMP)"));
    SeteazaCheie(q, cheie);
    q.Open();
    for (; !q.Eof(); q.Next())
        texte << q.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
    return texte;
}

bool ElevLegatDe(TDM& dm, qint64 idElev, const QString& tabel)
{
    TQuery& q = dm.Q4;
    const TGardaCursor inchide(q);
    q.SetSQL(
        QStringLiteral("select first 1 ID_ELEVI from \"DATE\" where ID_ELEVI = :ID and IDF_%1 is not null").arg(tabel));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
    q.Open();
    return !q.Eof();
}

QList<qint32> IdElevi(TDM& dm)
{
    QList<qint32> id;
    TQuery& q = dm.Q5;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select    ID_ELEVI  from    ELEVI"));
    q.Open();
    for (; !q.Eof(); q.Next())
        id << qint32(q.FieldByName(QStringLiteral("ID_ELEVI")).AsInteger());
    return id;
}

QStringList TabeleLegate(TDM& dm)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select T.NUME_TABEL from TABELE T where (T.NUME_TABEL <> :ELEVI) and exists (select 1 "
                            "from PROFIL_DIPLOMA P where P.ASOCIAT_CU = T.NUME_TABEL)"));
    q.ParamByName(QStringLiteral("ELEVI")).SetAsString(QStringLiteral("ELEVI"));
    q.Open();
    QStringList tabele;
    while (!q.Eof()) {
        tabele << q.FieldByName(QStringLiteral("NUME_TABEL")).AsString();
        q.Next();
    }
    return tabele;
}

QString TitluTabel(const QString& tabel)
{
    return tabel.left(1).toUpper() + tabel.mid(1).toLower();
}

qint32 InregistrareLegata(TDM& dm, qint32 idElev, const QString& tabel)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select min(IDF_%1) as IDF from \"DATE\" where (ID_ELEVI = :ID) and (IDF_%1 is not null)")
                 .arg(tabel));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
    q.Open();
    const TCamp legatura = q.FieldByName(QStringLiteral("IDF"));
    return legatura.IsNull() ? -1 : qint32(legatura.AsInteger());
}

void LeagaElev(TDM& dm, qint32 idElev, const QString& tabel, qint32 idInregistrare)
{
    CereTranzactie(dm);
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(
        QStringLiteral("update \"DATE\" set IDF_%1 = :IDF where (ID_ELEVI = :ID) and (IDF_%1 is not null)").arg(tabel));
    q.ParamByName(QStringLiteral("IDF")).SetAsInteger(idInregistrare);
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
    q.ExecSQL();
    q.SetSQL(SqlLegaturiLipsa(tabel, QStringLiteral("(E.ID_ELEVI = :ID) and")));
    q.ParamByName(QStringLiteral("ASOCIAT_CU")).SetAsString(tabel);
    q.ParamByName(QStringLiteral("IDF")).SetAsInteger(idInregistrare);
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
    q.ExecSQL();
}

void LeagaEleviNelegati(TDM& dm, const QString& tabel, qint32 idInregistrare)
{
    CereTranzactie(dm);
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    // A student who already has a link row to the table keeps the record it names.
    q.SetSQL(SqlLegaturiLipsa(tabel, QStringLiteral("not exists (select 1 from \"DATE\" L where (L.ID_ELEVI = "
                                                    "E.ID_ELEVI) and (L.IDF_%1 is not null)) and")
                                         .arg(tabel)));
    q.ParamByName(QStringLiteral("ASOCIAT_CU")).SetAsString(tabel);
    q.ParamByName(QStringLiteral("IDF")).SetAsInteger(idInregistrare);
    q.ExecSQL();
}

qint32 CautaElevDupaCnp(TDM& dm, const TCheieCamp& campCnp, const QString& cnp)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    // A text of a CNP's length is found through the index of CNPs; any other (an empty cell) by reading.
    const QString prinIndex =
        cnp.size() == LungimeCnp ? QStringLiteral("(%1 = :CNP) AND ").arg(ExpresieIndexCnp()) : QString();
    q.SetSQL(
        QStringLiteral("SELECT ID_ELEVI FROM \"DATE\" WHERE %1(VALOARE_TEXT=:CNP) AND (COD_FORMULAR=:COD_FORMULAR) "
                       "AND (COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP) AND (ID_ELEVI IS NOT NULL)")
            .arg(prinIndex));
    q.ParamByName(QStringLiteral("CNP")).SetAsString(cnp);
    SeteazaCheie(q, campCnp);
    q.Open();
    return q.Eof() ? -1 : qint32(q.FieldByName(QStringLiteral("ID_ELEVI")).AsInteger());
}

QList<TCheieCamp> CampuriElev(TDM& dm)
{
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP FROM PROFIL_DIPLOMA WHERE ASOCIAT_CU = :ELEVI"));
    q.ParamByName(QStringLiteral("ELEVI")).SetAsString(QStringLiteral("ELEVI"));
    q.Open();
    QList<TCheieCamp> campuri;
    while (!q.Eof()) {
        campuri << TCheieCamp{q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                              q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                              q.FieldByName(QStringLiteral("COD_CAMP")).AsString()};
        q.Next();
    }
    return campuri;
}

namespace {
void VerificaLungimea(const QString& text)
{
    if (text.size() > LungimeValoareText)
        throw EEroare(QStringLiteral("Textul \"%1...\" are %2 caractere; un camp poate tine cel mult %3.")
                          .arg(text.left(40))
                          .arg(text.size())
                          .arg(LungimeValoareText));
}
} // namespace

qint32 CreeazaElevCuValori(TDM& dm, const QList<TCheieCamp>& campuri, const QHash<QString, QString>& valori)
{
    for (const QString& text : valori)
        VerificaLungimea(text);
    const qint32 id = CreeazaInregistrare(dm, QStringLiteral("ELEVI"));
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    // Each row is written once with its final text: fewer pages change than rows written empty and updated.
    q.SetSQL(QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, "
                            "ID_ELEVI) VALUES (:COD_FORMULAR, :COD_PAGINA, :COD_CAMP, :VALOARE_TEXT, 0, :ID_ELEVI)"));
    for (const TCheieCamp& c : campuri) {
        SeteazaCheie(q, c);
        q.ParamByName(QStringLiteral("VALOARE_TEXT")).SetAsString(valori.value(UnesteCheie(c)));
        q.ParamByName(QStringLiteral("ID_ELEVI")).SetAsInteger(id);
        q.ExecSQL();
    }
    return id;
}

void ScrieTextElev(TDM& dm, qint32 idElev, const TCheieCamp& cheie, const QString& text)
{
    CereTranzactie(dm);
    VerificaLungimea(text);
    TQuery& q = dm.Q1;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT=:VAL WHERE (ID_ELEVI=:ID_ELEVI) AND "
                            "(COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)"));
    q.ParamByName(QStringLiteral("VAL")).SetAsString(text);
    q.ParamByName(QStringLiteral("ID_ELEVI")).SetAsInteger(idElev);
    SeteazaCheie(q, cheie);
    q.ExecSQL();
}

QList<TInregistrare> Inregistrari(TDM& dm, const QString& tabel, const QString& expresie)
{
    if (!dm.Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    TQuery& q = dm.Q5;
    const TGardaCursor inchide(q);
    q.SetSQL(QStringLiteral("select id_%1 as \"ID\" from %1 ").arg(tabel));
    q.Open();
    QList<TInregistrare> r;
    while (!q.Eof()) {
        TInregistrare i;
        i.Id = qint32(q.FieldByName(QStringLiteral("ID")).AsInteger());
        i.Denumire = dm.ParseExpInregistrare(expresie, tabel, i.Id);
        r << i;
        q.Next();
    }
    return r;
}

int RescrieValoriElev(TDM& dm, qint32 idElev, const std::function<QString(const QString&)>& rescrie)
{
    CereTranzactie(dm);
    QList<QPair<QString, qint32>> proprietari{{QStringLiteral("ELEVI"), idElev}};
    for (const QString& tabel : TabeleLegate(dm)) {
        const qint32 inregistrare = InregistrareLegata(dm, idElev, tabel);
        if (inregistrare >= 0)
            proprietari << qMakePair(tabel, inregistrare);
    }
    int schimbate = 0;
    for (const auto& [tabel, id] : std::as_const(proprietari)) {
        QList<QPair<TCheieCamp, QString>> noi;
        {
            TQuery& citire = dm.Q2;
            const TGardaCursor inchide(citire);
            citire.SetSQL(QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT from \"DATE\" "
                                         "where ID_%1 = :ID and VALOARE_TEXT <> ''")
                              .arg(tabel));
            citire.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
            citire.Open();
            while (!citire.Eof()) {
                const QString text = citire.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
                const QString nou = rescrie(text);
                if (nou != text)
                    noi << qMakePair(TCheieCamp{citire.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                                                citire.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                                                citire.FieldByName(QStringLiteral("COD_CAMP")).AsString()},
                                     nou);
                citire.Next();
            }
        }
        TQuery& q = dm.Q1;
        const TGardaCursor inchideScrierea(q);
        q.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT=:VAL WHERE (ID_%1=:ID) AND "
                                "(COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)")
                     .arg(tabel));
        for (const auto& [cheie, text] : std::as_const(noi)) {
            VerificaLungimea(text);
            q.ParamByName(QStringLiteral("VAL")).SetAsString(text);
            q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
            SeteazaCheie(q, cheie);
            q.ExecSQL();
            ++schimbate;
        }
    }
    return schimbate;
}
