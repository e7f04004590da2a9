#include "host/driver_ui.h"

namespace standin {
namespace {

// COM interfaces have no virtual destructor: the object deletes itself in Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The stand-in has no feature set of its own (no GPD), so every feature a plug-in asks about is
// unknown to it.
class DriverUi final : public IPrintOemDriverUI {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IPrintOemDriverUI)) {
            *out = static_cast<IPrintOemDriverUI*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD needed,
                                                  PDWORD) override {
        if (needed != nullptr) {
            *needed = 0;
        }
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override {
        return E_FAIL;
    }

  private:
    ~DriverUi() = default;
    LONG refs_ = 1;
};

#pragma GCC diagnostic pop

}  // namespace

IPrintOemDriverUI* CreateDriverUi() {
    return new DriverUi;
}

}  // namespace standin
