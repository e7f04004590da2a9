#include "host/driver_session.h"

#include "winsupport/spooler_info.h"

namespace standin {

std::unique_ptr<DriverSession> DriverSession::Open(HANDLE printer, const wchar_t* deviceName) {
    if (printer == nullptr && deviceName == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DriverSession> session{new DriverSession};
    if (printer == nullptr) {
        session->ownPrinter_ = winsupport::OpenPrinterByName(deviceName);
        if (!session->ownPrinter_) {
            return nullptr;
        }
        printer = session->ownPrinter_.get();
    }
    session->printer_ = printer;

    if (deviceName != nullptr) {
        session->printerName_ = deviceName;
    } else {
        const auto info = winsupport::PrinterInfo2(printer);
        if (!info || (*info)->pPrinterName == nullptr) {
            return nullptr;
        }
        session->printerName_ = (*info)->pPrinterName;
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
