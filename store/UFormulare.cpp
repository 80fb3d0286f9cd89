#include "store/UFormulare.h"

#include "platform/UEroare.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UTipariri.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

namespace {
const QString FormatData = QStringLiteral("yyyy-MM-dd");
const QString FormatDataOra = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr qint64 NumarMaxim = 999999999;
constexpr qint64 LotMaxim = 1000000;

bool Exista(TDM& dm)
{
    return dm.ExistaObiect(TDM::TObiectStructura::Tabela, QStringLiteral("LOTURI_FORMULARE")) &&
           dm.ExistaObiect(TDM::TObiectStructura::Tabela, QStringLiteral("FORMULARE_FOLOSITE"));
}

void SeteazaData(TParametru& p, const QDate& data)
{
    if (data.isValid())
        p.SetAsString(data.toString(FormatData));
    else
        p.Clear();
}

QDate CitesteData(const TCamp& c)
{
    return c.IsNull() ? QDate() : QDate::fromString(c.AsString().left(10), FormatData);
}

QString Text(qint64 numar)
{
    return QString::number(numar);
}

QString NumeFormular(const QString& serie, qint64 numar)
{
    return QStringLiteral("seria %1 nr. %2").arg(serie, Text(numar));
}

QList<TLotFormulare> LoturiSerie(TDM& dm, const QString& serie)
{
    QList<TLotFormulare> loturi;
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select ID_LOT, SERIA, NUMAR_DE_LA, NUMAR_PANA_LA, CAST(DATA_PRIMIRII AS VARCHAR(10)) AS "
                            "PRIMIT, DOCUMENT from LOTURI_FORMULARE where SERIA = :SERIA or :TOATE = 1 "
                            "order by SERIA, NUMAR_DE_LA"));
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("TOATE")).SetAsInteger(serie.isNull() ? 1 : 0);
    q.Open();
    while (!q.Eof()) {
        TLotFormulare l;
        l.Id = q.FieldByName(QStringLiteral("ID_LOT")).AsInteger();
        l.Serie = q.FieldByName(QStringLiteral("SERIA")).AsString();
        l.DeLa = q.FieldByName(QStringLiteral("NUMAR_DE_LA")).AsInteger();
        l.PanaLa = q.FieldByName(QStringLiteral("NUMAR_PANA_LA")).AsInteger();
        l.Primit = CitesteData(q.FieldByName(QStringLiteral("PRIMIT")));
        l.Document = q.FieldByName(QStringLiteral("DOCUMENT")).AsString();
        loturi << l;
        q.Next();
    }
    return loturi;
}

// The numbers of the series already used, from `numar` on, ascending.
QList<qint64> FolositeDeLa(TDM& dm, const QString& serie, qint64 numar)
{
    QList<qint64> numere;
    TQuery& q = dm.Q5;
    const TGardaCursor cursor(q);
    q.SetSQL(
        QStringLiteral("select NUMAR from FORMULARE_FOLOSITE where SERIA = :SERIA and NUMAR >= :NUMAR order by NUMAR"));
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.Open();
    while (!q.Eof()) {
        numere << q.FieldByName(QStringLiteral("NUMAR")).AsInteger();
        q.Next();
    }
    return numere;
}

// Up to `cate` free numbers of the series from `numar` on, in order, walking its batches beside the used numbers.
QList<qint64> LibereDeLa(TDM& dm, const QString& serie, qint64 numar, qint64 cate)
{
    QList<qint64> libere;
    const QList<TLotFormulare> loturi = LoturiSerie(dm, serie);
    const QList<qint64> folosite = FolositeDeLa(dm, serie, numar);
    qsizetype f = 0;
    for (const TLotFormulare& l : loturi) {
        for (qint64 n = qMax(numar, l.DeLa); n <= l.PanaLa && libere.size() < cate; ++n) {
            while (f < folosite.size() && folosite[f] < n)
                ++f;
            if (f < folosite.size() && folosite[f] == n)
                continue;
            libere << n;
        }
        if (libere.size() >= cate)
            break;
    }
    return libere;
}

