// The keyboard state a thread reads with GetKeyState, kept in step with the messages it retrieves.
#pragma once

#include "user_state.h"

namespace user32::keyboard {

// With the lock held: the thread has removed `msg` from its queue; a keyboard or mouse message
// brings its keys and buttons into the thread's state.
void NoteRetrievedLocked(ThreadQueue& queue, const MSG& msg);

}  // namespace user32::keyboard
