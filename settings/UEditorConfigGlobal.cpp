#include "settings/UEditorConfigGlobal.h"

#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "settings/UInfoGlobal2005.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QFont FontMostra()
{
    return QFont(QStringLiteral("Arial"), 10);
}

class TDelegatFormatNota : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& optiune, const QModelIndex& index) const override
    {
        DeseneazaFormatNota(*p, optiune.rect, index.data().toString(), optiune.state & QStyle::State_Selected,
                            optiune.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem& optiune, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(optiune, index).width(), TEditorConfigGlobal::kInaltimeFormat};
    }
};

// A drop-down list of the four formats whose closed box shows the chosen format's sample as well.
class TComboFormatNota : public QComboBox
{
public:
    explicit TComboFormatNota(QWidget* parinte) : QComboBox(parinte)
    {
        addItems(FormateNota());
        setItemDelegate(new TDelegatFormatNota(this));
        setMinimumHeight(TEditorConfigGlobal::kInaltimeFormat + 6);
        setMinimumWidth(180);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        QStyleOptionComboBox optiune;
        initStyleOption(&optiune);
        optiune.currentText.clear();
        p.drawComplexControl(QStyle::CC_ComboBox, optiune);
        const QRect camp = style()->subControlRect(QStyle::CC_ComboBox, &optiune, QStyle::SC_ComboBoxEditField, this);
        DeseneazaFormatNota(p, camp, currentText(), hasFocus(), palette());
    }
};

} // namespace

