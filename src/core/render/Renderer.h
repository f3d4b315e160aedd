// The main window's drawing: every off-screen surface of the window graph and the tray-icon graph,
// the state that lives between frames, and the operations that build and compose the frames.
//
// One object, held by the main window. It reads the settings, the usage history and the theme it
// is given; it draws its own copy of that theme, taken when the theme's pictures are loaded, so a
// changed record shows from the next LoadThemePictures (or Rebuild) on. When a theme picture cannot
// be loaded it draws the fallback theme instead and says so (UsesFallbackTheme); the given record
// is never changed. Pictures and the pattern strip are read from the Themes folders it is handed,
// through the ImageLoader, and text is drawn through the FontEngine. Frames are composed off
// screen: after DrawGraph returns, picGraph holds a whole frame and the window paints from it.
// Rebuild is the whole way from a theme to its first frame, for the window and everything that
// draws as it does.
//
// A frame of the window graph draws only what changed: the board and the tone are built in a
// rebuild frame, the graph layer draws the new samples and scrolls the rest, and the grid lines and
// the text are drawn once and then laid on every frame from a record of their pixels (PixelLog)
// for as long as what they depend on stays the same: the size, the history's length, the theme's
// lines, and for the text also its value, colours and font (a text is recorded once a second frame
// shows it). The board (picBoard) is kept with the lines under the graph drawn on it, so a frame
// is composed in one pass over the layers; it is laid again from its source (picReadBoard) when
// those lines change. The result is exactly the frame drawn in full.
//
// Memory is taken only by LoadThemePictures, LayoutPictures (so by Rebuild) and SetHistory, and by
// a rebuild frame when the text's records need more room than any before; the other frames
// (DrawGraph, DrawIconGraph) allocate nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/render/CoverageMask.h"
#include "core/render/FontEngine.h"
#include "core/render/HistoryView.h"
#include "core/render/ImageLoader.h"
#include "core/render/Surface.h"

namespace moravel {

inline constexpr std::int32_t kUsageValueCount = 101;  // 0..100 %

class Renderer {
  public:
    // Theme pictures and the pattern strip are read from `themeFolders`, searched as FindThemeFile
    // searches them (the program passes ProgramThemeFolders()). `theme` and `settings` are read
    // for as long as the renderer lives.
    Renderer(FontEngine& fonts, ImageLoader& images, ThemeFolders themeFolders,
             const ThemeRecord& theme, const SettingsRecord& settings);
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // The usage history; sizes ToneColumn to its slots (all 0). Call again whenever the history is
    // reallocated.
    void SetHistory(const HistoryView& history);
    // The main window's client area; picGraph is fitted to it by LayoutPictures.
    void SetClientSize(std::int32_t width, std::int32_t height);

    // Everything again from the current theme and settings, fitted to a client area of
    // `clientWidth` x `clientHeight`: the theme's pictures, the layout, both graphs rebuilt and
    // drawn (the window graph into picGraph, the icon graph into picIcon).
    void Rebuild(std::int32_t clientWidth, std::int32_t clientHeight);

    // Surfaces and pictures. LoadThemePictures takes a copy of the given theme and loads its
    // pictures; the frames after it draw that copy, or the fallback theme when a picture failed.
    void LoadThemePictures();
    void LayoutPictures();
    void ResetToneColumns();
    void CutPattern(Surface& target, std::int32_t number);
    bool IsSimpleBack() const;

    // The window graph: brings tone, layers and board up to date and composes picGraph.
    void DrawGraph();
    void UpdateGraphLayers(Surface& back, CoverageMask& mask, const Surface& tone,
                           std::int32_t& lastPos, bool simple, bool ready);
    void BuildTone(Surface& tone, bool ready) const;
    // Tiles picReadBoard over `board` (not for a simple background, nor when `ready`).
    void BuildBoard(Surface& board, bool simple, bool ready) const;
    void DrawHLines(Surface& target) const;
    void DrawVLines(Surface& target);
    void DrawUsageText(Surface& target, std::int32_t value);

    // The tray-icon graph. `target` is IconPicture(), or picIcon (which rebuilds the layers).
    void DrawIconGraph(Surface& target);
    // The picture the tray icon is made of in the settings' mode: the frame picture of a graph
    // style (picIconGraph[0] or [1]), or the number's.
    Surface& IconPicture();
    void DrawIconScroll(Surface& target);
    void DrawIconMeter1(Surface& target);
    void DrawIconMeter2(Surface& target);
    void BuildMeterLayers(Surface& back, CoverageMask& mask, const Surface& tone, bool simple);
    void DrawMeterBars(Surface& target, Surface& scale, bool ready);

    // The theme the frames draw: the given theme as the last LoadThemePictures found it, or the
    // fallback theme (a green line on black, the font kept) when one of its pictures could not be
    // loaded.
    const ThemeRecord& DrawnTheme() const { return theme_; }
    bool UsesFallbackTheme() const { return usesFallback_; }

    // The text shown for a usage value: prefix, digits, suffix (valid after a rebuild frame).
    std::string_view UsageText(std::int32_t value) const;

    // Outer size of picGraph: the client area it was last fitted to (its one-pixel border is drawn
    // by the window around the inner area).
    std::int32_t GraphOuterWidth() const { return graphOuterWidth_; }
    std::int32_t GraphOuterHeight() const { return graphOuterHeight_; }

