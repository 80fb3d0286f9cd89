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
    TMesaje::ArataEroare(parinte, TextEroare(e));
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
