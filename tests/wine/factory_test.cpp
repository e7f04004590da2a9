// The exports and the class factory, as a core driver meets them.
#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

constexpr CLSID kOtherClass = {
    0x12345678, 0x9ABC, 0xDEF0, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}};

TEST(Exports, AreTheTwoServerEntryPoints) {
    ASSERT_NE(Plugin(), nullptr) << "LoadLibraryW failed: " << GetLastError();
    EXPECT_NE(DllGetClassObject(), nullptr);
    EXPECT_NE(DllCanUnloadNow(), nullptr);
}

TEST(GetClassObject, RefusesAMissingOutPointerBeforeLookingAtTheClass) {
    EXPECT_EQ(DllGetClassObject()(kOtherClass, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(DllGetClassObject()(kCLSID_AdjustUi, IID_IClassFactory, nullptr), E_POINTER);
}

TEST(GetClassObject, OtherClassIsNotAvailableAndNullsTheOutPointer) {
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(DllGetClassObject()(kOtherClass, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST(GetClassObject, GivesAFactoryWithOneReferenceForIUnknownAndIClassFactory) {
    for (const IID* iid : {&IID_IUnknown, &IID_IClassFactory}) {
        ComRef<IClassFactory> factory;
        ASSERT_EQ(DllGetClassObject()(kCLSID_AdjustUi, *iid, factory.put()), S_OK);
        ASSERT_TRUE(factory);
        EXPECT_EQ(RefCount(factory.get()), 1u);
        EXPECT_EQ(DllCanUnloadNow()(), S_FALSE);
    }
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST(GetClassObject, OtherInterfaceDestroysTheNewFactory) {
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(DllGetClassObject()(kCLSID_AdjustUi, kIID_IPrintOemUI2, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST(ClassFactory, QueryInterfaceAnswersItsTwoInterfacesWithItself) {
    auto factory = Factory();
    ASSERT_TRUE(factory);
    for (const IID* iid : {&IID_IUnknown, &IID_IClassFactory}) {
        void* out = nullptr;
        ASSERT_EQ(factory->QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, factory.get());
        EXPECT_EQ(RefCount(factory.get()), 2u);
        factory->Release();
    }
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->QueryInterface(kIID_IPrintOemUI2, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(RefCount(factory.get()), 1u);
}

TEST(ClassFactory, CreateInstanceChecksOutPointerThenAggregation) {
    auto factory = Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->CreateInstance(nullptr, kIID_IPrintOemUI2, nullptr), E_POINTER);

    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->CreateInstance(factory.get(), kIID_IPrintOemUI2, &out),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    factory.reset();
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST(ClassFactory, CreatesThePluginWithOneReferenceForEachOfItsInterfaces) {
    auto factory = Factory();
    ASSERT_TRUE(factory);
    for (const IID* iid : {&IID_IUnknown, &kIID_IPrintOemUI, &kIID_IPrintOemUI2}) {
        ComRef<IUnknown> plugin;
        ASSERT_EQ(factory->CreateInstance(nullptr, *iid, plugin.put()), S_OK);
        ASSERT_TRUE(plugin);
        EXPECT_EQ(RefCount(plugin.get()), 1u);
    }
}

TEST(ClassFactory, UnsupportedInterfaceDestroysTheNewObject) {
    auto factory = Factory();
    ASSERT_TRUE(factory);
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    factory.reset();
    // Only the new object could still hold the server.
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST(CanUnloadNow, WaitsForEveryFactoryObjectAndLock) {
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);

    auto factory = Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(DllCanUnloadNow()(), S_FALSE);

    ComRef<IPrintOemUI2> plugin;
    ASSERT_EQ(factory->CreateInstance(nullptr, kIID_IPrintOemUI2, plugin.put()), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(DllCanUnloadNow()(), S_FALSE);

    plugin.reset();
    EXPECT_EQ(DllCanUnloadNow()(), S_FALSE) << "two locks held";

    // Locks outlive the factory that took them; any factory gives them back.
    factory = Factory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(DllCanUnloadNow()(), S_FALSE) << "the factory itself";
    factory.reset();
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

}  // namespace
}  // namespace adjustui::wine
