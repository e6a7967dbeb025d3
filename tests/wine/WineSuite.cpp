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
    indexer.Register();
    journal.Clear();
    standin::PluginLibrary::TakeMessageBoxes();
    standin::PluginLibrary::TakeCreations();
}

LibraryTest::~LibraryTest() {
    library.Finalize();
    indexer.Register();
}

}  // namespace ombrel::wine
