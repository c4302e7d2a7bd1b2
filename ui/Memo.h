#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Control.h"
#include "FontProps.h"

namespace ui {

// A read-only list of message lines in a sunken box. Lines longer than the
// box is wide are broken between words on screen; after every Add the box
// scrolls so that the newest line shows, as a message log should.
class TMemo : public Control {
  public:
    explicit TMemo(std::string name);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Appends a line; a CR LF inside it starts further lines.
    void Add(std::string_view line);
    void Clear();
    // Every line followed by CR LF.
    std::string Text() const;

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);

    // The rows on screen now, top to bottom.
    std::vector<std::string> VisibleRows() const;

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    Properties ExtraProperties() const override;

  private:
    platform::Rect textArea() const;
    std::vector<std::string> rows() const;
    int rowsThatFit() const;

    std::vector<std::string> lines_;
    size_t topRow_ = 0;
    TFont font_;
};

}  // namespace ui
