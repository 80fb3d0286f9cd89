#pragma once

#include <cstddef>
#include <functional>

// Runs `alaturi` on a thread of its own while `aici` runs on this one, and returns once both are done; a failure
// in either is thrown here (that of `aici` when both fail). Without a second processor they run one after the
// other, `aici` first.
void InParalel(const std::function<void()>& aici, const std::function<void()>& alaturi);

// Runs lucru(inceput, sfarsit) over [0, n) in two halves by InParalel, or whole here when n is below `minim`.
void InDouaFire(size_t n, const std::function<void(size_t inceput, size_t sfarsit)>& lucru, size_t minim = 2048);
