// The adjustments file "licenta.lic": its tagged encoding byte for byte, old versions, damaged files, and
// the program-wide store that must never replace the user's corrections by a half-written or empty file.

#include "platform/UEroare.h"
#include "print/UParticularizari.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <climits>
#include <sys/resource.h>

namespace {
QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

// The bytes written for a list with one record, empty everywhere except the fields set by `f`.
template <typename F> QByteArray UnRecord(F f)
{
    TListaParticularizareTextArea lista;
    auto r = std::make_unique<TParticularizareTextArea>();
    f(*r);
    lista.Adauga(std::move(r));
    return lista.Serializeaza();
}

QString EroareLaCitire(const QByteArray& octeti)
{
    TListaParticularizareTextArea lista;
    try {
        lista.Deserializeaza(octeti);
    } catch (const EEroare& e) {
        return e.Mesaj();
    }
    return QString();
}

void ScrieFisier(const QString& cale, const QByteArray& octeti)
{
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octeti);
}

QByteArray CitesteFisier(const QString& cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Header (marker 0, one record, version 2) and two empty names: the first integer field starts here.
constexpr int kPozitieAliniere = 10;
} // namespace

class TestParticularizari : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void exampleRecordIs74Bytes();
    void integerEncodings_data();
    void integerEncodings();
    void stringEncodings_data();
    void stringEncodings();
    void readsEveryAcceptedTag_data();
    void readsEveryAcceptedTag();
    void olderVersionsLoadAndAreWrittenAsVersion2_data();
    void olderVersionsLoadAndAreWrittenAsVersion2();
    void damagedFiles_data();
    void damagedFiles();
    void lookupFindsTheLastMatchingRecord();
    void lookupWithCreationWritesTheFile();
    void missingFileGivesAnEmptyStoreAndNoFile();
    void storeSurvivesARestart();
    void damagedFileIsKeptUntilANewCorrection();
    void failedWriteLeavesThePreviousFile();

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
    QString m_cale;
};

void TestParticularizari::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    m_cale = m_dosar->filePath("licenta.lic");
    ReseteazaParticularizari(m_cale);
}

void TestParticularizari::cleanup()
{
    ReseteazaParticularizari(m_dosar->filePath("dupa-test.lic"));
}

void TestParticularizari::exampleRecordIs74Bytes()
{
    const QByteArray octeti = UnRecord([](TParticularizareTextArea& r) {
        r.NumeFormular = "PrintTessalunaForm";
        r.NumeCamp = "FormularTextArea2";
        r.DeplasareOrizontala = -1;
        r.DeplasareVerticala = 1;
        r.NumeFont = "FontFormular1";
        r.Bold = 1;
    });
    const QByteArray asteptat = Hex("02 00 02 01 02 02 06 12") + "PrintTessalunaForm" + Hex("06 11") +
                                "FormularTextArea2" + Hex("02 00 02 FF 02 01 06 0D") + "FontFormular1" +
                                Hex("06 00 02 00 02 01 06 00");
    QCOMPARE(asteptat.size(), 74);
    QCOMPARE(octeti.toHex(' '), asteptat.toHex(' '));

    TListaParticularizareTextArea lista;
    lista.Deserializeaza(octeti);
    QCOMPARE(lista.Count(), 1);
    const TParticularizareTextArea* r = lista.At(0);
    QCOMPARE(r->NumeCamp, QStringLiteral("FormularTextArea2"));
    QCOMPARE(r->DeplasareOrizontala, -1);
    QCOMPARE(r->DeplasareVerticala, 1);
    QCOMPARE(r->NumeFont, QStringLiteral("FontFormular1"));
    QCOMPARE(r->Bold, 1);
    QCOMPARE(r->Italic, 0);
}

