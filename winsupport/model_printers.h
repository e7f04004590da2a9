// Printers of chosen models in a wine prefix, driven by the stand-in core driver with the plug-in
// that this build made, and the printer data a test or the demo starts from. Shared by the road
// tests and the set-up tool; a program that uses it depends on both DLLs being built.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace adjustui::winsupport {

// The driver files as this build left them, as wine paths.
struct DriverFiles {
    std::wstring standin;
    std::wstring configuration;
    std::wstring plugin;
};
DriverFiles BuiltDriverFiles();

// Installs the stand-in under the driver name `model` (the name the plug-in knows models by).
// True when the spooler has that driver afterwards.
bool InstallModel(const std::wstring& model, const DriverFiles& files = BuiltDriverFiles());

// A printer without any printer data whose driver is `model`; the driver is installed first.
bool AddModelPrinter(const std::wstring& printer, const std::wstring& model);

struct CustomPaper {
    std::wstring name;    // at most 63 characters
    std::int32_t width;   // tenths of a millimetre
    std::int32_t length;  // tenths of a millimetre
};
// Stores `papers` as the printer's custom paper list (ids 257 and up, in this order).
bool StoreCustomPapers(const std::wstring& printer, const std::vector<CustomPaper>& papers);

// Stores one setting value as the plug-in's stored defaults are kept.
bool StoreDword(const std::wstring& printer, const std::wstring& value, std::uint32_t data);
bool StoreByte(const std::wstring& printer, const std::wstring& value, std::uint8_t data);

}  // namespace adjustui::winsupport
