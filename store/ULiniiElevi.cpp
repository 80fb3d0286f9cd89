#include "store/ULiniiElevi.h"

#include "platform/UInDouaFire.h"
#include "store/UDataModule.h"
#include "store/UEvaluatorExpresie.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace {
QCollator ColatieRomana()
{
    return QCollator(QLocale(QStringLiteral("ro_RO")));
}

using TLiniiCuChei = std::vector<std::pair<std::optional<QCollatorSortKey>, std::unique_ptr<TLinieElev>>>;

// Sorts by the keys; equal names keep their order.
TListaLiniiElevi DupaChei(TLiniiCuChei& linii)
{
    std::stable_sort(linii.begin(), linii.end(),
                     [](const auto& a, const auto& b) { return a.first->compare(*b.first) < 0; });
    TListaLiniiElevi sortate;
    sortate.reserve(linii.size());
    for (auto& linie : linii)
        sortate.push_back(std::move(linie.second));
    return sortate;
}
} // namespace

TListaLiniiElevi CitesteLiniiSortate(TDM& dm, const QString& expresie)
{
    const TGardaCitire citire(dm.Tr);
    // The names are expanded in memory from values read in a few queries, by the rules of ParseExp. While the
    // engine reads, the reading's second thread names each student whose rows it has just taken, and makes the
    // name's sort key; a student whose rows the engine hands over later is named again below.
    struct TNumit
    {
        int Campuri;
        QString Denumire;
        QCollatorSortKey Cheie;
    };
    std::unordered_map<qint64, TNumit> numiti;
    const QCollator colatieCitire = ColatieRomana();
    auto denumire = std::make_unique<TEvaluatorExpresie>(dm, expresie);
    denumire->Pregateste([&](qint64 id) {
        QString nume = denumire->Evalueaza(id);
        QCollatorSortKey cheie = colatieCitire.sortKey(nume);
        numiti.insert_or_assign(id, TNumit{denumire->CampuriCitite(id), std::move(nume), std::move(cheie)});
    });

    TLiniiCuChei linii;
    {
        TQuery& q = dm.Q5;
        const TGardaCursor cursor(q);
        q.SetSQL(QStringLiteral("select    ID_ELEVI  from    ELEVI"));
        q.Open();
        while (!q.Eof()) {
            auto linie = std::make_unique<TLinieElev>();
            linie->Id = qint32(q.Camp(0).AsInteger());
            linii.emplace_back(std::nullopt, std::move(linie));
            q.Next();
        }
    }
    InDouaFire(linii.size(), [&](size_t inceput, size_t sfarsit) {
        const QCollator colatie = ColatieRomana();
        for (size_t i = inceput; i < sfarsit; ++i) {
            auto& [cheie, linie] = linii[i];
            const auto numit = numiti.find(linie->Id);
            if (numit != numiti.end() && numit->second.Campuri == denumire->CampuriCitite(linie->Id)) {
                linie->Denumire = std::move(numit->second.Denumire);
                cheie = std::move(numit->second.Cheie);
                continue;
            }
            linie->Denumire = denumire->Evalueaza(linie->Id);
            cheie = colatie.sortKey(linie->Denumire);
        }
    });
    // What was read is freed on the second thread while this one sorts.
    TListaLiniiElevi sortate;
    InParalel([&] { sortate = DupaChei(linii); },
              [&] {
                  denumire.reset();
                  numiti.clear();
              });
    return sortate;
}

void SorteazaDupaNume(TListaLiniiElevi& linii)
{
    TLiniiCuChei chei(linii.size());
    // One sort key per name: comparing keys is far cheaper than collating the names at every comparison.
    InDouaFire(linii.size(), [&](size_t inceput, size_t sfarsit) {
        const QCollator colatie = ColatieRomana();
        for (size_t i = inceput; i < sfarsit; ++i)
            chei[i] = {colatie.sortKey(linii[i]->Denumire), std::move(linii[i])};
    });
    linii = DupaChei(chei);
}