void TestParticularizari::integerEncodings_data()
{
    QTest::addColumn<int>("valoare");
    QTest::addColumn<QByteArray>("octeti");
    QTest::newRow("0") << 0 << Hex("02 00");
    QTest::newRow("-1") << -1 << Hex("02 FF");
    QTest::newRow("127, last small") << 127 << Hex("02 7F");
    QTest::newRow("-128, first small") << -128 << Hex("02 80");
    QTest::newRow("128, first medium") << 128 << Hex("03 80 00");
    QTest::newRow("-129") << -129 << Hex("03 7F FF");
    QTest::newRow("300") << 300 << Hex("03 2C 01");
    QTest::newRow("32767, last medium") << 32767 << Hex("03 FF 7F");
    QTest::newRow("-32768") << -32768 << Hex("03 00 80");
    QTest::newRow("32768, first large") << 32768 << Hex("04 00 80 00 00");
    QTest::newRow("-32769") << -32769 << Hex("04 FF 7F FF FF");
    QTest::newRow("INT_MAX") << INT_MAX << Hex("04 FF FF FF 7F");
    QTest::newRow("INT_MIN") << INT_MIN << Hex("04 00 00 00 80");
}

void TestParticularizari::integerEncodings()
{
    QFETCH(int, valoare);
    QFETCH(QByteArray, octeti);
    const QByteArray scris = UnRecord([&](TParticularizareTextArea& r) { r.Aliniere = valoare; });
    QCOMPARE(scris.mid(kPozitieAliniere, octeti.size()).toHex(' '), octeti.toHex(' '));
    QCOMPARE(scris.mid(kPozitieAliniere + octeti.size(), 2), Hex("02 00"));

    TListaParticularizareTextArea lista;
    lista.Deserializeaza(scris);
    QCOMPARE(lista.At(0)->Aliniere, valoare);
}

void TestParticularizari::stringEncodings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("empty") << QString() << Hex("06 00");
    QTest::newRow("255 ASCII characters: short") << QString(255, 'a') << Hex("06 FF");
    QTest::newRow("256 ASCII characters: long") << QString(256, 'a') << Hex("0C 00 01 00 00");
    QTest::newRow("t with comma below: UTF-8") << QStringLiteral("ţ") << Hex("14 02 00 00 00 C5 A3");
    QTest::newRow("Romanian name: UTF-8") << QStringLiteral("Ştefănescu") << Hex("14 0C 00 00 00");
    QTest::newRow("300 letters with diacritics") << QString(300, QChar(0x0103)) << Hex("14 58 02 00 00");
    QTest::newRow("outside code page 1250 kept") << QStringLiteral("Ω€") << Hex("14 05 00 00 00");
    QTest::newRow("leading byte-order mark kept")
        << QString(QChar(0xFEFF)) + "Ion" << Hex("14 06 00 00 00 EF BB BF 49");
    QTest::newRow("pair outside the BMP: UTF-8") << QString::fromUcs4(U"\U0001F600") << Hex("14 04 00 00 00 F0 9F");
    // UTF-8 cannot hold a lone surrogate: such a text goes as UTF-16, which the reader accepts.
    QTest::newRow("lone high surrogate") << "a" + QString(QChar(0xD800)) << Hex("12 02 00 00 00 61 00 00 D8");
    QTest::newRow("lone low surrogate first") << QString(QChar(0xDC01)) + "b" << Hex("12 02 00 00 00 01 DC 62 00");
}

void TestParticularizari::stringEncodings()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, prefix);
    const QByteArray scris = UnRecord([&](TParticularizareTextArea& r) { r.NumeFormular = text; });
    QCOMPARE(scris.mid(6, prefix.size()).toHex(' '), prefix.toHex(' '));

    TListaParticularizareTextArea lista;
    lista.Deserializeaza(scris);
    QCOMPARE(lista.At(0)->NumeFormular, text);
}

