#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <filesystem>

#include "core/app/Help.h"
#include "core/os/Autostart.h"
#include "core/os/Encoding.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "qt/HelpViewer.h"
#include "qt/QtFileDialog.h"
#include "qt/QtPrompts.h"
#include "qt/TaskTray.h"
#include "qt/fomSetup.h"
#include "support/OnModal.h"
#include "support/RaiseCounter.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

struct Fixture {
    test::TempFolder folder;
    test::ScopedProgramFolder home{folder.path()};
    // The log-on entry goes into the test's folder, never the user's.
    test::ScopedEnvironment config{"XDG_CONFIG_HOME", folder.File("config")};
    QtFileDialog files;
    clsComDlg comDlg{files};
    ProgramState program;
    int resets = 0;

    Fixture() {
        Theme("graph.tm", "初期値", 0);
        Theme("sunset.tm", "夕焼け", 200);
        SetDefaultSettings(program.settings);
        LoadTheme(program.currentTheme, program.settings.ThemeName);
    }
    std::string Themes(std::string_view name) const {
        return JoinPath(folder.File("Themes"), name);
    }
    void Theme(std::string_view name, std::string_view title, int backColor) const {
        test::WriteBytes(Themes(name),
                         Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) +
                                    "\"\r\nBackColor=" + std::to_string(backColor) + "\r\n"));
    }
    std::unique_ptr<fomSetup> Open(fomSetup::ThemeEditorRunner editor = {}) {
        return std::make_unique<fomSetup>(
            nullptr, program, comDlg, [this] { ++resets; }, std::move(editor));
    }
};

template <typename W>
W* Child(QWidget* dialog, const char* name) {
    W* widget = dialog->findChild<W*>(QLatin1String(name));
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

// Picks the row showing `text`, as a click in the list does.
void Pick(QWidget* dialog, const QString& text) {
    auto* themes = Child<QComboBox>(dialog, "cboThemeName");
    const int row = themes->findText(text);
    QVERIFY2(row >= 0, qPrintable(text));
    themes->setCurrentIndex(row);
    emit themes->activated(row);
}

QStringList Rows(QWidget* dialog) {
    auto* themes = Child<QComboBox>(dialog, "cboThemeName");
    QStringList rows;
    for (int i = 0; i < themes->count(); ++i) {
        rows << themes->itemText(i);
    }
    return rows;
}

// The control Tab moves to from `widget`.
QWidget* NextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && (next->focusPolicy() & Qt::TabFocus) == 0) {
        next = next->nextInFocusChain();
    }
    return next;
}

// The top of `widget` in the dialog's coordinates.
QPoint Place(QWidget* dialog, const char* name) {
    QWidget* widget = Child<QWidget>(dialog, name);
    return widget->mapTo(dialog, QPoint(0, 0));
}

}  // namespace

class SetupDialogWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QtMessagePrompt::ClearAsked();
        QtMessagePrompt::SetNextAnswers({});
        QtFileDialog::ClearAsked();
        QtFileDialog::SetNextAnswers({});
        modTaskTray::TrayHost::Pretend(true);
    }
    void captionsOrderAndLayout();
    void eachAccessKeyOnce();
    void theControlsFollowTheSettings();
    void anyTopMostButZeroRaisesTheDialog();
    void okAppliesAndCancelKeepsWhatWasApplied();
    void anEditedThemeBecomesTheCustomTheme();
    void theRealEditorCancelledChangesNothing();
    void saveAsAndDeleteAskThroughTheirPrompts();
    void f1OpensTheControlsTopic();
    void startAtLogOnMakesAndRemovesTheAutostartEntry();
    void aBadAlertValueIsRefusedAndTheDialogStays();
    void withoutATrayHostTheDialogSaysWhy();
    void fileDialogSetUpFromTheRequest();
    void fileDialogAnswers();
};

