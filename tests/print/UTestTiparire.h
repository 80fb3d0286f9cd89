#pragma once

#include "print/UTiparireClasa.h"
#include "testsupport/UBazaTest.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class TInsertPaperForm;

// A print test's start: no answer queued and no window shown, the user's settings file gone, the per-area
// corrections kept in `dosar` (none yet), and a register made from the template, open.
std::unique_ptr<TBazaTest> PornesteTestDeTiparire(const QTemporaryDir& dosar);

// The class printed through the class print's own path into the PDF file `pdf`; `laHartie` answers the
// insert-paper step (Ok is pressed after it). A failure fails the running test and gives no pages.
TRezultatPagini TiparesteClasaInPdf(const QList<TElevDeTiparit>& elevi, const QString& pdf,
                                    const std::function<void(TInsertPaperForm*)>& laHartie = {},
                                    const std::function<bool(int, int)>& opreste = {});
