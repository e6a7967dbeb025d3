#pragma once

#include "platform/Ports.h"
#include "platform/posix/MemoryRegistry.h"
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
#include "platform/posix/Windowless.h"

namespace ombrel::platform::posix {

// The native platform layer: one instance of every posix port, with the settings that its user
// chooses. It has no windows (see Windowless); tests and tools that drive windows put the models
// of tests/support/posix in their place.
struct PosixPlatform {
    PosixStringTable strings;
    PosixShell shell;
    PosixCodePages codePages;
    MemoryRegistry registry;
    PosixDiskFiles diskFiles;
    PosixProfileFiles profiles{codePages};
    PosixSystemVersion systemVersion;
    PosixThreadLocale threadLocale;
    PosixModuleFile moduleFile;
    PosixThreads threads;
    PosixClock clock;
    PosixPageFileMemory pageFileMemory;
    Windowless windowless;

    // The ports of this layer, with the given indexer.
    Ports MakePorts(IndexerConnector* indexer) {
        Ports ports;
        ports.strings = &strings;
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
        ports.clock = &clock;
        ports.pageFileMemory = &pageFileMemory;
        ports.messageBoxes = &windowless.messageBoxes;
        ports.jobViews = &windowless.jobViews;
        ports.dialogs = &windowless.dialogs;
        return ports;
    }
};

}  // namespace ombrel::platform::posix
