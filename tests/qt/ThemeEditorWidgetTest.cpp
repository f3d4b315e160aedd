#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "core/app/Help.h"
#include "core/os/Paths.h"
#include "qt/ColorDialog.h"
#include "qt/FontDialog.h"
#include "qt/HelpViewer.h"
#include "qt/fomThemeSetup.h"
#include "support/OnModal.h"
#include "support/RaiseCounter.h"
#include "support/TempFolder.h"

namespace moravel {

namespace {

// A BMP strip of `width` patterns: column n is the colour (n, 2n, 255 - n) from top to bottom.
void WriteStrip(const std::string& path, int width) {
    QImage strip(width, 8, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < 8; ++y) {
            strip.setPixelColor(x, y, QColor(x, 2 * x, 255 - x));
        }
    }
    QVERIFY(strip.save(QString::fromStdString(path), "BMP"));
}

// The bounds of the pixels in `image` that differ from its top-left pixel.
QRect Ink(const QImage& image) {
    const QRgb back = image.pixel(0, 0);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != back) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

}  // namespace

class ThemeEditorWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void customColoursStartBlackAndLastTheRun();
    void okCancelAndClosingTheWindow();
    void anyTopMostButZeroRaisesTheEditor();
    void graphAndBackgroundPagesGreyWhatTheTypeDoesNotUse();
    void linePagesGreyTheirColoursByType();
    void usageTextPageGreysByType();
    void eachPageUsesEachAccessKeyOnce();
    void aColourChosenReachesTheTheme();
    void aFontChosenReachesTheThemeAndTheSample();
    void typingThePrefixRedrawsTheSampleCentred();
    void anImageNotInTheFolderIsStoredAsNone();
    void aStripOf24PatternsCountsFrom1To24();
    void withoutAStripThePatternChoicesAreOff();
    void f1OpensTheTopicOfTheFocusedControl();
    void f1HelpIsNotBlockedByTheModalEditor();
    void anEditedThemeSavedReadsBackAsChosen();
    void theRealColourDialogGivesTheColourChosen();
    void theRealFontDialogKeepsUntouchedStyleBits();

  private:
    // Runs Edit() while `user` plays the user on the open dialog; the dialog is cancelled
    // afterwards if `user` left it open (a failed check, for example).
    int Edit(const std::function<void(fomThemeSetup&)>& user);
    template <typename T>
    T* Find(const QString& name) {
        T* widget = dialog_->findChild<T*>(name);
        if (widget == nullptr) {
            qWarning("no widget %s", qPrintable(name));
        }
        return widget;
    }
    bool Enabled(const QString& name) { return Find<QWidget>(name)->isEnabled(); }
    void Click(const QString& name) { Find<QAbstractButton>(name)->click(); }

    std::unique_ptr<test::TempFolder> folder_;
    std::unique_ptr<test::ScopedProgramFolder> home_;
    ProgramState program_;  // the editor's, made afresh for each test
    std::unique_ptr<fomThemeSetup> dialog_;
    ThemeRecord theme_;
};

void ThemeEditorWidgetTest::initTestCase() {
    // Qt keeps the colour dialog's custom colours in its settings: not in the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void ThemeEditorWidgetTest::init() {
    folder_ = std::make_unique<test::TempFolder>();
    home_ = std::make_unique<test::ScopedProgramFolder>(folder_->path());
    std::filesystem::create_directory(folder_->File("Themes"));
    WriteStrip(PatternFilePath(), 24);
    test::WriteBytes(JoinPath(ThemesFolder(), "sky.bmp"), "BM");
    test::WriteBytes(JoinPath(ThemesFolder(), "clouds.gif"), "GIF8");
    SetDefaultTheme(theme_);
    theme_.TextFont.Name = "DejaVu Sans";
    program_ = ProgramState{};
    program_.editorTheme = theme_;
    dialog_ = std::make_unique<fomThemeSetup>(nullptr, program_);
}

void ThemeEditorWidgetTest::cleanup() {
    dialog_.reset();
    home_.reset();
    folder_.reset();
    ColorDialogAnswers::SetNextAnswers({});
    FontDialogAnswers::SetNextAnswers({});
}

int ThemeEditorWidgetTest::Edit(const std::function<void(fomThemeSetup&)>& user) {
    QTimer::singleShot(0, dialog_.get(), [this, user] {
        user(*dialog_);
        if (dialog_->isVisible()) {
            dialog_->reject();
        }
    });
    return dialog_->Edit();
}

