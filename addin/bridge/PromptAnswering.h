// The worker threads that answer the prompts Developer Studio raises after a workspace was
// reopened: for about three seconds each one posts Yes to every top-level window titled exactly
// "Microsoft Visual C++", pausing briefly between passes. They are the module's own threads: the
// module waits for them before it goes, so no thread runs its code after it was unloaded.
#pragma once

#include "stdafx.h"

// Starts one answering thread.
void StartAnsweringPrompts();
// Waits until every answering thread has ended; with `stopNow` they end at their next pass.
void FinishAnsweringPrompts(bool stopNow);
// Whether an answering thread is still running (the module must not go meanwhile).
bool AnsweringPrompts();
