#include "print/UDesene.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor Cerneala(0x1d, 0x2b, 0x4f);
const QColor Hartie(0xff, 0xfc, 0xf2);
const QColor Spate(0xd8, 0xd3, 0xc4);
const QColor Imprimanta(0x9a, 0xa3, 0xb3);

QPixmap Panza(int latime, int inaltime)
{
    QPixmap pm(latime, inaltime);
    pm.fill(Qt::white);
    return pm;
}

// A certificate seen from above: the counterfoil on the left of its front, a title line and digit boxes.
// Seen from its back it is plain. `rotita` turns it by 180 degrees.
void Foaie(QPainter& p, const QRectF& r, bool fata, bool rotita)
{
    p.save();
    p.translate(r.center());
    if (rotita)
        p.rotate(180);
    const QRectF f(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(Cerneala, 1.5));
    p.setBrush(fata ? Hartie : Spate);
    p.drawRect(f);
    if (fata) {
        const double cotor = f.left() + f.width() * 0.3;
        p.setPen(QPen(Cerneala, 1, Qt::DashLine));
        p.drawLine(QPointF(cotor, f.top()), QPointF(cotor, f.bottom()));
        p.setPen(QPen(Cerneala, 2));
        p.drawLine(QPointF(cotor + 8, f.top() + 10), QPointF(f.right() - 8, f.top() + 10));
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(cotor + 8 + i * 8, f.bottom() - 16, 6, 8));
        QFont font = p.font();
        font.setPixelSize(int(f.height() / 5));
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(f.left(), f.top(), cotor - f.left(), f.height()), Qt::AlignCenter, QStringLiteral("C"));
    } else {
        QFont font = p.font();
        font.setPixelSize(int(f.height() / 6));
        p.setFont(font);
        p.setPen(Cerneala);
        p.drawText(f, Qt::AlignCenter, QStringLiteral("verso"));
    }
    p.restore();
}

void Sageata(QPainter& p, QPointF de, QPointF la)
{
    p.setPen(QPen(Qt::darkRed, 3));
    p.drawLine(de, la);
    const QPointF d = (la - de) / std::max(1.0, std::hypot((la - de).x(), (la - de).y()));
    const QPointF n(-d.y(), d.x());
    QPolygonF varf({la, la - d * 10 + n * 6, la - d * 10 - n * 6});
    p.setBrush(Qt::darkRed);
    p.drawPolygon(varf);
}

void CorpImprimanta(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Cerneala, 1.5));
    p.setBrush(Imprimanta);
    p.drawRoundedRect(r, 6, 6);
    p.setBrush(Cerneala);
    p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() + 4, r.width() * 0.6, 5));
}

// The outline of an arrow pointing up, filling `r`.
QPolygonF ConturSageata(const QRectF& r)
{
    const double w = r.width(), h = r.height();
    return QPolygonF({QPointF(r.left() + w / 2, r.top()), QPointF(r.right(), r.top() + h * 0.35),
                      QPointF(r.left() + w * 0.7, r.top() + h * 0.35), QPointF(r.left() + w * 0.7, r.bottom()),
                      QPointF(r.left() + w * 0.3, r.bottom()), QPointF(r.left() + w * 0.3, r.top() + h * 0.35),
                      QPointF(r.left(), r.top() + h * 0.35)});
}
} // namespace

QPixmap DesenInserare(int pozitie)
{
    QPixmap pm = Panza(220, 170);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    CorpImprimanta(p, QRectF(20, 8, 180, 40));
    const bool fata = pozitie == 1 || pozitie == 3;
    const bool rotita = pozitie == 1 || pozitie == 4;
    Foaie(p, QRectF(40, 70, 140, 90), fata, rotita);
    Sageata(p, QPointF(110, 68), QPointF(110, 50));
    return pm;
}

QPixmap DesenAlimentare(int fel)
{
    QPixmap pm = Panza(220, 170);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    CorpImprimanta(p, QRectF(40, 70, 140, 70));
    p.setPen(QPen(Cerneala, 2));
    p.setBrush(Hartie);
    if (fel == 1) {
        p.drawRect(QRectF(80, 10, 60, 62));
        Sageata(p, QPointF(110, 20), QPointF(110, 65));
    } else {
        p.drawRect(QRectF(10, 120, 70, 14));
        Sageata(p, QPointF(15, 150), QPointF(60, 150));
    }
    return pm;
}

