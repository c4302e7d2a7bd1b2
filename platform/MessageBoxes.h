#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Geometry.h"
#include "core/Bitmap.h"

namespace platform {

enum class BoxButton { Ok, Yes, No };

// A box drawn inside the window over everything: the message box (text and
// OK) that shows errors and notices, and the Yes/No question. It lays itself
// out centred in the client area and draws itself; the loop decides which box
// takes the input.
class MessageBox {
  public:
    enum class Kind { Message, Question };

    MessageBox(Kind kind, std::string text, std::string caption, Size client);

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    // The text as the box shows it, one entry a line after wrapping.
    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& caption() const { return caption_; }
    const Rect& bounds() const { return bounds_; }

    // The buttons, left to right; the first is the default (Return).
    std::vector<BoxButton> buttons() const;
    std::optional<Rect> buttonRect(BoxButton button) const;
    std::optional<BoxButton> buttonAt(int x, int y) const;

    // Mouse on a button: pressed on press, answered on release over the same button.
    void mouseDown(int x, int y);
    std::optional<BoxButton> mouseUp(int x, int y);
    // Return answers the default button, Escape the last one.
    std::optional<BoxButton> key(int key) const;

    void draw(core::Bitmap& frame) const;

    // Set when a button closed the box.
    std::optional<BoxButton> answer;

  private:
    struct Button {
        BoxButton id;
        Rect rect;
    };

    Kind kind_;
    std::string text_;
    std::string caption_;
    std::vector<std::string> lines_;
    Rect bounds_;
    Rect textRect_;
    std::vector<Button> buttons_;
    std::optional<BoxButton> pressed_;
};

// Splits a box text into lines at CR LF, LF or CR.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace platform
