#include "print/UTextZona.h"

#include "print/UCalibrare.h"
#include "print/UFontFormular.h"
#include "print/UParticularizari.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <unordered_map>

TAspectText AspectEfectiv(const QString& text, TAlignment aliniere, const TFontFormular* fontZona,
                          const TParticularizareTextArea* inreg)
{
    TAspectText a;
    a.Text = text;
    a.Aliniere = aliniere;
    a.Font = fontZona;
    if (inreg) {
        if (!inreg->TextRedefinit.isEmpty() && text.size() != 1)
            a.Text = inreg->TextRedefinit;
        if (inreg->Font)
            a.Font = inreg->Font;
        if (inreg->Aliniere == 1)
            a.Aliniere = taLeftJustify;
        else if (inreg->Aliniere == 2)
            a.Aliniere = taCenter;
        else if (inreg->Aliniere == 3)
            a.Aliniere = taRightJustify;
        a.DeplasareXMm = 0.5 * inreg->DeplasareOrizontala;
        a.DeplasareYMm = 0.5 * inreg->DeplasareVerticala;
    }
    if (a.Font) {
        a.Weight = a.Font->Bold() ? 700 : 400;
        a.Italic = a.Font->Italic();
        a.FaceName = a.Font->FontName();
    }
    if (inreg) {
        if (inreg->Bold == 1)
            a.Weight = 700;
        else if (inreg->Bold == 2)
            a.Weight = 400;
        if (inreg->Italic == 1)
            a.Italic = true;
        else if (inreg->Italic == 2)
            a.Italic = false;
        if (!inreg->FontSistem.isEmpty())
            a.FaceName = inreg->FontSistem;
    }
    return a;
}

