// Moravel: a small monitor of the total CPU load.
#include <QApplication>
#include <QSessionManager>

#include "core/app/Language.h"
#include "core/app/ProgramState.h"
#include "core/os/ProgramFolder.h"
#include "qt/QtSingleInstance.h"
#include "qt/QtSystemColours.h"
#include "qt/QtTranslations.h"
#include "qt/Termination.h"
#include "qt/fomMain.h"

int main(int argc, char** argv) {
    // In a Wayland session the window goes through XWayland: only there can a borderless window
    // place itself and stay on top.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // A frame sent through shared memory is answered by a completion event, which wakes the X
    // reader thread and then this one: a second wake-up every tick. The frames are a few rows of
    // a small window, as cheap to send over the socket, and the processor sleeps between ticks.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moravel"));
    QApplication::setQuitOnLastWindowClosed(false);  // the tray icon keeps a hidden window alive
    moravel::UseDesktopSystemColours();
    // Qt's own dialogs speak Japanese too where the interface does; their translation is read
    // when the first one opens.

    moravel::QtSingleInstance instance(moravel::SingleInstanceName(moravel::ProgramFolder()));
    if (instance.Claim() == moravel::InstanceClaim::Running) {
        return 0;  // the running program comes forward instead
    }

    moravel::UseLanguage(moravel::StartLanguage());

    moravel::ProgramState program;
    moravel::fomMain window(program);
    instance.OnActivate([&window] { window.BringBack(); });
    if (!window.Form_Load()) {
        return 1;
    }
    moravel::InstallTerminationHandler([&window] { window.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.close(); });
    return QApplication::exec();
}
