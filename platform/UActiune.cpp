#include "platform/UActiune.h"

#include "platform/UEroare.h"
#include "platform/UMesaje.h"

namespace {
std::function<void()> g_revenire;
std::function<bool(QWidget*, const std::exception&)> g_afisareSpeciala;
} // namespace

void SeteazaAfisareSpeciala(std::function<bool(QWidget*, const std::exception&)> afisare)
{
    g_afisareSpeciala = std::move(afisare);
}

void SeteazaRevenireLaEroare(std::function<void()> revenire)
{
    g_revenire = std::move(revenire);
}

void AfiseazaEroareaCurenta(QWidget* parinte, const std::exception& e)
{
    if (g_revenire) {
        try {
            g_revenire();
        } catch (...) {
            // The rollback of a broken connection may fail too; the first error is the one to show.
        }
    }
    if (g_afisareSpeciala && g_afisareSpeciala(parinte, e))
        return;
    const QString text = TextEroare(e), detalii = DetaliiEroare(e);
    // An engine's error that no caller worded: its English text goes under "Detalii" only.
    if (!detalii.isEmpty() && text == detalii)
        TMesaje::ArataEroare(parinte,
                             QStringLiteral("Baza de date a refuzat operatia, asa ca nu s-a schimbat nimic. Incercati "
                                            "din nou; daca eroarea se repeta, aratati textul de la \"Detalii\" celui "
                                            "care va ajuta cu programul."),
                             detalii);
    else
        TMesaje::ArataEroare(parinte, text, detalii);
}

bool RuleazaActiune(QWidget* parinte, const std::function<void()>& actiune)
{
    try {
        actiune();
        return true;
    } catch (const std::exception& e) {
        AfiseazaEroareaCurenta(parinte, e);
    }
    return false;
}
