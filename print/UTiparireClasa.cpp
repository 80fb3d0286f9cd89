#include "print/UTiparireClasa.h"

#include "platform/UEroare.h"
#include "platform/UMesaje.h"
#include "print/UCalibrare.h"
#include "platform/UScriereSigura.h"
#include "print/UCompletare.h"
#include "print/UFontFormular.h"
#include "print/UFormulareTiparite.h"
#include "print/UImprimanta.h"
#include "print/UInsertPaper.h"
#include "settings/UTextRomanesc.h"
#include "print/UMachetaFormular.h"
#include "print/UPaginaRandata.h"
#include "print/UParticularizari.h"
#include "print/USetariImprimare.h"
#include "print/UTextZona.h"
#include "profile/UProfil.h"
#include "settings/UInfoGlobal2005.h"
#include "store/UDataModule.h"
#include "store/UTipariri.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>

#include <optional>

namespace {
// A paged device of an A4 landscape sheet at 1200 dpi, only measured on, never drawn.
QPdfWriter& DispozitivDeMasura()
{
    static QBuffer tampon;
    static QPdfWriter dispozitiv(&tampon);
    static const bool gata = [] {
        dispozitiv.setResolution(1200);
        dispozitiv.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        return true;
    }();
    Q_UNUSED(gata);
    return dispozitiv;
}

QString CodCamp(const QString& cheie)
{
    return cheie.section(QLatin1Char('.'), 2);
}
} // namespace

void TPaginiCompletate::Pastreaza(qint64 id, const TFormularRandat& formular)
{
    QList<TPagina> pagini;
    pagini.reserve(formular.Pagini.size());
    for (const TPaginaRandata& p : formular.Pagini) {
        TPagina pagina;
        pagina.Texte.reserve(p.Zone.size());
        for (qsizetype i = 0; i < p.Zone.size(); ++i) {
            const TZonaRandata& z = p.Zone[i];
            if (z.Text.isEmpty())
                pagina.Texte << QString();
            else
                pagina.Texte << *m_texte.insert(z.Text);
            if (z.Mm.top() != z.TopProiectat)
                pagina.Mutate << qMakePair(int(i), z.Mm.top());
            if (z.Ascunsa)
                pagina.Ascunse << int(i);
        }
        pagini << pagina;
    }
    m_elevi.insert(id, pagini);
}

bool TPaginiCompletate::Restaureaza(qint64 id, TFormularRandat& formular) const
{
    const auto gasit = m_elevi.constFind(id);
    if (gasit == m_elevi.constEnd() || gasit->size() != formular.Pagini.size())
        return false;
    for (qsizetype p = 0; p < formular.Pagini.size(); ++p) {
        QList<TZonaRandata>& zone = formular.Pagini[p].Zone;
        const TPagina& pagina = (*gasit)[p];
        if (pagina.Texte.size() != zone.size())
            return false;
        for (qsizetype i = 0; i < zone.size(); ++i) {
            zone[i].Text = pagina.Texte[i];
            zone[i].Mm.moveTop(zone[i].TopProiectat);
            zone[i].Ascunsa = false;
        }
        for (const auto& [index, sus] : pagina.Mutate)
            zone[index].Mm.moveTop(sus);
        for (const int index : pagina.Ascunse)
            zone[index].Ascunsa = true;
    }
    return true;
}

