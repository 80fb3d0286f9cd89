// The school's own layout file: written and read back equal, refused whole when wrong, carried from one
// desk to another, and given up for the built-in layout.

#include "platform/UEroare.h"
#include "print/UEditorMacheta.h"
#include "print/UMachetaProprie.h"
#include "print/UPaginaRandata.h"
#include "print/USetariImprimare.h"
#include "profile/UProfil.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {
TMachetaZona& Zona(TMachetaFormular& m, const QString& nume)
{
    for (TMachetaZona& z : m.Pagini.first().Zone)
        if (z.Name == nume)
            return z;
    qFatal("no area %s", qPrintable(nume));
}

// The built-in layout with the edits a secretary makes: moves, a resize, a character range, an area added
// and one removed.
TMachetaFormular Editata()
{
    TMachetaFormular m = MachetaCertificatInitiala();
    Zona(m, "FormularTextArea1").Left += 0.1;
    Zona(m, "FormularTextArea36").Top -= 1.0;
    Zona(m, "FormularTextArea36").Height += 0.3;
    Zona(m, "FormularTextArea51").Denumire2 = "3";
    Zona(m, "FormularTextArea51").Denumire3 = "2";
    TMachetaZona nou = Zona(m, "FormularTextArea5");
    nou.Name = "ZonaNoua1";
    nou.Top = 200.05;
    m.Pagini.first().Zone << nou;
    m.Pagini.first().Zone.removeAt(3);
    return m;
}

QString Eroare(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EEroare& e) {
        return e.Mesaj();
    }
    return {};
}
} // namespace

class TestMacheta : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void editedLayoutSavedAndReadBackEqual();
    void badLayoutRefusedAndNothingChanged_data();
    void badLayoutRefusedAndNothingChanged();
    void exportThenImportOnAnotherDesk();
    void damagedOwnFileIsReportedNotReplaced();
    void editsUndoneAndRedone();
    void dragsMoveAndResizeInOneStep();
    void scannedBlankKeptAndShown();

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
};

void TestMacheta::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dosar->filePath("date")));
    UitaMachetaCitita();
}

void TestMacheta::cleanup()
{
    RevinoLaMachetaInitiala();
}

void TestMacheta::editedLayoutSavedAndReadBackEqual()
{
    QVERIFY(ProblemeMacheta(MachetaCertificatInitiala(), ProfilPentruMacheta()).isEmpty());
    QVERIFY(!MachetaProprieFolosita());
    const TMachetaFormular m = Editata();
    SalveazaMachetaProprie(m);
    QVERIFY(MachetaCertificat() == m);

    // A fresh start reads the file: every millimetre exactly as saved.
    UitaMachetaCitita();
    QVERIFY(MachetaProprieFolosita());
    QVERIFY(MachetaCertificat() == m);
    QVERIFY(!(MachetaCertificat() == MachetaCertificatInitiala()));
    QFile f(CaleMachetaProprie());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("\"Versiune\": 1"));

    RevinoLaMachetaInitiala();
    QVERIFY(MachetaCertificat() == MachetaCertificatInitiala());
    UitaMachetaCitita();
    QVERIFY(!MachetaProprieFolosita());
    QVERIFY(QFile::exists(CaleMachetaProprie() + ".anterioara"));
}

void TestMacheta::badLayoutRefusedAndNothingChanged_data()
{
    QTest::addColumn<QString>("greseala");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("outside the page") << "afara"
                                      << "Zona FormularTextArea7 iese din pagina";
    QTest::newRow("above the page") << "sus"
                                    << "Zona FormularTextArea1 iese din pagina";
    QTest::newRow("zero width") << "zero"
                                << "Zona FormularTextArea1 are latimea sau inaltimea zero";
    QTest::newRow("field the profile lacks") << "camp"
                                             << "campul Tessaluna.FATA.C_NOTA_MATE, pe care profilul nu il are";
    QTest::newRow("position not a number") << "pozitie"
                                           << "pozitia primului caracter \"x\" nu este un numar pozitiv";
    QTest::newRow("count without position") << "lungime"
                                            << "numarul de caractere cere si pozitia";
    QTest::newRow("two areas of one name") << "dublura"
                                           << "apare de doua ori";
    QTest::newRow("font the form lacks") << "font"
                                         << "fontul Lipsa, pe care formularul nu il are";
    QTest::newRow("newer version") << "versiune"
                                   << "versiune mai noua";
    QTest::newRow("no version") << "faraversiune"
                                << "nu are numar de versiune";
    QTest::newRow("damaged file") << "deteriorat"
                                  << "deteriorat";
    QTest::newRow("rectangle not numbers") << "mm"
                                           << "patru numere de milimetri";
}

