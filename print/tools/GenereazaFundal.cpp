// Draws the picture of the blank certificate shown under the areas on screen (never printed): the
// counterfoil on the left, the certificate on the right, their printed labels, and the lines and digit
// boxes where the areas of the layout lie. Usage: genereaza_fundal <layout.json> <picture.png>

#include "print/UGeometriePrint.h"
#include "print/UMachetaFormular.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr double kZoom = 200; // the picture has the page's pixel size at zoom 200

class TDesen
{
public:
    TDesen(QImage& imagine) : m_p(&imagine), m_k(ScreenDpi(kZoom) / 25.4)
    {
        m_p.setRenderHint(QPainter::Antialiasing);
        m_p.setRenderHint(QPainter::TextAntialiasing);
    }

    double Px(double mm) const { return mm * m_k; }
    QPointF Pt(double x, double y) const { return QPointF(Px(x), Px(y)); }
    QRectF Rect(double x, double y, double w, double h) const { return QRectF(Px(x), Px(y), Px(w), Px(h)); }

    QFont Font(double inaltimeMm, bool bold = false, bool serif = true) const
    {
        QFont f(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
        f.setPixelSize(qRound(Px(inaltimeMm)));
        f.setBold(bold);
        return f;
    }

    // Text with its baseline at y; `ancora` 0 left edge at x, 1 right edge at x, 2 centred on x.
    void Text(const QString& t, double x, double y, double inaltimeMm, int ancora = 0, bool bold = false)
    {
        const QFont f = Font(inaltimeMm, bold);
        m_p.setFont(f);
        m_p.setPen(kCerneala);
        const double w = QFontMetricsF(f).horizontalAdvance(t);
        double stanga = Px(x);
        if (ancora == 1)
            stanga -= w;
        else if (ancora == 2)
            stanga -= w / 2;
        m_p.drawText(QPointF(stanga, Px(y)), t);
    }

    void Linie(double x1, double y1, double x2, double y2, double grosimeMm, const QColor& c,
               Qt::PenStyle stil = Qt::SolidLine)
    {
        QPen pen(c, Px(grosimeMm), stil);
        m_p.setPen(pen);
        m_p.drawLine(Pt(x1, y1), Pt(x2, y2));
    }

    void Chenar(double x, double y, double w, double h, double grosimeMm, const QColor& c)
    {
        m_p.setPen(QPen(c, Px(grosimeMm)));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(Rect(x, y, w, h));
    }

    // A guilloche band: interlaced waves between two horizontal lines.
    void Ghioseu(double x, double y, double w, double h)
    {
        m_p.setPen(QPen(kOrnament, Px(0.12)));
        for (int faza = 0; faza < 3; ++faza) {
            QPainterPath cale;
            for (double u = 0; u <= w; u += 0.25) {
                const double v = y + h / 2 + h / 2 * std::sin(u / 2.2 + faza * 2.1);
                const QPointF q = Pt(x + u, v);
                if (u == 0)
                    cale.moveTo(q);
                else
                    cale.lineTo(q);
            }
            m_p.drawPath(cale);
        }
    }

    static inline const QColor kCerneala = QColor(0x1f, 0x2f, 0x4f);
    static inline const QColor kOrnament = QColor(0x6f, 0x9a, 0x86);
    static inline const QColor kLinii = QColor(0x8a, 0x94, 0xa8);

private:
    QPainter m_p;
    double m_k;
};

struct TEticheta
{
    QString text;
    bool deasupra; // above the area, centred; otherwise before it on its baseline
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: genereaza_fundal <layout.json> <picture.png>\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const TMachetaFormular macheta = CitesteMacheta(f.readAll());
    const TMachetaPagina& pagina = macheta.Pagini.first();
    const double dpi = ScreenDpi(kZoom);
    QImage imagine(MmToPixels(dpi, pagina.Latime), MmToPixels(dpi, pagina.Inaltime), QImage::Format_RGB32);
    imagine.fill(QColor(0xfb, 0xf8, 0xee));
    TDesen d(imagine);

    // Frames: the counterfoil, the perforation, the certificate with its guilloche border.
    d.Chenar(9, 9, 92, 189, 0.3, TDesen::kLinii);
    d.Linie(104.5, 4, 104.5, 203, 0.35, TDesen::kLinii, Qt::DashLine);
    d.Chenar(110, 8, 178, 191, 0.6, TDesen::kOrnament);
    d.Chenar(112, 10, 174, 187, 0.25, TDesen::kOrnament);
    d.Ghioseu(113, 11, 172, 5);
    d.Ghioseu(113, 191, 172, 5);

    d.Text(QStringLiteral("ROMÂNIA"), 55, 20, 3.2, 2, true);
    d.Text(QStringLiteral("MINISTERUL EDUCAŢIEI ŞI CERCETĂRII"), 55, 26, 2.6, 2);
    d.Text(QStringLiteral("DIPLOMĂ DE EXAMEN NAŢIONAL"), 55, 40, 3.6, 2, true);
    d.Text(QStringLiteral("— COTOR —"), 55, 46, 3.0, 2);
    d.Text(QStringLiteral("Seria .......  Nr. ..............."), 55, 58, 2.8, 2);
    d.Text(QStringLiteral("Semnătura titularului ........................"), 17, 188, 2.6);

