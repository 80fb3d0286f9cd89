#include "store/UTipariri.h"

#include "store/UDataModule.h"

namespace {
const QString FormatData = QStringLiteral("yyyy-MM-dd HH:mm:ss");

} // namespace

void CreeazaRegistruTipariri(TDM& dm)
{
    using TObiect = TDM::TObiectStructura;
    dm.CreeazaDacaLipseste(TObiect::Tabela, QStringLiteral("TIPARIRI"),
                           QStringLiteral("create table TIPARIRI (ID_TIPARIRE INTEGER NOT NULL PRIMARY KEY, "
                                          "ID_LUCRARE INTEGER NOT NULL, PAGINA INTEGER NOT NULL, ID_ELEVI INTEGER NOT "
                                          "NULL, ELEV VARCHAR(256), DATA_ORA TIMESTAMP NOT NULL, IMPRIMANTA "
                                          "VARCHAR(256), TITLU VARCHAR(256))"));
    dm.CreeazaDacaLipseste(TObiect::Index, QStringLiteral("IX_TIPARIRI_ELEV"),
                           QStringLiteral("create index IX_TIPARIRI_ELEV on TIPARIRI (ID_ELEVI)"));
    // The placement of each sheet, added to registers made before it was kept.
    for (const char* coloana : {"MARGINE_STANGA VARCHAR(24)", "MARGINE_SUS VARCHAR(24)", "OGLINDA CHAR(1)"}) {
        const QString definitie = QString::fromLatin1(coloana);
        dm.PasStructura(QStringLiteral("select * from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'TIPARIRI' and "
                                       "RDB$FIELD_NAME = :NUME"),
                        {{QStringLiteral("NUME"), definitie.section(u' ', 0, 0)}},
                        {QStringLiteral("alter table TIPARIRI add ") + definitie});
    }
    for (const QString& g : {QStringLiteral("G_ID_TIPARIRI"), QStringLiteral("G_ID_LUCRARI")})
        dm.CreeazaDacaLipseste(TObiect::Generator, g, QStringLiteral("CREATE GENERATOR ") + g);
}

bool ExistaRegistruTipariri(TDM& dm)
{
    const TGardaCitire citire(dm.Tr, TGardaCitire::FolosesteDeschisa);
    return dm.ExistaObiect(TDM::TObiectStructura::Tabela, QStringLiteral("TIPARIRI"));
}

qint64 InregistreazaTipariri(TDM& dm, const QList<TTiparire>& tipariri,
                             const std::function<void(qint64 lucrare)>& inAceeasiTranzactie)
{
    if (tipariri.isEmpty() || !ExistaRegistruTipariri(dm))
        return 0;
    return InTranzactie(dm.Tr, [&] {
        TQuery& q = dm.Q1;
        const TGardaCursor cursor(q);
        q.SetSQL(QStringLiteral("SELECT GEN_ID(G_ID_LUCRARI,1) AS \"ID\" FROM RDB$DATABASE"));
        q.Open();
        const qint64 lucrare = q.FieldByName(QStringLiteral("ID")).AsInteger();
        for (const TTiparire& t : tipariri) {
            q.SetSQL(QStringLiteral(
                "insert into TIPARIRI (ID_TIPARIRE, ID_LUCRARE, PAGINA, ID_ELEVI, ELEV, DATA_ORA, IMPRIMANTA, TITLU, "
                "MARGINE_STANGA, MARGINE_SUS, OGLINDA) "
                "values (GEN_ID(G_ID_TIPARIRI,1), :LUCRARE, :PAGINA, :ELEV_ID, :ELEV, CAST(CAST(:DATA_ORA AS "
                "VARCHAR(19)) AS TIMESTAMP), "
                ":IMPRIMANTA, :TITLU, :MARGINE_STANGA, :MARGINE_SUS, :OGLINDA)"));
            q.ParamByName(QStringLiteral("LUCRARE")).SetAsInteger(lucrare);
            q.ParamByName(QStringLiteral("PAGINA")).SetAsInteger(t.Pagina);
            q.ParamByName(QStringLiteral("ELEV_ID")).SetAsInteger(t.IdElev);
            q.ParamByName(QStringLiteral("ELEV")).SetAsString(t.Elev.left(256));
            q.ParamByName(QStringLiteral("DATA_ORA")).SetAsString(t.DataOra.toString(FormatData));
            q.ParamByName(QStringLiteral("IMPRIMANTA")).SetAsString(t.Imprimanta.left(256));
            q.ParamByName(QStringLiteral("TITLU")).SetAsString(t.Titlu.left(256));
            // Written as text, exact: the margins read back are the ones typed.
            q.ParamByName(QStringLiteral("MARGINE_STANGA"))
                .SetAsString(t.AreAsezare ? QString::number(t.MargineStanga, 'g', 17) : QString());
            q.ParamByName(QStringLiteral("MARGINE_SUS"))
                .SetAsString(t.AreAsezare ? QString::number(t.MargineSus, 'g', 17) : QString());
            q.ParamByName(QStringLiteral("OGLINDA"))
                .SetAsString(t.AreAsezare ? QString(t.Oglinda ? u'D' : u'N') : QString());
            q.ExecSQL();
        }
        if (inAceeasiTranzactie)
            inAceeasiTranzactie(lucrare);
        return lucrare;
    });
}

QList<TTiparire> TipaririElev(TDM& dm, qint64 idElev)
{
    QList<TTiparire> lista;
    if (!ExistaRegistruTipariri(dm))
        return lista;
    {
        const TGardaCitire citire(dm.Tr);
        TQuery& q = dm.Q1;
        const TGardaCursor cursor(q);
        q.SetSQL(QStringLiteral("select ID_LUCRARE, PAGINA, ELEV, CAST(DATA_ORA AS VARCHAR(24)) AS DATA_TEXT, "
                                "IMPRIMANTA, TITLU, MARGINE_STANGA, MARGINE_SUS, OGLINDA from TIPARIRI where "
                                "ID_ELEVI = :ID order by ID_TIPARIRE desc"));
        q.ParamByName(QStringLiteral("ID")).SetAsInteger(idElev);
        q.Open();
        while (!q.Eof()) {
            TTiparire t;
            t.IdElev = idElev;
            t.Lucrare = q.FieldByName(QStringLiteral("ID_LUCRARE")).AsInteger();
            t.Pagina = int(q.FieldByName(QStringLiteral("PAGINA")).AsInteger());
            t.Elev = q.FieldByName(QStringLiteral("ELEV")).AsString();
            t.DataOra =
                QDateTime::fromString(q.FieldByName(QStringLiteral("DATA_TEXT")).AsString().left(19), FormatData);
            t.Imprimanta = q.FieldByName(QStringLiteral("IMPRIMANTA")).AsString();
            t.Titlu = q.FieldByName(QStringLiteral("TITLU")).AsString();
            bool stanga = false, sus = false;
            t.MargineStanga = q.FieldByName(QStringLiteral("MARGINE_STANGA")).AsString().toDouble(&stanga);
            t.MargineSus = q.FieldByName(QStringLiteral("MARGINE_SUS")).AsString().toDouble(&sus);
            const QString oglinda = q.FieldByName(QStringLiteral("OGLINDA")).AsString().trimmed();
            t.Oglinda = oglinda == u"D";
            t.AreAsezare = stanga && sus && !oglinda.isEmpty();
            lista << t;
            q.Next();
        }
    }
    return lista;
}
