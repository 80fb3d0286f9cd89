// Grades written into their one or two areas as the global settings ask, and areas that keep their
// designed places however often a grade is written.

#include "print/UFontFormular.h"
#include "print/UFormatNota.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "print/UParticularizari.h"
#include "settings/UInfoGlobal2005.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {
struct TSetariNote
{
    QString nota; // the format of the kind under test
    QString mari; // ScriuCuLitereMari
};

void ScrieSetari(int tip, const TSetariNote& s)
{
    TInfoGlobal2005 setari;
    switch (tip) {
    case 0:
        setari.SetNotaDiploma(s.nota);
        break;
    case 1:
        setari.SetNotaCotor(s.nota);
        break;
    case 2:
        setari.SetMedieDiploma(s.nota);
        break;
    default:
        setari.SetMedieCotor(s.nota);
        break;
    }
    setari.SetScriuCuLitereMari(s.mari);
}

constexpr double kSusProiectat = 100.0;
constexpr double kJosProiectat = 106.0;
} // namespace

Q_DECLARE_METATYPE(std::optional<double>)

class TestFormatNota : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formats_data();
    void formats();
    void formatOfEachKind_data();
    void formatOfEachKind();
    void repeatedWritesKeepTheDesignedPlaces();
    void lowerAreaAloneTakesTheUpperRole();

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
    std::unique_ptr<TFormularDePrintat> m_pagina;
    TFontFormular m_font;
    TFormularTextArea* m_sus = nullptr;
    TFormularTextArea* m_jos = nullptr;
};

void TestFormatNota::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dosar->path()));
    ReseteazaParticularizari(m_dosar->filePath("licenta.lic"));
    m_pagina = std::make_unique<TFormularDePrintat>();
    m_pagina->SetLatime(290);
    m_pagina->SetInaltime(200);
    for (TFormularTextArea** zona : {&m_sus, &m_jos}) {
        *zona = new TFormularTextArea(m_pagina.get());
        (*zona)->SetLeftMm(150);
        (*zona)->SetTopMm(zona == &m_sus ? kSusProiectat : kJosProiectat);
        (*zona)->SetWidthMm(60);
        (*zona)->SetHeightMm(5);
        (*zona)->SetFont(&m_font);
        (*zona)->ZoomChanged();
    }
    m_pagina->show();
}

void TestFormatNota::cleanup()
{
    m_pagina.reset();
}

void TestFormatNota::formats_data()
{
    QTest::addColumn<TSetariNote>("setari");
    QTest::addColumn<bool>("douaZone");
    QTest::addColumn<std::optional<double>>("valoare");
    QTest::addColumn<QString>("textSus");
    QTest::addColumn<QString>("textJos"); // empty: the lower area is hidden
    QTest::addColumn<double>("topSus");

    const double mijloc = (kSusProiectat + kJosProiectat) / 2;
    const std::optional<double> nota963 = 963;
    QTest::newRow("words below, small letters")
        << TSetariNote{"NOTA/LITERE", "0"} << true << nota963 << "9,63"
        << QStringLiteral("(nou\u0103, \u015Faizeci\u015Fitrei)") << kSusProiectat;
    QTest::newRow("percent on one line, capitals, halfway")
        << TSetariNote{"NOTA(PROCENT)", "1"} << true << nota963 << QStringLiteral("9,63 (NOU\u0102, 63%)") << QString()
        << mijloc;
    QTest::newRow("percent below") << TSetariNote{"NOTA/PROCENT", "1"} << true << nota963 << "9,63"
                                   << QStringLiteral("(NOU\u0102, 63%)") << kSusProiectat;
    QTest::newRow("number only") << TSetariNote{"NOTA", "1"} << true << nota963 << "9,63" << QString() << mijloc;
    QTest::newRow("format never chosen: number, small letters")
        << TSetariNote{"", ""} << true << nota963 << "9,63" << QString() << mijloc;
    QTest::newRow("words with one area are written as percent")
        << TSetariNote{"NOTA/LITERE", "0"} << false << nota963 << QStringLiteral("9,63 (nou\u0103, 63%)") << QString()
        << kSusProiectat;
    QTest::newRow("ten has no decimal words")
        << TSetariNote{"NOTA/LITERE", "1"} << true << std::optional<double>(1000) << "10,00"
        << "(ZECE)" << kSusProiectat;
    QTest::newRow("9.05 in words") << TSetariNote{"NOTA/LITERE", "1"} << true << std::optional<double>(905) << "9,05"
                                   << QStringLiteral("(NOU\u0102, ZEROCINCI)") << kSusProiectat;
    QTest::newRow("fraction of a hundredth rounds to even")
        << TSetariNote{"NOTA", "1"} << false << std::optional<double>(962.5) << "9,62" << QString() << kSusProiectat;
    QTest::newRow("absent grade, two lines")
        << TSetariNote{"NOTA/LITERE", "1"} << true << std::optional<double>() << "----"
        << " " << kSusProiectat;
    QTest::newRow("absent grade, one line")
        << TSetariNote{"NOTA(PROCENT)", "1"} << true << std::optional<double>() << "----" << QString() << mijloc;
}

