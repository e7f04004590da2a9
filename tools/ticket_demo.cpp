// What an application on the XML print path sees of the plug-in, for one printer:
//   adjustui-ticket-demo PRINTER
// prints the plug-in's part of the printer's capabilities and of its default ticket, then makes
// a devmode from a ticket that asks for a cut after every page and density 110 % and prints the
// settings the Adjustments page then shows.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/oem_devmode.h"
#include "winsupport/ticket_client.h"
#include "winsupport/xml_document.h"

namespace {

using adjustui::winsupport::ParseXml;
using adjustui::winsupport::SelectTexts;

constexpr wchar_t kOurs[] = L"aui:";

std::wstring Joined(const std::vector<std::wstring>& texts, const wchar_t* separator) {
    std::wstring line;
    for (const std::wstring& text : texts) {
        line += (line.empty() ? L"" : separator) + text;
    }
    return line;
}

void PrintCapabilities(IXMLDOMDocument2* caps) {
    std::wprintf(L"  Features (options):\n");
    for (const std::wstring& feature :
         SelectTexts(caps, L"/psf:PrintCapabilities/psf:Feature/@name")) {
        const std::wstring at = L"/psf:PrintCapabilities/psf:Feature[@name='" + feature + L"']";
        if (feature.rfind(kOurs, 0) == 0) {
            std::wprintf(L"    %-22ls %ls\n", feature.c_str(),
                         Joined(SelectTexts(caps, at + L"/psf:Option/@name"), L" ").c_str());
        }
    }
    std::wprintf(L"  Parameters (range, unit):\n");
    for (const std::wstring& name :
         SelectTexts(caps, L"/psf:PrintCapabilities/psf:ParameterDef/@name")) {
        const std::wstring at = L"/psf:PrintCapabilities/psf:ParameterDef[@name='" + name +
                                L"']/psf:Property[@name='psf:";
        const auto value = [&](const wchar_t* property) {
            return Joined(SelectTexts(caps, at + property + L"']/psf:Value"), L"");
        };
        const bool text = value(L"MaxLength") != L"";
        std::wprintf(L"    %-22ls %ls .. %ls %ls\n", name.c_str(),
                     value(text ? L"MinLength" : L"MinValue").c_str(),
                     value(text ? L"MaxLength" : L"MaxValue").c_str(), value(L"UnitType").c_str());
    }
    std::wprintf(L"  Custom papers among psk:PageMediaSize (width x height):\n");
    const std::wstring sizes =
        L"/psf:PrintCapabilities/psf:Feature[@name='psk:PageMediaSize']/psf:Option";
    for (const std::wstring& option : SelectTexts(caps, sizes + L"/@name")) {
        if (option.rfind(kOurs, 0) == 0) {
            std::wprintf(L"    %-22ls %ls microns\n", option.c_str(),
                         Joined(SelectTexts(caps, sizes + L"[@name='" + option +
                                                      L"']/psf:ScoredProperty/psf:Value"),
                                L" x ")
                             .c_str());
        }
    }
}

void PrintTicket(IXMLDOMDocument2* ticket) {
    for (const std::wstring& feature : SelectTexts(ticket, L"/psf:PrintTicket/psf:Feature/@name")) {
        if (feature.rfind(kOurs, 0) == 0) {
            const std::wstring at = L"/psf:PrintTicket/psf:Feature[@name='" + feature + L"']";
            std::wprintf(L"    %-22ls %ls\n", feature.c_str(),
                         Joined(SelectTexts(ticket, at + L"/psf:Option/@name"), L" ").c_str());
        }
    }
    for (const std::wstring& name :
         SelectTexts(ticket, L"/psf:PrintTicket/psf:ParameterInit/@name")) {
        const std::wstring at = L"/psf:PrintTicket/psf:ParameterInit[@name='" + name + L"']";
        std::wprintf(L"    %-22ls = \"%ls\"\n", name.c_str(),
                     Joined(SelectTexts(ticket, at + L"/psf:Value"), L"").c_str());
    }
}

std::wstring Number(std::uint32_t v) {
    return v == adjustui::kUnsetValue ? L"(unset)" : std::to_wstring(v);
}

const wchar_t* Sent(std::uint8_t flag) {
    return flag != 0 ? L"sent" : L"as set at the printer";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputws(L"usage: adjustui-ticket-demo PRINTER\n", stderr);
        return 2;
    }
    adjustui::winsupport::ComApartment com;
    const auto client = adjustui::winsupport::TicketClient::ForPrinter(argv[1]);
    if (!client) {
        std::fwprintf(stderr, L"%ls: no print-ticket path\n", argv[1]);
        return 1;
    }
    std::wstring xml;
    if (FAILED(client->Capabilities(nullptr, xml))) {
        return 1;
    }
    std::wprintf(L"%ls: the plug-in's part of the PrintCapabilities\n", argv[1]);
    PrintCapabilities(ParseXml(xml).get());
    if (FAILED(client->DevModeToTicket(nullptr, xml))) {
        return 1;
    }
    std::wprintf(L"\n%ls: the plug-in's part of the default PrintTicket\n", argv[1]);
    PrintTicket(ParseXml(xml).get());

    const std::wstring ticket =
        L"<psf:PrintTicket "
        L"xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
        L"xmlns:aui='urn:adjustui:printschema:2026' version='1'>"
        L"<psf:Feature name='aui:Cutter'><psf:Option name='aui:PageCut'/></psf:Feature>"
        L"<psf:Feature name='aui:PrintDensity'><psf:Option name='aui:Density110'/></psf:Feature>"
        L"</psf:PrintTicket>";
    std::wprintf(L"\nAn application's ticket:\n  %ls\n", ticket.c_str());
    std::vector<BYTE> devmode;
    if (FAILED(client->TicketToDevMode(ticket, nullptr, devmode))) {
        return 1;
    }
    const auto& dm = *reinterpret_cast<const DEVMODEW*>(devmode.data());
    const auto& b = *reinterpret_cast<const adjustui::OemDevmode*>(devmode.data() + dm.dmSize);
    const wchar_t* cutter[] = {L"No cutting", L"Job cut", L"Page cut"};
    std::wprintf(L"The devmode it makes, as the Adjustments page shows it:\n");
    std::wprintf(L"  Cutter         %-10ls %ls\n", b.dwCutter <= 2 ? cutter[b.dwCutter] : L"-",
                 Sent(b.bCutterSend));
    std::wprintf(L"  Print density  %-10ls %ls\n", Number(b.dwPrintDensity).c_str(),
                 Sent(b.bPrintDensitySend));
    std::wprintf(L"  Print speed    %-10ls %ls\n", Number(b.dwPrintSpeed).c_str(),
                 Sent(b.bPrintSpeedSend));
    return 0;
}
