#include "URegistruRealist.h"

#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <map>
#include <memory>

#include <sys/resource.h>

namespace {
// A CNP of a student born in 2008 or 2009 (sex digit 5 or 6) with its control digit.
QString Cnp(int i)
{
    const QString inceput = QStringLiteral("%1%2%3%4%5")
                                .arg(5 + i % 2)
                                .arg(8 + (i / 2) % 2, 2, 10, QLatin1Char('0'))
                                .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                .arg(QStringLiteral("40") + QString::number(100 + i % 900));
    return CnpCuCifraDeControl(inceput);
}
} // namespace

TBazaTest& RegistruRealist(int n)
{
    static std::map<int, std::unique_ptr<TBazaTest>> baze;
    auto& b = baze[n];
    if (b)
        return *b;
    b = std::make_unique<TBazaTest>();
    b->Porneste();
    TDM& dm = b->Dm();
    {
        TGardaTranzactie garda(dm.Tr);
        const qint32 scoala = CreeazaInregistrare(dm, QStringLiteral("SCOALA"));
        const QList<QPair<const char*, QString>> campuriScoala = {
            {"C_UNITATEA_L1", QStringLiteral("Liceul Teoretic")},
            {"C_UNITATEA_L2", QStringLiteral("\"Ştefan cel Mare şi Sfânt\"")},
            {"C_COD_SIRUES", QStringLiteral("123456789")},
            {"C_LOCALITATEA", QStringLiteral("Târgu Neamţ")},
            {"C_JUDETUL", QStringLiteral("Neamţ")},
            {"C_DIRECTOR", QStringLiteral("Prof. Ionescu Maria")},
            {"C_SECRETAR", QStringLiteral("Popescu Ana")},
            {"A_LOCALITATEA_L1", QStringLiteral("Târgu Neamţ")},
            {"A_LOCALITATEA_L2", QStringLiteral("judeţul Neamţ")}};
        for (const auto& c : campuriScoala)
            b->ScrieValoare(QStringLiteral("SCOALA"), scoala, QString::fromLatin1(c.first), c.second);
        const QList<TCheieCamp> campuri = CampuriElev(dm);
        const QString p = QStringLiteral("Tessaluna.FATA.");
        for (int i = 0; i < n; ++i) {
            const QString nume = QStringLiteral("Ţăranu-Bălănescu Ştefania %1").arg(i);
            QHash<QString, QString> v;
            v.insert(p + QStringLiteral("C_ABREVIERE"), i % 2 ? QStringLiteral("lui") : QStringLiteral("nei"));
            v.insert(p + QStringLiteral("C_NUME_L1"), QStringLiteral("Ţăranu-Bălănescu"));
            v.insert(p + QStringLiteral("C_NUME_L2"), QStringLiteral("Ştefania %1").arg(i));
            v.insert(p + QStringLiteral("C_AN_ABSOLVIRE"), QStringLiteral("2026"));
            v.insert(p + QStringLiteral("C_FILIERA"), QStringLiteral("teoretică"));
            v.insert(p + QStringLiteral("C_PROFILUL"), QStringLiteral("real"));
            v.insert(p + QStringLiteral("C_SPECIALIZAREA"), QStringLiteral("matematică-informatică"));
            v.insert(p + QStringLiteral("C_CNP"), Cnp(i));
            v.insert(p + QStringLiteral("A_NUME"), nume);
            CreeazaElevCuValori(dm, campuri, v);
        }
        LeagaEleviNelegati(dm, QStringLiteral("SCOALA"), scoala);
        garda.Commit();
    }
    b->Reporneste();
    return *b;
}

QString RegistruRealistInCache(int n)
{
    const QString ales = qEnvironmentVariable("TESSALUNA_BENCH_CACHE");
    const QString dosar = !ales.isEmpty() ? ales : QDir::homePath() + QStringLiteral("/.cache/tessaluna-bench");
    QDir().mkpath(dosar);
    const QString cale = dosar + QStringLiteral("/registru-%1.FDB").arg(n);
    if (QFileInfo::exists(cale))
        return cale;
    TBazaTest& b = RegistruRealist(n);
    const QString sursa = b.CaleBaza();
    b.Inchide();
    const QString partial = cale + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(sursa, partial) || !QFile::rename(partial, cale))
        qFatal("cannot write the cached register %s", qPrintable(cale));
    return cale;
}

TBazaTest& RegistruRealistDeschis(int n)
{
    static std::map<int, std::unique_ptr<TBazaTest>> baze;
    auto& b = baze[n];
    if (b)
        return *b;
    const QString sursa = RegistruRealistInCache(n);
    b = std::make_unique<TBazaTest>();
    QDir().mkpath(b->Dosar() + QStringLiteral("/DB"));
    if (!QFile::copy(sursa, b->CaleBaza()))
        qFatal("cannot copy the cached register %s", qPrintable(sursa));
    QFile::setPermissions(b->CaleBaza(), QFile::ReadOwner | QFile::WriteOwner);
    b->Porneste();
    return *b;
}

namespace {
double Cpu(int cui)
{
    rusage u{};
    getrusage(cui, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
} // namespace

double CpuProces()
{
    return Cpu(RUSAGE_SELF);
}

double CpuCopii()
{
    return Cpu(RUSAGE_CHILDREN);
}
