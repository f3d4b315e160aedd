#include "core/app/Texts.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace moravel {
namespace {

// clang-format off
constexpr auto kCatalogue = std::to_array<TextTranslation>({
    // The popup menu and the tray's tip.
    {"設定(&S)...", "&Settings..."},
    {"バージョン情報", "About"},
    {"ヘルプ(&H)", "&Help"},
    {"終了(&X)", "E&xit"},
    {"隠す(&B)", "Hi&de"},
    {"表示(&B)", "Sho&w"},
    {"CPU使用率", "CPU usage"},
    {" （プロセッサ時間）", " (processor time)"},
    {"CPU使用率の取得に失敗しました。", "The CPU usage could not be read."},
    // The alert.
    {"CPU使用率が %1 秒間 %2 % 以上です", "CPU usage at %2 % or more for %1 seconds"},
    {"表示", "Show"},
    // The about box.
    {"著作権 (C) 2002 Moravel 作者一同", "Copyright (C) 2002 The Moravel authors"},
    {"Moravel は Moravel 作者一同による MIT ライセンスのフリーソフトウェアです。"
     "だれでも自由に使用、複製、改変、再配布できます。",
     "Moravel is free software under the MIT licence, by the Moravel authors. "
     "Anyone may use, copy, change and pass it on."},
    // Help.
    {"ﾍﾙﾌﾟを表示できません。 このﾌﾟﾛｸﾞﾗﾑに関連付けられたﾍﾙﾌﾟが存在しません。",
     "Help cannot be shown. This program has no help associated with it."},
    {"ヘルプファイル %1 を開けません。", "The help file %1 cannot be opened."},
    // The setup dialog.
    {"Moravel の設定", "Moravel Settings"},
    {" （カスタム）", " (custom)"},
    {"1 秒", "1 second"},
    {"2 秒", "2 seconds"},
    {"3 秒", "3 seconds"},
    {"5 秒", "5 seconds"},
    {"10 秒", "10 seconds"},
    {"20 秒", "20 seconds"},
    {"30 秒", "30 seconds"},
    {"1 分", "1 minute"},
    {"2 分", "2 minutes"},
    {"3 分", "3 minutes"},
    {"メーター1", "Meter 1"},
    {"メーター2", "Meter 2"},
    {"グラフ", "Graph"},
    {"数値", "Number"},
    {"ログオン時に起動する(&L)", "Start at &log-on"},
    {"周波数を反映する(&U)", "Scale by freq&uency"},
    {"CPUごとに表示(&P)", "Each &processor"},
    {"高い使用率が続いたら通知する(&A)", "&Alert when a high load lasts"},
    {"しきい値(&H)", "T&hreshold"},
    {"継続時間(&S)", "La&sting"},
    {"秒", "s"},
    {"しきい値には %1 から %2 までの整数を入力してください。",
     "Enter a whole number from %1 to %2 for the threshold."},
    {"継続時間には %1 から %2 までの整数を入力してください。",
     "Enter a whole number from %1 to %2 for the time it lasts."},
    {"タスクトレイのアイコンとグラフには通知領域が必要ですが、このデスクトップには見つかりません。",
     "The tray icon and its graph need a notification area, and this desktop has none."},
    {"ログオン時に起動するように設定できませんでした。", "Moravel could not be set to start at log-on."},
    {"ログオン時の起動をやめるように設定できませんでした。",
     "Moravel could not be kept from starting at log-on."},
    // Theme files.
    {"テーマファイル(tm)|*.tm", "Theme files (tm)|*.tm"},
    {"名前を付けて保存", "Save As"},
    {"新規", "New"},
    {"テーマファイル %1 を保存できませんでした。", "The theme file %1 could not be saved."},
    {"次の文字はテーマのファイル名に使えません: %1",
     "These characters cannot be used in a theme's file name: %1"},
    {"次の文字はテーマファイルに保存できません: %1",
     "These characters cannot be saved in a theme file: %1"},
    {"Themes フォルダ以外に保存すると、Moravelから使用できません。宜しいですか？",
     "Moravel cannot use a theme saved outside the Themes folder. Save it there anyway?"},
    {"テーマファイル %1(%2) を削除します。宜しいですか？", "Delete the theme file %1 (%2)?"},
    {"テーマファイル %1 を削除できませんでした。\n%2", "The theme file %1 could not be deleted.\n%2"},
    // The theme editor.
    {"テーマファイルの編集", "Edit Theme"},
    {"パターン %1", "Pattern %1"},
    {"%1 %2 ポイント", "%1 %2 points"},
    {"（なし）", "(none)"},
    {"左上", "Top left"},
    {"上", "Top"},
    {"右上", "Top right"},
    {"左", "Left"},
    {"中央", "Centre"},
    {"右", "Right"},
    {"左下", "Bottom left"},
    {"下", "Bottom"},
    {"右下", "Bottom right"},
});
// clang-format on

std::atomic<UiLanguage> currentLanguage{UiLanguage::Japanese};

}  // namespace

void SetUiLanguage(UiLanguage language) {
    currentLanguage = language;
}

UiLanguage CurrentUiLanguage() {
    return currentLanguage;
}

std::string_view Localised(std::string_view japanese) {
    if (currentLanguage == UiLanguage::Japanese) {
        return japanese;
    }
    const auto* found =
        std::find_if(kCatalogue.begin(), kCatalogue.end(),
                     [&](const TextTranslation& t) { return t.japanese == japanese; });
    return found == kCatalogue.end() ? japanese : found->english;
}

std::string LocalisedWith(std::string_view pattern,
                          std::initializer_list<std::string_view> values) {
    const std::string_view text = Localised(pattern);
    std::string out;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const std::size_t n = pos + 1 < text.size() && text[pos] == '%'
                                  ? static_cast<std::size_t>(text[pos + 1] - '1')
                                  : values.size();
        if (n < values.size()) {
            out += values.begin()[n];
            ++pos;
        } else {
            out += text[pos];
        }
    }
    return out;
}

std::span<const TextTranslation> TextCatalogue() {
    return kCatalogue;
}

}  // namespace moravel