void SetupDialogWidgetTest::captionsOrderAndLayout() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QCOMPARE(d->windowTitle(), QStringLiteral("Moravel の設定"));
    QCOMPARE(Child<QLabel>(d, "Label1")->text(), QStringLiteral("表示サイクル(&C)"));
    QCOMPARE(Child<QLabel>(d, "Label1")->buddy(), Child<QWidget>(d, "cboCycle"));
    QCOMPARE(Child<QCheckBox>(d, "chkTopMost")->text(), QStringLiteral("常に最前面に表示する(&F)"));
    QCOMPARE(Child<QCheckBox>(d, "chkIconGraphMode")->text(),
             QStringLiteral("タスクトレイのアイコンもグラフ表示する(&I)"));
    QCOMPARE(Child<QCheckBox>(d, "chkAutostart")->text(),
             QStringLiteral("ログオン時に起動する(&L)"));
    QCOMPARE(Child<QCheckBox>(d, "chkCpuView")->text(), QStringLiteral("CPUごとに表示(&P)"));
    QVERIFY(Child<QCheckBox>(d, "chkCpuView")->isVisible());  // Linux reads each processor
    QVERIFY(Child<QLabel>(d, "lblNoTray")->isHidden());       // a desktop with a tray
    QCOMPARE(Child<QGroupBox>(d, "Frame1")->title(), QStringLiteral("テーマ(&T)"));
    QCOMPARE(Child<QPushButton>(d, "cmdSaveAs")->text(), QStringLiteral("名前を付けて保存..."));
    QCOMPARE(Child<QPushButton>(d, "cmdDelete")->text(), QStringLiteral("削除"));
    QCOMPARE(Child<QPushButton>(d, "cmdEdit")->text(), QStringLiteral("編集..."));
    QCOMPARE(Child<QPushButton>(d, "cmdExit")->text(), QStringLiteral("OK"));
    QCOMPARE(Child<QPushButton>(d, "cmdCancel")->text(), QStringLiteral("キャンセル"));
    QCOMPARE(Child<QPushButton>(d, "cmdUpdate")->text(), QStringLiteral("更新"));
    QVERIFY(Child<QPushButton>(d, "cmdExit")->isDefault());

    auto* cycle = Child<QComboBox>(d, "cboCycle");
    QStringList cycles;
    for (int i = 0; i < cycle->count(); ++i) {
        cycles << cycle->itemText(i);
    }
    QCOMPARE(cycles, (QStringList{"1 秒", "2 秒", "3 秒", "5 秒", "10 秒", "20 秒", "30 秒", "1 分",
                                  "2 分", "3 分"}));

    // The options from left to right: メーター1 (2), メーター2 (3), グラフ (1), 数値 (4).
    QCOMPARE(Child<QRadioButton>(d, "optIconGraphMode2")->text(), QStringLiteral("メーター1"));
    QCOMPARE(Child<QRadioButton>(d, "optIconGraphMode3")->text(), QStringLiteral("メーター2"));
    QCOMPARE(Child<QRadioButton>(d, "optIconGraphMode1")->text(), QStringLiteral("グラフ"));
    QCOMPARE(Child<QRadioButton>(d, "optIconGraphMode4")->text(), QStringLiteral("数値"));
    QVERIFY(Place(d, "optIconGraphMode2").x() < Place(d, "optIconGraphMode3").x());
    QVERIFY(Place(d, "optIconGraphMode3").x() < Place(d, "optIconGraphMode1").x());
    QVERIFY(Place(d, "optIconGraphMode1").x() < Place(d, "optIconGraphMode4").x());
    // Indented below their box.
    QVERIFY(Place(d, "optIconGraphMode2").x() > Place(d, "chkIconGraphMode").x());

    // Top to bottom; the theme list and its file name on one row, the buttons below.
    QVERIFY(Place(d, "cboCycle").y() < Place(d, "chkTopMost").y());
    QVERIFY(Place(d, "cboCycle").x() < Place(d, "chkCpuView").x());  // on the cycle's row
    QVERIFY(Place(d, "chkCpuView").y() < Place(d, "chkTopMost").y());
    QCOMPARE(NextTabStop(Child<QWidget>(d, "cboCycle")), Child<QWidget>(d, "chkCpuView"));
    QVERIFY(Place(d, "chkTopMost").y() < Place(d, "chkIconGraphMode").y());
    QVERIFY(Place(d, "chkIconGraphMode").y() < Place(d, "optIconGraphMode2").y());
    QVERIFY(Place(d, "optIconGraphMode2").y() < Place(d, "chkAutostart").y());
    QVERIFY(Place(d, "chkAutostart").y() < Place(d, "Frame1").y());
    QCOMPARE(Place(d, "chkAutostart").x(), Place(d, "chkTopMost").x());
    // In the keyboard's order after the tray options, before the theme list.
    QCOMPARE(NextTabStop(Child<QWidget>(d, "optIconGraphMode4")),
             Child<QWidget>(d, "chkAutostart"));
    // The alert's box and its two values below it, then the theme list.
    QCOMPARE(Child<QCheckBox>(d, "chkAlert")->text(),
             QStringLiteral("高い使用率が続いたら通知する(&A)"));
    QCOMPARE(Child<QLabel>(d, "lblAlertPercent")->text(), QStringLiteral("しきい値(&H)"));
    QCOMPARE(Child<QLabel>(d, "lblAlertSeconds")->text(), QStringLiteral("継続時間(&S)"));
    QVERIFY(Place(d, "chkAutostart").y() < Place(d, "chkAlert").y());
    QVERIFY(Place(d, "chkAlert").y() < Place(d, "txtAlertPercent").y());
    QVERIFY(Place(d, "txtAlertSeconds").y() < Place(d, "Frame1").y());
    QVERIFY(Place(d, "lblAlertPercent").x() > Place(d, "chkAlert").x());
    QVERIFY(Place(d, "txtAlertPercent").x() < Place(d, "txtAlertSeconds").x());
    QCOMPARE(NextTabStop(Child<QWidget>(d, "chkAutostart")), Child<QWidget>(d, "chkAlert"));
    QCOMPARE(NextTabStop(Child<QWidget>(d, "chkAlert")), Child<QWidget>(d, "txtAlertPercent"));
    QCOMPARE(NextTabStop(Child<QWidget>(d, "txtAlertPercent")),
             Child<QWidget>(d, "txtAlertSeconds"));
    QCOMPARE(NextTabStop(Child<QWidget>(d, "txtAlertSeconds")), Child<QWidget>(d, "cboThemeName"));
    QVERIFY(Place(d, "cboThemeName").x() < Place(d, "lblThemeName").x());
    QVERIFY(Place(d, "cboThemeName").y() < Place(d, "cmdSaveAs").y());
    QVERIFY(Place(d, "cmdSaveAs").x() < Place(d, "cmdDelete").x());
    QVERIFY(Place(d, "cmdDelete").x() < Place(d, "cmdEdit").x());
    QVERIFY(Place(d, "cmdEdit").y() < Place(d, "cmdExit").y());
    QVERIFY(Place(d, "cmdExit").x() < Place(d, "cmdCancel").x());
    QVERIFY(Place(d, "cmdCancel").x() < Place(d, "cmdUpdate").x());

    // Every caption fits its control.
    for (QAbstractButton* button : d->findChildren<QAbstractButton*>()) {
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }
}