void DeseneazaFormatNota(QPainter& p, const QRect& dreptunghi, const QString& format, bool selectat,
                         const QPalette& paleta)
{
    p.save();
    p.fillRect(dreptunghi, paleta.color(QPalette::Active, selectat ? QPalette::Highlight : QPalette::Base));
    p.setFont(FontMostra());
    p.setPen(paleta.color(QPalette::Active, selectat ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics fm(p.font());
    for (const TLinieMostra& linie : MostraFormatNota(format)) {
        // Integer division truncates, as the centring of the entries has always done.
        const int stanga = dreptunghi.left() + (dreptunghi.width() - fm.horizontalAdvance(linie.text)) / 2;
        p.drawText(stanga, dreptunghi.top() + linie.sus + fm.ascent(), linie.text);
    }
    p.restore();
}

TEditorConfigGlobal::TEditorConfigGlobal(QWidget* parinte) : QDialog(parinte)
{
    Construieste();
    Incarca();
    adjustSize();
    CentreazaForma(this);
}

void TEditorConfigGlobal::Construieste()
{
    setObjectName(QStringLiteral("EditorConfigGlobal"));
    setWindowTitle(QStringLiteral("Editor informatii globale"));
    setModal(true);

    m_nota = new QLabel(QStringLiteral("Nota:"), this);
    m_nota->setObjectName(QStringLiteral("lblNota"));
    QFont groasa = m_nota->font();
    groasa.setBold(true);
    m_nota->setFont(groasa);
    m_nota->setStyleSheet(QStringLiteral("color: #c00000;"));
    QSizePolicy politica = m_nota->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    m_nota->setSizePolicy(politica);
    m_clipire = new QTimer(this);
    m_clipire->setInterval(500);
    connect(m_clipire, &QTimer::timeout, this, [this] { m_nota->setVisible(!m_nota->isVisible()); });
    auto* avertisment = new QLabel(QStringLiteral("Modificarile efectuate in acest editor afecteaza TOATE formularele "
                                                  "de diplome pentru anul curent"),
                                   this);
    avertisment->setWordWrap(true);
    auto* randNota = new QHBoxLayout;
    randNota->addWidget(m_nota, 0, Qt::AlignTop);
    randNota->addWidget(avertisment, 1);

    m_pagini = new QTabWidget(this);
    m_pagini->setObjectName(QStringLiteral("pcConfig"));

    auto* paginaSufix = new QWidget;
    paginaSufix->setObjectName(QStringLiteral("tsSufix"));
    auto* explicatie = new QLabel(
        QStringLiteral("Programul stabileste automat genul persoanelor care primesc diplome de studii pe baza primei "
                       "cifre din codul numeric personal. Va rugam specificati care este apelativul cel mai potrivit "
                       "pentru fete si baieti:"),
        paginaSufix);
    explicatie->setWordWrap(true);
    auto* titluSufix = new QLabel(QStringLiteral("Sufix dl / domnul e.t.c."), paginaSufix);
    titluSufix->setFont(groasa);
    m_sufixFete = new QComboBox(paginaSufix);
    m_sufixFete->setObjectName(QStringLiteral("cbSufixFete"));
    m_sufixFete->setEditable(true);
    m_sufixFete->addItems({QStringLiteral("domnisoara"), QStringLiteral("doamna"), QStringLiteral("dra")});
    m_sufixBaieti = new QComboBox(paginaSufix);
    m_sufixBaieti->setObjectName(QStringLiteral("cbSufixBaieti"));
    m_sufixBaieti->setEditable(true);
    m_sufixBaieti->addItems({QStringLiteral("domnul"), QStringLiteral("dl")});
    auto* formularSufix = new QFormLayout;
    formularSufix->addRow(QStringLiteral("Sufix fete:"), m_sufixFete);
    formularSufix->addRow(QStringLiteral("Sufix baieti:"), m_sufixBaieti);
    auto* asezareSufix = new QVBoxLayout(paginaSufix);
    asezareSufix->addWidget(explicatie);
    asezareSufix->addWidget(titluSufix);
    asezareSufix->addLayout(formularSufix);
    asezareSufix->addStretch();

    auto* paginaNote = new QWidget;
    paginaNote->setObjectName(QStringLiteral("tsModTiparire"));
    auto* titluNote = new QLabel(QStringLiteral("Mod scriere note in litere"), paginaNote);
    titluNote->setFont(groasa);
    auto* textNote = new QLabel(QStringLiteral("Aici puteti specifica modul in care vor fi inscrise pe diplome notele "
                                               "si mediile pentru probele de examen cu nota."),
                                paginaNote);
    textNote->setWordWrap(true);
    auto faFormat = [&](const QString& nume) {
        auto* combo = new TComboFormatNota(paginaNote);
        combo->setObjectName(nume);
        return combo;
    };
    m_notaDiploma = faFormat(QStringLiteral("cbNotaDiploma"));
    m_medieDiploma = faFormat(QStringLiteral("cbMedieDiploma"));
    m_notaCotor = faFormat(QStringLiteral("cbNotaCotor"));
    m_medieCotor = faFormat(QStringLiteral("cbMedieCotor"));
    auto* grila = new QGridLayout;
    const QList<QPair<QString, QComboBox*>> formate = {{QStringLiteral("Nota diploma:"), m_notaDiploma},
                                                       {QStringLiteral("Medie diploma:"), m_medieDiploma},
                                                       {QStringLiteral("Nota cotor:"), m_notaCotor},
                                                       {QStringLiteral("Medie cotor:"), m_medieCotor}};
    for (int i = 0; i < formate.size(); ++i) {
        auto* eticheta = new QLabel(formate[i].first, paginaNote);
        eticheta->setBuddy(formate[i].second);
        grila->addWidget(eticheta, (i % 2) * 2, i / 2);
        grila->addWidget(formate[i].second, (i % 2) * 2 + 1, i / 2);
    }
    m_litereMari = new QRadioButton(QStringLiteral("Scriu notele cu LITERE MARI"), paginaNote);
    m_litereMari->setObjectName(QStringLiteral("rbLitereMari"));
    m_litereMici = new QRadioButton(QStringLiteral("Scriu notele cu litere mici"), paginaNote);
    m_litereMici->setObjectName(QStringLiteral("rbLitereMici"));
    auto* asezareNote = new QVBoxLayout(paginaNote);
    asezareNote->addWidget(titluNote);
    asezareNote->addWidget(textNote);
    asezareNote->addLayout(grila);
    asezareNote->addWidget(m_litereMari);
    asezareNote->addWidget(m_litereMici);
    asezareNote->addStretch();

    m_pagini->addTab(paginaSufix, QStringLiteral("Sufix domnul / doamna"));
    m_pagini->addTab(paginaNote, QStringLiteral("Mod tiparire note"));
    // The forms of address are kept for the other forms of the year; this program prints none of them.
    m_pagini->setTabVisible(m_pagini->indexOf(paginaSufix), false);
    m_pagini->setCurrentWidget(paginaNote);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* renunt = new QPushButton(QStringLiteral("Renunt"), this);
    renunt->setObjectName(QStringLiteral("btnRenunt"));
    connect(ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Ok(); }); });
    connect(renunt, &QPushButton::clicked, this, &QDialog::reject);
    auto* butoane = new QHBoxLayout;
    butoane->addStretch();
    butoane->addWidget(ok);
    butoane->addWidget(renunt);

    auto* asezare = new QVBoxLayout(this);
    asezare->addLayout(randNota);
    asezare->addWidget(m_pagini, 1);
    asezare->addLayout(butoane);
}