void TestMacheta::badLayoutRefusedAndNothingChanged()
{
    QFETCH(QString, greseala);
    QFETCH(QString, mesaj);
    const TMachetaFormular buna = Editata();
    SalveazaMachetaProprie(buna);
    QFile f(CaleMachetaProprie());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray inainte = f.readAll();
    f.close();

    TMachetaFormular m = buna;
    TMachetaZona& z1 = Zona(m, "FormularTextArea1");
    if (greseala == "afara")
        Zona(m, "FormularTextArea7").Left = m.Pagini.first().Latime - 10;
    else if (greseala == "sus")
        z1.Top = -0.1;
    else if (greseala == "zero")
        z1.Width = 0;
    else if (greseala == "camp")
        Zona(m, "FormularTextArea5").Denumire1 = "Tessaluna.FATA.C_NOTA_MATE";
    else if (greseala == "pozitie")
        z1.Denumire2 = "x";
    else if (greseala == "lungime")
        z1.Denumire3 = "2";
    else if (greseala == "dublura")
        Zona(m, "ZonaNoua1").Name = "FormularTextArea1";
    else if (greseala == "font")
        z1.Font = "Lipsa";

    QByteArray text = ScrieTextMacheta(m);
    if (greseala == "versiune")
        text.replace("\"Versiune\": 1", "\"Versiune\": 2");
    else if (greseala == "faraversiune")
        text.replace("\"Versiune\": 1", "\"Versiunea\": 1");
    else if (greseala == "deteriorat")
        text.chop(text.size() / 2);
    else if (greseala == "mm")
        text.replace("\"Mm\": [", "\"Mm\": [\"a\", ");

    // Saved from the editor, and imported from a file: both refused with the reason, nothing changed.
    if (text == ScrieTextMacheta(m)) {
        const QString eroare = Eroare([&] { SalveazaMachetaProprie(m); });
        QVERIFY2(eroare.contains(mesaj), qPrintable(eroare));
    }
    QFile fisier(m_dosar->filePath("primita.json"));
    QVERIFY(fisier.open(QIODevice::WriteOnly));
    fisier.write(text);
    fisier.close();
    const QString eroare = Eroare([&] { ImportaMacheta(fisier.fileName()); });
    QVERIFY2(eroare.contains(mesaj) && eroare.contains("nu a fost importata"), qPrintable(eroare));

    QVERIFY(MachetaCertificat() == buna);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), inainte);
}

void TestMacheta::exportThenImportOnAnotherDesk()
{
    const TMachetaFormular m = Editata();
    SalveazaMachetaProprie(m);
    const QString cale = m_dosar->filePath("de dat/macheta scolii.json");
    ExportaMacheta(cale);

    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dosar->filePath("alt birou")));
    UitaMachetaCitita();
    QVERIFY(!MachetaProprieFolosita());
    ImportaMacheta(cale);
    QVERIFY(MachetaCertificat() == m);
    UitaMachetaCitita();
    QVERIFY(MachetaCertificat() == m);
    QVERIFY(CaleMachetaProprie().contains("alt birou"));
}

