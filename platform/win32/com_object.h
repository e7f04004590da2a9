// What every COM object of the plug-in shares: IUnknown over one interface, the module's count of
// live objects, creation for the interface a caller asks, and a class factory.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <new>

#include "platform/win32/module_state.h"

namespace adjustui::win32 {

// COM objects are destroyed by their own Release, through this class's virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// IUnknown of an object that implements `Interface` and answers IUnknown and `kIids` with it.
template <typename Interface, const IID&... kIids>
class ComObject : public Interface {
  public:
    ComObject() { adjustui::ModuleCounts().ObjectCreated(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) final {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || (IsEqualIID(riid, kIids) || ...)) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() final {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() final {
        const LONG count = InterlockedDecrement(&refs_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

  protected:
    // Only Release destroys the object.
    virtual ~ComObject() { adjustui::ModuleCounts().ObjectDestroyed(); }

  private:
    LONG refs_ = 1;
};

// A new `Object` for the interface asked; when it offers none, its creation reference is its last.
template <typename Object>
HRESULT CreateComObject(REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    auto* object = new (std::nothrow) Object;
    if (object == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

template <typename Object>
class ClassFactory final : public ComObject<IClassFactory, IID_IClassFactory> {
  public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return CreateComObject<Object>(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL bLock) override {
        adjustui::ModuleCounts().Lock(bLock != FALSE);
        return S_OK;
    }
};

#pragma GCC diagnostic pop

}  // namespace adjustui::win32
