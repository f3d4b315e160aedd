#include <gtest/gtest.h>

#include <deque>

#include "core/dialogs/ComDlg.h"
#include "core/os/Paths.h"

namespace moravel {
namespace {

// An absolute path of the native flavour from a POSIX one: "/opt/x" or "C:\\opt\\x".
std::string Native(std::string path) {
    if (kNativePaths == PathFlavor::Windows) {
        for (char& c : path) {
            c = c == '/' ? '\\' : c;
        }
        path = "C:" + path;
    }
    return path;
}

class ScriptedFileDialog : public FileDialogBackend {
  public:
    std::optional<FileDialogAnswer> Show(const FileDialogRequest& request) override {
        requests.push_back(request);
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<FileDialogAnswer>> answers;
    std::vector<FileDialogRequest> requests;
};

TEST(clsComDlg, BuildsTheRequestFromItsProperties) {
    ScriptedFileDialog backend;
    clsComDlg dialog(backend);
    dialog.Filter = "テーマファイル(tm)|*.tm";
    dialog.Flags = 0x28080C;
    dialog.DialogTitle = "名前を付けて保存";
    dialog.OwnerhWnd = 42;
    dialog.FileName = Native("/opt/moravel/Themes/graph");
    dialog.FilterIndex = 1;
    backend.answers.push_back(FileDialogAnswer{Native("/opt/moravel/Themes/mine.tm"), 1});
    dialog.Action(FileDialogAction::Save);

    ASSERT_EQ(backend.requests.size(), 1u);
    const FileDialogRequest& r = backend.requests[0];
    EXPECT_EQ(r.action, FileDialogAction::Save);
    EXPECT_EQ(r.owner, 42u);
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].first, "テーマファイル(tm)");
    EXPECT_EQ(r.filters[0].second, "*.tm");
    EXPECT_EQ(r.fileBox, "graph");
    EXPECT_EQ(r.initialFolder, Native("/opt/moravel/Themes"));
    EXPECT_EQ(r.flags, 0x28080C);
    EXPECT_EQ(r.title, "名前を付けて保存");
    EXPECT_EQ(dialog.FileName, Native("/opt/moravel/Themes/mine.tm"));
}

TEST(clsComDlg, CancelEmptiesFileNameAndKeepsFilterIndex) {
    ScriptedFileDialog backend;
    clsComDlg dialog(backend);
    dialog.Filter = "A|*.a|B|*.b";
    dialog.FileName = "/tmp/x.a";
    dialog.FilterIndex = 1;
    backend.answers.push_back(FileDialogAnswer{"/tmp/y.b", 2});
    backend.answers.push_back(std::nullopt);
    dialog.Action(FileDialogAction::Open);
    EXPECT_EQ(dialog.FilterIndex, 2);  // the pair the user chose carries over
    dialog.Action(FileDialogAction::Open);
    EXPECT_EQ(dialog.FileName, "");
    EXPECT_EQ(dialog.FilterIndex, 2);
    EXPECT_EQ(backend.requests[1].filterIndex, 2);
    ASSERT_EQ(backend.requests[0].filters.size(), 2u);
    EXPECT_EQ(backend.requests[0].filters[1].second, "*.b");
}

TEST(clsComDlg, EmptyAndOverlongFileNames) {
    ScriptedFileDialog backend;
    clsComDlg dialog(backend);
    backend.answers.assign(2, std::nullopt);
    dialog.Action(FileDialogAction::Save);
    EXPECT_EQ(backend.requests[0].fileBox, "");
    EXPECT_EQ(backend.requests[0].initialFolder, "");

    std::string longName;
    for (int i = 0; i < 300; ++i) {
        longName += "あ";
    }
    dialog.FileName = Native("/tmp/") + longName;
    dialog.Action(FileDialogAction::Save);
    EXPECT_EQ(backend.requests[1].fileBox, longName.substr(0, 255 * 3));  // 255 characters
}

TEST(clsComDlg, OtherActionsShowNoDialog) {
    ScriptedFileDialog backend;
    clsComDlg dialog(backend);
    dialog.FileName = "/tmp/x";
    dialog.Action(static_cast<FileDialogAction>(3));
    EXPECT_TRUE(backend.requests.empty());
    EXPECT_EQ(dialog.FileName, "");
}

}  // namespace
}  // namespace moravel
