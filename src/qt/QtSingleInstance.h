// The core's one-program-per-user-and-folder check on Qt's event loop: a later start's call
// wakes the loop through a socket notifier (QtCore), and the first comes forward.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/os/SingleInstance.h"

class QSocketNotifier;

namespace moravel {

class QtSingleInstance {
  public:
    // `name` from SingleInstanceName.
    explicit QtSingleInstance(std::string name);
    ~QtSingleInstance();
    QtSingleInstance(const QtSingleInstance&) = delete;
    QtSingleInstance& operator=(const QtSingleInstance&) = delete;

    // Running: another one runs and has been asked to come forward; this one should end.
    InstanceClaim Claim();
    // After Claim gave First: `onActivate` runs whenever later starts asked to come forward
    // (once for the calls that arrived together, including those before this call).
    void OnActivate(std::function<void()> onActivate);

  private:
    SingleInstance instance_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onActivate_;
};

}  // namespace moravel
