#include "store/USablon.h"

#include "store/UDataModule.h"

#include <QRegularExpression>

void CreeazaBazaDinScript(const QString& cale, const QString& script)
{
    QString text = script;
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    TConexiune::CreeazaBazaDeDate(cale, QStringLiteral("sysdba"), QStringLiteral("velkortan"));
    TDM dm(TDM::Separat);
    dm.Db.SetDatabaseName(cale);
    dm.Db.Params() << QStringLiteral("USER_NAME=sysdba") << QStringLiteral("password=velkortan");
    dm.Db.Open();
    for (const QString& instructiune : text.split(u';')) {
        if (instructiune.trimmed().isEmpty())
            continue;
        TGardaTranzactie garda(dm.Tr);
        dm.Q1.SetSQL(instructiune.trimmed());
        dm.Q1.ExecSQL();
        garda.Commit();
    }
    dm.Db.Close();
}
