// Cost of the runtime pieces a long report leans on: number texts and data-file reading.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "platform/seqfile.h"
#include "platform/vb.h"

namespace {

void BM_NumberTextSingle(benchmark::State& state) {
  float v = 0.001f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavo::NumberText(v));
    v += 1.37f;
  }
}
BENCHMARK(BM_NumberTextSingle);

void BM_ReadNumbers(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/n.pcn");
  {
    tavo::SeqFile out(file, tavo::OpenMode::Output);
    for (int i = 0; i < 10000; ++i) out.write({tavo::Single(i * 0.37f), tavo::Integer(i % 1000)});
    out.close();
  }
  for (auto _ : state) {
    tavo::SeqFile in(file, tavo::OpenMode::Input);
    while (!in.eof()) {
      benchmark::DoNotOptimize(in.inputSingle());
      benchmark::DoNotOptimize(in.inputInteger());
    }
  }
  state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_ReadNumbers);

}  // namespace

BENCHMARK_MAIN();
