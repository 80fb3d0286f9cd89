#pragma once

#include <QString>

class TBazaTest;

// A register as a school holds it: one school with every field of its own filled, `n` students each with
// every student field filled (names of Romanian letters, a valid CNP, the year 2026), all tied to the
// school. Made once per size for the life of the process.
TBazaTest& RegistruRealist(int n);

// The file of such a register of n students, built the first time it is asked for and kept between runs in
// $TESSALUNA_BENCH_CACHE (else ~/.cache/tessaluna-bench). Copy it before opening it.
QString RegistruRealistInCache(int n);

// A started copy of that cached register, in a program folder of its own; one per size for the life of the
// process.
TBazaTest& RegistruRealistDeschis(int n);

// CPU seconds the whole process has used so far (getrusage: every thread, the engine's included).
double CpuProces();
// CPU seconds the process's ended children (programs it ran and waited for) have used so far.
double CpuCopii();
