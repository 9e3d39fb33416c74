// Cost of writing into the report window while a long report grows: appending a block of lines, and
// the refresh that puts the run's report text into the window, for reports of increasing length.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "engine/frmPp.h"

namespace {

const QString kLine =
    QStringLiteral("     12    120     u-Cuenca    12.34          1.5              .25             3.14\r\n");

// A window that already shows a report of `lines` lines.
void FillReport(int lines) {
  tavo::frmPp::unload();
  QString text;
  for (int i = 0; i < lines; ++i) text += kLine;
  tavo::SetReportText(text);
  tavo::TextoProceso = text;
}

void BM_AppendToReport(benchmark::State& state) {
  FillReport(static_cast<int>(state.range(0)));
  const QString block = kLine.repeated(20);
  for (auto _ : state) tavo::AppendToReport(block);
  state.SetBytesProcessed(state.iterations() * block.size() * 2);
}
BENCHMARK(BM_AppendToReport)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_RefreshAfterRunAppends(benchmark::State& state) {
  FillReport(static_cast<int>(state.range(0)));
  const QString block = kLine.repeated(20);
  for (auto _ : state) {
    tavo::TextoProceso += block;
    tavo::MuestraPizarra();
  }
  state.SetBytesProcessed(state.iterations() * block.size() * 2);
}
BENCHMARK(BM_RefreshAfterRunAppends)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tavo::InstallReportWindowHooks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  tavo::frmPp::unload();
  return 0;
}