void TEditorConfigGlobal::Incarca()
{
    TInfoGlobal2005 info;
    m_sufixFete->setCurrentText(info.SufixFete().isEmpty() ? QStringLiteral("dra") : info.SufixFete());
    m_sufixBaieti->setCurrentText(info.SufixBaieti().isEmpty() ? QStringLiteral("domnul") : info.SufixBaieti());
    info.CompleteazaFormateLipsa();
    const auto selecteaza = [](QComboBox* lista, const QString& format) {
        lista->setCurrentIndex(lista->findText(format, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    };
    selecteaza(m_notaDiploma, info.NotaDiploma());
    selecteaza(m_medieDiploma, info.MedieDiploma());
    selecteaza(m_notaCotor, info.NotaCotor());
    selecteaza(m_medieCotor, info.MedieCotor());
    // An empty value, before the dialog was ever confirmed, shows capitals.
    const bool mari = info.ScriuCuLitereMari() != QStringLiteral("0");
    m_litereMari->setChecked(mari);
    m_litereMici->setChecked(!mari);
    // Leaving the scope writes all seven values, the completed formats among them.
}

void TEditorConfigGlobal::Ok()
{
    const QList<QPair<QComboBox*, QString>> formate = {{m_notaDiploma, QStringLiteral("Nota diploma")},
                                                       {m_medieDiploma, QStringLiteral("Medie diploma")},
                                                       {m_notaCotor, QStringLiteral("Nota cotor")},
                                                       {m_medieCotor, QStringLiteral("Medie cotor")}};
    for (const auto& [lista, nume] : formate) {
        if (lista->currentIndex() < 0) {
            TMesaje::Avertizeaza(this, QStringLiteral("Alegeti modul de tiparire pentru \"%1\".").arg(nume));
            lista->setFocus();
            return;
        }
    }
    TInfoGlobal2005 info;
    info.SetSufixFete(m_sufixFete->currentText());
    info.SetSufixBaieti(m_sufixBaieti->currentText());
    info.SetNotaDiploma(m_notaDiploma->currentText());
    info.SetMedieDiploma(m_medieDiploma->currentText());
    info.SetNotaCotor(m_notaCotor->currentText());
    info.SetMedieCotor(m_medieCotor->currentText());
    info.SetScriuCuLitereMari(m_litereMari->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    info.Salveaza(true);
    accept();
}

void TEditorConfigGlobal::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    m_nota->setVisible(true);
    m_clipire->start();
}

void TEditorConfigGlobal::hideEvent(QHideEvent* e)
{
    m_clipire->stop();
    QDialog::hideEvent(e);
}