// How many free blanks the series holds from `numar` on.
qint64 NumarLibereDeLa(TDM& dm, const QString& serie, qint64 numar)
{
    qint64 total = 0;
    for (const TLotFormulare& l : LoturiSerie(dm, serie))
        total += qMax<qint64>(0, l.PanaLa - qMax(numar, l.DeLa) + 1);
    TQuery& q = dm.Q5;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select count(*) as N from FORMULARE_FOLOSITE where SERIA = :SERIA and NUMAR >= :NUMAR"));
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.Open();
    total -= q.FieldByName(QStringLiteral("N")).AsInteger();
    return total;
}

QList<TFormularFolosit> CitesteFolosite(TQuery& q)
{
    QList<TFormularFolosit> lista;
    q.Open();
    while (!q.Eof()) {
        TFormularFolosit f;
        f.Serie = q.FieldByName(QStringLiteral("SERIA")).AsString();
        f.Numar = q.FieldByName(QStringLiteral("NUMAR")).AsInteger();
        f.Anulat = q.FieldByName(QStringLiteral("STARE")).AsString() == u"A";
        f.IdElev = q.FieldByName(QStringLiteral("ID_ELEVI")).AsInteger();
        f.Elev = q.FieldByName(QStringLiteral("ELEV")).AsString();
        f.Cnp = q.FieldByName(QStringLiteral("CNP")).AsString();
        f.Lucrare = q.FieldByName(QStringLiteral("ID_LUCRARE")).AsInteger();
        f.Pagina = int(q.FieldByName(QStringLiteral("PAGINA")).AsInteger());
        f.DataOra =
            QDateTime::fromString(q.FieldByName(QStringLiteral("DATA_TEXT")).AsString().left(19), FormatDataOra);
        f.NrRegistru = q.FieldByName(QStringLiteral("NR_REGISTRU")).AsInteger();
        f.DataEliberarii = CitesteData(q.FieldByName(QStringLiteral("ELIBERAT")));
        f.DataPrimirii = CitesteData(q.FieldByName(QStringLiteral("PRIMIT")));
        f.Motiv = q.FieldByName(QStringLiteral("MOTIV")).AsString();
        f.DataAnularii = CitesteData(q.FieldByName(QStringLiteral("ANULAT")));
        lista << f;
        q.Next();
    }
    return lista;
}

QString SelectFolosite(const QString& conditie)
{
    return QStringLiteral("select SERIA, NUMAR, STARE, ID_ELEVI, ELEV, CNP, ID_LUCRARE, PAGINA, "
                          "CAST(DATA_ORA AS VARCHAR(24)) AS DATA_TEXT, NR_REGISTRU, "
                          "CAST(DATA_ELIBERARII AS VARCHAR(10)) AS ELIBERAT, CAST(DATA_PRIMIRII AS VARCHAR(10)) AS "
                          "PRIMIT, MOTIV, CAST(DATA_ANULARII AS VARCHAR(10)) AS ANULAT from FORMULARE_FOLOSITE ") +
           conditie;
}

// The state of one blank: "" free, "E" issued, "A" annulled; with the student it went to.
QString StareFormular(TDM& dm, const QString& serie, qint64 numar, QString* elev = nullptr)
{
    TQuery& q = dm.Q6;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select STARE, ELEV from FORMULARE_FOLOSITE where SERIA = :SERIA and NUMAR = :NUMAR"));
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.Open();
    QString stare;
    if (!q.Eof()) {
        stare = q.FieldByName(QStringLiteral("STARE")).AsString();
        if (elev)
            *elev = q.FieldByName(QStringLiteral("ELEV")).AsString();
    }
    return stare;
}

// The message for a blank that is not in the stock of its series, or empty when it is.
QString InAfaraStocului(TDM& dm, const QString& serie, qint64 numar)
{
    const QList<TLotFormulare> loturi = LoturiSerie(dm, serie);
    if (loturi.isEmpty())
        return QStringLiteral("Seria \"%1\" nu apare in niciun lot de formulare.").arg(serie);
    const bool inLot = std::any_of(loturi.begin(), loturi.end(),
                                   [numar](const TLotFormulare& l) { return numar >= l.DeLa && numar <= l.PanaLa; });
    if (!inLot)
        return QStringLiteral("Formularul %1 nu face parte din niciun lot al seriei.").arg(NumeFormular(serie, numar));
    return {};
}

