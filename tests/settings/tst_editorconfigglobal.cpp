#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "settings/UEditorConfigGlobal.h"
#include "settings/UInfoGlobal2005.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString Valoare(const QString& nume)
{
    TRegistru reg;
    if (!reg.DeschideCheie(TInfoGlobal2005::Cheie(), false) || !reg.ExistaValoare(nume))
        return QStringLiteral("<lipsa>");
    return reg.CitesteText(nume);
}

QByteArray Continut()
{
    QFile f(FisierRegistruUtilizator());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ScrieSetari(const QMap<QString, QString>& valori)
{
    TRegistru reg;
    reg.DeschideCheie(TInfoGlobal2005::Cheie(), true);
    for (auto it = valori.begin(); it != valori.end(); ++it)
        reg.ScrieText(it.key(), it.value());
}

// Rows of the image that hold ink darker than mid grey, and the middle of the ink's columns.
struct TCerneala
{
    int sus = -1;
    int jos = -1;
    double centru = 0;
};

TCerneala Cerneala(const QImage& imagine)
{
    TCerneala c;
    int stanga = imagine.width();
    int dreapta = -1;
    for (int y = 0; y < imagine.height(); ++y) {
        for (int x = 0; x < imagine.width(); ++x) {
            if (qGray(imagine.pixel(x, y)) < 128) {
                if (c.sus < 0)
                    c.sus = y;
                c.jos = y;
                stanga = std::min(stanga, x);
                dreapta = std::max(dreapta, x);
            }
        }
    }
    c.centru = (stanga + dreapta + 1) / 2.0;
    return c;
}

// A radio button reacts to a click on its circle or its text, not on the rest of its row.
void Bifeaza(QRadioButton* buton)
{
    QTest::mouseClick(buton, Qt::LeftButton, {}, QPoint(8, buton->height() / 2));
    QVERIFY(buton->isChecked());
}

} // namespace

class TTestEditorConfigGlobal : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dosar;

    template <typename T> static T* Gaseste(QWidget* dialog, const char* nume)
    {
        auto* w = dialog->findChild<T*>(QString::fromLatin1(nume));
        if (!w)
            qFatal("no widget %s", nume);
        return w;
    }

