#include "print/UEditorTextFormular.h"

#include "print/UFontFormular.h"
#include "print/UParticularizari.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct TOptiune
{
    const char* nume;
    const char* text;
    int valoare;
};

// Button ids are the record's values moved past -1, which QButtonGroup reserves for "assign one".
constexpr int kDecalajId = 2;

// A frame of radio buttons, one per value of a record field.
QGroupBox* GrupRadio(const QString& titlu, std::initializer_list<TOptiune> optiuni, QButtonGroup*& grup,
                     QWidget* parinte)
{
    auto* cadru = new QGroupBox(titlu, parinte);
    auto* l = new QVBoxLayout(cadru);
    grup = new QButtonGroup(cadru);
    for (const TOptiune& o : optiuni) {
        auto* buton = new QRadioButton(QString::fromUtf8(o.text), cadru);
        buton->setObjectName(QLatin1String(o.nume));
        grup->addButton(buton, o.valoare + kDecalajId);
        l->addWidget(buton);
    }
    l->addStretch();
    return cadru;
}

void Selecteaza(QButtonGroup* grup, int valoare)
{
    QAbstractButton* buton = grup->button(valoare + kDecalajId);
    (buton ? buton : grup->button(kDecalajId))->setChecked(true);
}

int Valoare(const QButtonGroup* grup)
{
    return grup->checkedId() == -1 ? 0 : grup->checkedId() - kDecalajId;
}
} // namespace

TEditorTextFormular::TEditorTextFormular(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("EditorTextFormular"));
    setWindowTitle(QStringLiteral("Informatii camp"));
    auto* principal = new QVBoxLayout(this);
    auto* taburi = new QTabWidget(this);
    taburi->setObjectName(QStringLiteral("Taburi"));
    principal->addWidget(taburi);

    // "Informatii despre acest camp": where the value comes from and how it is written.
    auto* info = new QWidget(taburi);
    auto* li = new QVBoxLayout(info);
    li->addWidget(new QLabel(QStringLiteral("De unde preia acest camp datele:"), info));
    m_sursa = new QPlainTextEdit(info);
    m_sursa->setObjectName(QStringLiteral("SursaText"));
    m_sursa->setReadOnly(true);
    m_sursa->setMaximumHeight(60);
    li->addWidget(m_sursa);

    auto* fonturi = new QHBoxLayout;
    auto* cadruFormular = new QGroupBox(QStringLiteral("Fontul utilizat pentru acest formular"), info);
    auto* lf = new QVBoxLayout(cadruFormular);
    m_fonturiFormular = new QListWidget(cadruFormular);
    m_fonturiFormular->setObjectName(QStringLiteral("FonturiFormular"));
    lf->addWidget(m_fonturiFormular);
    auto* stil = new QHBoxLayout;
    m_italic = new QComboBox(cadruFormular);
    m_italic->setObjectName(QStringLiteral("Italic"));
    m_italic->addItems({QStringLiteral("Implicit"), QStringLiteral("Italic"), QStringLiteral("non-Italic")});
    m_bold = new QComboBox(cadruFormular);
    m_bold->setObjectName(QStringLiteral("Bold"));
    m_bold->addItems({QStringLiteral("Implicit"), QStringLiteral("Bold"), QStringLiteral("non-Bold")});
    stil->addWidget(new QLabel(QStringLiteral("Italic"), cadruFormular));
    stil->addWidget(m_italic);
    stil->addWidget(new QLabel(QStringLiteral("Bold"), cadruFormular));
    stil->addWidget(m_bold);
    lf->addLayout(stil);
    fonturi->addWidget(cadruFormular);

    auto* cadruSistem = new QGroupBox(info);
    auto* ls = new QVBoxLayout(cadruSistem);
    m_fontImplicit = new QRadioButton(QStringLiteral("Folosesc fontul implicit"), cadruSistem);
    m_fontImplicit->setObjectName(QStringLiteral("FontImplicit"));
    m_fontSpecificat = new QRadioButton(QStringLiteral("Folosesc fontul specificat mai jos"), cadruSistem);
    m_fontSpecificat->setObjectName(QStringLiteral("FontSpecificat"));
    m_fonturiInstalate = new QListWidget(cadruSistem);
    m_fonturiInstalate->setObjectName(QStringLiteral("FonturiInstalate"));
    m_fonturiInstalate->addItems(QFontDatabase::families());
    m_previzualizare = new QLabel(QStringLiteral("Text informativ pentru aspectul fontului"), cadruSistem);
    m_previzualizare->setObjectName(QStringLiteral("Previzualizare"));
    m_previzualizare->setMinimumHeight(32);
    ls->addWidget(m_fontImplicit);
    ls->addWidget(m_fontSpecificat);
    ls->addWidget(m_fonturiInstalate);
    ls->addWidget(m_previzualizare);
    fonturi->addWidget(cadruSistem);
    li->addLayout(fonturi);
    taburi->addTab(info, QStringLiteral("Informatii despre acest camp"));
    connect(m_fonturiInstalate, &QListWidget::currentRowChanged, this, [this] { ArataPrevizualizare(); });

    auto* redefinire = new QWidget(taburi);
    auto* lr = new QVBoxLayout(redefinire);
    auto* explicatie = new QLabel(QStringLiteral("Daca nu sunteti multumiti cu textul care apare in acest camp "
                                                 "puteti stabili aici, MANUAL, un alt text:"),
                                  redefinire);
    explicatie->setWordWrap(true);
    lr->addWidget(explicatie);
    m_textRedefinit = new QLineEdit(redefinire);
    m_textRedefinit->setObjectName(QStringLiteral("TextRedefinit"));
    lr->addWidget(m_textRedefinit);
    lr->addStretch();
    taburi->addTab(redefinire, QStringLiteral("Redefinire text"));

    auto* asezare = new QWidget(taburi);
    auto* la = new QHBoxLayout(asezare);
    la->addWidget(GrupRadio(QStringLiteral("Aliniere"),
                            {{"AliniereImplicit", "Implicit", 0},
                             {"AliniereStanga", "Aliniere la stanga", 1},
                             {"AliniereCentru", "Centru", 2},
                             {"AliniereDreapta", "Dreapta", 3}},
                            m_aliniere, asezare));
    la->addWidget(GrupRadio(QStringLiteral("Orizontal"),
                            {{"OrizontalImplicit", "Implicit", 0},
                             {"OrizontalStanga", "Mai la stanga cu 0,5 mm", -1},
                             {"OrizontalDreapta", "Mai la dreapta cu 0,5 mm", 1}},
                            m_orizontal, asezare));
    la->addWidget(GrupRadio(QStringLiteral("Vertical"),
                            {{"VerticalImplicit", "Implicit", 0},
                             {"VerticalSus", "Mai sus cu 0,5 mm", -1},
                             {"VerticalJos", "Mai jos cu 0,5 mm", 1}},
                            m_vertical, asezare));
    taburi->addTab(asezare, QStringLiteral("Asezare in pagina"));

    auto* butoane = new QDialogButtonBox(this);
    QPushButton* ok = butoane->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Ok"));
    QPushButton* renunt = butoane->addButton(QStringLiteral("Renunt"), QDialogButtonBox::RejectRole);
    renunt->setObjectName(QStringLiteral("Renunt"));
    connect(butoane, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(butoane, &QDialogButtonBox::rejected, this, &QDialog::reject);
    principal->addWidget(butoane);
    resize(640, 420);
}

