// COM's per-thread initialisation count. A desktop stands for one process: when it goes, the thread's
// COM state goes with it, so the next desktop starts uninitialised.
#pragma once

namespace emu {
void ResetThreadCom();
// How many successful CoInitialize calls on this thread are not balanced yet by CoUninitialize.
int ThreadComInitCount();
} // namespace emu