// Every access key of the dialog belongs to one control; a label's leads to its field.
void SetupDialogWidgetTest::eachAccessKeyOnce() {
    Fixture f;
    auto dialog = f.Open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QStringList keys;
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            QVERIFY2(QKeySequence::mnemonic(text).isEmpty() || label->buddy() != nullptr,
                     qPrintable(text));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            text = box->title();
        }
        const QString key = QKeySequence::mnemonic(text).toString();
        if (!key.isEmpty()) {
            QVERIFY2(!keys.contains(key), qPrintable(text));
            keys << key;
        }
    }
    QVERIFY(keys.size() >= 8);
}

void SetupDialogWidgetTest::theControlsFollowTheSettings() {
    Fixture f;
    f.program.settings.Cycle = 7;
    f.program.settings.IconGraphMode = TrayIconMode::Off;
    f.program.settings.TopMost = TopMostMode::OnTop;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    QCOMPARE(Child<QComboBox>(d, "cboCycle")->currentText(), QStringLiteral("1 秒"));
    QVERIFY(Child<QCheckBox>(d, "chkTopMost")->isChecked());
    QVERIFY(!Child<QCheckBox>(d, "chkIconGraphMode")->isChecked());
    QVERIFY(Child<QRadioButton>(d, "optIconGraphMode2")->isChecked());
    QVERIFY(!Child<QRadioButton>(d, "optIconGraphMode2")->isEnabled());
    QCOMPARE(Rows(d), (QStringList{"初期値", "夕焼け"}));
    QCOMPARE(Child<QComboBox>(d, "cboThemeName")->currentText(), QStringLiteral("初期値"));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QStringLiteral("graph.tm"));
    QVERIFY(Child<QPushButton>(d, "cmdDelete")->isEnabled());

    // Checking the box enables the options with メーター1 chosen; OK stores 2 and 1 秒.
    Child<QCheckBox>(d, "chkIconGraphMode")->click();
    QVERIFY(Child<QRadioButton>(d, "optIconGraphMode1")->isEnabled());
    QVERIFY(!Child<QCheckBox>(d, "chkCpuView")->isChecked());
    Child<QCheckBox>(d, "chkCpuView")->click();
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(f.program.settings.IconGraphMode, TrayIconMode::Meter1);
    QCOMPARE(f.program.settings.Cycle, 1);
    QCOMPARE(f.program.settings.CpuView, CpuViewMode::Processors);

    f.program.settings.IconGraphMode = TrayIconMode::Meter2;
    f.program.settings.Cycle = 180;
    dialog = f.Open();
    d = dialog.get();
    QVERIFY(Child<QCheckBox>(d, "chkIconGraphMode")->isChecked());
    QVERIFY(Child<QRadioButton>(d, "optIconGraphMode3")->isChecked());
    QCOMPARE(Child<QComboBox>(d, "cboCycle")->currentText(), QStringLiteral("3 分"));
    Child<QRadioButton>(d, "optIconGraphMode1")->click();
    Child<QComboBox>(d, "cboCycle")->setCurrentIndex(4);
    Child<QCheckBox>(d, "chkTopMost")->click();
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(f.program.settings.IconGraphMode, TrayIconMode::Graph);
    QCOMPARE(f.program.settings.Cycle, 10);
    QCOMPARE(f.program.settings.TopMost, TopMostMode::Normal);

    // The custom theme: marked, with no file name and nothing to delete.
    test::WriteBytes(f.folder.File("Moravel.tm"), "[Theme]\r\nTitle=\"mine\"\r\n");
    f.program.settings.ThemeName = "";
    dialog = f.Open();
    d = dialog.get();
    QCOMPARE(Child<QComboBox>(d, "cboThemeName")->currentText(),
             QStringLiteral("mine （カスタム）"));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QString());
    QVERIFY(!Child<QPushButton>(d, "cmdDelete")->isEnabled());
}