// The student's name as the sheet printed it: the certificate's, else the stub's two lines, else the list's
// wording of the student.
QString NumeTiparit(TDM& dm, const TFoaieFormular& f)
{
    const auto camp = [&](const QString& cheie) {
        return dm.ValoareCamp(QStringLiteral("Tessaluna"), QStringLiteral("FATA"), cheie, f.IdElev).simplified();
    };
    QString nume = camp(QStringLiteral("A_NUME"));
    if (nume.isEmpty())
        nume = (camp(QStringLiteral("C_NUME_L1")) + QLatin1Char(' ') + camp(QStringLiteral("C_NUME_L2"))).trimmed();
    return nume.isEmpty() ? f.Elev : nume;
}
} // namespace

QString NormalizeazaSerie(const QString& serie)
{
    return serie.trimmed().toUpper();
}

qint64 CitesteNumarFormular(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok && n >= 1 && n <= NumarMaxim ? n : 0;
}

QString DescriereFormulare(const QString& serie, const QList<qint64>& numere)
{
    QStringList bucati;
    for (qsizetype i = 0; i < numere.size();) {
        qsizetype j = i;
        while (j + 1 < numere.size() && numere[j + 1] == numere[j] + 1)
            ++j;
        bucati << (j == i ? Text(numere[i]) : Text(numere[i]) + QLatin1Char('-') + Text(numere[j]));
        i = j + 1;
    }
    return bucati.isEmpty() ? QString()
                            : QStringLiteral("seria %1 nr. %2").arg(serie, bucati.join(QStringLiteral(", ")));
}

void CreeazaEvidentaFormulare(TDM& dm)
{
    using TObiect = TDM::TObiectStructura;
    dm.CreeazaDacaLipseste(TObiect::Tabela, QStringLiteral("LOTURI_FORMULARE"),
                           QStringLiteral("create table LOTURI_FORMULARE (ID_LOT INTEGER NOT NULL PRIMARY KEY, SERIA "
                                          "VARCHAR(20) NOT NULL, NUMAR_DE_LA INTEGER NOT NULL, NUMAR_PANA_LA INTEGER "
                                          "NOT NULL, DATA_PRIMIRII DATE, DOCUMENT VARCHAR(256))"));
    dm.CreeazaDacaLipseste(
        TObiect::Tabela, QStringLiteral("FORMULARE_FOLOSITE"),
        QStringLiteral("create table FORMULARE_FOLOSITE (SERIA VARCHAR(20) NOT NULL, NUMAR INTEGER NOT NULL, STARE "
                       "CHAR(1) NOT NULL, ID_ELEVI INTEGER, ELEV VARCHAR(256), CNP VARCHAR(20), ID_LUCRARE INTEGER, "
                       "PAGINA INTEGER, DATA_ORA TIMESTAMP NOT NULL, NR_REGISTRU INTEGER, NR_REGISTRU_ANULAT INTEGER, "
                       "DATA_ELIBERARII DATE, DATA_PRIMIRII DATE, MOTIV VARCHAR(256), DATA_ANULARII DATE, CONSTRAINT "
                       "PK_FORMULARE_FOLOSITE PRIMARY KEY (SERIA, NUMAR), CONSTRAINT UQ_FORMULARE_REGISTRU UNIQUE "
                       "(NR_REGISTRU))"));
    dm.CreeazaDacaLipseste(TObiect::Index, QStringLiteral("IX_FORMULARE_ELEV"),
                           QStringLiteral("create index IX_FORMULARE_ELEV on FORMULARE_FOLOSITE (ID_ELEVI)"));
    dm.CreeazaDacaLipseste(TObiect::Generator, QStringLiteral("G_ID_LOTURI"),
                           QStringLiteral("CREATE GENERATOR G_ID_LOTURI"));
}

