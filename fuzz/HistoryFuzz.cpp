// Arbitrary bytes as TestData.dat, read as the program reads it at start-up in test-data mode, into
// a history of a size the input chooses; then the frozen history is drawn, window graph and icon.
// Besides crashes and sanitizer reports it checks what the reader promises: it fills slots from 0
// with usages 0..100 and nothing else, sets HistoryPos to the count modulo the history's size,
// and reads back exactly what it read when that is written out again one value per CR LF line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/app/SamplingCycle.h"
#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/os/Clock.h"
#include "core/render/Renderer.h"
#include "fuzz/MemoryFile.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"
#include "support/FakeFontEngine.h"
#include "support/FakeImageLoader.h"

using namespace moravel;

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A started cycle of `slots` slots that never samples on its own.
std::unique_ptr<SamplingCycle> NewCycle(FakeClock& clock, const SettingsRecord& settings,
                                        std::int32_t slots) {
    auto cycle = std::make_unique<SamplingCycle>(std::make_unique<FakeCpuSampler>(), clock,
                                                 settings, nullptr);
    Check(cycle->StartSampling(slots) == 0);
    return cycle;
}

// The frozen history in the default theme with a tray graph, as the window shows it at start-up.
void Draw(const SamplingCycle& cycle, std::int32_t iconMode) {
    test::FakeFontEngine fonts;
    test::FakeImageLoader images;
    ThemeRecord theme;
    SetDefaultTheme(theme);
    theme.TextFont.Name = "Fake Sans";
    SettingsRecord settings;
    SetDefaultSettings(settings);
    settings.IconGraphMode = static_cast<TrayIconMode>(iconMode);
    Renderer renderer(fonts, images, {"no-themes-here"}, theme, settings);
    renderer.SetHistory({cycle.UsageHistory.data(), cycle.HistoryCount, &cycle.HistoryPos});
    renderer.LoadThemePictures();
    renderer.SetClientSize(82, 32);  // small: the history matters here, not the size
    renderer.LayoutPictures();
    renderer.DrawGraph();
    renderer.DrawIconGraph(renderer.picIconGraph[iconMode == 1 ? 0 : 1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first two bytes choose the history's size (the screen's width: 1..4096 pixels).
    if (size < 2) {
        return 0;
    }
    const std::int32_t slots = 1 + ((data[0] | (data[1] << 8)) & 0x0FFF);
    static fuzz::MemoryFile file("TestData.dat");
    file.Fill(data + 2, size - 2);

    FakeClock clock;
    SettingsRecord settings;
    SetDefaultSettings(settings);
    const auto cycle = NewCycle(clock, settings, slots);
    const std::int32_t count = cycle->LoadTestDataFile(file.Path());

    Check(count >= 0 && count <= slots);
    Check(cycle->HistoryPos == count % slots);
    std::string again;
    for (std::int32_t i = 0; i < slots; ++i) {
        const std::int32_t v = cycle->UsageHistory[static_cast<std::size_t>(i)];
        Check(i < count ? v >= 0 && v <= 100 : v == 0);
        if (i < count) {
            again += std::to_string(v) + "\r\n";
        }
    }
    const auto back = NewCycle(clock, settings, slots);
    Check(back->LoadTestData(again) == count);
    Check(back->UsageHistory == cycle->UsageHistory);

    Draw(*cycle, 1 + data[0] % 3);
    return 0;
}