void ThemeEditorWidgetTest::customColoursStartBlackAndLastTheRun() {
    // Left over from an earlier run, as Qt may keep them.
    QColorDialog::setCustomColor(3, QColor(255, 0, 0));
    ColorDialogAnswers::SetNextAnswers({0x123456, -1});
    QCOMPARE(ShowColorDialog(nullptr, 0x8000000F), 0x123456);
    for (int i = 0; i < kCustomColourCount; ++i) {
        QCOMPARE(QColorDialog::customColor(i), QColor(0, 0, 0));
    }
    QColorDialog::setCustomColor(5, QColor(0, 0, 255));  // defined by the user
    QCOMPARE(ShowColorDialog(nullptr, 0), -1);
    QCOMPARE(QColorDialog::customColor(5), QColor(0, 0, 255));
}

void ThemeEditorWidgetTest::okCancelAndClosingTheWindow() {
    theme_.Title = "Mine";
    theme_.TextPrefix = " x ";
    program_.editorTheme = theme_;

    // Cancel after changes: nothing comes back.
    QCOMPARE(Edit([this](fomThemeSetup& d) {
                 QCOMPARE(d.windowTitle(), QStringLiteral("テーマファイルの編集"));
                 QVERIFY(Find<QWidget>("frmPage_0")->isVisible());  // the graph page first
                 QTest::keyClicks(Find<QLineEdit>("txtTitle"), "zz");
                 Click("optForeType_0");
                 Click("cmdCancel");
             }),
             -1);
    QCOMPARE(program_.editorTheme, theme_);

    // Closing the window after using the font dialog: nothing comes back either.
    FontDialogAnswers::SetNextAnswers({[](QFont& f) {
        f.setPointSizeF(30);
        return true;
    }});
    QCOMPARE(Edit([this](fomThemeSetup& d) {
                 Click("optPage_4");
                 Click("cmdTextFont");
                 QCOMPARE(d.state().WorkTheme.TextFont.Size, 30.0);
                 d.close();
             }),
             -1);
    QCOMPARE(program_.editorTheme, theme_);

    // Esc cancels too.
    QCOMPARE(Edit([](fomThemeSetup& d) { QTest::keyClick(&d, Qt::Key_Escape); }), -1);

    // OK without changes: the theme comes back as it was, the title trimmed, the prefix not.
    program_.editorTheme.Title = "  Mine ";
    QCOMPARE(Edit([this](fomThemeSetup&) { Click("cmdExit"); }), 0);
    QCOMPARE(program_.editorTheme, theme_);

    // Enter in the title box presses OK.
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 QLineEdit* title = Find<QLineEdit>("txtTitle");
                 title->setFocus();
                 title->selectAll();
                 QTest::keyClicks(title, "Night");
                 QTest::keyClick(title, Qt::Key_Return);
             }),
             0);
    QCOMPARE(program_.editorTheme.Title, std::string("Night"));
}