private slots:
    void initTestCase()
    {
        TMesaje::SetFaraFerestre(true);
        // As the program does: the registry's warnings become message boxes.
        SeteazaAvertizareRegistru([](const QString& m) { TMesaje::Avertizeaza(nullptr, m); });
    }

    void init()
    {
        m_dosar = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dosar->path()));
        TMesaje::Goleste();
    }

    void cleanup() { m_dosar.reset(); }

    void primaDeschidereScrieImplicitele()
    {
        TEditorConfigGlobal dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Editor informatii globale"));
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbSufixFete")->currentText(), QStringLiteral("dra"));
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbSufixBaieti")->currentText(), QStringLiteral("domnul"));
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbNotaDiploma")->currentText(), kFormatNotaSlashLitere);
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbMedieDiploma")->currentText(), kFormatNotaSlashLitere);
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbNotaCotor")->currentText(), kFormatNotaProcent);
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbMedieCotor")->currentText(), kFormatNotaProcent);
        QVERIFY(Gaseste<QRadioButton>(&dialog, "rbLitereMari")->isChecked());
        auto* pagini = Gaseste<QTabWidget>(&dialog, "pcConfig");
        QVERIFY(!pagini->isTabVisible(0));
        QCOMPARE(pagini->tabText(pagini->currentIndex()), QStringLiteral("Mod tiparire note"));

        // Written by the opening alone: the four formats, empty forms of address and letter case.
        QCOMPARE(Valoare("NotaDiploma"), kFormatNotaSlashLitere);
        QCOMPARE(Valoare("MedieDiploma"), kFormatNotaSlashLitere);
        QCOMPARE(Valoare("NotaCotor"), kFormatNotaProcent);
        QCOMPARE(Valoare("MedieCotor"), kFormatNotaProcent);
        QCOMPARE(Valoare("SufixFete"), QString());
        QCOMPARE(Valoare("SufixBaieti"), QString());
        QCOMPARE(Valoare("ScriuCuLitereMari"), QString());
        QVERIFY(TMesaje::MesajeAfisate().isEmpty());
    }

    void deschidereaArataValorileStocate_data()
    {
        QTest::addColumn<QString>("litereMari");
        QTest::addColumn<QString>("notaDiploma");
        QTest::addColumn<bool>("mariBifat");
        QTest::addColumn<int>("indexNotaDiploma");
        QTest::newRow("litere mici") << "0" << kFormatNota << false << 0;
        QTest::newRow("litere mari") << "1" << kFormatNotaSlashProcent << true << 2;
        QTest::newRow("alta valoare inseamna mari") << "da" << kFormatNotaProcent << true << 1;
        QTest::newRow("format necunoscut nu selecteaza nimic") << "0"
                                                               << "nota/litere" << false << -1;
    }

    void deschidereaArataValorileStocate()
    {
        QFETCH(QString, litereMari);
        QFETCH(QString, notaDiploma);
        QFETCH(bool, mariBifat);
        QFETCH(int, indexNotaDiploma);
        ScrieSetari({{"ScriuCuLitereMari", litereMari},
                     {"NotaDiploma", notaDiploma},
                     {"SufixFete", "domnisoara"},
                     {"SufixBaieti", "Dl."}});
        TEditorConfigGlobal dialog;
        QCOMPARE(Gaseste<QRadioButton>(&dialog, "rbLitereMari")->isChecked(), mariBifat);
        QCOMPARE(Gaseste<QRadioButton>(&dialog, "rbLitereMici")->isChecked(), !mariBifat);
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbNotaDiploma")->currentIndex(), indexNotaDiploma);
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbSufixFete")->currentText(), QStringLiteral("domnisoara"));
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbSufixBaieti")->currentText(), QStringLiteral("Dl."));
        // A stored format is kept as it is, even one the lists do not know.
        QCOMPARE(Valoare("NotaDiploma"), notaDiploma);
        QCOMPARE(Valoare("ScriuCuLitereMari"), litereMari);
    }

    void okStocheazaAlegerea()
    {
        TEditorConfigGlobal dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Gaseste<QComboBox>(&dialog, "cbNotaDiploma")->setCurrentIndex(0);
        Gaseste<QComboBox>(&dialog, "cbMedieDiploma")->setCurrentIndex(1);
        Gaseste<QComboBox>(&dialog, "cbNotaCotor")->setCurrentIndex(2);
        Gaseste<QComboBox>(&dialog, "cbMedieCotor")->setCurrentIndex(3);
        Bifeaza(Gaseste<QRadioButton>(&dialog, "rbLitereMici"));
        auto* fete = Gaseste<QComboBox>(&dialog, "cbSufixFete");
        fete->clearEditText();
        QTest::keyClicks(fete, QStringLiteral("doamna"));
        QTest::mouseClick(Gaseste<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Valoare("NotaDiploma"), kFormatNota);
        QCOMPARE(Valoare("MedieDiploma"), kFormatNotaProcent);
        QCOMPARE(Valoare("NotaCotor"), kFormatNotaSlashProcent);
        QCOMPARE(Valoare("MedieCotor"), kFormatNotaSlashLitere);
        QCOMPARE(Valoare("ScriuCuLitereMari"), QStringLiteral("0"));
        QCOMPARE(Valoare("SufixFete"), QStringLiteral("doamna"));
        QCOMPARE(Valoare("SufixBaieti"), QStringLiteral("domnul"));

        // A fresh dialog shows what was stored.
        TEditorConfigGlobal altul;
        QCOMPARE(Gaseste<QComboBox>(&altul, "cbMedieCotor")->currentText(), kFormatNotaSlashLitere);
        QVERIFY(Gaseste<QRadioButton>(&altul, "rbLitereMici")->isChecked());
    }

    void notaClipesteCatTimpDialogulEsteDeschis()
    {
        TEditorConfigGlobal dialog;
        auto* nota = Gaseste<QLabel>(&dialog, "lblNota");
        dialog.show();
        // Before any event runs: a slow exposure may already have let the blink turn the note off.
        QVERIFY(nota->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY_WITH_TIMEOUT(!nota->isVisible(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(nota->isVisible(), 5000);
    }

    void renuntNuScrieNimic()
    {
        TEditorConfigGlobal dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QByteArray inainte = Continut();
        Gaseste<QComboBox>(&dialog, "cbNotaDiploma")->setCurrentIndex(0);
        Bifeaza(Gaseste<QRadioButton>(&dialog, "rbLitereMici"));
        QTest::mouseClick(Gaseste<QPushButton>(&dialog, "btnRenunt"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Continut(), inainte);
    }

    void okFaraFormatAlesNuScrieNimic()
    {
        ScrieSetari({{"MedieCotor", "NOTA / LITERE"}});
        TEditorConfigGlobal dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QByteArray inainte = Continut();
        Bifeaza(Gaseste<QRadioButton>(&dialog, "rbLitereMici"));
        QTest::mouseClick(Gaseste<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Alegeti modul de tiparire pentru \"Medie cotor\"."));
        QVERIFY(dialog.isVisible());
        QCOMPARE(Continut(), inainte);
    }

    void fisierDeterioratSePastreazaPanaLaOk()
    {
        QDir().mkpath(QFileInfo(FisierRegistruUtilizator()).absolutePath());
        {
            QFile f(FisierRegistruUtilizator());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Zorvik SOFT\\Pravelo\\2006\\Global]\n\"NotaCotor\"=");
        }
        const QByteArray deteriorat = Continut();
        TEditorConfigGlobal dialog;
        QCOMPARE(TMesaje::MesajeAfisate().size(), 1);
        QVERIFY(TMesaje::UltimulMesaj().contains(QStringLiteral("deteriorat")));
        QCOMPARE(Gaseste<QComboBox>(&dialog, "cbNotaCotor")->currentText(), kFormatNotaProcent);
        QCOMPARE(Continut(), deteriorat);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(Gaseste<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Valoare("NotaCotor"), kFormatNotaProcent);
        QCOMPARE(Valoare("ScriuCuLitereMari"), QStringLiteral("1"));
        const QDir dosar = QFileInfo(FisierRegistruUtilizator()).absoluteDir();
        const QStringList rezerve = dosar.entryList({QStringLiteral("HKCU.deteriorat-*.reg")});
        QCOMPARE(rezerve.size(), 1);
        QFile rezerva(dosar.filePath(rezerve[0]));
        QVERIFY(rezerva.open(QIODevice::ReadOnly));
        QCOMPARE(rezerva.readAll(), deteriorat);
    }

    void mostrelePentruFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("linii");
        QTest::newRow("nota") << kFormatNota << 1;
        QTest::newRow("nota cu procent") << kFormatNotaProcent << 1;
        QTest::newRow("nota si procent dedesubt") << kFormatNotaSlashProcent << 2;
        QTest::newRow("nota si litere dedesubt") << kFormatNotaSlashLitere << 2;
    }

    void mostrelePentruFormat()
    {
        QFETCH(QString, format);
        QFETCH(int, linii);
        QPalette paleta;
        paleta.setColor(QPalette::Base, Qt::white);
        paleta.setColor(QPalette::Text, Qt::black);
        paleta.setColor(QPalette::Highlight, QColor(0, 0, 128));
        paleta.setColor(QPalette::HighlightedText, Qt::white);
        QImage imagine(240, TEditorConfigGlobal::kInaltimeFormat, QImage::Format_RGB32);
        imagine.fill(Qt::red);
        {
            QPainter p(&imagine);
            DeseneazaFormatNota(p, imagine.rect(), format, false, paleta);
        }
        QCOMPARE(imagine.pixelColor(0, 0), QColor(Qt::white));
        const TCerneala c = Cerneala(imagine);
        QVERIFY2(qAbs(c.centru - 120) <= 2, qPrintable(QString::number(c.centru)));
        const int inaltime = QFontMetrics(QFont(QStringLiteral("Arial"), 10)).height();
        if (linii == 1) {
            // One line whose cell starts 8 pixels down: its ink lies inside that cell.
            QVERIFY2(c.sus >= 8 && c.jos < 8 + inaltime, qPrintable(QStringLiteral("%1-%2").arg(c.sus).arg(c.jos)));
        } else {
            QVERIFY2(c.sus >= 1 && c.sus < 8 && c.jos >= 13 + inaltime / 2, qPrintable(QString::number(c.sus)));
        }

        QPainter p(&imagine);
        DeseneazaFormatNota(p, imagine.rect(), format, true, paleta);
        QCOMPARE(imagine.pixelColor(0, 0), QColor(0, 0, 128));
    }
};

QTEST_MAIN(TTestEditorConfigGlobal)
#include "tst_editorconfigglobal.moc"
