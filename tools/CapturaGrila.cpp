// A picture of the virtual grid as a user sees it: grouped headers over word-wrapped captions, a fixed
// column with its shadow, line styles and overrides, the current row and a cell fading after the pointer.
// Usage: capturagrila out.png
#include "controls/UKivVirtualGrid.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

namespace {
struct TLinieElev : TKivVirtualGridLine
{
    explicit TLinieElev(int numar) : n(numar) {}
    int n;
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString iesire = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("grila.png");

    TKivVirtualGrid grila;
    grila.BeginUpdate();
    struct TColoana
    {
        const char* nume;
        const char* u1;
        const char* u2;
        TKivTipDeDateColoana tip;
        int latime;
    };
    const TColoana coloane[] = {{"Nr. crt.", "", "", atInteger, 40},
                                {"Numele si prenumele elevului", "Elev", "", atString, 150},
                                {"Data nasterii", "Elev", "", atDataLung, 110},
                                {"Media la romana", "a|Medii", "Sem. I", atIntegerDouaZecimale, 70},
                                {"Media la matematica", "a|Medii", "Sem. I", atIntegerDouaZecimale, 70},
                                {"Taxa platita", "Bani", "", atCurrency, 90},
                                {"Media generala", "b|Medii", "Sem. II", atIntegerDouaZecimale, 70}};
    for (const TColoana& c : coloane) {
        TKivVirtualGridColumn* col = grila.Coloane().Adauga();
        col->SetNumeColoana(c.nume);
        col->SetUmbrela1(c.u1);
        col->SetUmbrela2(c.u2);
        col->SetTipDeDate(c.tip);
        col->SetWidth(c.latime);
        if (c.tip != atString)
            col->Stil(1).SetAliniere(Qt::AlignRight);
        col->Stil(3).SetActiv(true);
        col->Stil(3).SetCuloareBackgroundNormal(QColor(255, 236, 200));
    }
    grila.Coloane().Item(3)->SetCuloareUmbrela1(QColor(200, 220, 255));
    grila.Coloane().Item(4)->SetCuloareUmbrela1(QColor(200, 220, 255));
    for (int i = 0; i < 40; ++i) {
        auto* l = new TLinieElev(i + 1);
        if (i % 5 == 4)
            l->SetStil(4); // falls back to style 3
        if (i == 2)
            l->CuloareFundal = QColor(220, 255, 220);
        if (i == 3)
            l->FormatFont = 0x01 | 0x04;
        grila.Linii().Adauga(l);
    }
    grila.EndUpdate();
    const QStringList nume = {"Popescu Ion", "Ionescu Maria", "Georgescu Ştefan", "Dumitrescu Ana"};
    grila.OnGetCellValue = [&](TKivVirtualGridLine* l, int c, TKivValoareDate& v) {
        const int n = static_cast<TLinieElev*>(l)->n;
        switch (c) {
        case 0:
            v.SetAsInteger(n);
            break;
        case 1:
            v.SetAsString(nume[n % nume.size()]);
            break;
        case 2:
            v.SetAsDataLung(QDate(2008, 1 + n % 12, 1 + n % 28));
            break;
        case 5:
            v.SetAsCurrency(qint64(n) * 12345678);
            break;
        default:
            v.Seteaza(700 + (n * 37 + c * 11) % 300, atIntegerDouaZecimale);
            break;
        }
    };
    grila.SetOptiuni(goSelectezLinia);
    grila.resize(720, 420);
    grila.show();
    QCoreApplication::processEvents();
    grila.MutaCelulaCurenta(2, 6, true, true);

    // The pointer passes over row 9 and leaves it: two ticks later the row is half way through its fade.
    QWidget* v = grila.viewport();
    const QPoint p = grila.CellRect(3, 9).center();
    QMouseEvent mutare(QEvent::MouseMove, QPointF(p), QPointF(v->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(v, &mutare);
    QCursor::setPos(v->mapToGlobal(QPoint(-100, -100)));
    for (int i = 0; i < 2; ++i) {
        QEvent bataie{QEvent::Type(KivMesajTickTack)};
        QCoreApplication::sendEvent(&grila, &bataie);
    }
    QCoreApplication::processEvents();
    return grila.grab().save(iesire) ? 0 : 1;
}