bool EvidentaFormulareActiva(TDM& dm)
{
    const TGardaCitire citire(dm.Tr);
    if (!Exista(dm))
        return false;
    const TGardaCursor cursor(dm.Q4);
    dm.Q4.SetSQL(QStringLiteral("select first 1 ID_LOT from LOTURI_FORMULARE"));
    dm.Q4.Open();
    const bool are = !dm.Q4.Eof();
    return are;
}

qint64 AdaugaLot(TDM& dm, const TLotFormulare& lot)
{
    const QString serie = NormalizeazaSerie(lot.Serie);
    if (serie.isEmpty() || serie.size() > 20)
        throw EEroare(QStringLiteral("Scrieti seria formularelor (cel mult 20 de caractere)."));
    if (lot.DeLa < 1 || lot.PanaLa > NumarMaxim || lot.DeLa > lot.PanaLa)
        throw EEroare(QStringLiteral("Numerele lotului sunt gresite: primul %1, ultimul %2 (primul trebuie sa fie cel "
                                     "putin 1 si cel mult ultimul).")
                          .arg(Text(lot.DeLa), Text(lot.PanaLa)));
    if (lot.PanaLa - lot.DeLa + 1 > LotMaxim)
        throw EEroare(QStringLiteral("Un lot are cel mult %1 de formulare.").arg(Text(LotMaxim)));
    if (!lot.Primit.isValid())
        throw EEroare(QStringLiteral("Scrieti data primirii lotului."));
    TGardaTranzactie garda(dm.Tr);
    if (!Exista(dm))
        throw EEroare(QStringLiteral("Baza de date nu are inca evidenta formularelor; reporniti programul."));
    // Two desks adding batches of one series at the same moment: the second meets the first's lock on the series'
    // batches and is refused, instead of each checking for overlaps without seeing the other's batch.
    try {
        dm.Q5.SetSQL(QStringLiteral("update LOTURI_FORMULARE set ID_LOT = ID_LOT where SERIA = :SERIA"));
        dm.Q5.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
        dm.Q5.ExecSQL();
    } catch (const EEroareBD& e) {
        if (e.Categorie() != EEroareBD::ConflictBlocare)
            throw;
        throw EEroare(QStringLiteral("Alt calculator a inregistrat in acelasi timp un lot al seriei %1; deschideti din "
                                     "nou lista loturilor si incercati iar.")
                          .arg(serie),
                      e.Detalii().isEmpty() ? e.Mesaj() : e.Detalii());
    }
    for (const TLotFormulare& l : LoturiSerie(dm, serie)) {
        if (lot.DeLa <= l.PanaLa && lot.PanaLa >= l.DeLa)
            throw EEroare(QStringLiteral("Lotul seria %1 nr. %2-%3 se suprapune cu lotul seria %1 nr. %4-%5 primit "
                                         "la %6.")
                              .arg(serie, Text(lot.DeLa), Text(lot.PanaLa), Text(l.DeLa), Text(l.PanaLa),
                                   l.Primit.toString(QStringLiteral("dd.MM.yyyy"))));
    }
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT GEN_ID(G_ID_LOTURI,1) AS \"ID\" FROM RDB$DATABASE"));
    q.Open();
    const qint64 id = q.FieldByName(QStringLiteral("ID")).AsInteger();
    q.SetSQL(QStringLiteral("insert into LOTURI_FORMULARE (ID_LOT, SERIA, NUMAR_DE_LA, NUMAR_PANA_LA, DATA_PRIMIRII, "
                            "DOCUMENT) values (:ID, :SERIA, :DE_LA, :PANA_LA, CAST(CAST(:PRIMIT AS VARCHAR(10)) AS "
                            "DATE), :DOCUMENT)"));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("DE_LA")).SetAsInteger(lot.DeLa);
    q.ParamByName(QStringLiteral("PANA_LA")).SetAsInteger(lot.PanaLa);
    SeteazaData(q.ParamByName(QStringLiteral("PRIMIT")), lot.Primit);
    q.ParamByName(QStringLiteral("DOCUMENT")).SetAsString(lot.Document.trimmed().left(256));
    q.ExecSQL();
    garda.Commit();
    return id;
}

QList<TLotFormulare> Loturi(TDM& dm)
{
    const TGardaCitire citire(dm.Tr);
    if (!Exista(dm))
        return {};
    return LoturiSerie(dm, QString());
}

