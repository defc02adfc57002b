#pragma once

#include <windows.h>

namespace quillmere::win {

// The program's message loop: keyboard navigation (Tab, mnemonics, the
// default and cancel buttons) works in whichever window is active.
// Returns the exit code of WM_QUIT.
int RunMessageLoop();

// Shows `window` modally over `owner`: the owner takes no input until
// `window` is hidden again, which its own handlers do when it closes.
void RunModal(HWND window, HWND owner);

}  // namespace quillmere::win
