#pragma once

#include <string>

#include "platform/file_system.h"
#include "support/result.h"

namespace quillmere {

// Whether `file_name` can be a DXF text drawing, told before anything is read
// or written: it opens, it is not empty, and its first line (after a UTF-8
// byte-order mark and blanks) is a whole-number group code. A binary DXF
// drawing, a picture or any other file fails here with what is wrong with it,
// so that no job copies it as if it were a drawing.
//
// Gives the file's stamp as it was opened, which the writers compare when
// they open the input again.
Result<FileStamp> CheckTextDrawing(const std::string& file_name);

}  // namespace quillmere