QList<TStocSerie> StocFormulare(TDM& dm)
{
    const TGardaCitire citire(dm.Tr);
    QList<TStocSerie> stoc;
    if (!Exista(dm))
        return stoc;
    for (const TLotFormulare& l : LoturiSerie(dm, QString())) {
        if (stoc.isEmpty() || stoc.last().Serie != l.Serie)
            stoc << TStocSerie{l.Serie};
        stoc.last().Total += l.PanaLa - l.DeLa + 1;
    }
    TQuery& q = dm.Q5;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select SERIA, STARE, count(*) as N from FORMULARE_FOLOSITE group by SERIA, STARE"));
    q.Open();
    while (!q.Eof()) {
        const QString serie = q.FieldByName(QStringLiteral("SERIA")).AsString();
        for (TStocSerie& s : stoc) {
            if (s.Serie != serie)
                continue;
            (q.FieldByName(QStringLiteral("STARE")).AsString() == u"A" ? s.Anulate : s.Eliberate) +=
                q.FieldByName(QStringLiteral("N")).AsInteger();
        }
        q.Next();
    }
    for (TStocSerie& s : stoc)
        s.Libere = s.Total - s.Eliberate - s.Anulate;
    return stoc;
}

TFormularPropus FormularPropus(TDM& dm)
{
    const QList<TStocSerie> stoc = StocFormulare(dm);
    const TGardaCitire citire(dm.Tr);
    QString serie;
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select first 1 SERIA from FORMULARE_FOLOSITE where STARE = 'E' order by DATA_ORA desc, "
                            "NUMAR desc"));
    q.Open();
    if (!q.Eof())
        serie = q.FieldByName(QStringLiteral("SERIA")).AsString();
    auto areLibere = [&stoc](const QString& s) {
        return std::any_of(stoc.begin(), stoc.end(),
                           [&s](const TStocSerie& x) { return x.Serie == s && x.Libere > 0; });
    };
    if (!areLibere(serie)) {
        serie.clear();
        for (const TStocSerie& s : stoc) {
            if (s.Libere > 0) {
                serie = s.Serie;
                break;
            }
        }
    }
    if (serie.isEmpty())
        return {};
    q.SetSQL(QStringLiteral("select max(NUMAR) as N from FORMULARE_FOLOSITE where SERIA = :SERIA"));
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.Open();
    const qint64 ultimul = q.FieldByName(QStringLiteral("N")).AsInteger();
    QList<qint64> libere = LibereDeLa(dm, serie, ultimul + 1, 1);
    if (libere.isEmpty())
        libere = LibereDeLa(dm, serie, 1, 1);
    return libere.isEmpty() ? TFormularPropus{} : TFormularPropus{serie, libere.first()};
}

QString VerificaFormulareDeLuat(TDM& dm, const QString& serieScrisa, qint64 numar, int foi)
{
    const QString serie = NormalizeazaSerie(serieScrisa);
    if (serie.isEmpty())
        return QStringLiteral("Scrieti seria primului formular din tava.");
    if (numar < 1)
        return QStringLiteral("Scrieti numarul primului formular din tava.");
    const TGardaCitire citire(dm.Tr);
    if (!Exista(dm))
        return QStringLiteral("Baza de date nu are evidenta formularelor.");
    const QString afara = InAfaraStocului(dm, serie, numar);
    if (!afara.isEmpty())
        return afara;
    QString elev;
    const QString stare = StareFormular(dm, serie, numar, &elev);
    if (stare == u"E")
        return QStringLiteral("Formularul %1 a fost deja eliberat (%2).").arg(NumeFormular(serie, numar), elev);
    if (stare == u"A")
        return QStringLiteral("Formularul %1 este anulat.").arg(NumeFormular(serie, numar));
    const qint64 libere = NumarLibereDeLa(dm, serie, numar);
    if (libere < foi)
        return QStringLiteral("Seria %1 mai are %2 formulare libere de la nr. %3, iar lucrarea are nevoie de %4. "
                              "Inregistrati lotul urmator sau tipariti mai putini elevi.")
            .arg(serie, Text(libere), Text(numar), Text(foi));
    return {};
}

