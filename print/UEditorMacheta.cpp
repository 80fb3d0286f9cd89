#include "print/UEditorMacheta.h"

#include "print/USetariImprimare.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
constexpr double kLatimeMinimaMm = 0.1;
} // namespace

bool CitesteMm(const QString& text, double& mm)
{
    QString t = text.trimmed();
    if (t.count(u',') + t.count(u'.') > 1)
        return false;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    mm = v;
    return true;
}

int ManerLa(double latime, double inaltime, double x, double y)
{
    const double bandaX = std::min(4.0, latime / 4), bandaY = std::min(4.0, inaltime / 4);
    int maner = ManerMutare;
    if (x < bandaX)
        maner |= ManerStanga;
    else if (x >= latime - bandaX)
        maner |= ManerDreapta;
    if (y < bandaY)
        maner |= ManerSus;
    else if (y >= inaltime - bandaY)
        maner |= ManerJos;
    return maner;
}

double MmDinPixeli(double pixeli, double dpi)
{
    return std::round(pixeli * 25.4 / dpi * 10) / 10;
}

void TEditorMacheta::IncepeTragere(int maner)
{
    TerminaTragere();
    m_tragere = TTragere{maner, m_macheta};
}

void TEditorMacheta::Trage(double dxMm, double dyMm)
{
    if (!m_tragere)
        return;
    const int maner = m_tragere->Maner;
    const QList<TMachetaZona>& inainte = m_tragere->Inainte.Pagini.first().Zone;
    // One edge of a box: its start moves by `d` unless the box would get thinner than the least width.
    auto latura = [](double start, double lungime, double d, bool deLaInceput, double& noulStart, double& nouaLungime) {
        if (deLaInceput) {
            d = std::min(d, lungime - kLatimeMinimaMm);
            noulStart = start + d;
            nouaLungime = lungime - d;
        } else {
            noulStart = start;
            nouaLungime = std::max(kLatimeMinimaMm, lungime + d);
        }
    };
    for (int i : std::as_const(m_selectie)) {
        const TMachetaZona& z0 = inainte.at(i);
        TMachetaZona& z = ZoneDeScris()[i];
        if (maner == ManerMutare) {
            z.Left = z0.Left + dxMm;
            z.Top = z0.Top + dyMm;
            continue;
        }
        if (maner & (ManerStanga | ManerDreapta))
            latura(z0.Left, z0.Width, dxMm, maner & ManerStanga, z.Left, z.Width);
        if (maner & (ManerSus | ManerJos))
            latura(z0.Top, z0.Height, dyMm, maner & ManerSus, z.Top, z.Height);
    }
}

void TEditorMacheta::TerminaTragere()
{
    if (!m_tragere)
        return;
    const TMachetaFormular inainte = std::move(m_tragere->Inainte);
    m_tragere.reset();
    Pas(inainte);
}

void TEditorMacheta::AnuleazaTragere()
{
    if (!m_tragere)
        return;
    m_macheta = std::move(m_tragere->Inainte);
    m_tragere.reset();
}

QString TEditorMacheta::CotaTragere(int index) const
{
    if (index < 0 || index >= Zone().size())
        return {};
    const TMachetaZona& z = Zone().at(index);
    // Hundredths: a drag moves by tenths, the layout's own millimetres carry more digits than a user reads.
    auto mm = [](double v) { return TextMilimetri(std::round(v * 100) / 100) + QStringLiteral(" mm"); };
    const int maner = m_tragere ? m_tragere->Maner : ManerMutare;
    QStringList parti;
    if (maner == ManerMutare || (maner & ManerStanga))
        parti << QStringLiteral("Stanga ") + mm(z.Left);
    if (maner == ManerMutare || (maner & ManerSus))
        parti << QStringLiteral("Sus ") + mm(z.Top);
    if (maner & (ManerStanga | ManerDreapta))
        parti << QStringLiteral("Latime ") + mm(z.Width);
    if (maner & (ManerSus | ManerJos))
        parti << QStringLiteral("Inaltime ") + mm(z.Height);
    return parti.join(QStringLiteral("  "));
}

