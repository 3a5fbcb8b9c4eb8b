// The file version of the common-controls library loaded in this process
// (comctl32.dll), read through the version-information functions.
#pragma once

namespace widgets {

struct FileVersion {
  unsigned major = 0;
  unsigned minor = 0;
};

// Read on the first call and remembered; 0.0 when it cannot be read.
FileVersion CommonControlsVersion();

}  // namespace widgets