void ThemeEditorWidgetTest::anyTopMostButZeroRaisesTheEditor() {
    for (const std::int32_t topMost : {0, 1, 2}) {
        program_.settings.TopMost = static_cast<TopMostMode>(topMost);
        dialog_ = std::make_unique<fomThemeSetup>(nullptr, program_);
        test::RaiseCounter counter;
        dialog_->installEventFilter(&counter);
        Edit([](fomThemeSetup&) {});
        QCOMPARE(counter.raises > 0, topMost != 0);
        QVERIFY(!dialog_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

void ThemeEditorWidgetTest::graphAndBackgroundPagesGreyWhatTheTypeDoesNotUse() {
    Edit([this](fomThemeSetup&) {
        struct Expected {
            bool line, graph, pattern, file, edge, stretch;
        };
        for (int edge = 0; edge < 2; ++edge) {
            for (int t = 0; t < 4; ++t) {
                Click(QStringLiteral("optForeType_%1").arg(t));
                if (Find<QCheckBox>("chkForeEdge")->isChecked() != (edge == 1)) {
                    Find<QCheckBox>("chkForeEdge")->setEnabled(true);
                    Click("chkForeEdge");
                    Click(QStringLiteral("optForeType_%1").arg(t));
                }
                const Expected e = {t == 0 || edge == 1, t == 1, t == 2, t == 3, t > 0, t > 1};
                const QString at = QStringLiteral("type %1 edge %2").arg(t).arg(edge);
                QVERIFY2(Enabled("cmdForeColor_0") == e.line, qPrintable(at));
                QVERIFY2(Enabled("cmdForeColor_1") == e.line, qPrintable(at));
                QVERIFY2(Enabled("cmdForeColor_2") == e.graph, qPrintable(at));
                QVERIFY2(Enabled("hscForeNo") == e.pattern, qPrintable(at));
                QVERIFY2(Enabled("picForeNo") == e.pattern, qPrintable(at));
                QVERIFY2(Enabled("cboForeName") == e.file, qPrintable(at));
                QVERIFY2(Enabled("chkForeEdge") == e.edge, qPrintable(at));
                QVERIFY2(Enabled("chkForePosition") == e.stretch, qPrintable(at));
                QVERIFY(Enabled("lblForeColor_0"));  // swatches stay enabled
            }
        }
        Click("optPage_1");
        QVERIFY(Find<QWidget>("frmPage_1")->isVisible());
        QVERIFY(!Find<QWidget>("frmPage_0")->isVisible());
        for (int t = 0; t < 3; ++t) {
            Click(QStringLiteral("optBackType_%1").arg(t));
            QCOMPARE(Enabled("cmdBackColor"), t == 0);
            QCOMPARE(Enabled("hscBackNo"), t == 1);
            QCOMPARE(Enabled("picBackNo"), t == 1);
            QCOMPARE(Enabled("cboBackName"), t == 2);
        }
    });
}

void ThemeEditorWidgetTest::linePagesGreyTheirColoursByType() {
    Edit([this](fomThemeSetup&) {
        const bool vertical[4][3] = {
            {false, false, false}, {true, true, true}, {false, true, true}, {false, false, true}};
        const bool horizontal[4][3] = {
            {false, false, false}, {true, true, true}, {false, true, false}, {false, false, true}};
        for (const char* kind : {"V", "H"}) {
            const bool v = kind[0] == 'V';
            Click(QStringLiteral("optPage_%1").arg(v ? 2 : 3));
            for (int t = 0; t < 4; ++t) {
                Click(QStringLiteral("optGraph%1Type_%2").arg(kind).arg(t));
                for (int i = 0; i < 3; ++i) {
                    QCOMPARE(Enabled(QStringLiteral("cmdGraph%1Color_%2").arg(kind).arg(i)),
                             v ? vertical[t][i] : horizontal[t][i]);
                }
                for (int i = 0; i < 3; ++i) {
                    QCOMPARE(Enabled(QStringLiteral("optGraph%1LineType_%2").arg(kind).arg(i)),
                             t != 0);
                    QCOMPARE(Enabled(QStringLiteral("optGraph%1LineMode_%2").arg(kind).arg(i)),
                             t != 0);
                }
            }
        }
    });
}

// With a page shown, every access key in sight belongs to one control, and a caption's key leads
// to a control on the same page.
void ThemeEditorWidgetTest::eachPageUsesEachAccessKeyOnce() {
    Edit([this](fomThemeSetup& editor) {
        // The title's and the page buttons' six keys, and each page's own.
        const int keysOnPage[] = {6 + 11, 6 + 6, 6 + 9, 6 + 9, 6 + 10};
        for (int page = 0; page < 5; ++page) {
            Click(QStringLiteral("optPage_%1").arg(page));
            QStringList keys;
            for (QWidget* widget : editor.findChildren<QWidget*>()) {
                QString text;
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    text = label->text();
                } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                    text = button->text();
                }
                const QString key = QKeySequence::mnemonic(text).toString();
                if (!widget->isVisible() || key.isEmpty()) {
                    continue;
                }
                const QString at = QStringLiteral("page %1: %2").arg(page).arg(text);
                QVERIFY2(!keys.contains(key), qPrintable(at));
                keys << key;
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    QVERIFY2(label->buddy() != nullptr && label->buddy()->isVisible(),
                             qPrintable(at));
                }
            }
            QCOMPARE(keys.size(), keysOnPage[page]);
        }
    });
}