qint64 FormulareLibere(TDM& dm)
{
    qint64 libere = 0;
    for (const TStocSerie& s : StocFormulare(dm))
        libere += s.Libere;
    return libere;
}

QSet<qint64> EleviCuFormularEliberat(TDM& dm, const QList<qint64>& idElevi)
{
    QSet<qint64> cu;
    const TGardaCitire citire(dm.Tr);
    if (!Exista(dm))
        return cu;
    const QSet<qint64> cautati(idElevi.begin(), idElevi.end());
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select distinct ID_ELEVI from FORMULARE_FOLOSITE where STARE = 'E'"));
    q.Open();
    while (!q.Eof()) {
        const qint64 id = q.FieldByName(QStringLiteral("ID_ELEVI")).AsInteger();
        if (cautati.contains(id))
            cu.insert(id);
        q.Next();
    }
    return cu;
}

QList<qint64> IaFormulare(TDM& dm, const QString& serieScrisa, qint64 numar, const QList<TFoaieFormular>& foi)
{
    const QString serie = NormalizeazaSerie(serieScrisa);
    const QList<qint64> numere = LibereDeLa(dm, serie, numar, foi.size());
    if (numere.size() < foi.size())
        throw EEroare(QStringLiteral("Seria %1 nu mai are %2 formulare libere de la nr. %3.")
                          .arg(serie, Text(foi.size()), Text(numar)));
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select max(NR_REGISTRU) as N from FORMULARE_FOLOSITE"));
    q.Open();
    qint64 registru = q.FieldByName(QStringLiteral("N")).AsInteger();
    const QDate azi = QDate::currentDate();
    for (qsizetype i = 0; i < foi.size(); ++i) {
        const TFoaieFormular& f = foi[i];
        // A student whose blank was annulled keeps the register number it had, when no blank holds it since.
        q.SetSQL(QStringLiteral(
            "select first 1 f.NR_REGISTRU_ANULAT as N from FORMULARE_FOLOSITE f where f.ID_ELEVI = :ID and f.STARE = "
            "'A' and f.NR_REGISTRU_ANULAT is not null and not exists (select 1 from FORMULARE_FOLOSITE g where "
            "g.NR_REGISTRU = f.NR_REGISTRU_ANULAT) order by f.DATA_ANULARII desc, f.DATA_ORA desc"));
        q.ParamByName(QStringLiteral("ID")).SetAsInteger(f.IdElev);
        q.Open();
        const qint64 anterior = q.Eof() ? 0 : q.FieldByName(QStringLiteral("N")).AsInteger();
        // The CNP as the register holds it now, which is what the sheet printed.
        const QString cnp =
            dm.ValoareCamp(QStringLiteral("Tessaluna"), QStringLiteral("FATA"), QStringLiteral("C_CNP"), f.IdElev);
        q.SetSQL(QStringLiteral(
            "insert into FORMULARE_FOLOSITE (SERIA, NUMAR, STARE, ID_ELEVI, ELEV, CNP, ID_LUCRARE, PAGINA, DATA_ORA, "
            "NR_REGISTRU, DATA_ELIBERARII) values (:SERIA, :NUMAR, 'E', :ID_ELEVI, :ELEV, :CNP, :LUCRARE, :PAGINA, "
            "CAST(CAST(:DATA_ORA AS VARCHAR(19)) AS TIMESTAMP), :REGISTRU, CAST(CAST(:ELIBERAT AS VARCHAR(10)) AS "
            "DATE))"));
        q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
        q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numere[i]);
        q.ParamByName(QStringLiteral("ID_ELEVI")).SetAsInteger(f.IdElev);
        q.ParamByName(QStringLiteral("ELEV")).SetAsString(NumeTiparit(dm, f).left(256));
        q.ParamByName(QStringLiteral("CNP")).SetAsString(cnp.left(20));
        q.ParamByName(QStringLiteral("LUCRARE")).SetAsInteger(f.Lucrare);
        q.ParamByName(QStringLiteral("PAGINA")).SetAsInteger(f.Pagina);
        q.ParamByName(QStringLiteral("DATA_ORA")).SetAsString(f.DataOra.toString(FormatDataOra));
        q.ParamByName(QStringLiteral("REGISTRU")).SetAsInteger(anterior > 0 ? anterior : ++registru);
        SeteazaData(q.ParamByName(QStringLiteral("ELIBERAT")), azi);
        q.ExecSQL();
    }
    return numere;
}

