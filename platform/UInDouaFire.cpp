#include "platform/UInDouaFire.h"

#include <exception>
#include <thread>

void InParalel(const std::function<void()>& aici, const std::function<void()>& alaturi)
{
    if (std::thread::hardware_concurrency() < 2) {
        aici();
        alaturi();
        return;
    }
    std::exception_ptr eroare;
    std::thread fir([&] {
        try {
            alaturi();
        } catch (...) {
            eroare = std::current_exception();
        }
    });
    try {
        aici();
    } catch (...) {
        fir.join();
        throw;
    }
    fir.join();
    if (eroare)
        std::rethrow_exception(eroare);
}

void InDouaFire(size_t n, const std::function<void(size_t inceput, size_t sfarsit)>& lucru, size_t minim)
{
    if (n < minim) {
        lucru(0, n);
        return;
    }
    const size_t mijloc = n / 2;
    InParalel([&] { lucru(0, mijloc); }, [&] { lucru(mijloc, n); });
}
