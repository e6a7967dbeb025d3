#include "platform/Ports.h"

#include <stdexcept>
#include <string>

namespace ombrel::platform {
namespace {

void Require(const void* port, const char* name) {
    if (port == nullptr) throw std::invalid_argument(std::string("no port for ") + name);
}

}  // namespace

Ports& CurrentPorts() {
    static Ports ports;
    return ports;
}

void InstallPorts(const Ports& ports) {
    Require(ports.strings, "strings");
    Require(ports.messageBoxes, "messageBoxes");
    Require(ports.shell, "shell");
    Require(ports.codePages, "codePages");
    Require(ports.indexer, "indexer");
    Require(ports.registry, "registry");
    Require(ports.profiles, "profiles");
    Require(ports.systemVersion, "systemVersion");
    Require(ports.threadLocale, "threadLocale");
    Require(ports.moduleFile, "moduleFile");
    Require(ports.diskFiles, "diskFiles");
    Require(ports.threads, "threads");
    Require(ports.jobViews, "jobViews");
    Require(ports.clock, "clock");
    Require(ports.pageFileMemory, "pageFileMemory");
    Require(ports.dialogs, "dialogs");
    CurrentPorts() = ports;
}

}  // namespace ombrel::platform
