#include "top_strip_layout.h"

namespace zelforge {

void FormResizeLayout(TopStrip &s) {
    s.fileList.height = s.height;
    s.dirList.height = s.height - s.driveBox.height;
    s.dirList.left = s.fileList.width;
    s.driveBox.left = s.dirList.left;
    s.driveBox.top = s.dirList.height;
    s.memo.left = s.fileList.width + s.dirList.width;
    s.memo.width = s.width - s.memo.left;
    s.memo.height = s.dirList.height;
    s.button.top = s.memo.height;
    s.button.left = s.memo.left;
}

}  // namespace zelforge
