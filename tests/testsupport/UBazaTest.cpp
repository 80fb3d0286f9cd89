#include "testsupport/UBazaTest.h"

#include "platform/UFoldere.h"
#include "profile/UPornireDate.h"
#include "profile/UProfilTessaluna.h"
#include "store/UInregistrari.h"
#include "testsupport/UTestSupport.h"

#include <QDir>
#include <QFile>

#include <map>
#include <stdexcept>

TBazaTest::TBazaTest()
{
    PregatesteBlocareFirebird();
    m_dm = std::make_unique<TDM>();
    if (!m_dosar.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    if (!ProfilInregistrat())
        InregistreazaClaseTessaluna();
}

TBazaTest::~TBazaTest()
{
    try {
        m_dm->Tr.Rollback();
        m_dm->Db.Close();
    } catch (...) {
    }
}

QString TBazaTest::CaleBaza() const
{
    return m_dosar.filePath(QStringLiteral("DB/Tessaluna2006.FDB"));
}

void TBazaTest::Porneste()
{
    PornesteModululDeDate(*m_dm, m_dosar.path(), DosarBinar());
}

void TBazaTest::Reporneste()
{
    Inchide();
    m_dm = std::make_unique<TDM>();
    Porneste();
}

QString TBazaTest::PregatesteDinSablon()
{
    QDir().mkpath(m_dosar.filePath(QStringLiteral("DB")));
    QFile::copy(DosarBinar() + QStringLiteral("/BLANK.FDB"), CaleBaza());
    QFile::setPermissions(CaleBaza(), QFile::ReadOwner | QFile::WriteOwner);
    return CaleBaza();
}

void TBazaTest::DeschideDoar()
{
    m_dm->Db.SetDatabaseName(CaleBaza());
    m_dm->Db.Params() = QStringList{QStringLiteral("USER_NAME=sysdba"), QStringLiteral("password=velkortan")};
    m_dm->Db.Open();
}

void TBazaTest::Inchide()
{
    m_dm->Tr.Rollback();
    m_dm->Db.Close();
}

void TBazaTest::Executa(const QString& sql)
{
    TGardaTranzactie garda(m_dm->Tr);
    m_dm->Q6.SetSQL(sql);
    m_dm->Q6.ExecSQL();
    garda.Commit();
}

QStringList TBazaTest::Coloana(const QString& sql)
{
    QStringList r;
    TGardaTranzactie garda(m_dm->Tr);
    m_dm->Q6.SetSQL(sql);
    m_dm->Q6.Open();
    while (!m_dm->Q6.Eof()) {
        r << m_dm->Q6.FieldByName(QStringLiteral("C")).AsString();
        m_dm->Q6.Next();
    }
    return r;
}

QString TBazaTest::Scalar(const QString& sql)
{
    const QStringList r = Coloana(sql);
    return r.isEmpty() ? QString() : r.first();
}

void TBazaTest::ScrieValoare(const QString& tabel, qint64 id, const QString& camp, const QString& valoare)
{
    const TCheieCamp cheie{QStringLiteral("Tessaluna"), QStringLiteral("FATA"), camp};
    if (m_dm->Tr.InTransaction()) {
        ScrieValoareCamp(*m_dm, cheie, tabel, qint32(id), valoare, 256);
        return;
    }
    TGardaTranzactie garda(m_dm->Tr);
    ScrieValoareCamp(*m_dm, cheie, tabel, qint32(id), valoare, 256);
    garda.Commit();
}

qint64 TBazaTest::AdaugaElev(const QList<QPair<QString, QString>>& valori)
{
    TGardaTranzactie garda(m_dm->Tr);
    const qint32 id = CreeazaInregistrare(*m_dm, QStringLiteral("ELEVI"));
    for (const auto& v : valori)
        ScrieValoare(QStringLiteral("ELEVI"), id, v.first, v.second);
    garda.Commit();
    return id;
}

void TBazaTest::CresteCuElevi(int n)
{
    static const char* campuri[] = {"C_ABREVIERE", "C_NUME_L1",       "C_NUME_L2", "C_AN_ABSOLVIRE", "C_FILIERA",
                                    "C_PROFILUL",  "C_SPECIALIZAREA", "C_CNP",     "A_NUME"};
    {
        TGardaTranzactie garda(m_dm->Tr);
        for (int i = 0; i < n; ++i) {
            const qint32 id = CreeazaInregistrare(*m_dm, QStringLiteral("ELEVI"));
            for (const char* camp : campuri)
                ScrieValoare(QStringLiteral("ELEVI"), id, QString::fromLatin1(camp),
                             QStringLiteral("%1 %2").arg(QString::fromLatin1(camp)).arg(id));
        }
        garda.Commit();
    }
    Reporneste();
}

TBazaTest& TBazaTest::CuElevi(int n)
{
    static std::map<int, std::unique_ptr<TBazaTest>> baze;
    auto& b = baze[n];
    if (!b) {
        b = std::make_unique<TBazaTest>();
        b->Porneste();
        b->CresteCuElevi(n);
    }
    return *b;
}
