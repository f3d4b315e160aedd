#include "qt/QtSingleInstance.h"

#include <QSocketNotifier>

namespace moravel {

QtSingleInstance::QtSingleInstance(std::string name) : instance_(std::move(name)) {}

QtSingleInstance::~QtSingleInstance() = default;

InstanceClaim QtSingleInstance::Claim() {
    return instance_.Claim();
}

void QtSingleInstance::OnActivate(std::function<void()> onActivate) {
    onActivate_ = std::move(onActivate);
    const int fd = instance_.RequestDescriptor();
    if (fd < 0 || notifier_) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        if (instance_.TakeRequests() > 0 && onActivate_) {
            onActivate_();
        }
    });
}

}  // namespace moravel
