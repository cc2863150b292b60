// Sandbox view of the common controls: what a tooltip shows and the image lists alive.
// Implemented by comctl32.
//
// On sandbox::Reset(): the windows are gone with the window manager's reset; image lists a test
// left behind stay (they belong to no window).
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <string>

#include "sandbox/core.h"

namespace sandbox {

// What a tooltip control shows: whether its tip is up, the text of the tip (the text of the tool
// it shows, or of the last tool it showed), the maximum tip width (-1: none) and the tip's width.
// A window that is no tooltip is reported and gives an empty view.
struct ToolTipView {
  bool visible = false;
  std::string text;
  int maxWidth = -1;
  int width = 0;
};
SANDBOX_API ToolTipView ToolTipOf(const void* window);

// Image lists made and not yet destroyed.
SANDBOX_API size_t LiveImageLists();

}  // namespace sandbox