void TestParticularizari::readsEveryAcceptedTag_data()
{
    QTest::addColumn<QByteArray>("numeFormular");
    QTest::addColumn<QByteArray>("versiune");
    QTest::addColumn<QString>("asteptat");
    QTest::newRow("short string in code page 1250") << Hex("06 04 AA FE E3 EE") << Hex("02 02") << "Şţăî";
    QTest::newRow("long string in code page 1250") << Hex("0C 02 00 00 00 DE 41") << Hex("02 02") << "ŢA";
    QTest::newRow("wide string") << Hex("12 02 00 00 00 63 01 41 00") << Hex("02 02") << "ţA";
    QTest::newRow("UTF-8 string") << Hex("14 02 00 00 00 C8 99") << Hex("02 02") << "ș";
    QTest::newRow("version as a medium integer") << Hex("06 01 41") << Hex("03 02 00") << "A";
    QTest::newRow("version as a large integer") << Hex("06 01 41") << Hex("04 02 00 00 00") << "A";
}

void TestParticularizari::readsEveryAcceptedTag()
{
    QFETCH(QByteArray, numeFormular);
    QFETCH(QByteArray, versiune);
    QFETCH(QString, asteptat);
    const QByteArray octeti =
        Hex("02 00 02 01") + versiune + numeFormular + Hex("06 00 02 00 02 00 02 00 06 00 06 00 02 00 02 00 06 00");
    TListaParticularizareTextArea lista;
    lista.Deserializeaza(octeti);
    QCOMPARE(lista.Count(), 1);
    QCOMPARE(lista.At(0)->NumeFormular, asteptat);
}

void TestParticularizari::olderVersionsLoadAndAreWrittenAsVersion2_data()
{
    QTest::addColumn<QByteArray>("octeti");
    QTest::addColumn<QString>("textRedefinit");
    // Form "F", area "A", alignment 3, shifts 1 / -1, font "X"; then the fields of the version.
    const QByteArray comun = Hex("06 01 46 06 01 41 02 03 02 01 02 FF 06 01 58");
    QTest::newRow("version 0: nothing after the font") << Hex("02 00 02 01 02 00") + comun << QString();
    QTest::newRow("version 1: with its redefined text")
        << Hex("02 00 02 01 02 01") + comun + Hex("06 03 54 78 74") << QStringLiteral("Txt");
}

void TestParticularizari::olderVersionsLoadAndAreWrittenAsVersion2()
{
    QFETCH(QByteArray, octeti);
    QFETCH(QString, textRedefinit);
    // The stored record carries italic and bold forced, which the old version must not get.
    TListaParticularizareTextArea lista;
    lista.Deserializeaza(octeti);
    QCOMPARE(lista.Count(), 1);
    const TParticularizareTextArea* r = lista.At(0);
    QCOMPARE(r->NumeFormular, QStringLiteral("F"));
    QCOMPARE(r->Aliniere, 3);
    QCOMPARE(r->DeplasareOrizontala, 1);
    QCOMPARE(r->DeplasareVerticala, -1);
    QCOMPARE(r->NumeFont, QStringLiteral("X"));
    QCOMPARE(r->TextRedefinit, textRedefinit);
    QCOMPARE(r->Italic, 0);
    QCOMPARE(r->Bold, 0);
    QCOMPARE(r->FontSistem, QString());

    const QByteArray rescris = lista.Serializeaza();
    QCOMPARE(rescris.mid(4, 2), Hex("02 02"));
    TListaParticularizareTextArea inapoi;
    inapoi.Deserializeaza(rescris);
    QCOMPARE(inapoi.At(0)->TextRedefinit, textRedefinit);
    QCOMPARE(inapoi.At(0)->NumeFont, QStringLiteral("X"));
}

