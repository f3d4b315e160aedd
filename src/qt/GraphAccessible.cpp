#include "qt/GraphAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

#include "core/app/UsageAnnouncer.h"
#include "qt/QtText.h"

namespace moravel {
namespace {

QHash<const QObject*, const UsageAnnouncer*>& Graphs() {
    static QHash<const QObject*, const UsageAnnouncer*> graphs;
    return graphs;
}

class GraphAccessible : public QAccessibleWidget {
  public:
    GraphAccessible(QWidget* window, const UsageAnnouncer& announcer)
        : QAccessibleWidget(window, QAccessible::Chart), announcer_(announcer) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return ToQString(UsageAnnouncer::Name());
            case QAccessible::Value:
            case QAccessible::Description:
                return ToQString(announcer_.ValueText());
            default:
                return QAccessibleWidget::text(kind);
        }
    }

  private:
    const UsageAnnouncer& announcer_;
};

QAccessibleInterface* MakeGraph(const QString& /*className*/, QObject* object) {
    const auto found = Graphs().constFind(object);
    if (found == Graphs().constEnd() || !object->isWidgetType()) {
        return nullptr;
    }
    return new GraphAccessible(static_cast<QWidget*>(object), **found);
}

}  // namespace

void ExposeAsGraph(QWidget* window, const UsageAnnouncer& announcer) {
    if (Graphs().isEmpty()) {
        QAccessible::installFactory(MakeGraph);
    }
    Graphs().insert(window, &announcer);
    QObject::connect(window, &QObject::destroyed, [window] { Graphs().remove(window); });
}

void AnnounceValue(QWidget* window, const UsageAnnouncer& announcer) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleValueChangeEvent value(window, ToQString(announcer.ValueText()));
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(window, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

}  // namespace moravel
