#include "platform/win32/Win32Ports.h"

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePages.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32DiskFiles.h"
#include "platform/win32/Win32Indexer.h"
#include "platform/win32/Win32JobViews.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32ModuleFile.h"
#include "platform/win32/Win32PageFileMemory.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemVersion.h"
#include "platform/win32/Win32ThreadLocale.h"
#include "platform/win32/Win32Threads.h"

namespace ombrel::platform::win32 {

void InstallWin32Ports(HINSTANCE module) {
    static const Win32StringTable strings(module);
    static Win32MessageBoxes messageBoxes;
    static const Win32Shell shell;
    static const Win32CodePages codePages;
    static Win32Indexer indexer;
    static Win32Registry registry;
    static Win32DiskFiles diskFiles;
    static Win32ProfileFiles profiles;
    static const Win32SystemVersion systemVersion;
    static Win32ThreadLocale threadLocale;
    static const Win32ModuleFile moduleFile(module);
    static Win32Threads threads;
    static Win32JobViews jobViews;
    static const Win32Clock clock;
    static Win32Dialogs dialogs(module);
    static Win32PageFileMemory pageFileMemory;

    Ports ports;
    ports.strings = &strings;
    ports.messageBoxes = &messageBoxes;
    ports.shell = &shell;
    ports.codePages = &codePages;
    ports.indexer = &indexer;
    ports.registry = &registry;
    ports.diskFiles = &diskFiles;
    ports.profiles = &profiles;
    ports.systemVersion = &systemVersion;
    ports.threadLocale = &threadLocale;
    ports.moduleFile = &moduleFile;
    ports.threads = &threads;
    ports.jobViews = &jobViews;
    ports.clock = &clock;
    ports.dialogs = &dialogs;
    ports.pageFileMemory = &pageFileMemory;
    InstallPorts(ports);
}

}  // namespace ombrel::platform::win32