void SetupDialogWidgetTest::anyTopMostButZeroRaisesTheDialog() {
    // Above an always-on-top main window, whatever non-zero number keeps it there.
    for (const std::int32_t topMost : {0, 1, 2, -1}) {
        Fixture f;
        f.program.settings.TopMost = static_cast<TopMostMode>(topMost);
        auto dialog = f.Open();
        test::RaiseCounter counter;
        dialog->installEventFilter(&counter);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(counter.raises > 0, topMost != 0);
        QCOMPARE(Child<QCheckBox>(dialog.get(), "chkTopMost")->isChecked(), topMost != 0);
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

void SetupDialogWidgetTest::okAppliesAndCancelKeepsWhatWasApplied() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    Pick(d, QStringLiteral("夕焼け"));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QStringLiteral("sunset.tm"));
    QCOMPARE(f.program.settings.ThemeName, std::string("graph.tm"));  // not yet
    Child<QPushButton>(d, "cmdUpdate")->click();
    QCOMPARE(f.resets, 1);
    QCOMPARE(f.program.settings.ThemeName, std::string("sunset.tm"));
    QCOMPARE(f.program.currentTheme.BackColor, 200);
    QCOMPARE(dialog->result(), 0);  // 更新 does not close it

    Pick(d, QStringLiteral("初期値"));
    QTest::keyClick(d, Qt::Key_Escape);  // キャンセル
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(f.program.settings.ThemeName, std::string("sunset.tm"));
    QCOMPARE(f.resets, 1);

    dialog = f.Open();
    d = dialog.get();
    QCOMPARE(Child<QComboBox>(d, "cboThemeName")->currentText(), QStringLiteral("夕焼け"));
    Pick(d, QStringLiteral("初期値"));
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.program.settings.ThemeName, std::string("graph.tm"));
    QCOMPARE(f.program.currentTheme.BackColor, 0);
    QCOMPARE(f.resets, 2);
}

