// mmEvents: letting pending window messages run in the middle of a command.
#pragma once

namespace vireo {

// Dispatches every message waiting in this thread's queue, then returns. A WM_QUIT found there is posted
// again, so the message loop that owns it still ends.
void DoEvents();

} // namespace vireo