void TestFormatNota::formats()
{
    QFETCH(TSetariNote, setari);
    QFETCH(bool, douaZone);
    QFETCH(std::optional<double>, valoare);
    QFETCH(QString, textSus);
    QFETCH(QString, textJos);
    QFETCH(double, topSus);
    ScrieSetari(0, setari);

    FormatGrade(m_sus, douaZone ? m_jos : nullptr, valoare, 0);
    QCOMPARE(m_sus->Text(), textSus);
    QCOMPARE(m_sus->TopMm(), topSus);
    QCOMPARE(m_sus->geometry(), m_sus->DreptunghiDinMilimetri());
    if (douaZone) {
        QCOMPARE(m_jos->isVisible(), !textJos.isEmpty());
        if (!textJos.isEmpty())
            QCOMPARE(m_jos->Text(), textJos);
        QCOMPARE(m_jos->TopMm(), kJosProiectat);
    }
}

void TestFormatNota::formatOfEachKind_data()
{
    QTest::addColumn<int>("tip");
    QTest::newRow("grade on the certificate") << 0;
    QTest::newRow("grade on the stub") << 1;
    QTest::newRow("average on the certificate") << 2;
    QTest::newRow("average on the stub") << 3;
    QTest::newRow("unknown kind reads the stub's average") << 9;
}

void TestFormatNota::formatOfEachKind()
{
    QFETCH(int, tip);
    // Every kind "NOTA", only the one under test with the words below.
    for (int k = 0; k < 4; ++k)
        ScrieSetari(k, {"NOTA", "1"});
    ScrieSetari(tip, {"NOTA/PROCENT", "1"});
    FormatGrade(m_sus, m_jos, 963, tip);
    QCOMPARE(m_jos->Text(), QStringLiteral("(NOU\u0102, 63%)"));
    for (int altul = 0; altul < 4; ++altul) {
        if (altul == std::min(tip, 3))
            continue;
        FormatGrade(m_sus, m_jos, 963, altul);
        QCOMPARE(m_sus->Text(), QStringLiteral("9,63"));
        QVERIFY(m_jos->isHidden());
    }
}

void TestFormatNota::repeatedWritesKeepTheDesignedPlaces()
{
    ScrieSetari(0, {"NOTA(PROCENT)", "1"});
    const QRect designSus = m_sus->geometry();
    for (int i = 0; i < 3; ++i) {
        FormatGrade(m_sus, m_jos, 800 + i, 0);
        QCOMPARE(m_sus->TopMm(), (kSusProiectat + kJosProiectat) / 2);
    }
    ScrieSetari(0, {"NOTA/LITERE", "1"});
    FormatGrade(m_sus, m_jos, 963, 0);
    QCOMPARE(m_sus->TopMm(), kSusProiectat);
    QCOMPARE(m_sus->geometry(), designSus);
    QVERIFY(m_jos->isVisible());
    QCOMPARE(m_jos->Text(), QStringLiteral("(NOU\u0102, \u015EAIZECI\u015EITREI)"));
}

void TestFormatNota::lowerAreaAloneTakesTheUpperRole()
{
    ScrieSetari(0, {"NOTA/LITERE", "1"});
    FormatGrade(nullptr, m_jos, 1000, 0);
    QCOMPARE(m_jos->Text(), QStringLiteral("10,00 (ZECE)"));
    QCOMPARE(m_jos->TopMm(), kJosProiectat);
    QCOMPARE(m_sus->Text(), QString());
}

QTEST_MAIN(TestFormatNota)
#include "TestFormatNota.moc"
