// The main window as a screen reader sees it: a graph named after the CPU usage, whose value is
// the usage as text. The announcer in the core decides what it says and when.
#pragma once

class QWidget;

namespace moravel {

class UsageAnnouncer;

// Makes every window registered here a graph of its announcer for the accessibility bridge.
// The window and the announcer live as long as each other.
void ExposeAsGraph(QWidget* window, const UsageAnnouncer& announcer);

// Tells the bridge that the announcer's value changed.
void AnnounceValue(QWidget* window, const UsageAnnouncer& announcer);

}  // namespace moravel