void SetupDialogWidgetTest::anEditedThemeBecomesTheCustomTheme() {
    Fixture f;
    int edits = 0;
    bool change = false;
    auto dialog = f.Open([&](QWidget* owner) {
        ++edits;
        if (owner == nullptr || f.program.editorTheme.Title != "初期値") {
            return -1;  // must be handed the working theme
        }
        if (!change) {
            return 0;  // OK without a change
        }
        f.program.editorTheme.Title = "編集済み";
        f.program.editorTheme.BackColor = 0x123456;
        return 0;
    });
    QWidget* d = dialog.get();
    Child<QPushButton>(d, "cmdEdit")->click();
    QCOMPARE(edits, 1);
    QVERIFY(!IsFile(f.folder.File("Moravel.tm")));
    QCOMPARE(Rows(d), (QStringList{"初期値", "夕焼け"}));

    change = true;
    Child<QPushButton>(d, "cmdEdit")->click();
    QCOMPARE(edits, 2);
    QVERIFY(IsFile(f.folder.File("Moravel.tm")));
    QCOMPARE(Child<QComboBox>(d, "cboThemeName")->currentText(),
             QStringLiteral("編集済み （カスタム）"));
    QVERIFY(!Child<QPushButton>(d, "cmdDelete")->isEnabled());
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QString());
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(f.program.settings.ThemeName, std::string());
    QCOMPARE(f.program.currentTheme.BackColor, 0x123456);
}

void SetupDialogWidgetTest::theRealEditorCancelledChangesNothing() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    bool editorShown = false;
    test::OnModal([&](QWidget* editor) {
        editorShown = editor != nullptr && editor != d &&
                      editor->windowTitle() == QStringLiteral("テーマファイルの編集");
    });
    Child<QPushButton>(d, "cmdEdit")->click();
    QVERIFY(editorShown);
    QVERIFY(!IsFile(f.folder.File("Moravel.tm")));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QStringLiteral("graph.tm"));
}