namespace {
QFont FontDeBaza(const TAspectText& aspect)
{
    QFont f(aspect.FaceName);
    f.setWeight(aspect.Weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setItalic(aspect.Italic);
    // Outline glyphs, measured as they are drawn: no kerning, no hinting that would make the screen's widths
    // differ from the printer's.
    f.setStyleStrategy(QFont::PreferOutline);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Cell height (ascent + descent) of the face per pixel of em size.
double RaportCelula(const QFont& baza)
{
    static QHash<QString, double> cache;
    const QString cheie = baza.key();
    auto it = cache.constFind(cheie);
    if (it != cache.constEnd())
        return *it;
    QFont mare(baza);
    mare.setPixelSize(1000);
    const QFontMetricsF fm(mare);
    const double raport = fm.height() > 0 ? fm.height() / 1000.0 : 1.0;
    cache.insert(cheie, raport);
    return raport;
}
} // namespace

namespace {
TFontPotrivit Potriveste(const TAspectText& aspect, int inaltimeStart, int latime, const QPaintDevice* dispozitiv)
{
    TFontPotrivit r;
    const QFont baza = FontDeBaza(aspect);
    const double raport = RaportCelula(baza);
    int h = inaltimeStart;
    for (;;) {
        QFont f(baza);
        f.setPixelSize(std::max(1, qRound(h / raport)));
        const QFontMetrics fm(f, const_cast<QPaintDevice*>(dispozitiv));
        r.Font = f;
        r.InaltimeCeruta = h;
        r.LatimeText = fm.horizontalAdvance(aspect.Text);
        r.InaltimeText = fm.height();
        r.Ascent = fm.ascent();
        r.Descent = fm.descent();
        r.Incape = r.LatimeText <= latime;
        if (r.Incape)
            break;
        --h;
        if (h < 2)
            break;
    }
    return r;
}
} // namespace

TFontPotrivit PotrivesteFont(const TAspectText& aspect, int inaltimeStart, int latime, const QPaintDevice* dispozitiv)
{
    // A class prints the same digits, school and year on every sheet, and the check before printing measures
    // what the printing then measures again: a text is fitted once per face, box and density.
    struct TCheie
    {
        QString Face;
        QString Text;
        int Numere[6];
        bool operator==(const TCheie& b) const
        {
            return std::equal(std::begin(Numere), std::end(Numere), std::begin(b.Numere)) && Text == b.Text &&
                   Face == b.Face;
        }
    };
    struct THash
    {
        size_t operator()(const TCheie& c) const
        {
            size_t h = qHash(c.Text) ^ (qHash(c.Face) << 1);
            for (const int n : c.Numere)
                h = h * 31 + size_t(n);
            return h;
        }
    };
    static std::unordered_map<TCheie, TFontPotrivit, THash> potrivite;
    const TCheie cheie{aspect.FaceName,
                       aspect.Text,
                       {aspect.Weight, int(aspect.Italic), inaltimeStart, latime,
                        dispozitiv ? dispozitiv->logicalDpiX() : 0, dispozitiv ? dispozitiv->logicalDpiY() : 0}};
    const auto gasit = potrivite.find(cheie);
    if (gasit != potrivite.end())
        return gasit->second;
    // Bounded: a few tens of megabytes at most, a whole class's names at once.
    if (potrivite.size() >= 100000)
        potrivite.clear();
    return potrivite.emplace(cheie, Potriveste(aspect, inaltimeStart, latime, dispozitiv)).first->second;
}

TTextPlasat PlaseazaPeEcran(const TAspectText& aspect, QSize marime, double dpi, const QPaintDevice* dispozitiv)
{
    TTextPlasat t;
    const double size = aspect.Font ? aspect.Font->Size() : 0;
    t.Font = PotrivesteFont(aspect, InaltimeStartEcran(dpi, size, marime.height()), marime.width(), dispozitiv);
    t.Origine =
        QPoint(StangaText(aspect.Aliniere, marime.width(), t.Font.LatimeText), marime.height() - t.Font.InaltimeText);
    t.Clip = QRect(QPoint(0, 0), marime);
    return t;
}

TTextPlasat PlaseazaPeImprimanta(const TAspectText& aspect, const QRectF& zonaMm, double stangaMm, double susMm,
                                 bool oglinda, const TCorectieImprimanta& corectie, const QPaintDevice& dispozitiv)
{
    return PlaseazaPeImprimanta(aspect, zonaMm, stangaMm, susMm, oglinda, corectie, dispozitiv,
                                CapabilitatiDispozitiv(dispozitiv));
}

TTextPlasat PlaseazaPeImprimanta(const TAspectText& aspect, const QRectF& zonaMm, double stangaMm, double susMm,
                                 bool oglinda, const TCorectieImprimanta& corectie, const QPaintDevice& dispozitiv,
                                 const TCapabilitati& cap)
{
    const QRectF dorit(zonaMm.left() + stangaMm + aspect.DeplasareXMm, zonaMm.top() + susMm + aspect.DeplasareYMm,
                       zonaMm.width(), zonaMm.height());
    // The printer's own displacement and scale, measured by its calibration, are taken out here.
    const QRectF ceruta = AplicaCorectie(
        corectie, dorit, oglinda,
        QSizeF(cap.PhysicalWidth * cap.HorzSize / cap.HorzRes, cap.PhysicalHeight * cap.VertSize / cap.VertRes));
    TDreptunghiDispozitiv r = DreptunghiPeDispozitiv(cap, ceruta.left(), ceruta.top(), ceruta.width(), ceruta.height());
    const double size = aspect.Font ? aspect.Font->Size() : 0;

    TTextPlasat t;
    t.Font = PotrivesteFont(aspect, InaltimeStartImprimanta(cap, size, zonaMm.height()), r.W(), &dispozitiv);
    t.Origine = OriginePeDispozitiv(r, aspect.Aliniere, t.Font.LatimeText, t.Font.InaltimeText);
    if (oglinda) {
        t.Origine = RotestePunct(cap, t.Origine);
        r = RotesteDreptunghi(cap, r);
        t.Rotit = true;
    }
    t.Clip = r.Clip();
    return t;
}

void DeseneazaText(QPainter& painter, const TTextPlasat& t, const QString& text, const QColor& culoare)
{
    painter.save();
    painter.setClipRect(t.Clip, Qt::IntersectClip);
    painter.setFont(t.Font.Font);
    painter.setPen(culoare);
    painter.setBrush(Qt::NoBrush);
    painter.translate(t.Origine);
    if (t.Rotit)
        painter.rotate(180);
    painter.drawText(QPoint(0, t.Font.Ascent), text);
    painter.restore();
}
