#include "app/USplash.h"

#include "app/TCEVersionInfo.h"
#include "platform/UCodePage.h"
#include "platform/UDesktop.h"
#include "platform/UFoldere.h"
#include "platform/UForme.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace {
const Qt::WindowFlags FaraButoane = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

TSplashForm::TSplashForm(QWidget* parinte) : QDialog(parinte, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    const QPixmap imagine = Imagine();
    setFixedSize(imagine.size());
    auto* fundal = new QLabel(this);
    fundal->setPixmap(imagine);
    fundal->setGeometry(rect());

    m_eticheta = new QLabel(this);
    m_eticheta->setObjectName(QStringLiteral("EtichetaVersiune"));
    QFont font = m_eticheta->font();
    font.setBold(true);
    m_eticheta->setFont(font);
    m_eticheta->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_eticheta->setStyleSheet(QStringLiteral("color: #1d2b4f;"));
    m_eticheta->setGeometry(0, height() - 30, width() - 12, 22);

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TSplashForm::Tick);
    m_timer->start();
    CentreazaForma(this);
}

void TSplashForm::SetText(const QString& text)
{
    m_eticheta->setText(text);
}

QString TSplashForm::Text() const
{
    return m_eticheta->text();
}

void TSplashForm::Tick()
{
    ++m_tag;
    if (m_tag > 50) {
        m_timer->stop();
        accept();
    }
}

QPixmap TSplashForm::Imagine()
{
    QPixmap imagine(480, 248);
    QPainter p(&imagine);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cer(0, 0, 0, 248);
    cer.setColorAt(0, QColor(0xf4, 0xf1, 0xe6));
    cer.setColorAt(1, QColor(0xd9, 0xe4, 0xf2));
    p.fillRect(imagine.rect(), cer);

    // A certificate sheet with its counterfoil, slightly turned.
    p.save();
    p.translate(340, 140);
    p.rotate(-6);
    p.scale(0.85, 0.85);
    const QRectF foaie(-130, -80, 260, 160);
    p.setPen(QPen(QColor(0x8a, 0x7a, 0x4f), 1.5));
    p.setBrush(QColor(0xff, 0xfc, 0xf2));
    p.drawRect(foaie);
    p.setPen(QPen(QColor(0x8a, 0x7a, 0x4f), 1, Qt::DashLine));
    p.drawLine(QPointF(-60, -80), QPointF(-60, 80));
    p.setPen(QPen(QColor(0xb8, 0xae, 0x90), 2));
    for (int i = 0; i < 6; ++i) {
        p.drawLine(QPointF(-120, -55 + i * 22), QPointF(-70, -55 + i * 22));
        p.drawLine(QPointF(-45, -55 + i * 22), QPointF(115, -55 + i * 22));
    }
    p.setPen(QPen(QColor(0x5c, 0x6f, 0xa3), 1));
    for (int i = 0; i < 13; ++i)
        p.drawRect(QRectF(-45 + i * 12, 52, 10, 14));
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(95, 50), 14, 14);
    p.restore();

    QFont titlu(QStringLiteral("Liberation Serif"));
    titlu.setPixelSize(44);
    titlu.setBold(true);
    p.setFont(titlu);
    p.setPen(QColor(0x1d, 0x2b, 0x4f));
    p.drawText(QRect(24, 24, 300, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessaluna"));
    QFont subtitlu(QStringLiteral("Liberation Sans"));
    subtitlu.setPixelSize(15);
    p.setFont(subtitlu);
    p.drawText(QRect(26, 80, 300, 40), Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8("Registrul certificatelor şi tipărirea lor"));
    p.end();
    return imagine;
}

TErrCodePage::TErrCodePage(QWidget* parinte) : QDialog(parinte, FaraButoane)
{
    setObjectName(QStringLiteral("ErrCodePage"));
    setWindowTitle(QStringLiteral("Eroare de limba implicita"));
    auto* l = new QVBoxLayout(this);
    auto adauga = [&](const QString& text, bool ingrosat = false) {
        auto* e = new QLabel(text, this);
        e->setWordWrap(true);
        if (ingrosat) {
            QFont f = e->font();
            f.setBold(true);
            e->setFont(f);
        }
        l->addWidget(e);
        return e;
    };
    adauga(QStringLiteral("Am identificat o problema"), true);
    adauga(
        QStringLiteral("Limba implicita a programelor pentru calculatorul dumneavoastra nu este limba romana. Pentru "
                       "a putea tipari diplomele CU DIACRITICE este necesar sa stabiliti limba implicita limba "
                       "romana."));
    adauga(QStringLiteral("Instructiuni pentru Windows XP"), true);
    auto pas = [&](const QString& numar, const QString& text) {
        auto* rand = new QHBoxLayout;
        auto* n = new QLabel(numar, this);
        n->setAlignment(Qt::AlignTop);
        auto* t = new QLabel(text, this);
        t->setWordWrap(true);
        rand->addWidget(n);
        rand->addWidget(t, 1);
        l->addLayout(rand);
    };
    pas(QStringLiteral("(1)"), QStringLiteral("Apasati butonul de mai jos pentru a deschide pagina \"Regional and "
                                              "Language Options\" din Control Panel:"));
    pas(QStringLiteral("(2)"), QStringLiteral("Apoi mergeti in tabul \"Advanced\" si alegeti limba implicita limba "
                                              "Romana."));
    auto* butoane = new QHBoxLayout;
    auto* deschide = new QPushButton(QStringLiteral("Deschide pagina"), this);
    deschide->setObjectName(QStringLiteral("DeschidePagina"));
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Ok"));
    ok->setDefault(true);
    butoane->addWidget(deschide);
    butoane->addStretch();
    butoane->addWidget(ok);
    l->addLayout(butoane);
    connect(deschide, &QPushButton::clicked, this, [] { DeschideSetariRegionale(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedWidth(460);
    adjustSize();
    CentreazaForma(this);
}

void AfiseazaSplash(const QString& titlu, const std::function<void()>& lucru)
{
    DosarTemporar();
    if (CodePageSistem() != 1250) {
        TErrCodePage avertisment;
        avertisment.exec();
    }
    std::exception_ptr eroare;
    std::unique_ptr<QThread> fir;
    if (lucru) {
        fir.reset(QThread::create([&lucru, &eroare] {
            try {
                lucru();
            } catch (...) {
                eroare = std::current_exception();
            }
        }));
    }
    TSplashForm splash;
    splash.SetText(titlu + QStringLiteral(" - ") + TCEVersionInfo().TextVersiune());
    if (fir)
        fir->start();
    splash.exec();
    if (!fir)
        return;
    // Work that outlasts the start screen's ticks keeps it up until the program is ready, so the window follows
    // it at once; what the work asks of this thread meanwhile is still answered.
    QEventLoop asteapta;
    QObject::connect(fir.get(), &QThread::finished, &asteapta, &QEventLoop::quit);
    if (!fir->isFinished()) {
        splash.show();
        asteapta.exec();
        splash.hide();
    }
    fir->wait();
    if (eroare)
        std::rethrow_exception(eroare);
}
