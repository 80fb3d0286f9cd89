#include "entry/UEditoareCamp.h"

#include "controls/UKivEditors.h"
#include "entry/UValidare.h"
#include "settings/UTextRomanesc.h"
#include "platform/UMesaje.h"
#include "print/UMachetaFormular.h"
#include "print/UMachetaProprie.h"
#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace {
const int LungimeText = 256;
const int LungimeCamp = 64;
} // namespace

TEditorCampText::TEditorCampText(QWidget* parinte) : TEditorGeneric(parinte)
{
    m_lista = new QComboBox(this);
    m_lista->setEditable(true);
    m_lista->setInsertPolicy(QComboBox::NoInsert);
    m_lista->setMaxVisibleItems(16);
    m_lista->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_lista->setMinimumContentsLength(1);
    // Earlier values are offered in a list to pick from, never completed into what is typed: the text saved is
    // exactly the one typed or picked.
    auto* sugestii = new QCompleter(m_lista->model(), m_lista);
    sugestii->setCompletionMode(QCompleter::PopupCompletion);
    sugestii->setCaseSensitivity(Qt::CaseInsensitive);
    sugestii->setFilterMode(Qt::MatchContains);
    m_lista->setCompleter(sugestii);
    SeteazaIntrare(m_lista);
}

void TEditorCampText::Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                              const QString& tabel, qint32 idElev, qint32 idInregistrare)
{
    TEditorGeneric::Incarca(codFormular, codPagina, codCamp, tabel, idElev, idInregistrare);
    // A NULL (the text of a link row) is shown as an empty entry.
    m_lista->addItems(TexteFolosite(ModululDeDate(), TCheieCamp{codFormular, codPagina, codCamp}));
    const QString valoare = CitesteValoare();
    m_lista->setCurrentIndex(-1);
    m_lista->setEditText(valoare.isNull() ? QString() : valoare);
    DupaAfisare();
}

void TEditorCampText::Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    ScrieValoare(m_lista->currentText(), LungimeText, idElev, idInregistrare, tabel);
}

void TEditorCampText::DupaAfisare()
{
    if (QLineEdit* e = m_lista->lineEdit()) {
        e->deselect();
        e->setCursorPosition(int(e->text().size()));
    }
}

TEditorCuCasetaText::TEditorCuCasetaText(QWidget* parinte) : TEditorGeneric(parinte)
{
    m_caseta = new QLineEdit(this);
    m_caseta->setMaxLength(32767);
    SeteazaIntrare(m_caseta);
}

void TEditorCuCasetaText::Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                                  const QString& tabel, qint32 idElev, qint32 idInregistrare)
{
    TEditorGeneric::Incarca(codFormular, codPagina, codCamp, tabel, idElev, idInregistrare);
    const QString valoare = CitesteValoare();
    if (!valoare.isNull())
        m_caseta->setText(valoare);
}

void TEditorCuCasetaText::Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    ScrieValoare(Caseta()->text(), LungimeCamp, idElev, idInregistrare, tabel);
}

bool TEditorCampText::PotSalva()
{
    const QString cheie = UnesteCheie({CodFormular, CodPagina, CodCamp});
    // The warning is advice: a layout file that cannot be read never stops a student from being saved (the
    // preview and the print jobs say what is wrong with it).
    if (!ProblemaMachetaProprie().isEmpty())
        return true;
    for (const TMachetaPagina& pagina : MachetaCertificat().Pagini) {
        for (const TMachetaZona& z : pagina.Zone) {
            if (z.Denumire1 != cheie || !ZonaAnDupa200(z.Denumire1, z.Denumire2))
                continue;
            const QString problema = ProblemaAnPeFormular(m_lista->currentText());
            if (!problema.isEmpty())
                TMesaje::Avertizeaza(this, problema + QStringLiteral("; se va tipari numai ultima cifra."));
            return true;
        }
    }
    return true;
}

bool TEditorCampCNP::PotSalva()
{
    if (CnpValid(Caseta()->text()))
        return true;
    return TMesaje::Intreaba(this, QStringLiteral("Codul numeric personal este eronat! Sigur doriti sa ontinuati?"));
}

TEditorCampNota::TEditorCampNota(QWidget* parinte) : TEditorGeneric(parinte)
{
    m_nota = new TKivNumEdit(this);
    m_nota->SetNrCifreDupaVirgula(2);
    m_nota->SetAutoSelectOnEnter(true);
    m_nota->SetNoDots(true);
    m_nota->SetRightAlignNonEdit(false);
    m_nota->SetKeepSelection(false);
    SeteazaIntrare(m_nota);
}

void TEditorCampNota::Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                              const QString& tabel, qint32 idElev, qint32 idInregistrare)
{
    TEditorGeneric::Incarca(codFormular, codPagina, codCamp, tabel, idElev, idInregistrare);
    const QString valoare = CitesteValoare();
    if (!valoare.isNull())
        m_nota->SetAsCurrency(ValoareNota(valoare));
    // A grade of 0 and a missing grade both show an empty box.
    if (m_nota->Text().isEmpty() || m_nota->CuDouaZecimale() == 0)
        m_nota->SetText(QString());
}

bool TEditorCampNota::PotSalva()
{
    if (m_nota->Text().trimmed().isEmpty())
        return true;
    qint64 valoare = 0;
    try {
        valoare = m_nota->AsCurrency();
    } catch (const EEroare&) {
        // Digits beyond the range of the value are far above 10; a text that is not yet a number (a lone
        // minus sign, or a negative beyond the range) counts as 0.
        const QString text = m_nota->Text();
        const bool cifre = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        valoare = cifre && !text.contains(u'-') ? std::numeric_limits<qint64>::max() : 0;
    }
    if (valoare < 50000) {
        TMesaje::Avertizeaza(this, QStringLiteral("Nota este prea mica"));
        return false;
    }
    if (valoare > 100000) {
        TMesaje::Avertizeaza(this, QStringLiteral("Nota este prea mare"));
        return false;
    }
    return true;
}

void TEditorCampNota::Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    ScrieValoare(m_nota->Text(), LungimeCamp, idElev, idInregistrare, tabel);
}

TEditorGeneric* CreeazaEditor(const QString& tipDeDate, QWidget* parinte)
{
    if (tipDeDate == u"TEXT")
        return new TEditorCampText(parinte);
    if (tipDeDate == u"CNP")
        return new TEditorCampCNP(parinte);
    if (tipDeDate == u"NOTA")
        return new TEditorCampNota(parinte);
    if (tipDeDate == u"CALIFICATIV")
        return new TEditorCampCalificativ(parinte);
    if (tipDeDate == u"CF")
        return new TEditorCampCF(parinte);
    if (tipDeDate == u"SIRUES")
        return new TEditorCampSirues(parinte);
    if (tipDeDate == u"NOTA sau CALIFICATIV")
        return new TEditorGenericNotaSauCalificativ(parinte);
    return nullptr;
}