void TEditorMacheta::Selecteaza(int index, bool adauga)
{
    if (index < 0 || index >= Zone().size())
        return;
    if (!adauga)
        m_selectie = {index};
    else if (!m_selectie.remove(index))
        m_selectie.insert(index);
}

void TEditorMacheta::Pas(const TMachetaFormular& inainte)
{
    if (inainte == m_macheta)
        return;
    m_inapoi << inainte;
    m_inainte.clear();
}

void TEditorMacheta::Muta(double dxMm, double dyMm)
{
    TerminaTragere();
    const TMachetaFormular inainte = m_macheta;
    for (int i : std::as_const(m_selectie)) {
        TMachetaZona& z = ZoneDeScris()[i];
        z.Left = z.Left + dxMm;
        z.Top = z.Top + dyMm;
    }
    Pas(inainte);
}

void TEditorMacheta::Redimensioneaza(double dwMm, double dhMm)
{
    TerminaTragere();
    const TMachetaFormular inainte = m_macheta;
    for (int i : std::as_const(m_selectie)) {
        TMachetaZona& z = ZoneDeScris()[i];
        z.Width = std::max(kLatimeMinimaMm, z.Width + dwMm);
        z.Height = std::max(kLatimeMinimaMm, z.Height + dhMm);
    }
    Pas(inainte);
}

void TEditorMacheta::Modifica(int index, const TMachetaZona& zona)
{
    if (index < 0 || index >= Zone().size())
        return;
    TerminaTragere();
    const TMachetaFormular inainte = m_macheta;
    ZoneDeScris()[index] = zona;
    Pas(inainte);
}

void TEditorMacheta::AdaugaZona()
{
    TerminaTragere();
    if (Zone().isEmpty())
        return;
    const TMachetaFormular inainte = m_macheta;
    const int model = m_selectie.isEmpty() ? 0 : *std::min_element(m_selectie.begin(), m_selectie.end());
    TMachetaZona z = Zone().at(model);
    QSet<QString> nume;
    for (const TMachetaZona& a : Zone())
        nume.insert(a.Name);
    int n = 1;
    while (nume.contains(QStringLiteral("ZonaNoua%1").arg(n)))
        ++n;
    z.Name = QStringLiteral("ZonaNoua%1").arg(n);
    z.Top = z.Top + 5;
    z.SursaText.clear();
    ZoneDeScris() << z;
    m_selectie = {int(Zone().size() - 1)};
    Pas(inainte);
}

void TEditorMacheta::StergeZone()
{
    TerminaTragere();
    const TMachetaFormular inainte = m_macheta;
    QList<int> indici(m_selectie.begin(), m_selectie.end());
    std::sort(indici.begin(), indici.end(), std::greater<>());
    for (int i : indici)
        ZoneDeScris().removeAt(i);
    m_selectie.clear();
    Pas(inainte);
}

void TEditorMacheta::SeteazaFundal(const QString& cale)
{
    TerminaTragere();
    const TMachetaFormular inainte = m_macheta;
    m_macheta.Pagini.first().BkImage = cale;
    Pas(inainte);
}

void TEditorMacheta::Anuleaza()
{
    TerminaTragere();
    if (m_inapoi.isEmpty())
        return;
    m_inainte << m_macheta;
    m_macheta = m_inapoi.takeLast();
    m_selectie.removeIf([this](int i) { return i >= Zone().size(); });
}

void TEditorMacheta::Reface()
{
    TerminaTragere();
    if (m_inainte.isEmpty())
        return;
    m_inapoi << m_macheta;
    m_macheta = m_inainte.takeLast();
    m_selectie.removeIf([this](int i) { return i >= Zone().size(); });
}
