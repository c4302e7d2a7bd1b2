#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "dib/cDIBTimer.h"
#include "platform/EventLoop.h"
#include "ui/Control.h"
#include "ui/FontProps.h"
#include "ui/TextDrawing.h"

namespace widgets {

enum class TBannerDirection { dirRightLeft, dirBottomTop };

// A strip that scrolls a list of text lines through its area on a timer of
// its own: the credits at the top of the title screen.
//
// It keeps only the line at the top of the block (with its position) and the
// index of the next line to fetch; the lines below the top one are the ones
// that follow it in the list. When the top line has left the area by more
// than one line spacing, the next line is fetched and takes its place. After
// the last line nothing follows, so a pass ends with an empty strip before
// the first line rises again from the bottom edge.
//
// Only the upward direction scrolls; the horizontal one is kept as a setting
// but does not move the text.
class TBanner : public ui::Control {
  public:
    static constexpr int kMinSpeed = 2;
    static constexpr int kMaxSpeed = 200;

    TBanner(std::string name, platform::EventLoop& loop);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Starts over with line 0 rising from the bottom edge.
    void SetLines(std::vector<std::string> lines);

    bool Run() const { return timer_.Enabled(); }
    // Starts or stops the scrolling. Either way the current top line drops
    // back to the bottom edge; which line that is stays as it was.
    void SetRun(bool run);

    // Ticks per 10 seconds, 2 ... 200 (values outside are clamped).
    int Speed() const;
    void SetSpeed(int speed);
    uint32_t Interval() const { return timer_.Interval(); }

    int Jump() const { return jump_; }
    void SetJump(int jump) { jump_ = jump; }
    int Gap() const { return gap_; }
    void SetGap(int gap);
    TBannerDirection Direction() const { return direction_; }
    void SetDirection(TBannerDirection direction) { direction_ = direction; }
    ui::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(ui::TAlignment alignment);

    const ui::TFont& Font() const { return font_; }
    void SetFont(const ui::TFont& font);
    core::CanvasColor Color() const { return color_; }
    void SetColor(core::CanvasColor color);

    // The line at the top of the drawn block and its distance from the
    // control's top edge (negative once it leaves at the top).
    const std::string& TopLine() const { return topLine_; }
    int TopY() const { return y_; }

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    ui::Properties ExtraProperties() const override;

  private:
    void tick();
    // The line at the stored index becomes the top line; returns the index it had.
    size_t fetchNextLine();
    int lineLeft(int textWidth) const;

    dib::TDIBTimer timer_;
    std::vector<std::string> lines_;
    int jump_ = 2;
    int gap_ = 0;
    TBannerDirection direction_ = TBannerDirection::dirRightLeft;
    ui::TAlignment alignment_ = ui::TAlignment::LeftJustify;
    ui::TFont font_;
    core::CanvasColor color_ = core::colors::black;

    std::string topLine_;
    int y_ = 0;
    size_t nextIndex_ = 0;
    bool ticked_ = false;
};

}  // namespace widgets