TRezultatPagini TiparesteElevi(QPainter& painter, QPagedPaintDevice& dispozitiv, TFormularRandat& formular,
                               const QList<TElevDeTiparit>& elevi, const TParametriTiparire& parametri, bool cuFundal,
                               const std::function<bool(int, int)>& progres, const TPaginiCompletate* completate)
{
    TRezultatPagini r;
    TDM& dm = ModululDeDate();
    const TInfoGlobal2005 setari;
    const int total = int(elevi.size());
    if (dm.Tr.InTransaction()) {
        r.Eroare = TextOperatieNeincheiata();
        return r;
    }
    // One reading transaction for the whole run: every page shows the register as it was when the job began.
    const TGardaCitire citire(dm.Tr);
    TCompletareFormular completare(dm, 0);
    for (int i = 0; i < total; ++i) {
        const TElevDeTiparit& elev = elevi[i];
        try {
            // The page is filled before the sheet is begun: a student whose values cannot be read leaves no
            // blank sheet behind.
            if (!completate || !completate->Restaureaza(elev.Id, formular)) {
                completare.SchimbaElev(elev.Id);
                for (TPaginaRandata& pagina : formular.Pagini)
                    CompleteazaPaginaRandata(completare, setari, pagina);
            }
            for (const TPaginaRandata& pagina : formular.Pagini) {
                if ((r.Tiparite > 0 || &pagina != &formular.Pagini.constFirst()) && !dispozitiv.newPage())
                    throw EEroare(QStringLiteral("Imprimanta nu a putut incepe o pagina noua."));
                if (cuFundal)
                    DeseneazaFundal(painter, pagina, parametri.StangaMm + pagina.DeltaStanga,
                                    parametri.SusMm + pagina.DeltaSus);
                for (const QString& zona : TiparestePagina(painter, pagina, parametri))
                    r.Taiate << elev.Denumire + QStringLiteral(": ") + zona;
            }
            ++r.Tiparite;
        } catch (const std::exception& e) {
            // The program's own sentence stays; the engine's English text goes under "Detalii" only.
            const QString text = TextEroare(e);
            r.Detalii = DetaliiEroare(e);
            const bool alProgramului = dynamic_cast<const EEroare*>(&e) != nullptr;
            QString cauza = text;
            if (!alProgramului) {
                r.Detalii = text;
                cauza = QStringLiteral("pagina lui nu a putut fi pregatita");
            } else if (text == r.Detalii) {
                cauza = QStringLiteral("datele lui nu au putut fi citite din baza de date");
            }
            r.Eroare = QStringLiteral("%1: %2").arg(elev.Denumire, cauza);
            break;
        }
        if (progres && !progres(i + 1, total)) {
            r.Oprit = i + 1 < total;
            break;
        }
    }
    return r;
}

QList<TProblemaZona> VerificaPagina(const TPaginaRandata& pagina)
{
    QList<TProblemaZona> probleme;
    const QPaintDevice& dispozitiv = DispozitivDeMasura();
    const TCapabilitati cap = CapabilitatiDispozitiv(dispozitiv);
    const double mmPePixel = 25.4 / DpiFontImprimanta(cap);
    QHash<QString, int> goale; // per key: the first empty area, or -1 once one area of the key holds text
    QStringList ordine;
    for (const TZonaRandata& z : pagina.Zone) {
        const TAspectText aspect = AspectEfectiv(z.Text, z.Aliniere, z.Font, CorecturaZonei(pagina, z.Name));
        const bool gol = aspect.Text.trimmed().isEmpty();
        if (!z.Denumire1.isEmpty() && !CodCamp(z.Denumire1).endsWith(QLatin1String("_L2"))) {
            if (!goale.contains(z.Denumire1)) {
                goale.insert(z.Denumire1, int(&z - pagina.Zone.constData()));
                ordine << z.Denumire1;
            }
            if (!gol)
                goale[z.Denumire1] = -1;
        }
        if (gol || !aspect.Font)
            continue;
        const TTextPlasat t = PlaseazaPeImprimanta(aspect, z.Mm, 0, 0, false, {}, dispozitiv, cap);
        const double inaltime = t.Font.InaltimeText * mmPePixel;
        if (!t.Font.Incape)
            probleme << TProblemaZona{z.Name, z.Denumire1, TProblemaZona::NuIncape, inaltime};
        else if (inaltime < InaltimeMinimaLizibila &&
                 t.Font.InaltimeCeruta < InaltimeStartImprimanta(cap, aspect.Font->Size(), z.Mm.height()))
            probleme << TProblemaZona{z.Name, z.Denumire1, TProblemaZona::Micsorat, inaltime};
    }
    for (const QString& cheie : ordine) {
        const int index = goale.value(cheie);
        if (index >= 0)
            probleme << TProblemaZona{pagina.Zone[index].Name, cheie, TProblemaZona::Gol, 0};
    }
    return probleme;
}

QString DenumireCamp(const QString& cheie)
{
    const QString cod = CodCamp(cheie);
    const TClasaProfil* clasa = ProfilInregistrat();
    if (!clasa)
        return cod;
    // The profile is the program's own for the life of the process: its labels are read once.
    static const TClasaProfil* citita = nullptr;
    static QHash<QString, QString> etichete;
    if (citita != clasa) {
        etichete.clear();
        const std::unique_ptr<TListaLiniiProfilDiploma> linii = clasa->Creeaza();
        for (const TLinieProfilDiploma& l : linii->Linii())
            etichete.insert(UnesteCheie({l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP}),
                            CitesteEticheta(l.ETICHETA_EDITOR).Eticheta.trimmed());
        citita = clasa;
    }
    const QString eticheta = etichete.value(UnesteCheie(DesparteCheie(cheie)));
    if (eticheta.isEmpty())
        return cod;
    if (cod.startsWith(QLatin1String("C_")))
        return eticheta + QStringLiteral(" (cotor)");
    if (cod.startsWith(QLatin1String("A_")))
        return eticheta + QStringLiteral(" (certificat)");
    return eticheta;
}

