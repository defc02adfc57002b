#pragma once

#include <string>
#include <vector>

namespace quillmere {

// The desktop program's preview from the command line:
//
//   quillmere --preview DRAWING [PICTURE.png]
//   quillmere --preview MODE INPUT OUTPUT [PICTURE.png]
//
// With a picture name the preview window is drawn at 1200 x 900 pixels into
// that PNG file, without being shown (also with no screen at all, on Qt's
// offscreen platform); without one the window opens and the program ends
// when it is closed. MODE is a job's mode word: the preview then shows
// OUTPUT as that job's result from INPUT.

// Whether the arguments (the program path not included) ask for a preview.
bool IsPreviewCommand(const std::vector<std::string>& arguments);

// To be called before the application object exists. A picture (and the
// usage text) needs no screen: it is drawn on Qt's offscreen platform, also
// where there is a display, and Qt's own diagnostics stay out of the run's
// output, which then holds only what the user must be told.
void PrepareForPreviewCommand(const std::vector<std::string>& arguments);

// Runs the preview the arguments ask for, with the application object in
// place, and returns the exit status: 0 done, 1 a file could not be read or
// the picture not written (the message shown, or printed to stderr where
// there is no screen), 2 arguments of the wrong number.
int RunPreviewCommand(const std::vector<std::string>& arguments);

}  // namespace quillmere
