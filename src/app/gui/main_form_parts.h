#pragma once

// What the parts of the main window's code share.

class QPlainTextEdit;

namespace quillmere::main_form {

// The height the memo needs to show `lines` lines of its text without
// scrolling.
int MemoHeight(const QPlainTextEdit& memo, int lines);

}  // namespace quillmere::main_form
