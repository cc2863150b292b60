// What the rest of mfc42 needs of the handle maps.
#pragma once

namespace mfc42 {

// Empties the permanent map (sandbox reset: the window manager has dropped every window).
void ForgetAllPermanent();

}  // namespace mfc42
