#pragma once

#include "platform/Ports.h"
#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/ModelDialogs.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixCodePages.h"
#include "platform/posix/PosixDiskFiles.h"
#include "platform/posix/PosixModuleFile.h"
#include "platform/posix/PosixPageFileMemory.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixStringTable.h"
#include "platform/posix/PosixSystemVersion.h"
#include "platform/posix/PosixThreadLocale.h"
#include "platform/posix/PosixThreads.h"
#include "platform/posix/RecordingJobViews.h"
#include "platform/posix/RecordingMessageBoxes.h"

namespace ombrel::platform::posix {

// The native platform layer: one instance of every posix port, with the settings that tests and
// the native host choose.
struct PosixPlatform {
    PosixStringTable strings;
    RecordingMessageBoxes messageBoxes;
    PosixShell shell;
    PosixCodePages codePages;
    MemoryRegistry registry;
    PosixDiskFiles diskFiles;
    PosixProfileFiles profiles{codePages};
    PosixSystemVersion systemVersion;
    PosixThreadLocale threadLocale;
    PosixModuleFile moduleFile;
    PosixThreads threads;
    ModelDialogs dialogs;
    // The job's updates reach the model of the dialog they are meant for.
    RecordingJobViews jobViews{[this](const JobViewUpdate& update) { dialogs.Deliver(update); }};
    PosixClock clock;
    PosixPageFileMemory pageFileMemory;

    // The ports of this layer, with the given indexer.
    Ports MakePorts(IndexerConnector* indexer) {
        Ports ports;
        ports.strings = &strings;
        ports.messageBoxes = &messageBoxes;
        ports.shell = &shell;
        ports.codePages = &codePages;
        ports.indexer = indexer;
        ports.registry = &registry;
        ports.diskFiles = &diskFiles;
        ports.profiles = &profiles;
        ports.systemVersion = &systemVersion;
        ports.threadLocale = &threadLocale;
        ports.moduleFile = &moduleFile;
        ports.threads = &threads;
        ports.jobViews = &jobViews;
        ports.clock = &clock;
        ports.pageFileMemory = &pageFileMemory;
        ports.dialogs = &dialogs;
        return ports;
    }
};

}  // namespace ombrel::platform::posix
