// The stand-in indexer as an in-process COM server registered in a Wine prefix, for the programs
// that find the indexer through the registry, as regsvr32 does when an installer registers the
// library. Its classes answer every call with success.
#include <windows.h>

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/ComStandInIndexer.h"

namespace {

ombrel::standin::ComStandInIndexer& Indexer() {
    static ombrel::standin::IndexerJournal journal;
    static ombrel::standin::ComStandInIndexer indexer(journal);
    return indexer;
}

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID interfaceId,
                                               void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    try {
        IClassFactory* classObject = Indexer().ClassObject(classId);
        return classObject != nullptr ? classObject->QueryInterface(interfaceId, object)
                                      : CLASS_E_CLASSNOTAVAILABLE;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The objects it made live in this library's memory: it stays loaded.
extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return S_FALSE;
}
