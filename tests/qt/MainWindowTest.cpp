#include <QMenu>
#include <QTest>

#include <fstream>

#include "config/Globals.h"
#include "cpu/FakeCpuSampler.h"
#include "platform/TextFile.h"
#include "platform/qt/QtPrompts.h"
#include "shell/fomMain.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

// The resident memory of this process, in bytes.
long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4096;
}

QStringList MenuCaptions(QMenu* menu) {
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

struct Fixture {
    test::TempFolder folder;
    test::ScopedProgramFolder home{folder.path()};
    FakeCpuSampler* sampler = new FakeCpuSampler;
    FakeClock* clock = new FakeClock;
    std::unique_ptr<fomMain> window;

    Fixture() {
        clock->now = 1'800'000'000;
        window = std::make_unique<fomMain>(std::unique_ptr<CpuSampler>(sampler),
                                           std::unique_ptr<WallClock>(clock));
    }
    void Tick() {
        clock->now += 1;
        window->cycle().Tick();
    }
    std::string Settings() const { return test::ReadBytes(folder.File("Moravel.ini")); }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QtMessagePrompt::ClearAsked();
        SetDefaultSettings(gSettings);
    }
    void aSamplerThatCannotStartEndsStartUpAndSavesNothing();
    void startsShownWithItsOwnTrayIconAndAnEmptyTip();
    void theMenuFollowsTheWindowState();
    void refreshesEveryCycleWithTheTip();
    void aDayOfTicksKeepsMemoryFlat();
    void closingSavesThePlace();
};

void MainWindowTest::aSamplerThatCannotStartEndsStartUpAndSavesNothing() {
    Fixture f;
    f.sampler->startResult = -1;
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    QVERIFY(!f.window->Form_Load());
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(QtMessagePrompt::Asked()[0].text),
             QStringLiteral("CPU使用率の取得に失敗しました。"));
    QCOMPARE(QtMessagePrompt::Asked()[0].icon, MessageIcon::Critical);
    f.window.reset();
    QVERIFY(!IsFile(f.folder.File("Moravel.ini")));
}

void MainWindowTest::startsShownWithItsOwnTrayIconAndAnEmptyTip() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->size(), QSize(300, 100));
    QVERIFY(f.window->trayData().tip.empty());
    QVERIFY(!f.window->trayData().icon.isNull());
    QVERIFY(f.window->timCycle().isActive());
    QCOMPARE(f.window->renderer().picGraph.Width(), 298);
}

void MainWindowTest::theMenuFollowsTheWindowState() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    QCOMPARE(MenuCaptions(f.window->popupMenu()),
             (QStringList{"隠す(&B)", "バージョン情報", "ヘルプ(&H)", "-", "終了(&X)"}));
    f.window->mnuHidden_Click();
    QVERIFY(!f.window->isVisible());
    QCOMPARE(gSettings.State, 1);
    QCOMPARE(MenuCaptions(f.window->popupMenu()).first(), QStringLiteral("表示(&B)"));
    // The tray's double click brings it back; its other messages do nothing.
    f.window->picIcon_MouseDown(4, 0x0202);
    QVERIFY(!f.window->isVisible());
    f.window->picIcon_MouseDown(4, 0x0203);
    QVERIFY(f.window->isVisible());
    QCOMPARE(gSettings.State, 0);
}

void MainWindowTest::refreshesEveryCycleWithTheTip() {
    Fixture f;
    f.sampler->script = {0, 42, 43, 44};
    QVERIFY(f.window->Form_Load());
    f.Tick();  // the first appending tick only counts
    QVERIFY(f.window->trayData().tip.empty());
    f.Tick();
    QCOMPARE(f.window->trayData().tip, std::string("CPU使用率 42 %"));
}

void MainWindowTest::aDayOfTicksKeepsMemoryFlat() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    gSettings.IconGraphMode = 2;
    gSettings.Cycle = 10;  // a tray icon and a frame every ten seconds: 8640 of them a day
    f.window->ResetPicture();
    for (int i = 0; i < 3600; ++i) {
        f.sampler->usage = (i * 37) % 101;
        f.Tick();
    }
    const long before = ResidentBytes();
    for (int i = 0; i < 86400; ++i) {
        f.sampler->usage = (i * 37) % 101;
        f.Tick();
    }
    const long growth = ResidentBytes() - before;
#ifndef __SANITIZE_ADDRESS__  // the sanitizer holds freed memory back on purpose; it finds leaks
                              // itself
    QVERIFY2(growth < 512 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
#else
    Q_UNUSED(growth);
#endif
    QVERIFY(!f.window->trayData().icon.isNull());
    QCOMPARE(f.window->trayData().icon.availableSizes().size(), 1);  // one picture, no pile-up
}

void MainWindowTest::closingSavesThePlace() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    f.window->setGeometry(40, 30, 320, 120);
    f.window->mnuHidden_Click();  // closing while hidden still saves the last place
    f.window->close();
    const std::string ini = f.Settings();
    QVERIFY(ini.find("Left=40\r\nWidth=320\r\nHeight=120\r\n") != std::string::npos);
    QVERIFY(ini.find("Top=30\r\n") != std::string::npos);
    QVERIFY(ini.find("State=1\r\n") != std::string::npos);
    QCOMPARE(f.sampler->stops, 1);
}

}  // namespace moravel

QTEST_MAIN(moravel::MainWindowTest)
#include "MainWindowTest.moc"
