// Renders the program's main windows and a printed certificate to PNG files, on a throw-away register
// holding one school and two students: pictures to look at, not a test. Run by scripts/capturi.sh.

#include "app/TTessalunaMain.h"
#include "entry/UListaElevi.h"
#include "entry/UListaGenerica.h"
#include "entry/UTiparireClasaForm.h"
#include "platform/UMesaje.h"
#include "print/UCalibrareForm.h"
#include "print/UHandlere.h"
#include "print/UInsertPaper.h"
#include "print/UMachetaFormular.h"
#include "print/UParticularizari.h"
#include "print/UPrintTessaluna.h"
#include "print/UPrintWiz.h"
#include "print/USetariImprimare.h"
#include "print/UTiparireClasa.h"
#include "profile/UProfilTessaluna.h"
#include "settings/UEditorConfigGlobal.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UPdfText.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QStackedWidget>
#include <QTest>

namespace {
QString g_dosar;

void Salveaza(QWidget* w, const QString& nume, QSize marime = {})
{
    if (marime.isValid())
        w->resize(marime);
    w->show();
    (void)QTest::qWaitForWindowExposed(w);
    QApplication::processEvents();
    w->grab().save(QDir(g_dosar).filePath(nume + QStringLiteral(".png")));
    w->hide();
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    g_dosar = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_dosar);
    TMesaje::SetFaraFerestre(true);
    QTemporaryDir lucru;
    qputenv("XDG_CONFIG_HOME", lucru.filePath("config").toLocal8Bit());
    ReseteazaParticularizari(lucru.filePath("licenta.lic"));
    InregistreazaHandlerTessaluna();

    TBazaTest b;
    b.Porneste();
    b.Executa("insert into SCOALA (ID_SCOALA) values (1)");
    const QList<QPair<QString, QString>> scoala = {{"C_UNITATEA_L1", QString::fromUtf8("COLEGIUL NAŢIONAL")},
                                                   {"C_UNITATEA_L2", "\"MIHAI EMINESCU\""},
                                                   {"C_COD_SIRUES", "123456789"},
                                                   {"C_LOCALITATEA", QString::fromUtf8("TÂRGU-MUREŞ")},
                                                   {"C_JUDETUL", QString::fromUtf8("MUREŞ")},
                                                   {"A_LOCALITATEA_L1", QString::fromUtf8("Târgu-Mureş")},
                                                   {"C_DIRECTOR", "POPA ELENA"},
                                                   {"C_SECRETAR", "RUS ION"}};
    for (const auto& v : scoala)
        b.ScrieValoare("SCOALA", 1, v.first, v.second);
    const qint64 id = b.AdaugaElev({{"C_ABREVIERE", "dl"},
                                    {"C_NUME_L1", QString::fromUtf8("ŞTEFĂNESCU")},
                                    {"C_NUME_L2", "ANDREI-MIHAI"},
                                    {"A_NUME", QString::fromUtf8("Ştefănescu Andrei-Mihai")},
                                    {"C_AN_ABSOLVIRE", "2006"},
                                    {"C_CNP", "1900101260017"},
                                    {"C_FILIERA", QString::fromUtf8("Teoretică")},
                                    {"C_PROFILUL", "Real"},
                                    {"C_SPECIALIZAREA", QString::fromUtf8("Matematică-informatică")}});
    b.AdaugaElev({{"C_NUME_L1", "POPA"}, {"C_NUME_L2", "IOANA"}, {"C_CNP", "2900101260027"}});
    for (const auto& v : scoala)
        b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, "
                                 "ID_ELEVI, IDF_SCOALA) values ('Tessaluna', 'FATA', '%1', '', 0, %2, 1)")
                      .arg(v.first)
                      .arg(id));

    TTessalunaMain principala;
    Salveaza(&principala, "fereastra_principala");
    TAdaugaElev adauga;
    adauga.ElevNou();
    Salveaza(&adauga, "adauga_elev");
    TEditorConfigGlobal format;
    Salveaza(&format, "format_note");
    TListaGenerica scoli;
    scoli.setWindowTitle(QStringLiteral("Configurare scoala"));
    scoli.Tabel = QStringLiteral("SCOALA");
    scoli.Incarca();
    Salveaza(&scoli, "configurare_scoala");

    TPrintTessalunaForm previzualizare;
    CompleteazaPaginile(&previzualizare, id, QStringLiteral("Ştefănescu"));
    previzualizare.setWindowState(Qt::WindowNoState);
    Salveaza(&previzualizare, "previzualizare", QSize(1200, 950));

    {
        TAllStuffReg setari;
        setari.ModAlimentare = 1;
        TInsertPaperForm& inserare = InsertPaperForm();
        inserare.setWindowTitle(QStringLiteral("(1)"));
        Salveaza(&inserare, "introduceti_diploma");
    }
    TPrintWiz wizard;
    for (int pagina : {0, 1, 4, 7, 9, 13}) {
        wizard.Pagini->setCurrentIndex(pagina);
        Salveaza(&wizard, QStringLiteral("configurare_imprimanta_%1").arg(pagina, 2, 10, QLatin1Char('0')));
    }
    TCalibrareForm calibrare;
    Salveaza(&calibrare, "calibrare_imprimanta");
    TTiparireClasaForm clasa({{id, QStringLiteral("ŞTEFĂNESCU ANDREI-MIHAI")}, {id + 1, QStringLiteral("POPA IOANA")}});
    Salveaza(&clasa, "tiparirea_clasei");

    // The certificate as the printer gets it, and as the archive copy shows it.
    for (const bool cuFundal : {false, true}) {
        const QString pdf = QDir(g_dosar).filePath(cuFundal ? "certificat_arhiva.pdf" : "certificat_tiparit.pdf");
        TMesaje::SetFisierUrmator(pdf);
        SalveazaPdf(nullptr, {{id, QStringLiteral("Ştefănescu")}}, cuFundal);
        RandeazaPdfLaPng(pdf, pdf.chopped(4), 100);
    }
    return 0;
}