void SetupDialogWidgetTest::saveAsAndDeleteAskThroughTheirPrompts() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();

    // Into the Themes folder: written and selected, no question.
    QtFileDialog::SetNextAnswers({FileDialogAnswer{f.Themes("copy"), 1}});
    Child<QPushButton>(d, "cmdSaveAs")->click();
    QCOMPARE(QtFileDialog::Asked().size(), std::size_t{1});
    const FileDialogRequest& request = QtFileDialog::Asked()[0];
    QCOMPARE(request.action, FileDialogAction::Save);
    QCOMPARE(QString::fromStdString(request.title), QStringLiteral("名前を付けて保存"));
    QCOMPARE(request.fileBox, std::string("graph"));
    QCOMPARE(request.initialFolder, f.folder.File("Themes"));
    QCOMPARE(QtFileDialog::OwnerWindow(request.owner), d);
    QVERIFY(IsFile(f.Themes("copy.tm")));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QStringLiteral("copy.tm"));
    QCOMPARE(Rows(d), (QStringList{"初期値", "初期値", "夕焼け"}));
    QVERIFY(QtMessagePrompt::Asked().empty());

    // Elsewhere: the question, OK default; cancelled, nothing is written.
    test::TempFolder elsewhere;
    QtFileDialog::SetNextAnswers({FileDialogAnswer{elsewhere.File("x.tm"), 1}});
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Cancel});
    Child<QPushButton>(d, "cmdSaveAs")->click();
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    const MessageRequest& question = QtMessagePrompt::Asked()[0];
    QCOMPARE(QString::fromStdString(question.text),
             QStringLiteral(
                 "Themes フォルダ以外に保存すると、Moravelから使用できません。宜しいですか？"));
    QCOMPARE(question.caption, std::string("Moravel"));
    QCOMPARE(question.buttons, MessageButtons::OkCancel);
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.defaultButton, MessageDefault::First);
    QVERIFY(!IsFile(elsewhere.File("x.tm")));
    QCOMPARE(Child<QLabel>(d, "lblThemeName")->text(), QStringLiteral("copy.tm"));

    // A cancelled file dialog changes nothing.
    QtFileDialog::SetNextAnswers({std::nullopt});
    Child<QPushButton>(d, "cmdSaveAs")->click();
    QCOMPARE(Rows(d).size(), 3);

    // Delete the selected copy: asked with Cancel as default, then gone; the list falls back.
    QtMessagePrompt::ClearAsked();
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    Child<QPushButton>(d, "cmdDelete")->click();
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(QtMessagePrompt::Asked()[0].text),
             QStringLiteral("テーマファイル 初期値(copy.tm) を削除します。宜しいですか？"));
    QCOMPARE(QtMessagePrompt::Asked()[0].defaultButton, MessageDefault::Second);
    QCOMPARE(QtMessagePrompt::Asked()[0].icon, MessageIcon::Question);
    QVERIFY(!IsFile(f.Themes("copy.tm")));
    QCOMPARE(Rows(d), (QStringList{"初期値", "夕焼け"}));
    QVERIFY(!Child<QLabel>(d, "lblThemeName")->text().isEmpty());
}

void SetupDialogWidgetTest::f1OpensTheControlsTopic() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    const std::pair<const char*, int> contexts[] = {
        {"cboCycle", 1001},       {"chkTopMost", 1002},   {"chkIconGraphMode", 0},
        {"optIconGraphMode1", 0}, {"cboThemeName", 1004}, {"cmdSaveAs", 1005},
        {"cmdDelete", 1006},      {"cmdEdit", 1007},      {"cmdExit", 1008},
        {"cmdCancel", 1009},      {"cmdUpdate", 1010},    {"chkAutostart", 1011},
        {"chkCpuView", 1013},
    };
    for (const auto& [name, context] : contexts) {
        QCOMPARE(static_cast<int>(HelpContextOf(Child<QWidget>(d, name))), context);
    }

    test::WriteBytes(f.folder.File("Moravel.HLP"),
                     "<html><body><a name=\"1007\"></a><h1>Edit topic</h1></body></html>");
    f.program.helpFile = f.folder.File("Moravel.HLP");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    Child<QWidget>(d, "cmdEdit")->setFocus();
    QTest::keyClick(d, Qt::Key_F1);
    QTRY_VERIFY(HelpWindow() != nullptr);
    QVERIFY(HelpWindow()->toPlainText().contains(QStringLiteral("Edit topic")));
    // It belongs to the dialog while that is open, so a modal dialog does not block it.
    QCOMPARE(HelpWindow()->windowHandle()->transientParent(), d->windowHandle());
    dialog->reject();
    QVERIFY(HelpWindow()->windowHandle()->transientParent() == nullptr);
    HelpWindow()->close();
}

// The alert's values: a bad one is refused with its message, the dialog stays open at that field
// and nothing is applied; corrected, OK applies them.
void SetupDialogWidgetTest::aBadAlertValueIsRefusedAndTheDialogStays() {
    Fixture f;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    auto* percent = Child<QLineEdit>(d, "txtAlertPercent");
    auto* seconds = Child<QLineEdit>(d, "txtAlertSeconds");
    QVERIFY(!percent->isEnabled());
    QCOMPARE(percent->text(), QStringLiteral("90"));
    QCOMPARE(seconds->text(), QStringLiteral("30"));
    Child<QCheckBox>(d, "chkAlert")->click();
    QVERIFY(percent->isEnabled());
    d->show();
    seconds->clear();
    QTest::keyClicks(seconds, QStringLiteral("2"));
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(QtMessagePrompt::Asked()[0].text),
             QStringLiteral("継続時間には 5 から 3600 までの整数を入力してください。"));
    QVERIFY(d->isVisible());
    QCOMPARE(f.program.settings.AlertPercent, 0);
    QCOMPARE(seconds->selectedText(), QStringLiteral("2"));  // taken back to the field
    seconds->end(false);
    QTest::keyClicks(seconds, QStringLiteral("0"));  // "20"
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(f.program.settings.AlertPercent, 90);
    QCOMPARE(f.program.settings.AlertSeconds, 20);
}