void TEditorTextFormular::Incarca(const TParticularizareTextArea& inreg, const QStringList& sursaText,
                                  const QList<TFontFormular*>& fonturi, const TFontFormular* fontSelectat)
{
    m_italic->setCurrentIndex(std::clamp(inreg.Italic, 0, 2));
    m_bold->setCurrentIndex(std::clamp(inreg.Bold, 0, 2));
    (inreg.FontSistem.isEmpty() ? m_fontImplicit : m_fontSpecificat)->setChecked(true);
    const QList<QListWidgetItem*> gasite = m_fonturiInstalate->findItems(inreg.FontSistem, Qt::MatchExactly);
    if (!inreg.FontSistem.isEmpty() && !gasite.isEmpty()) {
        m_fonturiInstalate->setCurrentItem(gasite.first());
        m_fonturiInstalate->scrollToItem(gasite.first());
    } else {
        m_fonturiInstalate->setCurrentRow(-1);
    }
    m_sursa->setPlainText(sursaText.join(QLatin1Char('\n')));
    m_textRedefinit->setText(inreg.TextRedefinit);
    Selecteaza(m_aliniere, inreg.Aliniere);
    Selecteaza(m_orizontal, inreg.DeplasareOrizontala);
    Selecteaza(m_vertical, inreg.DeplasareVerticala);

    m_fonturi = fonturi;
    m_fonturiFormular->clear();
    for (const TFontFormular* font : fonturi) {
        m_fonturiFormular->addItem(font->Eticheta());
        if (font == fontSelectat)
            m_fonturiFormular->setCurrentRow(m_fonturiFormular->count() - 1);
    }
    if (m_fonturiFormular->currentItem())
        m_fonturiFormular->scrollToItem(m_fonturiFormular->currentItem());
    ArataPrevizualizare();
}

void TEditorTextFormular::Salveaza(TParticularizareTextArea& inreg) const
{
    inreg.Aliniere = Valoare(m_aliniere);
    inreg.DeplasareOrizontala = Valoare(m_orizontal);
    inreg.DeplasareVerticala = Valoare(m_vertical);
    const int rand = m_fonturiFormular->currentRow();
    if (rand >= 0 && rand < m_fonturi.size()) {
        inreg.Font = m_fonturi.at(rand);
        inreg.NumeFont = m_fonturi.at(rand)->objectName();
    }
    inreg.TextRedefinit = m_textRedefinit->text();
    inreg.Italic = m_italic->currentIndex();
    inreg.Bold = m_bold->currentIndex();
    const QListWidgetItem* instalat = m_fonturiInstalate->currentItem();
    inreg.FontSistem =
        m_fontImplicit->isChecked() || !instalat || !instalat->isSelected() ? QString() : instalat->text();
}

void TEditorTextFormular::ArataPrevizualizare()
{
    QFont font = m_previzualizare->font();
    if (const QListWidgetItem* instalat = m_fonturiInstalate->currentItem())
        font.setFamily(instalat->text());
    font.setPointSize(12);
    m_previzualizare->setFont(font);
}
