// Reading and writing theme files: the setup dialog reads every theme of the folder each time it
// lists them, so a theme's parse should stay far below a millisecond.
#include <benchmark/benchmark.h>

#include "core/config/Theme.h"
#include "core/os/Encoding.h"

namespace moravel {
namespace {

std::string DefaultThemeBytes() {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    return Utf8ToAnsi(FormatThemeText(theme));
}

void BM_ParseTheme(benchmark::State& state) {
    const std::string bytes = DefaultThemeBytes();
    ThemeRecord theme;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseThemeText(AnsiToUtf8(bytes), theme));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseTheme);

void BM_FormatTheme(benchmark::State& state) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Utf8ToAnsi(FormatThemeText(theme)));
    }
}
BENCHMARK(BM_FormatTheme);

}  // namespace
}  // namespace moravel