void AnuleazaFormular(TDM& dm, const QString& serieScrisa, qint64 numar, const QString& motiv, const QDate& data)
{
    const QString serie = NormalizeazaSerie(serieScrisa);
    if (motiv.trimmed().isEmpty())
        throw EEroare(QStringLiteral("Scrieti motivul anularii formularului %1.").arg(NumeFormular(serie, numar)));
    if (!data.isValid())
        throw EEroare(QStringLiteral("Scrieti data anularii."));
    TGardaTranzactie garda(dm.Tr);
    if (!Exista(dm))
        throw EEroare(QStringLiteral("Baza de date nu are evidenta formularelor."));
    const QString afara = InAfaraStocului(dm, serie, numar);
    if (!afara.isEmpty())
        throw EEroare(afara);
    const QString stare = StareFormular(dm, serie, numar);
    if (stare == u"A")
        throw EEroare(QStringLiteral("Formularul %1 este deja anulat.").arg(NumeFormular(serie, numar)));
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    if (stare == u"E") {
        q.SetSQL(QStringLiteral("update FORMULARE_FOLOSITE set STARE = 'A', NR_REGISTRU_ANULAT = NR_REGISTRU, "
                                "NR_REGISTRU = null, MOTIV = :MOTIV, "
                                "DATA_ANULARII = CAST(CAST(:ANULAT AS VARCHAR(10)) AS DATE) "
                                "where SERIA = :SERIA and NUMAR = :NUMAR"));
    } else {
        q.SetSQL(QStringLiteral("insert into FORMULARE_FOLOSITE (SERIA, NUMAR, STARE, DATA_ORA, MOTIV, DATA_ANULARII) "
                                "values (:SERIA, :NUMAR, 'A', CURRENT_TIMESTAMP, :MOTIV, "
                                "CAST(CAST(:ANULAT AS VARCHAR(10)) AS DATE))"));
    }
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.ParamByName(QStringLiteral("MOTIV")).SetAsString(motiv.trimmed().left(256));
    SeteazaData(q.ParamByName(QStringLiteral("ANULAT")), data);
    q.ExecSQL();
    garda.Commit();
}

void SchimbaRegistrul(TDM& dm, const QString& serieScrisa, qint64 numar, qint64 nrRegistru, const QDate& dataEliberarii,
                      const QDate& dataPrimirii)
{
    const QString serie = NormalizeazaSerie(serieScrisa);
    if (nrRegistru < 1 || nrRegistru > NumarMaxim)
        throw EEroare(QStringLiteral("Numarul din registru al formularului %1 trebuie sa fie un numar de la 1 in sus.")
                          .arg(NumeFormular(serie, numar)));
    if (!dataEliberarii.isValid())
        throw EEroare(QStringLiteral("Scrieti data eliberarii formularului %1.").arg(NumeFormular(serie, numar)));
    if (dataPrimirii.isValid() && dataPrimirii < dataEliberarii)
        throw EEroare(QStringLiteral("Data primirii formularului %1 este inaintea datei eliberarii.")
                          .arg(NumeFormular(serie, numar)));
    TGardaTranzactie garda(dm.Tr);
    if (StareFormular(dm, serie, numar) != u"E")
        throw EEroare(QStringLiteral("Formularul %1 nu este eliberat.").arg(NumeFormular(serie, numar)));
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select SERIA, NUMAR from FORMULARE_FOLOSITE where NR_REGISTRU = :REGISTRU and not "
                            "(SERIA = :SERIA and NUMAR = :NUMAR)"));
    q.ParamByName(QStringLiteral("REGISTRU")).SetAsInteger(nrRegistru);
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.Open();
    if (!q.Eof()) {
        const QString alt = NumeFormular(q.FieldByName(QStringLiteral("SERIA")).AsString(),
                                         q.FieldByName(QStringLiteral("NUMAR")).AsInteger());
        throw EEroare(QStringLiteral("Numarul %1 din registru este al formularului %2.").arg(Text(nrRegistru), alt));
    }
    q.SetSQL(QStringLiteral("update FORMULARE_FOLOSITE set NR_REGISTRU = :REGISTRU, DATA_ELIBERARII = "
                            "CAST(CAST(:ELIBERAT AS VARCHAR(10)) AS DATE), DATA_PRIMIRII = CAST(CAST(:PRIMIT AS "
                            "VARCHAR(10)) AS DATE) where SERIA = :SERIA and NUMAR = :NUMAR"));
    q.ParamByName(QStringLiteral("REGISTRU")).SetAsInteger(nrRegistru);
    SeteazaData(q.ParamByName(QStringLiteral("ELIBERAT")), dataEliberarii);
    SeteazaData(q.ParamByName(QStringLiteral("PRIMIT")), dataPrimirii);
    q.ParamByName(QStringLiteral("SERIA")).SetAsString(serie);
    q.ParamByName(QStringLiteral("NUMAR")).SetAsInteger(numar);
    q.ExecSQL();
    garda.Commit();
}

