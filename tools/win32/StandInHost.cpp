// The stand-in host: loads OmbrelDesktopTheBat.dll as the mail client does, with the stand-in
// indexer registered as COM classes, and drives it in one of its modes (see wmain), printing one
// JSON object per line. By default it hands the library an options record, initialises it, and
// prints what the library answers and what reached the indexer, then finalises it. On a machine
// without the mail client it first installs the client's registry key, with its data in the
// application-data folder; the library then registers itself with the stand-in indexer at its first
// start.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/IndexerJournal.h"
#include "tests/support/JsonText.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/PluginLibrary.h"
#include "tools/win32/ExitPassMode.h"
#include "tools/win32/HelpButtonMode.h"
#include "tools/win32/ReIndexMode.h"
#include "tools/win32/ReceiveMode.h"

namespace {

using ombrel::standin::ComStandInIndexer;
using ombrel::standin::IndexerJournal;
using ombrel::standin::PluginLibrary;
using ombrel::testing::Json;

void InstallHostUnlessPresent() {
    namespace standin = ombrel::standin;
    if (standin::HasKey(HKEY_CURRENT_USER, standin::kHostKey)) return;
    const std::wstring directory = standin::AppDataFolder() + L"\\The Bat!";
    CreateDirectoryW(directory.c_str(), nullptr);
    standin::PutString(HKEY_CURRENT_USER, standin::kHostKey, L"Version", L"2.0.4.8");
    standin::PutString(HKEY_CURRENT_USER, standin::kHostKey, L"Working Directory",
                       L"%APPDATA%\\The Bat!");
}

void PrintIdentity(PluginLibrary& library) {
    char name[64] = {};
    char version[16] = {};
    const int nameLength = library.GetName(name, sizeof name - 1);
    const int versionLength = library.GetVersion(version, sizeof version - 1);
    std::printf("{\"library\":{\"name\":\"%.*s\",\"version\":\"%.*s\",\"status\":%d}}\n",
                nameLength, name, versionLength, version, library.GetStatus());
}

void PrintMessageBoxes() {
    for (const auto& box : PluginLibrary::TakeMessageBoxes()) {
        std::printf("{\"messageBox\":{\"text\":%s,\"caption\":%s,\"style\":%u}}\n",
                    Json(box.text).c_str(), Json(box.caption).c_str(), box.style);
    }
}

void PrintIndexerCalls(const IndexerJournal& journal) {
    for (const auto& call : journal.Calls()) {
        std::string args;
        for (const auto& arg : call.args) {
            if (!args.empty()) args += ",";
            args += arg ? Json(*arg) : "null";
        }
        std::printf("{\"indexerCall\":{\"method\":\"%s\",\"args\":[%s]}}\n", call.method.c_str(),
                    args.c_str());
    }
}

// Starts and stops the library once; 0 when nothing of the indexer outlives it.
int RunLifecycle(PluginLibrary& library, const IndexerJournal& journal) {
    const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
    library.SetConfigData(options, sizeof options);
    PrintIdentity(library);
    library.Initialize();
    PrintIdentity(library);
    library.Finalize();
    PrintIdentity(library);
    PrintMessageBoxes();
    PrintIndexerCalls(journal);
    std::printf("{\"indexer\":{\"liveObjectsAfterFinalize\":%d}}\n", journal.LiveObjects());
    return journal.LiveObjects() == 0 ? 0 : 1;
}

}  // namespace

// standin_host                      starts and stops the library
// standin_host --receive DIRECTORY  offers every message file (*.eml) of the directory as mail
//                                   arriving, and prints the events that reach the indexer
// standin_host --exit-pass          shuts the library down over a sample store whose monitored
//                                   folders hold mail newer than their last indexed time
// standin_host --reindex            re-indexes every folder of a sample store through the settings
//                                   dialog, as a user would, then shuts the library down
// standin_host --press-help LIBRARY loads the library from the given path (an installed one) and
//                                   presses Help in its settings dialog
int wmain(int argc, wchar_t** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    InstallHostUnlessPresent();
    int exitCode = 0;
    {
        IndexerJournal journal;
        ComStandInIndexer indexer(journal);
        indexer.Register();
        const std::wstring mode = argc > 1 ? argv[1] : L"";
        const bool pressHelp = mode == L"--press-help" && argc == 3;
        PluginLibrary library(pressHelp ? std::wstring(argv[2]) : PluginLibrary::BesideProgram());
        if (!library.Loaded()) {
            std::fprintf(stderr, "OmbrelDesktopTheBat.dll does not load\n");
            return 2;
        }
        if (mode == L"--receive" && argc == 3) {
            exitCode = ombrel::standin::ReceiveMessageFiles(library, journal, argv[2]);
        } else if (mode == L"--exit-pass" && argc == 2) {
            exitCode = ombrel::standin::RunExitPassOverSample(library, journal);
        } else if (mode == L"--reindex" && argc == 2) {
            exitCode = ombrel::standin::RunReIndexOverSample(library, journal);
        } else if (pressHelp) {
            exitCode = ombrel::standin::PressHelpButton(library);
        } else if (mode.empty()) {
            exitCode = RunLifecycle(library, journal);
        } else {
            std::fprintf(stderr,
                         "usage: standin_host [--receive DIRECTORY | --exit-pass | --reindex | "
                         "--press-help LIBRARY]\n");
            exitCode = 2;
        }
    }
    CoUninitialize();
    return exitCode;
}
