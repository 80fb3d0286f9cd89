#include "print/UEditorMacheta.h"

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
    const TMachetaFormular inainte = m_macheta;
    ZoneDeScris()[index] = zona;
    Pas(inainte);
}

void TEditorMacheta::AdaugaZona()
{
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
    const TMachetaFormular inainte = m_macheta;
    m_macheta.Pagini.first().BkImage = cale;
    Pas(inainte);
}

void TEditorMacheta::Anuleaza()
{
    if (m_inapoi.isEmpty())
        return;
    m_inainte << m_macheta;
    m_macheta = m_inapoi.takeLast();
    m_selectie.removeIf([this](int i) { return i >= Zone().size(); });
}

void TEditorMacheta::Reface()
{
    if (m_inainte.isEmpty())
        return;
    m_inapoi << m_macheta;
    m_macheta = m_inainte.takeLast();
    m_selectie.removeIf([this](int i) { return i >= Zone().size(); });
}