void TestParticularizari::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("octeti");
    QTest::addColumn<QString>("eroare");
    const QByteArray bun = UnRecord([](TParticularizareTextArea& r) { r.NumeCamp = "FormularTextArea7"; });
    QTest::newRow("marker not 0") << Hex("02 01 02 00") << "Invalid format";
    QTest::newRow("record version 3") << Hex("02 00 02 01 02 03") + bun.mid(6) << "Invalid format";
    QTest::newRow("negative record count") << Hex("02 00 02 FF") << "Invalid format";
    QTest::newRow("unknown tag for an integer") << Hex("07 00") << "Invalid property value";
    QTest::newRow("string where an integer belongs") << Hex("06 00 02 00") << "Invalid property value";
    QTest::newRow("integer where a string belongs") << Hex("02 00 02 01 02 02 02 05") << "Invalid property value";
    QTest::newRow("cut in the middle of a record") << bun.left(bun.size() - 5) << "Stream read error";
    QTest::newRow("length beyond the end of the file")
        << Hex("02 00 02 01 02 02 0C FF FF FF 7F 41") << "Stream read error";
    QTest::newRow("empty file") << QByteArray() << "Stream read error";
}

void TestParticularizari::damagedFiles()
{
    QFETCH(QByteArray, octeti);
    QFETCH(QString, eroare);
    QCOMPARE(EroareLaCitire(octeti), eroare);
}

void TestParticularizari::lookupFindsTheLastMatchingRecord()
{
    TListaParticularizareTextArea lista;
    for (int i = 0; i < 3; ++i) {
        auto r = std::make_unique<TParticularizareTextArea>();
        r->NumeFormular = "PrintTessalunaForm";
        r->NumeCamp = i == 1 ? "Altul" : "FormularTextArea1";
        r->Aliniere = i;
        lista.Adauga(std::move(r));
    }
    QCOMPARE(lista.Cauta("PrintTessalunaForm", "FormularTextArea1", false)->Aliniere, 2);
    QCOMPARE(lista.Cauta("PrintTessalunaForm", "formulartextarea1", false), nullptr);
    QCOMPARE(lista.Cauta("AltFormular", "FormularTextArea1", false), nullptr);
    QCOMPARE(lista.Count(), 3);
}

void TestParticularizari::lookupWithCreationWritesTheFile()
{
    TListaParticularizareTextArea& lista = Particularizari();
    QCOMPARE(lista.Cauta("PrintTessalunaForm", "FormularTextArea5", false), nullptr);
    QVERIFY(!QFile::exists(m_cale));

    TParticularizareTextArea* r = lista.Cauta("PrintTessalunaForm", "FormularTextArea5", true);
    QVERIFY(r);
    QCOMPARE(r->NumeCamp, QStringLiteral("FormularTextArea5"));
    QCOMPARE(r->Aliniere, 0);
    QCOMPARE(r->NumeFont, QString());
    QCOMPARE(lista.Cauta("PrintTessalunaForm", "FormularTextArea5", true), r);
    QCOMPARE(lista.Count(), 1);
    QCOMPARE(CitesteFisier(m_cale), lista.Serializeaza());
}

void TestParticularizari::missingFileGivesAnEmptyStoreAndNoFile()
{
    QCOMPARE(Particularizari().Count(), 0);
    QCOMPARE(Particularizari().EroareIncarcare(), QString());
    QCOMPARE(&Particularizari(), &Particularizari());
    ReseteazaParticularizari(m_cale);
    QVERIFY(!QFile::exists(m_cale));
}

void TestParticularizari::storeSurvivesARestart()
{
    TParticularizareTextArea* r = Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea36", true);
    r->TextRedefinit = "Ştefănescu Ana";
    r->FontSistem = "DejaVu Sans";
    r->DeplasareVerticala = -1;
    Particularizari().SalveazaLista();
    ReseteazaParticularizari(m_cale);

    const TParticularizareTextArea* citit = Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea36", false);
    QVERIFY(citit);
    QCOMPARE(citit->TextRedefinit, QStringLiteral("Ştefănescu Ana"));
    QCOMPARE(citit->FontSistem, QStringLiteral("DejaVu Sans"));
    QCOMPARE(citit->DeplasareVerticala, -1);
}