void ThemeEditorWidgetTest::usageTextPageGreysByType() {
    Edit([this](fomThemeSetup&) {
        Click("optPage_4");
        for (int t = 0; t < 3; ++t) {
            Click(QStringLiteral("optTextType_%1").arg(t));
            for (const char* name :
                 {"cmdTextColor_0", "txtTextPrefix", "txtTextSuffix", "cmdTextFont", "Frame5"}) {
                QCOMPARE(Enabled(QLatin1String(name)), t != 0);
            }
            QCOMPARE(Enabled("cmdTextColor_1"), t == 2);
            QCOMPARE(Enabled("cmdTextColor_2"), t == 2);
        }
        Click("optTextPosition_6");
        QCOMPARE(Find<QLabel>("lblTextPosition")->text(), QStringLiteral("左下"));
        Click("cmdExit");
    });
    QCOMPARE(program_.editorTheme.TextType, TextKind::Edged);
    QCOMPARE(program_.editorTheme.TextPosition, TextPlace::BottomLeft);
}

void ThemeEditorWidgetTest::aColourChosenReachesTheTheme() {
    ColorDialogAnswers::ClearAsked();
    ColorDialogAnswers::SetNextAnswers({0x0000FF, -1});
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 Click("optPage_1");
                 Click("cmdBackColor");
                 QCOMPARE(Find<QLabel>("lblBackColor")->palette().color(QPalette::Window),
                          QColor(255, 0, 0));
                 Click("optPage_3");
                 Click("cmdGraphHColor_2");  // cancelled: the swatch keeps its colour
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.BackColor, 0x0000FF);
    QCOMPARE(program_.editorTheme.GraphHColor3, theme_.GraphHColor3);
    QCOMPARE(ColorDialogAnswers::Asked(), (std::vector<std::int32_t>{0, 0xFFFFFF}));
}

