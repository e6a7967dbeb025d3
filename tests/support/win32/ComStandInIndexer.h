#pragma once

#include <windows.h>

#include "tests/support/IndexerJournal.h"

namespace ombrel::standin {

// The stand-in indexer as real COM classes of this process: the event factory and the registrar
// classes are registered with CoRegisterClassObject, so that CoCreateInstance finds them. Every
// object records its calls in the journal and answers what the journal was told; each COM object
// counts in the journal's live objects until its last reference is released.
class ComStandInIndexer {
  public:
    explicit ComStandInIndexer(IndexerJournal& journal);
    ~ComStandInIndexer();
    ComStandInIndexer(const ComStandInIndexer&) = delete;
    ComStandInIndexer& operator=(const ComStandInIndexer&) = delete;

    // Registers both classes (again); false when COM refuses.
    bool Register();
    // Removes both classes, so that creating them fails as with no indexer installed.
    void Revoke();
    // The class object of the event factory or the registrar class; null for any other class.
    IClassFactory* ClassObject(const CLSID& classId) const;
    // Whether the objects created from now on can be marshaled (the default) or, like an indexer
    // built without a proxy, cannot.
    void MakeMarshalable(bool marshalable) { marshalable_ = marshalable; }

  private:
    IndexerJournal& journal_;
    bool marshalable_ = true;
    IClassFactory* factoryClass_;
    IClassFactory* registrarClass_;
    DWORD factoryCookie_ = 0;
    DWORD registrarCookie_ = 0;
};

// The text of a GUID as StringFromGUID2 writes it, braced and upper-case.
std::u16string GuidText(const GUID& guid);

}  // namespace ombrel::standin
