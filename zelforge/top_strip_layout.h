#pragma once

namespace zelforge {

struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The top strip of the authoring window and the five controls in it.
struct TopStrip {
    int width = 0;   // ScrollBox2, after the window aligned its parts
    int height = 0;
    ControlRect fileList;   // FileListBox1
    ControlRect dirList;    // DirectoryListBox1
    ControlRect driveBox;   // DriveComboBox1
    ControlRect memo;       // Memo1
    ControlRect button;     // Button1
};

// FormResize: the file list fills the strip's height at the left, the folder
// list and the drive box stack in the next column, the log takes the rest of
// the width with OK under its left end. Each step reads the values left by
// the steps before it. No minimum: a strip narrower than the two lists gives
// the log a width of zero or less, which the window shows as nothing.
void FormResizeLayout(TopStrip &strip);

}  // namespace zelforge