void ThemeEditorWidgetTest::aFontChosenReachesTheThemeAndTheSample() {
    theme_.TextFont = {"ＭＳ ゴシック", 14, 4 | 8};
    program_.editorTheme = theme_;
    FontDialogAnswers::ClearAsked();
    FontDialogAnswers::SetNextAnswers({[](QFont& f) {
        f.setPointSizeF(10.5);  // only the size changes
        return true;
    }});
    QCOMPARE(Edit([this](fomThemeSetup& d) {
                 Click("optPage_4");
                 const QImage before = Find<QLabel>("picTextFont")->pixmap().toImage();
                 Click("cmdTextFont");
                 QVERIFY(Find<QLabel>("picTextFont")->pixmap().toImage() != before);
                 QCOMPARE(d.state().picTextFont.Font().points, 10.5);
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(FontDialogAnswers::Asked().size(), std::size_t{1});
    QVERIFY(FontDialogAnswers::Asked()[0].underline());
    QVERIFY(FontDialogAnswers::Asked()[0].strikeOut());
    // The stand-in family was left chosen, so the theme keeps its face; the style bits the user
    // did not touch come back unchanged.
    QCOMPARE(program_.editorTheme.TextFont, (FontRecord{"ＭＳ ゴシック", 10.5, 4 | 8}));

    FontDialogAnswers::SetNextAnswers({[](QFont& f) {
        f.setFamily(QStringLiteral("DejaVu Serif"));
        f.setWeight(QFont::Light);
        return true;
    }});
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 Click("optPage_4");
                 Click("cmdTextFont");
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.TextFont, (FontRecord{"DejaVu Serif", 10.5, 1 | 4 | 8}));
}

void ThemeEditorWidgetTest::typingThePrefixRedrawsTheSampleCentred() {
    Edit([this](fomThemeSetup& d) {
        Click("optPage_4");
        QLabel* sample = Find<QLabel>("picTextFont");
        const QImage before = sample->pixmap().toImage();
        QTest::keyClicks(Find<QLineEdit>("txtTextPrefix"), "CPU ");
        const QImage after = sample->pixmap().toImage();
        QVERIFY(after != before);
        QCOMPARE(d.state().sample.text, std::string("CPU 100 %"));
        // The ink sits in the middle of the box (within the picture's 1-pixel frame).
        const QRect ink = Ink(after);
        QVERIFY(!ink.isEmpty());
        const int left = ink.left();
        const int right = after.width() - 1 - ink.right();
        QVERIFY2(std::abs(left - right) <= 4,
                 qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
        QVERIFY(std::abs(ink.top() - (after.height() - 1 - ink.bottom())) <= 6);
        Click("cmdExit");
    });
    QCOMPARE(program_.editorTheme.TextPrefix, std::string("CPU "));
}

void ThemeEditorWidgetTest::anImageNotInTheFolderIsStoredAsNone() {
    theme_.ForeType = ForeKind::Image;
    theme_.ForeName = "gone.bmp";
    theme_.BackName = "sky.bmp";
    program_.editorTheme = theme_;
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 QComboBox* fore = Find<QComboBox>("cboForeName");
                 QCOMPARE(fore->currentText(), QStringLiteral("（なし）"));
                 QCOMPARE(fore->count(), 3);
                 QCOMPARE(fore->itemText(1), QStringLiteral("clouds.gif"));
                 QCOMPARE(Find<QComboBox>("cboBackName")->currentText(), QStringLiteral("sky.bmp"));
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.ForeName, std::string());
    QCOMPARE(program_.editorTheme.BackName, std::string("sky.bmp"));

    QCOMPARE(Edit([this](fomThemeSetup&) {
                 Find<QComboBox>("cboForeName")->setCurrentIndex(1);
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.ForeName, std::string("clouds.gif"));
}

void ThemeEditorWidgetTest::aStripOf24PatternsCountsFrom1To24() {
    theme_.ForeType = ForeKind::Pattern;
    theme_.ForeNo = 99;  // beyond the strip: the last pattern
    program_.editorTheme = theme_;
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 QScrollBar* bar = Find<QScrollBar>("hscForeNo");
                 QLabel* counter = Find<QLabel>("lblForeNo");
                 QCOMPARE(bar->maximum(), 23);
                 QCOMPARE(counter->text(), QStringLiteral("24/24"));
                 for (int v = 0; v < 24; ++v) {
                     bar->setValue(v);
                     QCOMPARE(counter->text(), QStringLiteral("%1/24").arg(v + 1));
                 }
                 bar->setValue(7);
                 const QImage preview = Find<QLabel>("picForeNo")->pixmap().toImage();
                 QCOMPARE(preview.pixelColor(5, 5), QColor(7, 14, 248));
                 QCOMPARE(preview.pixelColor(preview.width() - 1, preview.height() - 1),
                          QColor(7, 14, 248));
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.ForeNo, 7);
}

void ThemeEditorWidgetTest::withoutAStripThePatternChoicesAreOff() {
    std::filesystem::remove(PatternFilePath());
    theme_.BackType = BackKind::Pattern;
    theme_.BackNo = 6;
    program_.editorTheme = theme_;
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 QVERIFY(!Enabled("optForeType_2"));
                 QVERIFY(!Enabled("optBackType_1"));
                 QVERIFY(Find<QRadioButton>("optBackType_1")->isChecked());  // kept
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.BackType, BackKind::Pattern);
    QCOMPARE(program_.editorTheme.BackNo, 0);  // the number was not loaded
}

void ThemeEditorWidgetTest::f1OpensTheTopicOfTheFocusedControl() {
    std::string page = "<html><body><a name=\"2001\"></a><h1>Title</h1>";
    for (int i = 0; i < 300; ++i) {
        page += "<p>filler</p>";
    }
    page += "<a name=\"2104\"></a><h2>Pattern number</h2>";
    for (int i = 0; i < 300; ++i) {
        page += "<p>more</p>";
    }
    page += "</body></html>";
    test::WriteBytes(folder_->File("Moravel.HLP"), page);
    program_.helpFile = folder_->File("Moravel.HLP");
    theme_.ForeType = ForeKind::Pattern;
    program_.editorTheme = theme_;
    Edit([this](fomThemeSetup& d) {
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Find<QWidget>("hscForeNo")->setFocus();
        QTest::keyClick(Find<QWidget>("hscForeNo"), Qt::Key_F1);
        QVERIFY(HelpWindow() != nullptr);
        QTRY_VERIFY(HelpWindow()->verticalScrollBar()->value() > 100);
        const int deep = HelpWindow()->verticalScrollBar()->value();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Find<QWidget>("txtTitle")->setFocus();
        QTest::keyClick(Find<QWidget>("txtTitle"), Qt::Key_F1);
        QTRY_VERIFY(HelpWindow()->verticalScrollBar()->value() < deep / 10);
    });
    if (HelpWindow() != nullptr) {
        HelpWindow()->close();
    }
    program_.helpFile.clear();
}

void ThemeEditorWidgetTest::f1HelpIsNotBlockedByTheModalEditor() {
    test::WriteBytes(folder_->File("Moravel.HLP"),
                     "<html><body><a name=\"2001\"></a><h1>Title</h1></body></html>");
    program_.helpFile = folder_->File("Moravel.HLP");
    QPointer<QTextBrowser> help;
    Edit([this, &help](fomThemeSetup& d) {
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Find<QWidget>("txtTitle")->setFocus();
        QTest::keyClick(Find<QWidget>("txtTitle"), Qt::Key_F1);
        help = HelpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        // Qt lets input reach a window only if the open modal dialog is its ancestor.
        QVERIFY(d.windowHandle()->isAncestorOf(help->windowHandle(), QWindow::IncludeTransients));
    });
    // Closed, the editor lets it go.
    QVERIFY(help != nullptr);
    QVERIFY(help->windowHandle()->transientParent() != dialog_->windowHandle());
    help->close();
    program_.helpFile.clear();
}

void ThemeEditorWidgetTest::anEditedThemeSavedReadsBackAsChosen() {
    ColorDialogAnswers::SetNextAnswers({0x00A0B0C0});
    FontDialogAnswers::SetNextAnswers({[](QFont& f) {
        f.setItalic(true);
        return true;
    }});
    theme_.TextFont = {"ＭＳ ゴシック", 10.5, 0};
    program_.editorTheme = theme_;
    QCOMPARE(Edit([this](fomThemeSetup&) {
                 Find<QLineEdit>("txtTitle")->setText(QStringLiteral(" 夜の空 "));
                 Click("optForeType_2");
                 Find<QScrollBar>("hscForeNo")->setValue(11);
                 Click("optPage_1");
                 Click("optBackType_2");
                 Find<QComboBox>("cboBackName")->setCurrentIndex(2);
                 Click("optPage_2");
                 Click("optGraphVType_3");
                 Click("optGraphVLineMode_2");
                 Click("cmdGraphVColor_2");
                 Click("optPage_4");
                 Find<QLineEdit>("txtTextPrefix")->setText(QStringLiteral(" 負荷 "));
                 Click("cmdTextFont");
                 Click("optTextPosition_8");
                 Click("cmdExit");
             }),
             0);
    QCOMPARE(program_.editorTheme.Title, std::string("夜の空"));
    QCOMPARE(program_.editorTheme.BackName, std::string("sky.bmp"));
    QCOMPARE(program_.editorTheme.GraphVColor3, 0x00A0B0C0);
    QCOMPARE(program_.editorTheme.TextFont, (FontRecord{"ＭＳ ゴシック", 10.5, 2}));
    ThemeRecord saved = program_.editorTheme;
    SaveTheme(saved, "edited.tm", program_.version);
    ThemeRecord read;
    QVERIFY(LoadTheme(read, "edited.tm"));
    QCOMPARE(read, saved);
    QCOMPARE(read.ForeType, ForeKind::Pattern);
    QCOMPARE(read.ForeNo, 11);
    QCOMPARE(read.GraphVType, VGridLines::Every10Minutes);
    QCOMPARE(read.GraphVLineMode, LineMode::Merged);
    QCOMPARE(read.TextPrefix, std::string(" 負荷 "));
    QCOMPARE(read.TextPosition, TextPlace::BottomRight);
}

void ThemeEditorWidgetTest::theRealColourDialogGivesTheColourChosen() {
    test::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->currentColor(), QColor(0x56, 0x34, 0x12));
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    QCOMPARE(ShowColorDialog(nullptr, 0x123456), 0x030201);
    test::OnModal([](QWidget*) {});  // left as it is: rejected
    QCOMPARE(ShowColorDialog(nullptr, 0x123456), -1);
}

void ThemeEditorWidgetTest::theRealFontDialogKeepsUntouchedStyleBits() {
    std::string face = "DejaVu Sans";
    double size = 10.5;
    std::int32_t style = 2 | 4 | 8;
    test::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->accept();
    });
    QCOMPARE(ShowFontDialog(nullptr, face, size, style), 0);
    QCOMPARE(face, std::string("DejaVu Sans"));
    QCOMPARE(size, 10.5);
    QCOMPARE(style, 2 | 4 | 8);

    test::OnModal([](QWidget*) {});  // left as it is: rejected
    style = 1;
    QCOMPARE(ShowFontDialog(nullptr, face, size, style), -1);
    QCOMPARE(style, 1);
}

}  // namespace moravel

QTEST_MAIN(moravel::ThemeEditorWidgetTest)
#include "ThemeEditorWidgetTest.moc"
