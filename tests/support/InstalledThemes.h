// An installed program in a temporary folder: the shipped themes under share/Themes, the user's
// folder (config) not made until the program writes there.
#pragma once

#include <string>
#include <string_view>

#include "core/os/Encoding.h"
#include "core/os/Paths.h"
#include "support/TempFolder.h"

namespace moravel::test {

class InstalledThemes {
  public:
    InstalledThemes()
        : data_(folder_.File("share")), user_(folder_.File("config")), folders_(data_, user_) {}

    std::string Shipped(std::string_view name) const {
        return JoinPath(JoinPath(data_, "Themes"), name);
    }
    std::string Own(std::string_view name) const {
        return JoinPath(JoinPath(user_, "Themes"), name);
    }
    // A theme file holding only its title, in the files' code page.
    static std::string ThemeText(std::string_view title) {
        return Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) + "\"\r\n");
    }

  protected:
    TempFolder folder_;
    std::string data_;
    std::string user_;
    ScopedInstalledFolders folders_;
};

}  // namespace moravel::test
