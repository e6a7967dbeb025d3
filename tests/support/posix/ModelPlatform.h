#pragma once

#include "platform/posix/PosixPlatform.h"
#include "tests/support/posix/ModelDialogs.h"
#include "tests/support/posix/RecordingJobViews.h"
#include "tests/support/posix/RecordingMessageBoxes.h"

namespace ombrel::platform::posix {

// The posix platform with models of windows in place of its windowless ports, which native tests
// and tools drive and inspect: message boxes answered from a script, dialogs worked by a scripted
// user, and job views that record every update and hand it to the model of its dialog.
struct ModelPlatform : PosixPlatform {
    RecordingMessageBoxes messageBoxes;
    ModelDialogs dialogs;
    RecordingJobViews jobViews{[this](const JobViewUpdate& update) { dialogs.Deliver(update); }};

    // The ports of the platform with the window models, with the given indexer.
    Ports MakePorts(IndexerConnector* indexer) {
        Ports ports = PosixPlatform::MakePorts(indexer);
        ports.messageBoxes = &messageBoxes;
        ports.jobViews = &jobViews;
        ports.dialogs = &dialogs;
        return ports;
    }
};

}  // namespace ombrel::platform::posix
