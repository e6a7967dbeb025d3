#pragma once

namespace ombrel::platform {

class StringTable;
class MessageBoxes;
class Shell;
class CodePages;
class IndexerConnector;
class Registry;
class ProfileFiles;
class SystemVersion;
class ThreadLocale;
class ModuleFile;
class DiskFiles;
class Threads;
class JobViews;
class Clock;
class PageFileMemory;
class Dialogs;

// The narrow interfaces through which the core reaches the operating system and the indexer. The
// platform installs them once when the library loads (a host or test installs them natively);
// tests may replace any one of them. Every port is required: installing checks that none is
// missing, and the core uses them without checking again.
struct Ports {
    const StringTable* strings = nullptr;
    MessageBoxes* messageBoxes = nullptr;
    const Shell* shell = nullptr;
    const CodePages* codePages = nullptr;
    IndexerConnector* indexer = nullptr;
    Registry* registry = nullptr;
    ProfileFiles* profiles = nullptr;
    const SystemVersion* systemVersion = nullptr;
    ThreadLocale* threadLocale = nullptr;
    const ModuleFile* moduleFile = nullptr;
    DiskFiles* diskFiles = nullptr;
    Threads* threads = nullptr;
    JobViews* jobViews = nullptr;
    const Clock* clock = nullptr;
    PageFileMemory* pageFileMemory = nullptr;
    Dialogs* dialogs = nullptr;
};

Ports& CurrentPorts();

// Makes the ports the current ones. Throws std::invalid_argument, and keeps the current ones, when
// a port is missing.
void InstallPorts(const Ports& ports);

// Replaces the current ports for its lifetime, restoring the previous ones at the end.
class ScopedPorts {
  public:
    explicit ScopedPorts(const Ports& ports) : saved_(CurrentPorts()) { InstallPorts(ports); }
    ~ScopedPorts() { CurrentPorts() = saved_; }
    ScopedPorts(const ScopedPorts&) = delete;
    ScopedPorts& operator=(const ScopedPorts&) = delete;

  private:
    Ports saved_;
};

}  // namespace ombrel::platform
