#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "resources/ProjectInfo.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

using standin::PluginLibrary;

constexpr std::array<std::uint8_t, 12> kInitialRecord = {0x0D, 0xF0, 0xAD, 0xBA, 0,    0,
                                                         0,    0,    0,    0,    0x0C, 0};

class Exports : public LibraryTest {};

TEST_F(Exports, EveryExportIsPresentAndNeedConfigIsNeedCom) {
    for (const char* name :
         {"TBP_Initialize", "TBP_Finalize", "TBP_NeedCOM", "TBP_NeedConfig", "TBP_GetName",
          "TBP_GetVersion", "TBP_GetInfo", "TBP_GetStatus", "TBP_GetConfigData",
          "TBP_SetConfigData", "TBP_Setup", "TBP_GetSpamScore", "DllCanUnloadNow",
          "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"}) {
        EXPECT_NE(library.Export(name), nullptr) << name;
    }
    EXPECT_EQ(reinterpret_cast<void*>(library.NeedCOM),
              reinterpret_cast<void*>(library.NeedConfig));
    EXPECT_EQ(library.Export("TBP_GetName@8"), nullptr);
}

TEST_F(Exports, VersionAndName) {
    const std::string version = OMBREL_VERSION;
    const auto versionSize = static_cast<std::int32_t>(version.size());
    std::string buffer(100, '#');
    EXPECT_EQ(library.GetVersion(nullptr, 100), versionSize);
    EXPECT_EQ(library.GetVersion(buffer.data(), 0), versionSize);
    EXPECT_EQ(library.GetVersion(buffer.data(), 5), 5);
    EXPECT_EQ(buffer.substr(0, 6), version.substr(0, 5) + "#");
    EXPECT_EQ(library.GetVersion(buffer.data(), 100), versionSize);
    EXPECT_EQ(buffer.substr(0, version.size() + 1), version + "#");

    std::string name(100, '#');
    EXPECT_EQ(library.GetName(nullptr, 100), 23);
    EXPECT_EQ(library.GetName(name.data(), 100), 23);
    EXPECT_EQ(name.substr(0, 24), "Ombrel Desktop The Bat!#");
}

TEST_F(Exports, ConfigurationRecord) {
    std::array<std::uint8_t, 12> record{};
    EXPECT_EQ(library.GetConfigData(nullptr, 12), 12U);
    EXPECT_EQ(library.GetConfigData(record.data(), 12), 12U);
    EXPECT_EQ(record, kInitialRecord);

    std::array<std::uint8_t, 12> four{};
    EXPECT_EQ(library.GetConfigData(four.data(), 4), 4U);
    EXPECT_EQ(std::memcmp(four.data(), kInitialRecord.data(), 4), 0);
    EXPECT_EQ(four[4], 0);
    EXPECT_EQ(library.GetConfigData(record.data(), static_cast<std::uint32_t>(-1)), 12U);

    auto options = kInitialRecord;
    options[4] = 1;
    options[6] = 1;
    std::array<std::uint8_t, 13> longer{};
    std::memcpy(longer.data(), options.data(), 12);
    auto badSignature = options;
    badSignature[3] = 0xBB;
    auto badSize = options;
    badSize[10] = 13;
    for (int size : {11, 13}) EXPECT_EQ(library.SetConfigData(longer.data(), size), 0);
    EXPECT_EQ(library.SetConfigData(badSignature.data(), 12), 0);
    EXPECT_EQ(library.SetConfigData(badSize.data(), 12), 0);
    EXPECT_EQ(library.SetConfigData(nullptr, 12), 0);
    library.GetConfigData(record.data(), 12);
    EXPECT_EQ(record, kInitialRecord);

    EXPECT_EQ(library.SetConfigData(options.data(), 12), 0);
    library.GetConfigData(record.data(), 12);
    EXPECT_EQ(record, options);
    EXPECT_EQ(library.SetConfigData(kInitialRecord.data(), 12), 0);
}

TEST_F(Exports, FixedAnswersOfTheComServer) {
    EXPECT_EQ(library.NeedCOM(), 1);
    EXPECT_EQ(library.NeedConfig(), 1);
    EXPECT_EQ(library.GetInfo(1, 2), 0);
    EXPECT_EQ(library.CanUnloadNow(), S_OK);
    void* object = &object;
    EXPECT_EQ(library.GetClassObject(IID_IUnknown, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(library.GetClassObject(IID_IUnknown, IID_IClassFactory, nullptr), E_POINTER);
}

class Lifecycle : public LibraryTest {};

TEST_F(Lifecycle, StatusSetupAndTheEventFactory) {
    EXPECT_EQ(library.GetStatus(), 1);
    EXPECT_EQ(library.Setup(), -1);
    auto boxes = PluginLibrary::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text,
              u"Plugin wasn't initialized properly!\r\nProbably your The Bat! version is too "
              u"low.\r\nOr something wrong with Ombrel Desktop.");
    EXPECT_EQ(boxes[0].caption, u"Ombrel Desktop The Bat!");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_ICONERROR | MB_OK));

    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 0);
    // The factory, then the Global Interface Table that keeps it for every thread.
    const auto creations = PluginLibrary::TakeCreations();
    ASSERT_EQ(creations.size(), 2U);
    EXPECT_EQ(creations[0].classId, u"{579822B3-44CD-4786-83E0-AE32BCB9E6B1}");
    EXPECT_FALSE(creations[0].hasOuter);
    EXPECT_EQ(creations[0].context, 0x17U);
    EXPECT_EQ(creations[0].interfaceId, u"{A79E51C6-DB2D-4A44-848E-A8EBB22E5337}");
    EXPECT_EQ(creations[0].result, S_OK);
    EXPECT_EQ(creations[1].classId, standin::GuidText(CLSID_StdGlobalInterfaceTable));
    EXPECT_EQ(creations[1].interfaceId, standin::GuidText(IID_IGlobalInterfaceTable));
    EXPECT_EQ(creations[1].result, S_OK);
    EXPECT_EQ(journal.LiveObjects(), 1);

    library.Finalize();
    EXPECT_EQ(library.GetStatus(), 1);
    EXPECT_EQ(journal.LiveObjects(), 0);
    EXPECT_EQ(library.Setup(), -1);
    EXPECT_EQ(PluginLibrary::TakeMessageBoxes().size(), 1U);
}

TEST_F(Lifecycle, WithoutTheIndexerTheLibraryStaysUninitialised) {
    indexer.Revoke();
    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 1);
    const auto creations = PluginLibrary::TakeCreations();
    ASSERT_EQ(creations.size(), 1U);
    EXPECT_TRUE(FAILED(creations[0].result));
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(Lifecycle, AFactoryCreationRefusedByTheIndexerLeavesItUninitialised) {
    journal.Script("CreateEventFactory", E_ACCESSDENIED, 1);
    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 1);
    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 0);
}

}  // namespace
}  // namespace ombrel::wine