QString DescriereProblema(const TProblemaZona& p)
{
    const QString camp = CodCamp(p.Cheie).isEmpty() ? p.Zona : DenumireCamp(p.Cheie);
    switch (p.Fel) {
    case TProblemaZona::Gol:
        return QStringLiteral("%1: camp gol").arg(camp);
    case TProblemaZona::Micsorat:
        return QStringLiteral("%1: textul se micsoreaza la %2 mm, greu de citit")
            .arg(camp, QLocale().toString(p.InaltimeMm, 'f', 1));
    case TProblemaZona::NuIncape:
        break;
    }
    return QStringLiteral("%1: textul nu incape nici la cea mai mica marime").arg(camp);
}

TRezultatPagini TiparesteClasa(QWidget* parinte, const QList<TElevDeTiparit>& elevi,
                               const std::function<bool(int, int)>& opresteDupa, const TPaginiCompletate* completate,
                               const TRezultatInserare* asezare)
{
    if (elevi.isEmpty()) {
        TMesaje::Informeaza(parinte, QStringLiteral("Va rog selectati un elev!"));
        return {};
    }
    if (!ImprimantaConfigurata(parinte))
        return {};
    if (!PregatesteFormulare(parinte, elevi))
        return {};
    TAllStuffReg setari;
    TRezultatInserare ins;
    if (asezare) {
        // A sheet printed again is offered as it was placed then; cancelled, the settings stay as they were.
        const double stanga = setari.MargineStangaFata, sus = setari.MargineSusFata;
        const QString oglinda = setari.Oglinda(0);
        setari.MargineStangaFata = asezare->Stanga;
        setari.MargineSusFata = asezare->Sus;
        setari.SeteazaOglinda(0, asezare->Oglinda ? QStringLiteral("D") : QStringLiteral("N"));
        ins = CereFoaia(setari, 0);
        if (!ins.Ok) {
            setari.MargineStangaFata = stanga;
            setari.MargineSusFata = sus;
            setari.SeteazaOglinda(0, oglinda);
        }
    } else {
        ins = CereFoaia(setari, 0);
    }
    if (!ins.Ok)
        return {};

    TFormularRandat formular(MachetaCertificat());
    const int total = int(elevi.size());
    const QString titlu = QStringLiteral("Diplome de examen national - %1 elevi").arg(total);
    // Made once the document has begun: a progress window shows itself after its minimum duration, and over the
    // PDF file question it would take the keyboard from it.
    std::optional<QProgressDialog> progres;

    PregatesteImprimanta(false);
    TRezultatPagini r;
    QString destinatie;
    const QDateTime inceput = QDateTime::currentDateTime();
    {
        TDocumentTiparit document(parinte, titlu);
        if (!document.Inceput())
            return {};
        destinatie = document.FisierPdf().isEmpty() ? ImprimantaCurenta() : document.FisierPdf();
        progres.emplace(QStringLiteral("Se tipareste diploma 0 din %1").arg(total), QStringLiteral("Opreste"), 0, total,
                        parinte);
        progres->setObjectName(QStringLiteral("ProgresTiparire"));
        progres->setWindowTitle(QStringLiteral("Tiparire"));
        progres->setWindowModality(Qt::WindowModal);
        progres->setMinimumDuration(0);
        progres->setAutoClose(false);
        progres->setAutoReset(false);
        progres->show();
        const TParametriTiparire parametri{ins.Stanga, ins.Sus, ins.Oglinda, document.Corectie()};
        r = TiparesteElevi(
            document.Painter(), ImprimantaProgram(), formular, elevi, parametri, false,
            [&](int n, int N) {
                progres->setValue(n);
                progres->setLabelText(QStringLiteral("Se tipareste diploma %1 din %2").arg(n).arg(N));
                QCoreApplication::processEvents();
                return !progres->wasCanceled() && !(opresteDupa && opresteDupa(n, N));
            },
            completate);
    }
    progres.reset();

    // The sheets the ended document holds are the ones sent: exactly those are recorded.
    QList<TTiparire> tipariri;
    for (int i = 0; i < r.Tiparite; ++i)
        tipariri << TTiparire{elevi[i].Id, elevi[i].Denumire, inceput, destinatie, 0, i + 1, titlu,
                              true,           ins.Stanga,        ins.Sus, ins.Oglinda};
    QString formulare;
    const qint64 lucrare = InregistreazaLucrarea(parinte, tipariri, ins, &formulare);
    if (!formulare.isEmpty())
        formulare = QStringLiteral("\nFormulare folosite: %1.").arg(formulare);

    if (!r.Eroare.isEmpty() || r.Oprit) {
        QString text =
            r.Eroare.isEmpty()
                ? QStringLiteral("Tiparirea a fost oprita dupa %1 din %2 diplome.").arg(r.Tiparite).arg(total)
                : QStringLiteral("Tiparirea s-a oprit din cauza unei erori dupa %1 din %2 diplome:\n%3")
                      .arg(r.Tiparite)
                      .arg(total)
                      .arg(r.Eroare);
        if (r.Tiparite > 0)
            text += QStringLiteral("\nUltimul elev tiparit: %1.").arg(elevi[r.Tiparite - 1].Denumire);
        if (r.Tiparite < total)
            text += QStringLiteral("\nUrmatorul elev de tiparit: %1.").arg(elevi[r.Tiparite].Denumire);
        TMesaje::Avertizeaza(parinte, text + formulare, r.Detalii);
    } else if (!r.Taiate.isEmpty()) {
        TMesaje::Avertizeaza(parinte, QStringLiteral("Textul nu incape in campurile: %1. S-a tiparit micsorat la "
                                                     "minimum si taiat; scurtati-l in corecturile campului.")
                                          .arg(r.Taiate.join(QStringLiteral(", "))));
    } else {
        TMesaje::Informeaza(parinte,
                            QStringLiteral("%1 %2 la \"%3\" (lucrarea %4).")
                                .arg(r.Tiparite == 1 ? QStringLiteral("S-a trimis") : QStringLiteral("S-au trimis"),
                                     CuNumar(r.Tiparite, QStringLiteral("diploma"), QStringLiteral("diplome")),
                                     destinatie, QString::number(lucrare)) +
                                formulare);
    }
    return r;
}