void TestMacheta::damagedOwnFileIsReportedNotReplaced()
{
    SalveazaMachetaProprie(Editata());
    QFile f(CaleMachetaProprie());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("{\"Versiune\": 1, \"Name\": ");
    f.close();
    UitaMachetaCitita();
    // Printing by the built-in layout instead would put every value where this school's blank has none.
    const QString eroare = Eroare([] { MachetaCertificat(); });
    QVERIFY2(eroare.contains("nu poate fi folosita") && eroare.contains("macheta_certificat.json"), qPrintable(eroare));
    QVERIFY(QFile::exists(CaleMachetaProprie()));
    QVERIFY(ProblemaMachetaProprie().contains("macheta_certificat.json"));

    // The way out: a refused import changes nothing; a good one takes the file's place, which is kept beside.
    const QString rea = m_dosar->filePath("rea.json"), buna = m_dosar->filePath("buna.json");
    for (const auto& [cale, text] : {std::pair{rea, QByteArray("[]")}, std::pair{buna, ScrieTextMacheta(Editata())}}) {
        QFile g(cale);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(text);
    }
    QVERIFY(Eroare([&] { InlocuiesteMachetaNefolosibila(rea); }).contains("nu a fost importata"));
    QVERIFY(!ProblemaMachetaProprie().isEmpty());
    QCOMPARE(QDir(QFileInfo(CaleMachetaProprie()).path()).entryList(QDir::Files).size(), 1);
    const QString pastrata = InlocuiesteMachetaNefolosibila(buna);
    QVERIFY(pastrata.startsWith(CaleMachetaProprie() + ".nefolosita-"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), ScrieTextMacheta(Editata()));
    f.close();
    QFile g(pastrata);
    QVERIFY(g.open(QIODevice::ReadOnly));
    QCOMPARE(g.readAll(), QByteArray("{\"Versiune\": 1, \"Name\": "));
    UitaMachetaCitita();
    QVERIFY(MachetaCertificat() == Editata());

    // A newer version, given up for the built-in layout: a second kept file, the first one untouched.
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(ScrieTextMacheta(Editata()).replace("\"Versiune\": 1", "\"Versiune\": 2"));
    f.close();
    UitaMachetaCitita();
    QVERIFY(ProblemaMachetaProprie().contains("versiune mai noua"));
    const QString aDoua = InlocuiesteMachetaNefolosibila();
    QVERIFY(aDoua != pastrata && QFile::exists(aDoua) && QFile::exists(pastrata));
    QVERIFY(!QFile::exists(CaleMachetaProprie()));
    QVERIFY(MachetaCertificat() == MachetaCertificatInitiala());
    UitaMachetaCitita();
    QVERIFY(!MachetaProprieFolosita());
}

void TestMacheta::editsUndoneAndRedone()
{
    const TMachetaFormular initiala = MachetaCertificatInitiala();
    TEditorMacheta e(initiala);
    const int an = 36; // FormularTextArea51, the certificate's year
    QCOMPARE(e.Zone().at(an).Name, QString("FormularTextArea51"));
    const double stanga = e.Zone().at(an).Left;
    e.Muta(1, 1); // nothing selected: no change, no step
    QVERIFY(!e.PoateAnula());

    e.Selecteaza(an);
    for (int i = 0; i < 3; ++i)
        e.Muta(0.1, 0);
    e.Redimensioneaza(3.5, -10); // the height stops at 0.1 mm
    QVERIFY(qAbs(e.Zone().at(an).Left - (stanga + 0.3)) < 1e-9);
    QVERIFY(qAbs(e.Zone().at(an).Height - 0.1) < 1e-9);
    TMachetaZona z = e.Zone().at(an);
    z.Denumire2 = "3";
    z.Denumire3 = "2";
    e.Modifica(an, z);
    e.AdaugaZona();
    QCOMPARE(e.Zone().last().Name, QString("ZonaNoua1"));
    QCOMPARE(e.Selectie(), QSet<int>{int(e.Zone().size() - 1)});
    e.Selecteaza(0);
    e.Selecteaza(1, true);
    e.StergeZone();
    QCOMPARE(e.Zone().size(), initiala.Pagini.first().Zone.size() - 1);
    const TMachetaFormular editata = e.Macheta();

    while (e.PoateAnula())
        e.Anuleaza();
    QVERIFY(e.Macheta() == initiala);
    while (e.PoateReface())
        e.Reface();
    QVERIFY(e.Macheta() == editata);

    // A new change after an undo drops what could have been redone.
    e.Anuleaza();
    e.Selecteaza(2);
    e.Muta(0, -1);
    QVERIFY(!e.PoateReface());
    QVERIFY(e.Zone().size() == initiala.Pagini.first().Zone.size() + 1);
}