void SetupDialogWidgetTest::startAtLogOnMakesAndRemovesTheAutostartEntry() {
    Fixture f;
    const std::string entry =
        JoinPath(JoinPath(f.folder.File("config"), "autostart"), "moravel.desktop");
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    auto* box = Child<QCheckBox>(d, "chkAutostart");
    QVERIFY(box->isEnabled());
    QVERIFY(!box->isChecked());
    box->click();
    QVERIFY(!IsFile(entry));  // only OK or 更新 applies it
    Child<QPushButton>(d, "cmdExit")->click();
    QVERIFY(IsFile(entry));
    // It starts this very program: the running executable, by its full path.
    const std::string text = test::ReadBytes(entry);
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    QCOMPARE(AutostartEntryProgram(text), std::optional<std::string>(self));
    QVERIFY(text.find("\nIcon=io.github.moravel.Moravel\n") != std::string::npos);

    // Opened again, the box shows the entry; unchecked and applied, the entry goes.
    dialog = f.Open();
    d = dialog.get();
    box = Child<QCheckBox>(d, "chkAutostart");
    QVERIFY(box->isChecked());
    box->click();
    Child<QPushButton>(d, "cmdUpdate")->click();
    QVERIFY(!IsFile(entry));

    // An entry for another copy of the program shows as off, and an unchanged OK keeps it.
    test::WriteBytes(entry, AutostartEntryText("/opt/other/moravel"));
    dialog = f.Open();
    d = dialog.get();
    QVERIFY(!Child<QCheckBox>(d, "chkAutostart")->isChecked());
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(test::ReadBytes(entry), AutostartEntryText("/opt/other/moravel"));
    QVERIFY(QtMessagePrompt::Asked().empty());

    // An entry that cannot be written (its folder is a file) is reported; the box shows none.
    std::filesystem::remove(entry);
    std::filesystem::remove(f.folder.File("config/autostart"));
    test::WriteBytes(f.folder.File("config/autostart"), "not a folder");
    dialog = f.Open();
    d = dialog.get();
    Child<QCheckBox>(d, "chkAutostart")->click();
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    Child<QPushButton>(d, "cmdUpdate")->click();
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(QtMessagePrompt::Asked()[0].text),
             QStringLiteral("ログオン時に起動するように設定できませんでした。"));
    QVERIFY(!Child<QCheckBox>(d, "chkAutostart")->isChecked());
}

void SetupDialogWidgetTest::withoutATrayHostTheDialogSaysWhy() {
    Fixture f;
    modTaskTray::TrayHost::Pretend(false);
    f.program.settings.IconGraphMode = TrayIconMode::Graph;
    auto dialog = f.Open();
    QWidget* d = dialog.get();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    auto* why = Child<QLabel>(d, "lblNoTray");
    QVERIFY(why->isVisible());
    QVERIFY(why->text().contains(QStringLiteral("通知領域")));
    QVERIFY(!Child<QCheckBox>(d, "chkIconGraphMode")->isEnabled());
    QVERIFY(Child<QCheckBox>(d, "chkIconGraphMode")->isChecked());  // kept
    QVERIFY(!Child<QRadioButton>(d, "optIconGraphMode1")->isEnabled());
    QVERIFY(Place(d, "optIconGraphMode1").y() < Place(d, "lblNoTray").y());
    QVERIFY(Place(d, "lblNoTray").y() < Place(d, "chkAutostart").y());

    // A tray host appears while the dialog is open: both work again.
    modTaskTray::TrayHost::Pretend(true);
    QVERIFY(!why->isVisible());
    QVERIFY(Child<QCheckBox>(d, "chkIconGraphMode")->isEnabled());
    QVERIFY(Child<QRadioButton>(d, "optIconGraphMode1")->isEnabled());
    Child<QPushButton>(d, "cmdExit")->click();
    QCOMPARE(f.program.settings.IconGraphMode, TrayIconMode::Graph);
}

