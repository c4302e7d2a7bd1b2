#pragma once

#include <string>
#include <vector>

namespace widgets {

// The publishers' one-line notice along the bottom of the window.
extern const char* const kPublishersNotice;
// The short notice that closes the credits.
extern const char* const kCreditsNotice;

// The credits the title screen scrolls, one entry a line: the title, each
// section's heading with its people below, blank lines between the sections.
std::vector<std::string> CreditLines();

}  // namespace widgets
