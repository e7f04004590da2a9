#include "host/driver_session.h"

#include <vector>

namespace standin {

std::unique_ptr<DriverSession> DriverSession::Open(HANDLE printer, const wchar_t* deviceName) {
    if (printer == nullptr && deviceName == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DriverSession> session{new DriverSession};
    if (printer == nullptr) {
        HANDLE opened = nullptr;
        if (!OpenPrinterW(const_cast<wchar_t*>(deviceName), &opened, nullptr)) {
            return nullptr;
        }
        session->ownPrinter_.reset(opened);
        printer = opened;
    }
    session->printer_ = printer;

    if (deviceName != nullptr) {
        session->printerName_ = deviceName;
    } else {
        DWORD needed = 0;
        GetPrinterW(printer, 2, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        if (needed == 0 || !GetPrinterW(printer, 2, info.data(), needed, &needed)) {
            return nullptr;
        }
        session->printerName_ = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pPrinterName;
    }

    session->plugin_ = Plugin::Load(printer);
    session->devmode_.emplace(session->printerName_.c_str(), printer, session->plugin_.get());
    if (!session->devmode_->privateBlockSound()) {
        OutputDebugStringA("standin: plug-in's private devmode header is wrong, not used\n");
        session->devmode_.reset();
        session->plugin_.reset();
        session->devmode_.emplace(session->printerName_.c_str(), printer, nullptr);
    }
    return session;
}

}  // namespace standin