    // The surfaces. picGraph is the inner area of the visible graph; picBoard the board under the
    // graph with the grid lines that lie under it, as the last composed frame had them.
    Surface picGraph;
    Surface picBack;
    CoverageMask picMask;
    Surface picBoard;
    Surface picTone;
    Surface picReadTone;
    Surface picReadBoard;
    Surface picPattern;
    Surface picIcon;
    Surface picIconBack;
    CoverageMask picIconMask;
    Surface picIconBoard;
    Surface picIconTone;
    std::array<Surface, 2> picIconGraph;
    Surface picIconNumber;

    // Rows [top, bottom) of picGraph; empty when top >= bottom.
    struct RowBand {
        std::int32_t top;
        std::int32_t bottom;
    };
    using RowBands = std::array<RowBand, 2>;
    // The rows of picGraph the last DrawGraph may have changed: the window repaints those only.
    RowBands ChangedRows{};

    // State between frames. The shell clears the ready flags to force a rebuild.
    bool GraphReady = false;
    bool IconReady = false;
    std::vector<std::int32_t> ToneColumn;
    std::array<std::int32_t, kUsageValueCount> TextWidths{};
    std::array<std::int32_t, kUsageValueCount> TextHeights{};
    std::int32_t LastGraphPos = 0;
    std::int32_t LastIconPos = 0;

  private:
    std::string ImagePath(std::string_view name) const;
    std::string PatternPath() const;
    bool LoadPicture(const std::string& name, Surface& target);
    void SizeIconSurfaces();
    bool LoadToneSource();
    bool ApplyBackground(bool simple);
    void UseFallbackTheme();
    void ApplyFont();
    // Composes the frame: only the bands `rows` when the frame before is still in `target` and
    // nothing else can have changed, else the whole frame. Returns the bands composed.
    RowBands ComposeGraph(Surface& target, bool simple, const RowBands& rows);
    static RowBand Union(const RowBand& a, const RowBand& b);
    void LayBoard(Surface& target) const;
    void ComposeFromBase(Surface& target, const RowBands& rows);
    void GridStep(Surface& target, LineMode step, bool simple, bool reuse);
    void DrawGridLines(Surface& target, LineMode step, bool simple);
    void DropFrameRecords();
    void ReserveGridRecord();
    void ComposeIcon(Surface& target, bool simple) const;
    std::int32_t ToneColumnOf(std::int32_t index) const;
    void FillColumn(Surface& back, CoverageMask& mask, const Surface& tone, std::int32_t x,
                    std::int32_t y, std::int32_t index);
    void FillColumns(Surface& back, CoverageMask& mask, const Surface& tone, std::int32_t count);
    void DrawGraphLine(Surface& back, CoverageMask& mask, std::int32_t count);
    void RebuildTexts();
    void MeasureTexts(const Surface& target);
    struct TextPlacement {
        std::size_t value;
        std::int32_t x;
        std::int32_t y;
        bool operator==(const TextPlacement&) const = default;
    };
    TextPlacement PlaceText(const Surface& target, std::int32_t value) const;
    void DrawTextAt(Surface& target, const TextPlacement& place);
    void DrawFrameText(Surface& target, std::int32_t value);

    FontEngine& fonts_;
    ImageLoader& images_;
    const ThemeFolders themeFolders_;
    const ThemeRecord& givenTheme_;
    const SettingsRecord& settings_;
    ThemeRecord theme_;  // the copy drawn
    bool usesFallback_ = false;
    HistoryView history_;
    std::int32_t clientWidth_ = 0;
    std::int32_t clientHeight_ = 0;
    std::int32_t graphOuterWidth_ = 1;
    std::int32_t graphOuterHeight_ = 1;
    std::array<std::string, kUsageValueCount> texts_;

    // What the grid lines of the last frame were drawn for (resolved colours), and their pixels:
    // entries [gridSteps_[k], gridSteps_[k + 1]) are those drawn at composition step k (merged
    // with the graph for k = 1, over it for k = 2; the lines under the graph are kept on picBoard
    // instead, and their step is empty).
    struct GridInputs {
        std::int32_t width, height, historyCount;
        bool simple;
        HGridLines hType;
        LinePen hPen;
        LineMode hMode;
        std::array<Colour, 3> hColours;
        VGridLines vType;
        LinePen vPen;
        LineMode vMode;
        std::array<Colour, 3> vColours;
        bool operator==(const GridInputs&) const = default;
    };
    GridInputs GridInputsOf(const Surface& target, bool simple) const;
    GridInputs gridInputs_{};
    PixelLog gridLog_;
    std::array<std::size_t, 4> gridSteps_{};
    bool gridRecorded_ = false;
    // picGraph holds the last frame, its graph layer covering rows from frameGraphTop_ down and
    // its text drawn in frameTextRows_.
    bool frameKept_ = false;
    std::int32_t frameGraphTop_ = 0;
    RowBand frameTextRows_{0, 0};
    bool baseKept_ = false;  // picBoard holds the board and the recorded lines under the graph

    // The same for the text of the last frame.
    struct TextInputs {
        std::int32_t width, height;
        TextPlacement place;
        TextKind type;
        std::array<Colour, 3> colours;
        bool operator==(const TextInputs&) const = default;
    };
    TextInputs textInputs_{};
    FontSpec textFont_;
    bool textSeen_ = false;  // the last frame's text is described above
    PixelLog textLog_;
    bool textRecorded_ = false;
};

}  // namespace moravel
