// The desktop's autostart folder of the user ($XDG_CONFIG_HOME/autostart), which every desktop
// that follows the XDG autostart rules starts at log-on.
#include "core/os/Autostart.h"
#include "core/os/ProgramFolder.h"

namespace moravel {

std::unique_ptr<Autostart> MakeAutostart() {
    const std::string base = ConfigHome(CurrentFolderFacts());
    if (base.empty()) {
        return nullptr;  // no HOME: no place for the entry
    }
    return std::make_unique<XdgAutostart>(
        JoinPath(JoinPath(base, "autostart"), kAutostartEntryName));
}

}  // namespace moravel
