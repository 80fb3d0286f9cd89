#include "store/ULiniiElevi.h"

#include "store/UDataModule.h"
#include "store/UEvaluatorExpresie.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

TListaLiniiElevi CitesteLiniiElevi(TDM& dm, const QString& expresie)
{
    TListaLiniiElevi linii;
    const TGardaCitire citire(dm.Tr);
    // The names are expanded in memory from values read in a few queries, by the rules of ParseExp.
    TEvaluatorExpresie denumire(dm, expresie);
    denumire.Pregateste();
    TQuery& q = dm.Q5;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select    ID_ELEVI  from    ELEVI"));
    q.Open();
    while (!q.Eof()) {
        auto linie = std::make_unique<TLinieElev>();
        linie->Id = qint32(q.Camp(0).AsInteger());
        linie->Denumire = denumire.Evalueaza(linie->Id);
        linii.push_back(std::move(linie));
        q.Next();
    }
    return linii;
}

void SorteazaDupaNume(TListaLiniiElevi& linii)
{
    QCollator colatie{QLocale(QStringLiteral("ro_RO"))};
    // One sort key per name: comparing keys is far cheaper than collating the names at every comparison.
    std::vector<std::pair<QCollatorSortKey, std::unique_ptr<TLinieElev>>> chei;
    chei.reserve(linii.size());
    for (auto& linie : linii) {
        QCollatorSortKey cheie = colatie.sortKey(linie->Denumire);
        chei.emplace_back(std::move(cheie), std::move(linie));
    }
    std::stable_sort(chei.begin(), chei.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (size_t i = 0; i < chei.size(); ++i)
        linii[i] = std::move(chei[i].second);
}
