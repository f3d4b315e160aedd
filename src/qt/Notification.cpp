#include "qt/Notification.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>
#include <QVariantMap>
#include <utility>

#include "core/app/LoadAlert.h"
#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "qt/QtText.h"

namespace moravel {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kIconPixels = 48;

// The picture of the hint "image-data": width, height, bytes per row, alpha, bits per sample,
// channels, RGBA bytes.
struct NotificationImage {
    QImage rgba;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NotificationImage& image) {
    const QImage& rgba = image.rgba;
    argument.beginStructure();
    argument << rgba.width() << rgba.height() << static_cast<int>(rgba.bytesPerLine()) << true << 8
             << 4
             << QByteArray(reinterpret_cast<const char*>(rgba.constBits()),
                           static_cast<qsizetype>(rgba.sizeInBytes()));
    argument.endStructure();
    return argument;
}

// Only sent, never read back.
const QDBusArgument& operator>>(const QDBusArgument& argument, NotificationImage&) {
    return argument;
}

bool ServiceAvailable() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (bus == nullptr) {
        return false;
    }
    if (bus->isServiceRegistered(kService).value()) {
        return true;
    }
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(kService);
}

}  // namespace

}  // namespace moravel

Q_DECLARE_METATYPE(moravel::NotificationImage)

namespace moravel {

DesktopNotification::DesktopNotification(QIcon icon, std::function<void()> clicked, QObject* parent)
    : QObject(parent), icon_(std::move(icon)), clicked_(std::move(clicked)) {
    qDBusRegisterMetaType<NotificationImage>();
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(ActionInvoked(uint, QString)));
}

bool DesktopNotification::Show(const std::string& title, const std::string& text) {
    if (!ServiceAvailable()) {
        return false;
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("io.github.moravel.Moravel"));
    const QImage picture =
        icon_.pixmap(kIconPixels, kIconPixels).toImage().convertToFormat(QImage::Format_RGBA8888);
    if (!picture.isNull()) {
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(NotificationImage{picture}));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << ToQString(kAppTitle) << shown_ << QString() << ToQString(title)
         << ToQString(EscapeMarkup(text))
         << QStringList{QStringLiteral("default"), ToQString(Localised("表示"))} << hints << -1;
    // Asynchronous: the program never waits on the service.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid()) {
                    shown_ = reply.value();
                }
                finished->deleteLater();
            });
    return true;
}

void DesktopNotification::ActionInvoked(uint id, const QString& action) {
    if (id == shown_ && id != 0 && action == QStringLiteral("default") && clicked_) {
        clicked_();
    }
}

}  // namespace moravel
