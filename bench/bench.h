#pragma once
// A tiny benchmark registry: each bench_*.cpp registers its measurements, tarvane-bench runs
// them all (or those named on the command line) in one process, so that every ratio compares
// two figures measured in the same run.
#include <chrono>
#include <functional>
#include <string>

namespace TarvaneBench {

using BenchFunction = std::function<void()>;

struct Registrar {
  Registrar(const char* name, BenchFunction function);
};

// Wall-clock seconds of one run of the function.
double Seconds(const std::function<void()>& function);
// The best of several runs, which is the most repeatable figure on a shared machine.
double BestSeconds(int runs, const std::function<void()>& function);
// Prints "ratio NAME VALUE TARGET", the line a script reads to check a target; it stays the same
// in every language.
void PrintRatio(const std::string& name, double value, double target);
// Prints a human-readable figure, named in the user's language (the Japanese name in CP932).
void PrintFigure(const std::string& english, const std::string& japanese, double value,
                 const std::string& unit);
// Prints a line for the reader of the figures in the user's language, as PrintFigure names them.
void PrintNote(const std::string& english, const std::string& japanese);
// Peak resident memory of the process so far, in bytes.
long PeakResidentBytes();
// Starts the peak over from the present resident memory, so that a measurement's peak is its own.
void ResetPeakResidentMemory();
// A fresh scratch folder for generated inputs, removed at exit.
std::string ScratchFolder();
// Writes the bytes as the file, making its folders first.
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace TarvaneBench

#define TARVANE_BENCH_CONCAT2(a, b) a##b
#define TARVANE_BENCH_CONCAT(a, b) TARVANE_BENCH_CONCAT2(a, b)
#define TARVANE_BENCH(name)                                                        \
  static void TARVANE_BENCH_CONCAT(BenchBody_, __LINE__)();                        \
  static TarvaneBench::Registrar TARVANE_BENCH_CONCAT(bench_registrar_, __LINE__)( \
      name, TARVANE_BENCH_CONCAT(BenchBody_, __LINE__));                           \
  static void TARVANE_BENCH_CONCAT(BenchBody_, __LINE__)()
