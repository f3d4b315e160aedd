// The main window on a high-density screen: run with QT_SCALE_FACTOR=2 and with 1.5. Each frame
// pixel is a whole square of device pixels, copied from the graph, never smoothed; 1.5 draws one
// device pixel per frame pixel.
#include <QTest>

#include "qt/TaskTray.h"
#include "qt/fomMain.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

QRgb Rgb(std::uint32_t colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace

class FrameScaleWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void theFrameIsMadeOfWholeSquaresOfDevicePixels();
};

void FrameScaleWidgetTest::theFrameIsMadeOfWholeSquaresOfDevicePixels() {
    const double ratio = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    QVERIFY2(ratio == 2.0 || ratio == 1.5, "run with QT_SCALE_FACTOR=2 or 1.5");
    const int factor = ratio == 2.0 ? 2 : 1;

    test::TempFolder folder;
    test::ScopedProgramFolder home(folder.path());
    test::ScopedEnvironment config("XDG_CONFIG_HOME", folder.File("config"));
    modTaskTray::TrayHost::Pretend(true);
    // A line graph between 0 and 100 % on black: sharp edges a smoothed copy would blur.
    test::WriteBytes(folder.File("Themes/graph.tm"),
                     "[Theme]\r\nGraphHType=0\r\nGraphVType=0\r\nTextType=0\r\nForeType=0\r\n");
    auto* sampler = new FakeCpuSampler;
    auto* clock = new FakeClock;
    clock->now = 1'800'000'000;
    ProgramState program;
    fomMain window(program, std::unique_ptr<CpuSampler>(sampler),
                   std::unique_ptr<MonotonicClock>(clock));
    QVERIFY(window.Form_Load());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.devicePixelRatioF(), ratio);
    for (int i = 0; i < 40; ++i) {
        sampler->usage = (i / 3) % 2 == 0 ? 0 : 100;
        clock->now += 1;
        window.session().Tick();
    }

    // 300 × 100 logical pixels: 600 × 200 device pixels of 300 × 100 frame pixels at 2, and
    // 450 × 150 device and frame pixels at 1.5, the graph inside a border of one frame pixel.
    const Surface& graph = window.renderer().picGraph;
    const int device = static_cast<int>(300 * ratio);
    QCOMPARE(graph.Width(), device / factor - 2);
    QCOMPARE(graph.Height(), static_cast<int>(100 * ratio) / factor - 2);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(device, static_cast<int>(100 * ratio)));

    const QRgb border = window.palette().color(QPalette::Shadow).rgb();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const int gx = x / factor - 1;
            const int gy = y / factor - 1;
            const bool inside = gx >= 0 && gy >= 0 && gx < graph.Width() && gy < graph.Height();
            const QRgb want = inside ? Rgb(graph.Pixel(gx, gy)) : border;
            if (shown.pixel(x, y) != want) {
                QFAIL(qPrintable(QStringLiteral("device pixel %1,%2 is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(shown.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
            }
        }
    }
    // The graph holds both its line colours, so the comparison above saw real edges.
    QVERIFY(
        graph.Pixel(graph.Width() - 1, 0) != graph.Pixel(graph.Width() - 1, graph.Height() / 2) ||
        graph.Pixel(graph.Width() - 4, 0) != graph.Pixel(graph.Width() - 4, graph.Height() / 2));
}

}  // namespace moravel

QTEST_MAIN(moravel::FrameScaleWidgetTest)
#include "FrameScaleWidgetTest.moc"