QPixmap DesenModAlimentare(int mod)
{
    if (mod == 1 || mod == 2)
        return DesenAlimentare(mod);
    QPixmap pm = Panza(220, 170);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    CorpImprimanta(p, QRectF(30, 30, 160, 110));
    p.setPen(QPen(Cerneala, 1.5));
    p.setBrush(Hartie);
    p.drawRect(QRectF(50, 110, 120, 22));
    return pm;
}

QPixmap DesenHartieCaseta(bool rasturnata)
{
    QPixmap pm = Panza(220, 170);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    CorpImprimanta(p, QRectF(20, 8, 180, 40));
    Foaie(p, QRectF(40, 62, 140, 90), !rasturnata, false);
    Sageata(p, QPointF(110, 160), QPointF(110, 155));
    return pm;
}

QPixmap DesenReintroducere(int mod, bool aDouaOara)
{
    QPixmap pm = Panza(220, 200);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    CorpImprimanta(p, QRectF(20, 8, 180, 40));
    const QRectF foaie(60, 64, 100, 126);
    p.setPen(QPen(Cerneala, 1.5));
    p.setBrush(Hartie);
    p.drawRect(foaie);
    // The arrow printed on the sheet, pointing to the edge that goes in first for modes 1 and 2.
    QRectF sageata(foaie.left() + 30, foaie.top() + 14, 40, 96);
    QPolygonF contur = ConturSageata(sageata);
    if (mod == 3) {
        QTransform t;
        t.translate(foaie.center().x(), foaie.center().y());
        t.rotate(180);
        t.translate(-foaie.center().x(), -foaie.center().y());
        contur = t.map(contur);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(contur);
    if (aDouaOara) {
        p.setBrush(QBrush(Cerneala, Qt::BDiagPattern));
        p.drawPolygon(QTransform()
                          .translate(sageata.center().x(), sageata.center().y())
                          .scale(0.7, 0.8)
                          .translate(-sageata.center().x(), -sageata.center().y())
                          .map(contur));
    }
    Sageata(p, QPointF(110, 62), QPointF(110, 50));
    return pm;
}

QPixmap DesenRezultatLinii(bool orizontalaSus, bool verticalaStanga)
{
    QPixmap pm = Panza(110, 150);
    QPainter p(&pm);
    const QRectF foaie(8, 6, 94, 138);
    p.setPen(QPen(Cerneala, 1));
    p.setBrush(Hartie);
    p.drawRect(foaie);
    p.setPen(Qt::NoPen);
    p.setBrush(Cerneala);
    p.drawRect(orizontalaSus ? QRectF(36, 22, 50, 5) : QRectF(24, 123, 50, 5));
    p.drawRect(verticalaStanga ? QRectF(22, 30, 5, 90) : QRectF(83, 30, 5, 90));
    return pm;
}

void DeseneazaSageata1(QPainter& p, const QRect& r)
{
    p.save();
    p.setPen(QPen(Qt::black, std::max(1.0, r.width() / 60.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(ConturSageata(QRectF(r)));
    p.restore();
}

void DeseneazaSageata2(QPainter& p, const QRect& r)
{
    p.save();
    p.setPen(QPen(Qt::black, std::max(1.0, r.width() / 80.0)));
    p.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
    p.drawPolygon(ConturSageata(QRectF(r)));
    p.restore();
}

void DeseneazaLinii(QPainter& p, const QRect& r)
{
    // The bars in picture units: a horizontal one from 157 to 452 across and 25 high, a vertical one 26 wide
    // from 196 to 736 down.
    const double sx = r.width() / double(LatimeLinii);
    const double sy = r.height() / double(InaltimeLinii);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(r.left() + 157 * sx, r.top(), (452 - 157) * sx, 25 * sy));
    p.drawRect(QRectF(r.left(), r.top() + 196 * sy, 26 * sx, (736 - 196) * sy));
    p.restore();
}

QPixmap DesenButonTiparire()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Cerneala, 1));
    p.setBrush(Hartie);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    p.setBrush(Imprimanta);
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    p.setBrush(Hartie);
    p.drawRect(QRectF(6.5, 15.5, 11, 6));
    return pm;
}