bool SalveazaPdf(QWidget* parinte, const QList<TElevDeTiparit>& elevi, bool cuFundal)
{
    if (elevi.isEmpty()) {
        TMesaje::Informeaza(parinte, QStringLiteral("Va rog selectati un elev!"));
        return false;
    }
    const QString implicit = elevi.size() == 1 ? elevi.first().Denumire : QStringLiteral("Diplome");
    QString fisier = TMesaje::CereFisierDeScris(parinte, QStringLiteral("Salvati documentul PDF"),
                                                QDir::home().filePath(implicit + QStringLiteral(".pdf")),
                                                QStringLiteral("Documente PDF (*.pdf)"));
    if (fisier.isEmpty())
        return false;
    if (!fisier.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fisier += QStringLiteral(".pdf");
    TFisierInLucru inLucru(fisier);
    if (!inLucru.Valid())
        throw EEroare(QStringLiteral("Fisierul \"%1\" nu poate fi scris: %2.")
                          .arg(QDir::toNativeSeparators(fisier), inLucru.Motiv()));
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(inLucru.Cale());
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setDocName(implicit);
    TFormularRandat formular(MachetaCertificat());
    QPainter painter;
    if (!painter.begin(&pdf))
        throw EEroare(QStringLiteral("Fisierul \"%1\" nu poate fi scris (dosarul lipseste, nu aveti drept de scriere "
                                     "sau discul este plin).")
                          .arg(QDir::toNativeSeparators(fisier)));
    const TRezultatPagini r = TiparesteElevi(painter, pdf, formular, elevi, TParametriTiparire{}, cuFundal);
    const bool terminat = painter.end();
    if (!r.Eroare.isEmpty())
        throw EEroare(QStringLiteral("Documentul PDF \"%1\" s-a oprit dupa %2 din %3 diplome: %4")
                          .arg(QDir::toNativeSeparators(fisier))
                          .arg(r.Tiparite)
                          .arg(elevi.size())
                          .arg(r.Eroare),
                      r.Detalii);
    QString motiv;
    if (!terminat || !inLucru.Incheie(motiv))
        throw EEroare(
            QStringLiteral("Documentul PDF \"%1\" nu a putut fi scris pana la capat: %2.")
                .arg(QDir::toNativeSeparators(fisier), terminat ? motiv : QStringLiteral("eroare la scriere")));
    TMesaje::Informeaza(parinte,
                        QStringLiteral("%1 %2 in documentul PDF \"%3\".")
                            .arg(r.Tiparite == 1 ? QStringLiteral("S-a salvat") : QStringLiteral("S-au salvat"),
                                 CuNumar(r.Tiparite, QStringLiteral("diploma"), QStringLiteral("diplome")),
                                 QDir::toNativeSeparators(fisier)));
    return true;
}
