#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {
Suite* current = nullptr;
}

Suite::Suite() {
    indexer.Register();
    current = this;
}

Suite::~Suite() {
    current = nullptr;
}

Suite& Suite::Current() {
    return *current;
}

LibraryTest::LibraryTest() {
    standin::InstallHostEnvironment(workingDirectory);
    indexer.MakeMarshalable(true);
    indexer.Register();
    journal.Clear();
    standin::PluginLibrary::TakeMessageBoxes();
    standin::PluginLibrary::TakeCreations();
}

LibraryTest::~LibraryTest() {
    library.Finalize();
    indexer.Register();
    standin::DeleteTree(HKEY_CURRENT_USER, standin::kHostKey);
    standin::DeleteTree(HKEY_CURRENT_USER, standin::kComponentKey);
    standin::DeleteTree(HKEY_CLASSES_ROOT, L"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}");
    standin::DeleteTree(HKEY_CLASSES_ROOT, L"AppID\\OmbrelDesktopTheBat.DLL");
}

}  // namespace ombrel::wine
