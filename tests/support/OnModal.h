// Drives a modal dialog from inside its own event loop without ever leaving a test hanging.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace moravel::test {

// Runs `check` with the modal dialog once it is shown (the next turn of the event loop). Whatever
// `check` did, a dialog that is still the modal one afterwards is rejected: a QVERIFY that fails
// inside `check` returns early, and the test then fails instead of waiting in exec() forever.
inline void OnModal(std::function<void(QWidget*)> check) {
    QTimer::singleShot(0, [check = std::move(check)] {
        QWidget* modal = QApplication::activeModalWidget();
        check(modal);
        if (modal != nullptr && QApplication::activeModalWidget() == modal) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        }
    });
}

}  // namespace moravel::test
