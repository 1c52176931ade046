#pragma once
#include <optional>

#include "authoring_vars.h"

namespace zelforge {

// The phases of the authoring window as the author sees them.
enum class IntakePhase {
    NothingSelected,  // also at start
    OldSelected,      // an old JPEG is shown, waiting for the update image
    Marking,          // the update image is shown, corners are being set
    EntryRecorded,    // an entry was just recorded
};

// What each phase sets on the window.
struct PhaseControls {
    AuthoringMode state;
    bool pasteEnabled;
    bool dropsAccepted;
    // Empty: left as it is (in Marking OK follows the corners).
    std::optional<bool> button1Enabled;
    const char *instruction;  // status bar text, UTF-8
};

[[nodiscard]] PhaseControls ControlsFor(IntakePhase phase);

}  // namespace zelforge
