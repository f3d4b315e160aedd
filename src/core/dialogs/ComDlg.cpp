#include "core/dialogs/ComDlg.h"

#include "core/os/Encoding.h"
#include "core/os/Paths.h"

namespace moravel {
namespace {

// At most `limit` characters of `text`.
std::string CutToChars(const std::string& text, std::size_t limit) {
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size() && count < limit; ++count) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        pos += length == 0 ? 1 : length;
    }
    return text.substr(0, pos);
}

}  // namespace

FileDialogRequest clsComDlg::BuildRequest(FileDialogAction action) const {
    FileDialogRequest request;
    request.action = action;
    request.owner = OwnerhWnd;
    request.filterIndex = FilterIndex;
    request.title = DialogTitle;
    request.flags = Flags;
    request.fileBox = CutToChars(GetFileName(FileName), kFileDialogBufferChars);
    request.initialFolder = CutToChars(GetParentFolder(FileName), kFileDialogBufferChars);

    // Descriptions and patterns alternate between the bars; a description without its pattern
    // is dropped, as the system does.
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = Filter.find('|', start);
        parts.push_back(Filter.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) {
            break;  // an empty description ends the list, as the double NUL does
        }
        request.filters.emplace_back(parts[i], parts[i + 1]);
    }
    return request;
}

void clsComDlg::Action(FileDialogAction action) {
    if (action != FileDialogAction::Open && action != FileDialogAction::Save) {
        FileName.clear();
        return;
    }
    const auto answer = backend_.Show(BuildRequest(action));
    if (!answer || answer->path.empty()) {
        FileName.clear();
        return;
    }
    FileName = answer->path;
    FilterIndex = answer->filterIndex;
}

}  // namespace moravel