void SetupDialogWidgetTest::fileDialogSetUpFromTheRequest() {
    test::TempFolder folder;
    FileDialogRequest request;
    request.action = FileDialogAction::Save;
    request.title = "名前を付けて保存";
    request.filters = {{"テーマファイル(tm)", "*.tm"}, {"画像", "*.bmp;*.jpg"}};
    request.filterIndex = 2;
    request.initialFolder = folder.path();
    request.fileBox = "graph";
    request.flags = 0x28080C;
    QFileDialog dialog;
    QtFileDialog::Prepare(dialog, request);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("名前を付けて保存"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.nameFilters(),
             (QStringList{"テーマファイル(tm) (*.tm)", "画像 (*.bmp *.jpg)"}));
    QCOMPARE(QtFileDialog::SelectedFilterIndex(dialog), 2);
    QCOMPARE(QDir(dialog.directory()).canonicalPath(),
             QDir(QString::fromStdString(folder.path())).canonicalPath());

    request.action = FileDialogAction::Open;
    request.flags = 0x1000 | 0x2;
    request.filterIndex = 9;  // out of range: the first
    QFileDialog open;
    QtFileDialog::Prepare(open, request);
    QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
    QVERIFY(!open.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(QtFileDialog::SelectedFilterIndex(open), 1);
    open.selectNameFilter(QStringLiteral("画像 (*.bmp *.jpg)"));
    QCOMPARE(QtFileDialog::SelectedFilterIndex(open), 2);
}

void SetupDialogWidgetTest::fileDialogAnswers() {
    test::TempFolder folder;
    const QString inFolder = QString::fromStdString(folder.File("a.tm"));
    auto answer = QtFileDialog::Answer(inFolder, 2, 0x800);
    QVERIFY(answer.has_value());
    QCOMPARE(answer->path, folder.File("a.tm"));
    QCOMPARE(answer->filterIndex, 2);
    QVERIFY(!QtFileDialog::Answer(QString(), 1, 0).has_value());
    // A missing folder: refused only when the path must exist.
    const QString missing = QString::fromStdString(folder.File("no/a.tm"));
    QVERIFY(!QtFileDialog::Answer(missing, 1, 0x800).has_value());
    QVERIFY(QtFileDialog::Answer(missing, 1, 0).has_value());
    // The file buffer holds 255 characters with its closing NUL.
    const QString base = QStringLiteral("/t/");
    QVERIFY(QtFileDialog::Answer(base + QString(251, QChar(u'漢')), 1, 0).has_value());
    QVERIFY(!QtFileDialog::Answer(base + QString(252, QChar(u'漢')), 1, 0).has_value());

    // Through clsComDlg: a cancel empties FileName, and FilterIndex stays from the last answer.
    QtFileDialog files;
    clsComDlg comDlg(files);
    comDlg.Filter = "A|*.a|B|*.b";
    comDlg.FilterIndex = 1;
    comDlg.FileName = folder.File("x.a");
    QtFileDialog::SetNextAnswers({FileDialogAnswer{folder.File("y.b"), 2}, std::nullopt});
    comDlg.Action(FileDialogAction::Open);
    QCOMPARE(comDlg.FileName, folder.File("y.b"));
    QCOMPARE(comDlg.FilterIndex, 2);
    comDlg.Action(FileDialogAction::Open);
    QCOMPARE(comDlg.FileName, std::string());
    QCOMPARE(comDlg.FilterIndex, 2);
    QCOMPARE(QtFileDialog::Asked().back().filterIndex, 2);
}

}  // namespace moravel

QTEST_MAIN(moravel::SetupDialogWidgetTest)
#include "SetupDialogWidgetTest.moc"
