#include "intake_phase.h"

#include "texts.h"

namespace zelforge {

PhaseControls ControlsFor(IntakePhase phase) {
    switch (phase) {
    case IntakePhase::NothingSelected:
        return {AuthoringMode::Selecting, false, false, false, texts::kStartText};
    case IntakePhase::OldSelected:
        return {AuthoringMode::Selecting, true, true, false, texts::kSelectionText};
    case IntakePhase::Marking:
        return {AuthoringMode::Marking, false, false, std::nullopt, texts::kMarkingText};
    case IntakePhase::EntryRecorded:
        return {AuthoringMode::Selecting, false, false, false, texts::kNextFileText};
    }
    return {AuthoringMode::Selecting, false, false, false, texts::kStartText};
}

}  // namespace zelforge
