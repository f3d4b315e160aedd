#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "core/app/Help.h"
#include "core/dialogs/SetupDialog.h"
#include "core/dialogs/ThemeEditorState.h"
#include "qt/HelpViewer.h"
#include "qt/QtPrompts.h"
#include "qt/QtSingleInstance.h"
#include "qt/fomVersion.h"
#include "support/TempFolder.h"

namespace moravel {

class ShellWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void aboutBoxShowsTheVersionAndSinksWhilePressed();
    void helpWithoutAFileSaysSo();
    void helpOpensTheTopicOfTheContext();
    void aMissingHelpFileIsReported();
    void helpFromAModalDialogIsNotBlockedByIt();
    void aSecondStartReachesTheFirst();
};

void ShellWidgetsTest::aboutBoxShowsTheVersionAndSinksWhilePressed() {
    fomVersion box(nullptr, kBuildVersion);
    QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
    const QList<QLabel*> labels = box.findChildren<QLabel*>();
    bool versionShown = false;
    for (QLabel* label : labels) {
        versionShown = versionShown || label->text() == QStringLiteral("Moravel Version 1.1");
    }
    QVERIFY(versionShown);
    QVERIFY(!box.picIcon()->pixmap().isNull());  // the frames come from the program's resources

    QTest::mousePress(box.picIcon(), Qt::LeftButton);
    QCOMPARE(box.animation().PressFrame, 1);  // at once
    QTest::mousePress(box.picIcon(), Qt::RightButton);
    QCOMPARE(box.animation().PressFrame, 2);
    QTest::mouseRelease(box.picIcon(), Qt::RightButton);
    QTest::mouseRelease(box.picIcon(), Qt::LeftButton);
    QCOMPARE(box.animation().PressTarget, 0);
    QTRY_COMPARE_WITH_TIMEOUT(box.animation().PressFrame, 0, 2000);  // one frame per 150 ms
}

void ShellWidgetsTest::helpWithoutAFileSaysSo() {
    QtMessagePrompt::ClearAsked();
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    ShowHelp(nullptr, "", HelpContext::Contents);
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(
        QString::fromStdString(QtMessagePrompt::Asked()[0].text),
        QStringLiteral("ﾍﾙﾌﾟを表示できません。 このﾌﾟﾛｸﾞﾗﾑに関連付けられたﾍﾙﾌﾟが存在しません。"));
    QCOMPARE(QtMessagePrompt::Asked()[0].icon, MessageIcon::Information);
    QVERIFY(HelpWindow() == nullptr);
}

void ShellWidgetsTest::helpOpensTheTopicOfTheContext() {
    test::TempFolder folder;
    std::string page = "<html><body><a name=\"1\"></a><h1>Top</h1>";
    for (int i = 0; i < 200; ++i) {
        page += "<p>filler line</p>";
    }
    page += "<a name=\"2001\"></a><h2>Deep topic</h2>";
    for (int i = 0; i < 200; ++i) {
        page += "<p>more</p>";
    }
    page += "</body></html>";
    test::WriteBytes(folder.File("Moravel.HLP"), page);
    QtMessagePrompt::ClearAsked();
    ShowHelp(nullptr, folder.File("Moravel.HLP"), ThemeEditorHelp::Title);
    QVERIFY(HelpWindow() != nullptr);
    QVERIFY(QtMessagePrompt::Asked().empty());
    QVERIFY(HelpWindow()->toPlainText().contains(QStringLiteral("Deep topic")));
    QTRY_VERIFY(HelpWindow()->verticalScrollBar()->value() > 0);  // scrolled down to the topic
    HelpWindow()->close();
}

void ShellWidgetsTest::aMissingHelpFileIsReported() {
    QtMessagePrompt::ClearAsked();
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    // The bare name start-up keeps when the file is missing.
    ShowHelp(nullptr, "Moravel.HLP", HelpContext::Contents);
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(QtMessagePrompt::Asked()[0].text).contains("Moravel.HLP"));
}

void ShellWidgetsTest::helpFromAModalDialogIsNotBlockedByIt() {
    test::TempFolder folder;
    test::WriteBytes(folder.File("Moravel.HLP"),
                     "<html><body><a name=\"1001\"></a>x</body></html>");
    const std::string helpFile = folder.File("Moravel.HLP");
    QDialog dialog;
    QWidget* parentSeen = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        ShowHelp(&dialog, helpFile, kHelpSetupCycle);  // F1 inside the modal dialog
        parentSeen = HelpWindow() ? HelpWindow()->parentWidget() : nullptr;
        dialog.accept();
    });
    dialog.exec();
    // A window of the modal dialog's own is not blocked by it.
    QCOMPARE(parentSeen, &dialog);
}

void ShellWidgetsTest::aSecondStartReachesTheFirst() {
    test::TempFolder runtime;
    QVERIFY(QFile::setPermissions(
        QString::fromStdString(runtime.path()),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const bool hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    const auto restore = qScopeGuard(
        [&] { hadRuntime ? qputenv("XDG_RUNTIME_DIR", previous) : qunsetenv("XDG_RUNTIME_DIR"); });
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path()));
    const std::string name = SingleInstanceName("/opt/moravel/");
    {
        QtSingleInstance first(name);
        QCOMPARE(first.Claim(), InstanceClaim::First);
        QtSingleInstance early(name);
        QCOMPARE(early.Claim(), InstanceClaim::Running);  // before the window listens
        int activations = 0;
        first.OnActivate([&] { ++activations; });
        QTRY_COMPARE(activations, 1);

        QtSingleInstance second(name);
        QCOMPARE(second.Claim(), InstanceClaim::Running);
        QTRY_COMPARE(activations, 2);
        QVERIFY(QFileInfo::exists(QString::fromStdString(runtime.File(name))));
    }
    // The first has ended: the next start is the first again.
    QtSingleInstance next(name);
    QCOMPARE(next.Claim(), InstanceClaim::First);
}

}  // namespace moravel

QTEST_MAIN(moravel::ShellWidgetsTest)
#include "ShellWidgetsTest.moc"