void TestParticularizari::damagedFileIsKeptUntilANewCorrection()
{
    const QByteArray deteriorat = Hex("02 00 02 02 02 02 06 01 46 06 01 41 02 00 09");
    ScrieFisier(m_cale, deteriorat);

    TListaParticularizareTextArea& lista = Particularizari();
    QCOMPARE(lista.EroareIncarcare(), QStringLiteral("Invalid property value"));
    QCOMPARE(lista.Count(), 0);

    // Opening the editor creates a record; writing it now would replace the user's file by an empty store.
    lista.Cauta("PrintTessalunaForm", "FormularTextArea1", true);
    lista.SalveazaLista();
    QCOMPARE(CitesteFisier(m_cale), deteriorat);
    ReseteazaParticularizari(m_cale);
    QCOMPARE(CitesteFisier(m_cale), deteriorat);

    // A confirmed correction replaces it; the unreadable file is kept beside it. When even that copy does not
    // fit on the disk, the file is not replaced.
    TListaParticularizareTextArea& dinNou = Particularizari();
    dinNou.Cauta("PrintTessalunaForm", "FormularTextArea1", true)->Aliniere = 3;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit vechi{};
    getrlimit(RLIMIT_FSIZE, &vechi);
    rlimit mic = vechi;
    mic.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &mic);
    QString eroare;
    try {
        dinNou.SalveazaCorectura();
    } catch (const EEroare& e) {
        eroare = e.Mesaj();
    }
    setrlimit(RLIMIT_FSIZE, &vechi);
    QVERIFY2(eroare.contains("fisierul ar depasi marimea maxima permisa de sistem"), qPrintable(eroare));
    QCOMPARE(CitesteFisier(m_cale), deteriorat);
    QVERIFY(!dinNou.EroareIncarcare().isEmpty());
    dinNou.SalveazaCorectura();
    QCOMPARE(dinNou.EroareIncarcare(), QString());
    QCOMPARE(CitesteFisier(m_cale + ".deteriorat"), deteriorat);
    ReseteazaParticularizari(m_cale);
    QCOMPARE(Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea1", false)->Aliniere, 3);
}

void TestParticularizari::failedWriteLeavesThePreviousFile()
{
    TParticularizareTextArea* r = Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea3", true);
    const QByteArray inainte = CitesteFisier(m_cale);
    QVERIFY(!inainte.isEmpty());

    // A full disk: files may not grow past 16 bytes while the store writes.
    r->TextRedefinit = QString(500, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit vechi{};
    getrlimit(RLIMIT_FSIZE, &vechi);
    rlimit mic = vechi;
    mic.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &mic);
    QString eroare;
    try {
        Particularizari().SalveazaLista();
    } catch (const EEroare& e) {
        eroare = e.Mesaj();
    }
    setrlimit(RLIMIT_FSIZE, &vechi);

    QVERIFY2(eroare.startsWith("Nu pot scrie fisierul"), qPrintable(eroare));
    QVERIFY2(eroare.contains("fisierul ar depasi marimea maxima permisa de sistem"), qPrintable(eroare));
    QCOMPARE(CitesteFisier(m_cale), inainte);
    QCOMPARE(QDir(m_dosar->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"licenta.lic"});

    // The program's folder removed under it: the message says so.
    const QString lipsa = m_dosar->filePath("lipsa");
    try {
        Particularizari().SalveazaInFisier(lipsa + "/licenta.lic");
        QFAIL("a write into a missing folder was reported as done");
    } catch (const EEroare& e) {
        QVERIFY2(e.Mesaj().contains(QString("dosarul \"%1\" nu exista").arg(lipsa)), qPrintable(e.Mesaj()));
    }
}

QTEST_GUILESS_MAIN(TestParticularizari)
#include "TestParticularizari.moc"
