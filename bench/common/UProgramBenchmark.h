#pragma once

#include <QDir>
#include <QString>

#include <benchmark/benchmark.h>

// Runs the benchmarks the command line chooses (Google Benchmark's own options); the program's exit code.
inline int RuleazaBenchmarkurile(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The template of a temporary folder for a benchmark's files: in memory when the system has such a folder, so
// that the disk's write-back is not the program's work; empty for the system's temporary folder.
inline QString SablonDosarInMemorie(const QString& nume)
{
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/%1-XXXXXX").arg(nume) : QString();
}
