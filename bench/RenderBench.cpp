// The window graph's frames: an ordinary frame (one new sample) and a rebuild, for a plain theme
// (simple mode: the graph layer over a colour, grid lines on top) and a theme with a pattern
// background and a pattern graph (board, mask and graph layer composed), at the window's designed
// size and at a full-HD screen. Beside them the floor: memcpy of as many whole-surface bytes as an
// ordinary frame's copies move (two scrolls of the layer and its mask, then one compose copy in
// simple mode or three otherwise). Frame time / floor time is the figure to watch. And the frame of
// each processor, one new sample, at 16, 64 and 256 processors in the plain theme, beside the
// plain total frame of the same size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstring>
#include <memory>
#include <vector>

#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/render/ProcessorView.h"
#include "core/render/Renderer.h"
#include "qt/QtFontEngine.h"
#include "qt/QtImageLoader.h"

namespace moravel {
namespace {

constexpr std::int32_t kHistorySize = 1920;

enum ThemeKind : std::int64_t { kPlain = 0, kComposed = 1 };

// Full-surface copies of an ordinary frame.
std::int64_t FrameCopies(std::int64_t kind) {
    return kind == kPlain ? 3 : 5;
}

struct Scene {
    ThemeRecord theme;
    SettingsRecord settings;
    std::vector<std::int32_t> samples = std::vector<std::int32_t>(kHistorySize);
    std::int32_t pos = 0;
    std::uint32_t noise = 12345;
    QtFontEngine fonts{96};
    QtImageLoader images;
    std::unique_ptr<Renderer> renderer;

    Scene(std::int64_t kind, std::int32_t width, std::int32_t height) {
        if (kind == kPlain) {
            SetDefaultTheme(theme);
            theme.GraphHLineMode = LineMode::OverGraph;  // lines over the graph: simple mode
            theme.GraphVLineMode = LineMode::OverGraph;
        } else {
            LoadThemeFile(theme, std::string(MORAVEL_BENCH_THEMES) + "/sunset.tm");
        }
        SetDefaultSettings(settings);
        settings.IconGraphMode = TrayIconMode::Off;
        settings.State = WindowState::Shown;
        for (std::int32_t& sample : samples) {
            sample = Next();
        }
        renderer = std::make_unique<Renderer>(fonts, images, ThemeFolders{MORAVEL_BENCH_THEMES},
                                              theme, settings);
        renderer->SetHistory(HistoryView{samples.data(), kHistorySize, &pos});
        renderer->Rebuild(width + 2, height + 2);
    }

    std::int32_t Next() {
        noise = noise * 1103515245u + 12345u;
        return static_cast<std::int32_t>((noise >> 16) % 101);
    }

    void AppendSample() {
        samples[static_cast<std::size_t>(pos)] = Next();
        pos = (pos + 1) % kHistorySize;
    }
};

void SetLabel(benchmark::State& state) {
    state.SetLabel((state.range(0) == kPlain ? "plain " : "composed ") +
                   std::to_string(state.range(1)) + "x" + std::to_string(state.range(2)));
}

void BM_FrameOneSample(benchmark::State& state) {
    Scene scene(state.range(0), static_cast<std::int32_t>(state.range(1)),
                static_cast<std::int32_t>(state.range(2)));
    for (auto _ : state) {
        scene.AppendSample();
        scene.renderer->DrawGraph();
        benchmark::DoNotOptimize(scene.renderer->picGraph.Pixels());
    }
    SetLabel(state);
}

void BM_FrameRebuild(benchmark::State& state) {
    Scene scene(state.range(0), static_cast<std::int32_t>(state.range(1)),
                static_cast<std::int32_t>(state.range(2)));
    for (auto _ : state) {
        scene.renderer->GraphReady = false;
        scene.renderer->DrawGraph();
        benchmark::DoNotOptimize(scene.renderer->picGraph.Pixels());
    }
    SetLabel(state);
}

void BM_FloorMemcpy(benchmark::State& state) {
    const std::size_t pixels = static_cast<std::size_t>(state.range(1) * state.range(2));
    std::vector<std::uint32_t> a(pixels, 1);
    std::vector<std::uint32_t> b(pixels, 2);
    const std::int64_t copies = FrameCopies(state.range(0));
    for (auto _ : state) {
        for (std::int64_t i = 0; i < copies; ++i) {
            std::memcpy(i % 2 ? a.data() : b.data(), i % 2 ? b.data() : a.data(),
                        pixels * sizeof(std::uint32_t));
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * copies *
                            static_cast<std::int64_t>(pixels * sizeof(std::uint32_t)));
    SetLabel(state);
}

void BM_ProcessorFrameOneSample(benchmark::State& state) {
    const auto processors = static_cast<std::int32_t>(state.range(0));
    Scene scene(kPlain, static_cast<std::int32_t>(state.range(1)),
                static_cast<std::int32_t>(state.range(2)));
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(processors) * kHistorySize);
    for (std::uint8_t& usage : rows) {
        usage = static_cast<std::uint8_t>(scene.Next());
    }
    const ProcessorHistoryView history{rows.data(), processors, kHistorySize, &scene.pos};
    ProcessorView view(*scene.renderer);
    view.Draw(history, HistoryView{scene.samples.data(), kHistorySize, &scene.pos});
    for (auto _ : state) {
        scene.AppendSample();
        view.Draw(history, HistoryView{scene.samples.data(), kHistorySize, &scene.pos});
        benchmark::DoNotOptimize(scene.renderer->picGraph.Pixels());
    }
    state.SetLabel(std::to_string(processors) + " processors " + std::to_string(state.range(1)) +
                   "x" + std::to_string(state.range(2)));
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (std::int64_t kind : {kPlain, kComposed}) {
        b->Args({kind, 298, 98});
        b->Args({kind, 1918, 1078});
    }
}

BENCHMARK(BM_FrameOneSample)->Apply(Sizes);
BENCHMARK(BM_FloorMemcpy)->Apply(Sizes);
BENCHMARK(BM_FrameRebuild)->Apply(Sizes);
BENCHMARK(BM_ProcessorFrameOneSample)
    ->Args({16, 298, 98})
    ->Args({64, 298, 98})
    ->Args({256, 298, 98})
    ->Args({16, 1918, 1078})
    ->Args({256, 1918, 1078});

}  // namespace
}  // namespace moravel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