    d.Text(QStringLiteral("ROMÂNIA"), 199, 25, 4.2, 2, true);
    d.Text(QStringLiteral("MINISTERUL EDUCAŢIEI ŞI CERCETĂRII"), 199, 32, 3.2, 2);
    d.Text(QStringLiteral("DIPLOMĂ DE EXAMEN NAŢIONAL"), 199, 50, 7.0, 2, true);
    d.Text(QStringLiteral("Seria .......  Nr. ..............."), 199, 60, 3.0, 2);
    d.Text(QStringLiteral("Se certifică faptul că"), 120, 71, 3.4);
    d.Text(QStringLiteral("Prezenta diplomă conferă titularului toate drepturile prevăzute de lege."), 199, 143, 3.2,
           2);
    d.Text(QStringLiteral("L.S."), 204, 178, 3.4, 2, true);
    d.Text(QStringLiteral("Nr. de înregistrare ..........  din ................"), 120, 186, 2.8);

    const QHash<QString, TEticheta> etichete = {
        {QStringLiteral("C_ABREVIERE"), {QStringLiteral("D"), false}},
        {QStringLiteral("A_ABREVIERE"), {QStringLiteral("D"), false}},
        {QStringLiteral("C_AN_ABSOLVIRE"), {QStringLiteral("a absolvit în anul 200"), false}},
        {QStringLiteral("A_AN_ABSOLVIRE"), {QStringLiteral("a absolvit în anul 200"), false}},
        {QStringLiteral("C_UNITATEA_L1"), {QStringLiteral("la"), false}},
        {QStringLiteral("A_UNITATEA_L1"), {QStringLiteral("la"), false}},
        {QStringLiteral("C_COD_SIRUES"), {QStringLiteral("cod SIRUES"), false}},
        {QStringLiteral("A_COD_SIRUES"), {QStringLiteral("cod SIRUES"), false}},
        {QStringLiteral("C_LOCALITATEA"), {QStringLiteral("localitatea"), false}},
        {QStringLiteral("A_LOCALITATEA_L1"), {QStringLiteral("din localitatea"), false}},
        {QStringLiteral("C_JUDETUL"), {QStringLiteral("judeţul"), false}},
        {QStringLiteral("A_JUDETUL"), {QStringLiteral("judeţul"), false}},
        {QStringLiteral("C_FILIERA"), {QStringLiteral("filiera"), false}},
        {QStringLiteral("A_FILIERA"), {QStringLiteral("filiera"), false}},
        {QStringLiteral("C_PROFILUL"), {QStringLiteral("profilul"), false}},
        {QStringLiteral("A_PROFILUL"), {QStringLiteral("profilul"), false}},
        {QStringLiteral("C_SPECIALIZAREA"), {QStringLiteral("specializarea"), false}},
        {QStringLiteral("A_SPECIALIZAREA"), {QStringLiteral("specializarea"), false}},
        {QStringLiteral("C_CNP"), {QStringLiteral("CNP"), false}},
        {QStringLiteral("A_CNP"), {QStringLiteral("CNP"), false}},
        {QStringLiteral("C_DIRECTOR"), {QStringLiteral("DIRECTOR,"), true}},
        {QStringLiteral("A_DIRECTOR"), {QStringLiteral("DIRECTOR,"), true}},
        {QStringLiteral("C_SECRETAR"), {QStringLiteral("SECRETAR,"), true}},
        {QStringLiteral("A_SECRETAR"), {QStringLiteral("SECRETAR,"), true}},
    };

    QSet<QString> etichetate;
    for (const TMachetaZona& z : pagina.Zone) {
        const QString cod = z.Denumire1.section(QLatin1Char('.'), 2);
        const bool casuta =
            !z.Denumire2.isEmpty() && cod != QLatin1String("C_AN_ABSOLVIRE") && cod != QLatin1String("A_AN_ABSOLVIRE");
        const double jos = z.Top + z.Height;
        const bool certificat = cod.startsWith(QLatin1String("A_"));
        const double litera = certificat ? 3.2 : 2.7;
        if (casuta)
            d.Chenar(z.Left, z.Top, z.Width, z.Height, 0.25, TDesen::kCerneala);
        else
            d.Linie(z.Left, jos + 0.3, z.Left + z.Width, jos + 0.3, 0.15, TDesen::kLinii, Qt::DotLine);

        const auto e = etichete.constFind(cod);
        if (e == etichete.constEnd() || etichetate.contains(cod))
            continue;
        etichetate.insert(cod);
        if (e->deasupra) {
            d.Text(e->text, z.Left + z.Width / 2, z.Top - 1.5, litera, 2, true);
        } else {
            d.Text(e->text, z.Left - 1.0, casuta ? z.Top + z.Height - 1.5 : jos, litera, 1);
        }
    }

    if (!imagine.save(QString::fromLocal8Bit(argv[2]), "PNG", 9)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