QList<TFormularFolosit> FormulareElev(TDM& dm, qint64 idElev)
{
    const TGardaCitire citire(dm.Tr);
    if (!Exista(dm))
        return {};
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(SelectFolosite(QStringLiteral("where ID_ELEVI = :ID order by DATA_ORA desc, NUMAR desc")));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
    return CitesteFolosite(q);
}

QList<TFormularFolosit> FormulareEliberate(TDM& dm)
{
    const TGardaCitire citire(dm.Tr, TGardaCitire::FolosesteDeschisa);
    if (!Exista(dm))
        return {};
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(SelectFolosite(QStringLiteral("where STARE = 'E' order by NR_REGISTRU, SERIA, NUMAR")));
    return CitesteFolosite(q);
}

QList<TFormularFolosit> FormulareAnulate(TDM& dm, const QDate& de, const QDate& pana)
{
    const TGardaCitire citire(dm.Tr, TGardaCitire::FolosesteDeschisa);
    if (!Exista(dm))
        return {};
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(SelectFolosite(
        QStringLiteral("where STARE = 'A' and DATA_ANULARII between CAST(CAST(:DE AS VARCHAR(10)) AS DATE) and "
                       "CAST(CAST(:PANA AS VARCHAR(10)) AS DATE) order by DATA_ANULARII, SERIA, NUMAR")));
    SeteazaData(q.ParamByName(QStringLiteral("DE")), de);
    SeteazaData(q.ParamByName(QStringLiteral("PANA")), pana);
    return CitesteFolosite(q);
}

qint64 InregistreazaTipaririCuFormulare(TDM& dm, const QList<TTiparire>& tipariri, const QString& serie, qint64 numar,
                                        QList<qint64>* numere)
{
    if (serie.isEmpty() || tipariri.isEmpty())
        return InregistreazaTipariri(dm, tipariri);
    // The desk that met the other's key waited for its commit; while the other keeps recording jobs it may meet
    // it again, so the rounds go on for a while, each after a short pause of its own length.
    QElapsedTimer timp;
    timp.start();
    for (;;) {
        QList<qint64> luate;
        try {
            const qint64 lucrare = InregistreazaTipariri(dm, tipariri, [&](qint64 lucrare) {
                QList<TFoaieFormular> foi;
                for (const TTiparire& t : tipariri)
                    foi << TFoaieFormular{t.IdElev, t.Elev, lucrare, t.Pagina, t.DataOra};
                luate = IaFormulare(dm, serie, numar, foi);
            });
            if (numere)
                *numere = luate;
            return lucrare;
        } catch (const EEroareBD& e) {
            const bool intalnire =
                e.Categorie() == EEroareBD::CheieDuplicata || e.Categorie() == EEroareBD::ConflictBlocare;
            if (!intalnire || timp.elapsed() > 120000)
                throw;
        }
        QThread::msleep(QRandomGenerator::global()->bounded(5, 60));
    }
}
