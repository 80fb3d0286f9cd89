#include "controls/UKivEditors.h"

#include "controls/UKivNumar.h"
#include "platform/UEroare.h"

#include <QPainter>

TKivNumEdit::TKivNumEdit(QWidget* parent) : TKivTextEdit(parent)
{
    SetRightAlignNonEdit(true);
}

void TKivNumEdit::SetNoDots(bool faraPuncte)
{
    m_noDots = faraPuncte;
    update();
}

qint64 TKivNumEdit::AsCurrency() const
{
    return CitesteAsCurrency(Text());
}

void TKivNumEdit::SetAsCurrency(qint64 zeciMiimi)
{
    SetText(TextDinAsCurrency(zeciMiimi));
}

qint64 TKivNumEdit::CuDouaZecimale() const
{
    return CitesteCuZecimale(Text(), 2);
}

void TKivNumEdit::SetCuDouaZecimale(qint64 sutimi)
{
    SetText(TextDinZecimale(sutimi, 2));
}

qint64 TKivNumEdit::CuPatruZecimale() const
{
    return CitesteCuZecimale(Text(), 4);
}

void TKivNumEdit::SetCuPatruZecimale(qint64 zeciMiimi)
{
    SetText(TextDinZecimale(zeciMiimi, 4));
}

qint64 TKivNumEdit::CuDoiPatruZecimale() const
{
    const qint64 sutimi = CuDouaZecimale();
    constexpr qint64 limita = std::numeric_limits<qint64>::max() / 100;
    if (sutimi > limita || sutimi < -limita)
        throw EEroare(QStringLiteral("'%1' nu este un numar valid").arg(Text()));
    return sutimi * 100;
}

void TKivNumEdit::SetCuDoiPatruZecimale(qint64 zeciMiimi)
{
    SetCuDouaZecimale(zeciMiimi / 100);
}

qint64 TKivNumEdit::FaraZecimale() const
{
    return CitesteFaraZecimale(Text());
}

void TKivNumEdit::SetFaraZecimale(qint64 intreg)
{
    SetText(QString::number(intreg));
}

bool TKivNumEdit::AcceptaText(QString& text)
{
    QString nou = text;
    if (!NormalizeazaNumar(nou, m_nrCifreDupaVirgula) || !TKivTextEdit::AcceptaText(nou))
        return false;
    text = nou;
    return true;
}

void TKivNumEdit::PregatesteFont(QPainter& p, quint8, bool inAfaraSelectiei)
{
    if (inAfaraSelectiei && Text().contains(u'-'))
        p.setPen(QColor(Qt::red));
}

void TKivNumEdit::DeseneazaText(QPainter& p, quint8 stare)
{
    TKivTextEdit::DeseneazaText(p, stare);
    if (m_noDots)
        return;
    const QString text = Text();
    const QFontMetrics fm(StilPentruStare(stare).Font(), this);
    const int x0 = XText(stare);
    const int baza = LinieDeBaza(stare);
    const int inceputCifre = text.startsWith(u'-') ? 1 : 0;
    const int virgula = int(text.indexOf(u','));
    const int sfarsitCifre = virgula < 0 ? int(text.length()) : virgula;
    // A tick below the baseline where each group of three integer digits begins, counted from the comma.
    p.setPen(StilPentruStare(stare).FontColor().CuloareEfectiva());
    for (int loc = 3; loc < sfarsitCifre - inceputCifre; loc += 3) {
        const int x = x0 + fm.horizontalAdvance(text.left(sfarsitCifre - loc));
        p.drawLine(x, baza + 1, x, baza + 3);
    }
    if (virgula >= 0) {
        const int x = x0 + fm.horizontalAdvance(text.left(virgula + 1));
        p.setPen(QColor(Qt::red));
        p.drawLine(x, baza - fm.ascent() / 3, x, baza + 2);
    }
}