// A drag places the selection from where it began, whatever the moves in between; an edge held stays the only
// one that moves and stops 0.1 mm short of the opposite one; the drag is one step.
void TestMacheta::dragsMoveAndResizeInOneStep()
{
    TEditorMacheta e(MachetaCertificatInitiala());
    const TMachetaZona a = e.Zone().at(0), b = e.Zone().at(1);
    e.Selecteaza(0);
    e.Selecteaza(1, true);
    e.IncepeTragere(ManerMutare);
    e.Trage(5, 5);
    e.Trage(1.2, -0.5);
    QCOMPARE(e.CotaTragere(0), QString("Stanga %1 mm  Sus %2 mm")
                                   .arg(TextMilimetri(std::round((a.Left + 1.2) * 100) / 100),
                                        TextMilimetri(std::round((a.Top - 0.5) * 100) / 100)));
    e.TerminaTragere();
    QCOMPARE(e.Zone().at(1).Left, b.Left + 1.2);
    QCOMPARE(e.Zone().at(1).Top, b.Top - 0.5);
    e.Anuleaza();
    QVERIFY(e.Macheta() == MachetaCertificatInitiala());
    QVERIFY(!e.PoateAnula());

    e.Selecteaza(0);
    e.IncepeTragere(ManerStanga | ManerJos);
    e.Trage(a.Width + 3, 2); // past the right edge: the left edge stops 0.1 mm before it
    QVERIFY(qAbs(e.Zone().at(0).Left + e.Zone().at(0).Width - (a.Left + a.Width)) < 1e-9);
    QVERIFY(qAbs(e.Zone().at(0).Width - 0.1) < 1e-9);
    QCOMPARE(e.Zone().at(0).Top, a.Top);
    QCOMPARE(e.Zone().at(0).Height, a.Height + 2);
    QVERIFY(e.CotaTragere(0).contains("Latime 0,1 mm"));
    e.AnuleazaTragere();
    QVERIFY(e.Macheta() == MachetaCertificatInitiala());
    QVERIFY(!e.PoateAnula());

    // An edge band of a digit box 10 pixels wide leaves its middle to moving.
    QCOMPARE(ManerLa(10, 17, 1, 8), int(ManerStanga));
    QCOMPARE(ManerLa(10, 17, 5, 8), int(ManerMutare));
    QCOMPARE(ManerLa(100, 40, 98, 39), int(ManerDreapta | ManerJos));
    QCOMPARE(MmDinPixeli(40, ScreenDpi(100)), 10.1); // 40 px = 10.066 mm at zoom 100
}

void TestMacheta::scannedBlankKeptAndShown()
{
    const QString png = m_dosar->filePath("scanat.png");
    QImage scan(300, 212, QImage::Format_RGB32);
    scan.fill(Qt::yellow);
    QVERIFY(scan.save(png));
    const QString nu = m_dosar->filePath("nu.png");
    QFile f(nu);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("nu este o imagine");
    f.close();
    QVERIFY(Eroare([&] { PastreazaFundal(nu); }).contains("nu este o imagine PNG"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("%PDF-1.4\n1 0 obj << /Type /Catalog");
    f.close();
    QVERIFY(Eroare([&] { PastreazaFundal(nu); }).contains("este deteriorat"));
    QVERIFY(!QDir(m_dosar->filePath("date")).exists() || QDir(m_dosar->filePath("date")).isEmpty());

    const QString copie = PastreazaFundal(png);
    QVERIFY(copie.startsWith(m_dosar->filePath("date")));
    TEditorMacheta e(MachetaCertificatInitiala());
    e.SeteazaFundal(copie);
    SalveazaMachetaProprie(e.Macheta());
    UitaMachetaCitita();
    QCOMPARE(MachetaCertificat().Pagini.first().BkImage, copie);
    const TFormularRandat formular(MachetaCertificat());
    QCOMPARE(formular.Pagini.first().Fundal.pixelColor(10, 10), QColor(Qt::yellow));
    e.Anuleaza();
    QCOMPARE(e.Macheta().Pagini.first().BkImage, MachetaCertificatInitiala().Pagini.first().BkImage);
}

QTEST_GUILESS_MAIN(TestMacheta)
#include "TestMacheta.moc"
