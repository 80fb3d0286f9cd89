#pragma once

#include <QString>

#include <memory>
#include <vector>

class TDM;

// One student of the list.
struct TLinieElev
{
    qint32 Id = -1;
    QString Denumire;
};

// The students of a list; owns them.
using TListaLiniiElevi = std::vector<std::unique_ptr<TLinieElev>>;

// Every student with its shown name, the display expression expanded as ParseExp would expand it, read in a
// few queries inside a read transaction of its own, sorted as SorteazaDupaNume sorts. Uses Q1 and Q5.
TListaLiniiElevi CitesteLiniiSortate(TDM& dm, const QString& expresie);

// Sorts the lines by name in Romanian alphabetical order (the "ro_RO" collation); equal names keep their order.
void SorteazaDupaNume(TListaLiniiElevi& linii);
