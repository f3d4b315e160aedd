// One running program per user and program folder. A second start asks the first to come
// forward and ends.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace moravel {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& name);

    // True when another instance answered and was asked to come forward: this one should end.
    bool ActivateRunning();
    // Listens for later starts; `onActivate` runs for each.
    bool Listen(std::function<void()> onActivate);

    // The per-user name for the program folder `folder`.
    static QString NameFor(const QString& folder);

  private:
    QString name_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onActivate_;
};

}  // namespace moravel
