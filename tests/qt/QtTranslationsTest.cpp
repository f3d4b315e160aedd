#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QTest>
#include <QTranslator>

#include "qt/ColorDialog.h"
#include "qt/QtTranslations.h"
#include "support/OnModal.h"

namespace moravel {

// Alone in its executable: nothing else may have opened one of Qt's dialogs before.
class QtTranslationsTest : public QObject {
    Q_OBJECT
  private slots:
    void readWhenTheFirstOfQtsDialogsOpens();
};

void QtTranslationsTest::readWhenTheFirstOfQtsDialogsOpens() {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ja.qm"))) {
        QSKIP("Qt's Japanese translation is not installed");
    }
    const auto red = [] { return QCoreApplication::translate("QColorDialog", "&Red:"); };
    QCOMPARE(red(), QStringLiteral("&Red:"));

    ColorDialogAnswers::SetNextAnswers({0x123456});
    QCOMPARE(ShowColorDialog(nullptr, 0), 0x123456);
    QCOMPARE(red(), QStringLiteral("&Red:"));  // an answer given by a test opens no dialog

    bool japanese = false;
    test::OnModal([&](QWidget* modal) {
        QVERIFY(modal != nullptr);
        for (const QLabel* label : modal->findChildren<QLabel*>()) {
            japanese = japanese || label->text() == QStringLiteral("赤(&R):");
        }
    });
    QCOMPARE(ShowColorDialog(nullptr, 0), -1);  // cancelled
    QVERIFY(japanese);

    EnsureQtTranslations();
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), 1);  // installed once
    QCOMPARE(red(), QStringLiteral("赤(&R):"));
}

}  // namespace moravel

QTEST_MAIN(moravel::QtTranslationsTest)
#include "QtTranslationsTest.moc"
