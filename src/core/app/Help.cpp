#include "core/app/Help.h"

#include "core/app/Texts.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {

std::string ChooseHelpFile(UiLanguage language, std::string_view folder,
                           const std::function<bool(const std::string&)>& exists) {
    if (language == UiLanguage::English) {
        std::string english = std::string(folder) + std::string(kEnglishHelpFileName);
        if (exists(english)) {
            return english;
        }
    }
    std::string path = std::string(folder) + std::string(kHelpFileName);
    return exists(path) ? path : std::string(kHelpFileName);
}

std::string FindHelpFile() {
    return ChooseHelpFile(CurrentUiLanguage(), DataFolder(), IsFile);
}

HelpTarget ResolveHelp(std::string_view helpFile, HelpContext context) {
    HelpTarget target;
    target.file = std::string(helpFile);
    target.context = context;
    target.noHelp = target.file.empty();
    return target;
}

std::string HelpAnchor(HelpContext context) {
    return std::to_string(static_cast<std::int32_t>(context));
}

std::string HelpFileErrorMessage(std::string_view file) {
    return LocalisedWith("ヘルプファイル %1 を開けません。", {file});
}

}  // namespace moravel
