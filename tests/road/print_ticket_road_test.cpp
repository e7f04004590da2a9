// An application's print tickets: capabilities, devmode to ticket and back, validation, reached
// through the stand-in's print-ticket path and the real provider; and the provider itself, made as
// a core driver makes it and called from two threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "platform/win32/oem_interface.h"
#include "tests/road/road_printer.h"
#include "winsupport/plugin_module.h"
#include "winsupport/spooler_info.h"
#include "winsupport/ticket_client.h"
#include "winsupport/xml_document.h"

namespace adjustui::road {
namespace {

using winsupport::ParseXml;
using winsupport::SelectTexts;
using winsupport::XmlDocument;
using Names = std::vector<std::wstring>;

constexpr wchar_t kOpen[] =
    L"<psf:PrintTicket "
    L"xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
    L"xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
    L"xmlns:xsd='http://www.w3.org/2001/XMLSchema' xmlns:t='urn:adjustui:printschema:2026' "
    L"xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' "
    L"xmlns:other='urn:other' version='1'>";

std::wstring Ticket(const std::wstring& body) {
    return kOpen + body + L"</psf:PrintTicket>";
}
std::wstring Choose(const std::wstring& feature, const std::wstring& option) {
    return L"<psf:Feature name='" + feature + L"'><psf:Option name='" + option +
           L"'/></psf:Feature>";
}
std::wstring Init(const std::wstring& parameter, const std::wstring& type,
                  const std::wstring& value) {
    return L"<psf:ParameterInit name='t:" + parameter + L"'><psf:Value xsi:type='xsd:" + type +
           L"'>" + value + L"</psf:Value></psf:ParameterInit>";
}

// Our features of a document, as the provider names them where the document had no prefix for
// our namespace.
Names Ours(IXMLDOMDocument2* document, const std::wstring& xpath) {
    Names names;
    for (const std::wstring& name : SelectTexts(document, xpath)) {
        if (name.rfind(L"aui:", 0) == 0) {
            names.push_back(name.substr(4));
        }
    }
    return names;
}

class PrintTicketRoad : public ::testing::Test {
  protected:
    // A printer of `model` with one custom paper, and the stand-in's print-ticket calls for it.
    void Open(const std::wstring& model) {
        printer.emplace(L"ticket " + model, model);
        ASSERT_TRUE(printer->ready());
        ASSERT_TRUE(printer->StorePapers({{L"Label 100x50", 1000, 500}}));
        client = winsupport::TicketClient::ForPrinter(printer->name());
        ASSERT_TRUE(client.has_value());
    }

    XmlDocument Capabilities() {
        std::wstring xml;
        EXPECT_EQ(client->Capabilities(nullptr, xml), S_OK);
        return ParseXml(xml);
    }
    std::wstring TicketOf(Devmode& devmode) {
        std::wstring xml;
        EXPECT_EQ(client->DevModeToTicket(&devmode.dm(), xml), S_OK);
        return xml;
    }
    Devmode DevmodeOf(const std::wstring& ticket, Devmode* base) {
        std::vector<BYTE> bytes;
        EXPECT_EQ(client->TicketToDevMode(ticket, base ? &base->dm() : nullptr, bytes), S_OK);
        return Devmode(std::move(bytes));
    }

    // Every setting as the page applies it.
    Devmode AppliedDevmode() {
        Devmode devmode = printer->DefaultDevmode();
        OemDevmode& b = devmode.block();
        b.bSettingsValid = 1;
        b.lXOffset = 150;
        b.lYOffset = -75;
        b.bOffsetSend = 1;
        b.lSlipCorrection = -20;
        b.bSlipCorrectionSend = 1;
        b.dwCutter = 2;
        b.bCutterSend = 1;
        b.dwPrintSpeed = 5;
        b.bPrintSpeedSend = 1;
        b.dwPrintDensity = 110;
        b.bPrintDensitySend = 1;
        b.dwConfigNumber = 3;
        b.bConfigSend = 1;
        b.bRotate180 = 1;
        std::copy_n(u"Courier", 7, b.szPassThroughFont);
        b.bPassThroughSend = 1;
        return devmode;
    }

    winsupport::ComApartment com;
    std::optional<RoadPrinter> printer;
    std::optional<winsupport::TicketClient> client;
};

void ExpectSameSettings(const OemDevmode& a, const OemDevmode& b) {
    EXPECT_EQ(a.lXOffset, b.lXOffset);
    EXPECT_EQ(a.lYOffset, b.lYOffset);
    EXPECT_EQ(a.bOffsetSend, b.bOffsetSend);
    EXPECT_EQ(a.lSlipCorrection, b.lSlipCorrection);
    EXPECT_EQ(a.bSlipCorrectionSend, b.bSlipCorrectionSend);
    EXPECT_EQ(a.dwCutter, b.dwCutter);
    EXPECT_EQ(a.bCutterSend, b.bCutterSend);
    EXPECT_EQ(a.dwPrintSpeed, b.dwPrintSpeed);
    EXPECT_EQ(a.bPrintSpeedSend, b.bPrintSpeedSend);
    EXPECT_EQ(a.dwPrintDensity, b.dwPrintDensity);
    EXPECT_EQ(a.bPrintDensitySend, b.bPrintDensitySend);
    EXPECT_EQ(a.dwConfigNumber, b.dwConfigNumber);
    EXPECT_EQ(a.bConfigSend, b.bConfigSend);
    EXPECT_EQ(a.bRotate180, b.bRotate180);
    EXPECT_EQ(std::u16string(a.szPassThroughFont), std::u16string(b.szPassThroughFont));
    EXPECT_EQ(a.bPassThroughSend, b.bPassThroughSend);
}

TEST_F(PrintTicketRoad, CapabilitiesListTheModelsFeaturesOptionsRangesAndPapers) {
    const Names everyModel = {L"Configuration", L"PageRotation180", L"ImageOffset",
                              L"PassThroughFont"};
    struct Case {
        const wchar_t* model;
        Names features;
        Names speeds;
    } cases[] = {
        {L"KESTRA VC9",
         {L"Cutter", L"PrintSpeed", L"PrintDensity", L"Configuration", L"PageRotation180",
          L"ImageOffset", L"SlipCorrection", L"PassThroughFont"},
         {L"AsSetAtPrinter", L"Speed2", L"Speed3", L"Speed4", L"Speed5", L"Speed6"}},
        {L"MANTO 63N-2", {L"Cutter"}, {}},
        {L"MANTO 47 NR",
         {L"PrintSpeed"},
         {L"AsSetAtPrinter", L"Speed4", L"Speed5", L"Speed6", L"Speed7", L"Speed8", L"Speed9",
          L"Speed10", L"Speed11", L"Speed12"}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.model);
        Open(c.model);
        const XmlDocument caps = Capabilities();
        ASSERT_TRUE(caps);
        Names expected = c.features;
        if (expected.size() == 1) {
            expected.insert(expected.end(), everyModel.begin(), everyModel.end());
        }
        EXPECT_EQ(Ours(caps.get(), L"/psf:PrintCapabilities/psf:Feature/@name"), expected);
        EXPECT_EQ(Ours(caps.get(),
                       L"/psf:PrintCapabilities/psf:Feature[@name='aui:PrintSpeed']/"
                       L"psf:Option/@name"),
                  c.speeds);
        const auto value = [&](const wchar_t* def, const wchar_t* property) {
            return SelectTexts(
                caps.get(), std::wstring(L"/psf:PrintCapabilities/psf:ParameterDef[@name='aui:") +
                                def + L"']/psf:Property[@name='psf:" + property + L"']/psf:Value");
        };
        // The density list keeps its step: 10, 15, ... 120.
        const Names density = Ours(caps.get(),
                                   L"/psf:PrintCapabilities/psf:Feature[@name="
                                   L"'aui:PrintDensity']/psf:Option/@name");
        EXPECT_EQ(density.size(), c.features.size() > 1 ? 24u : 0u);
        EXPECT_EQ(std::count(density.begin(), density.end(), L"Density115"),
                  c.features.size() > 1 ? 1 : 0);
        EXPECT_EQ(value(L"ImageOffsetY", L"MinValue"), Names{L"-25400"});
        EXPECT_EQ(value(L"ImageOffsetY", L"MaxValue"), Names{L"25400"});
        EXPECT_EQ(value(L"ImageOffsetY", L"UnitType"), Names{L"microns"});
        EXPECT_EQ(value(L"PassThroughFontName", L"MaxLength"), Names{L"511"});
        EXPECT_EQ(value(L"SlipCorrectionPercent", L"MaxValue"),
                  c.features.size() > 1 ? Names{L"100"} : Names{});
        const std::wstring paper =
            L"/psf:PrintCapabilities/psf:Feature[@name='psk:PageMediaSize']/"
            L"psf:Option[@name='aui:CustomPaper257']/psf:ScoredProperty";
        EXPECT_EQ(SelectTexts(caps.get(), paper + L"/psf:Value"), (Names{L"100000", L"50000"}));
    }
}

TEST_F(PrintTicketRoad, DevmodeComesBackFromItsTicketForDefaultsAndAnAppliedBlock) {
    Open(L"KESTRA VC9");
    Devmode defaults = printer->DefaultDevmode();
    Devmode fromDefaults = DevmodeOf(TicketOf(defaults), nullptr);
    ExpectSameSettings(fromDefaults.block(), defaults.block());

    Devmode applied = AppliedDevmode();
    const std::wstring ticket = TicketOf(applied);
    const XmlDocument document = ParseXml(ticket);
    EXPECT_EQ(
        SelectTexts(document.get(),
                    L"/psf:PrintTicket/psf:Feature[@name='aui:PrintDensity']/psf:Option/@name"),
        Names{L"aui:Density110"});
    EXPECT_EQ(
        SelectTexts(document.get(),
                    L"/psf:PrintTicket/psf:ParameterInit[@name='aui:ImageOffsetX']/psf:Value"),
        Names{L"12700"});
    // Onto the printer's defaults, not onto the block it came from.
    Devmode back = DevmodeOf(ticket, nullptr);
    ExpectSameSettings(back.block(), applied.block());
}

TEST_F(PrintTicketRoad, ATicketNamingOnlyTheCutterChangesOnlyTheCutter) {
    Open(L"KESTRA VC9");
    Devmode base = AppliedDevmode();
    Devmode merged = printer->Merged(base);
    Devmode out = DevmodeOf(Ticket(Choose(L"t:Cutter", L"t:JobCut")), &base);
    OemDevmode expected = merged.block();
    expected.dwCutter = 1;
    EXPECT_EQ(std::memcmp(&out.block(), &expected, sizeof expected), 0);
}

// A custom paper chosen as the ticket's paper size becomes the job's in both devmodes, and the
// job's ticket names it again; a code the printer does not hold changes nothing.
TEST_F(PrintTicketRoad, ACustomPaperChosenInATicketIsTheJobsPaper) {
    Open(L"KESTRA VC9");
    Devmode base = AppliedDevmode();
    Devmode out = DevmodeOf(Ticket(Choose(L"psk:PageMediaSize", L"t:CustomPaper257")), &base);
    EXPECT_EQ((std::vector<long>{out.block().wSelectedPaperSize, out.dm().dmPaperSize,
                                 out.dm().dmPaperWidth, out.dm().dmPaperLength}),
              (std::vector<long>{257, 257, 1000, 500}));
    const XmlDocument document = ParseXml(TicketOf(out));
    EXPECT_EQ(SelectTexts(document.get(),
                          L"/psf:PrintTicket/psf:Feature[@name='psk:PageMediaSize']"
                          L"/psf:Option/@name"),
              Names{L"aui:CustomPaper257"});
    Devmode unknown = DevmodeOf(Ticket(Choose(L"psk:PageMediaSize", L"t:CustomPaper999")), &base);
    EXPECT_EQ(unknown.block().wSelectedPaperSize, base.block().wSelectedPaperSize);
    EXPECT_EQ(unknown.dm().dmPaperSize, base.dm().dmPaperSize);
}

// Each hostile piece alone: validation reports a conflict exactly when it changed the ticket, and
// the devmode made from the piece is one the devmode handler takes as it is.
TEST_F(PrintTicketRoad, HostileTicketsAreCorrectedOrIgnored) {
    Open(L"KESTRA VC9");
    Devmode base = AppliedDevmode();
    const std::wstring longName(10000, L'W');
    struct Case {
        std::wstring body;
        bool conflict;
    } cases[] = {
        {Choose(L"t:PrintDensity", L"t:Density7"), true},
        {Choose(L"t:PrintSpeed", L"t:Speed12"), true},
        {Choose(L"t:Cutter", L"t:Banana"), true},
        {Choose(L"t:Unknown", L"t:AsSetAtPrinter"), true},
        {Choose(L"t:Cutter", L"other:PageCut"), true},
        {Choose(L"other:Cutter", L"t:NoCutting"), false},
        {Init(L"ImageOffsetX", L"string", L"abc"), true},
        {Init(L"ImageOffsetY", L"integer", L"99999999999999999999999"), true},
        {Init(L"SlipCorrectionPercent", L"integer", L"101"), true},
        {Init(L"PassThroughFontName", L"string", longName), true},
        {Init(L"SlipCorrectionPercent", L"integer", L"-100") + Choose(L"t:Cutter", L"t:PageCut"),
         false},
        {L"<psf:Feature name='t:Cutter'/><psf:ParameterInit name='t:ImageOffsetX'/>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.body.substr(0, 80)));
        std::wstring validated;
        EXPECT_EQ(client->Validate(Ticket(c.body), validated),
                  c.conflict ? S_CONFLICT_RESOLVED : S_NO_CONFLICT);
        ASSERT_TRUE(ParseXml(validated));
        Devmode out = DevmodeOf(Ticket(c.body), &base);
        const OemDevmode& b = out.block();
        EXPECT_TRUE(b.dwPrintDensity >= 10 && b.dwPrintDensity <= 120 && b.dwPrintDensity % 5 == 0);
        EXPECT_TRUE(b.dwPrintSpeed >= 2 && b.dwPrintSpeed <= 6);
        EXPECT_LE(b.dwCutter, 2u);
        EXPECT_TRUE(b.lXOffset >= -300 && b.lXOffset <= 300 && b.lYOffset >= -300 &&
                    b.lYOffset <= 300);
        EXPECT_LT(std::char_traits<char16_t>::length(b.szPassThroughFont), kPassThroughFontUnits);
        // A validated ticket is taken as it is.
        EXPECT_EQ(client->Validate(validated, validated), S_NO_CONFLICT);
    }
}

// The provider as the core driver holds it: every method, and one object converting on two
// threads at once.
TEST(PrintTicketProvider, AnswersEveryMethodAndConvertsOnTwoThreadsAtOnce) {
    RoadPrinter printer(L"ticket threads", L"KESTRA VC9");
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StorePapers({{L"Tag", 300, 200}}));
    winsupport::ComApartment com;
    const auto module = winsupport::PluginModule::Load(winsupport::BuiltDriverFiles().plugin);
    win32::ComRef<IPrintOemPrintTicketProvider> provider;
    ASSERT_EQ(module.CreateTicketProvider(provider), S_OK);
    const auto handle = winsupport::OpenPrinterByName(printer.name());

    INT* versions = nullptr;
    INT count = 0;
    ASSERT_EQ(provider->GetSupportedVersions(handle.get(), &versions, &count), S_OK);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(versions[0], 1);
    CoTaskMemFree(versions);
    OEMPTOPTS options = OEMPT_NOSNAPSHOT;
    BSTR* namespaces = nullptr;
    EXPECT_EQ(provider->BindPrinter(handle.get(), 2, &options, &count, &namespaces),
              E_VERSION_NOT_SUPPORTED);
    Devmode devmode = printer.DefaultDevmode();
    EXPECT_EQ(provider->ConvertDevModeToPrintTicket(0, nullptr, kOemDevmodeSize, &devmode.block(),
                                                    ParseXml(Ticket(L"")).get()),
              E_UNEXPECTED);
    ASSERT_EQ(provider->BindPrinter(handle.get(), 1, &options, &count, &namespaces), S_OK);
    EXPECT_EQ(options, OEMPT_DEFAULT);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(namespaces[0], L"urn:adjustui:printschema:2026");
    SysFreeString(namespaces[0]);
    CoTaskMemFree(namespaces);
    BSTR uri = nullptr;
    EXPECT_EQ(provider->QueryDeviceDefaultNamespace(&uri), S_OK);
    EXPECT_STREQ(uri, L"urn:adjustui:printschema:2026");
    SysFreeString(uri);
    EXPECT_EQ(provider->PublishPrintTicketHelperInterface(nullptr), S_OK);
    EXPECT_EQ(provider->ExpandIntentOptions(ParseXml(Ticket(L"")).get()), S_OK);
    EXPECT_EQ(provider->ValidatePrintTicket(nullptr), E_POINTER);
    // The caller's own XPath prefixes are given back.
    const XmlDocument own = ParseXml(Ticket(L""));
    EXPECT_EQ(provider->ValidatePrintTicket(own.get()), S_NO_CONFLICT);
    EXPECT_EQ(SelectTexts(own.get(), L"/psf:PrintTicket/@xsi:nil | /psf:PrintTicket/@version"),
              Names{L"1"});
    EXPECT_EQ(provider->CompletePrintCapabilities(nullptr, ParseXml(Ticket(L"")).get()),
              E_INVALIDARG);
    // A document without a paper feature and without the keywords' prefix gets both.
    const XmlDocument bare = ParseXml(
        L"<psf:PrintCapabilities "
        L"xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
        L"version='1'/>");
    EXPECT_EQ(provider->CompletePrintCapabilities(nullptr, bare.get()), S_OK);
    const XmlDocument reread = ParseXml(winsupport::XmlText(bare.get()));
    EXPECT_EQ(SelectTexts(reread.get(),
                          L"//psf:Feature[@name='psk:PageMediaSize']/psf:Option/"
                          L"psf:ScoredProperty[@name='psk:MediaSizeHeight']"),
              Names{L"20000"});
    OemDevmode foreign = devmode.block();
    foreign.dwSignature = 0;
    EXPECT_EQ(provider->ConvertDevModeToPrintTicket(0, nullptr, kOemDevmodeSize, &foreign,
                                                    ParseXml(Ticket(L"")).get()),
              E_INVALIDARG);

    // Each thread turns its own setting into a ticket and back, many times over.
    const auto convert = [&](DWORD cutter, bool& same) {
        winsupport::ComApartment threadCom;
        same = true;
        for (int i = 0; i < 40; ++i) {
            OemDevmode block = devmode.block();
            block.dwCutter = cutter;
            block.bCutterSend = 1;
            const XmlDocument ticket = ParseXml(Ticket(L""));
            OemDevmode back = devmode.block();
            same = same &&
                   provider->ConvertDevModeToPrintTicket(0, nullptr, sizeof block, &block,
                                                         ticket.get()) == S_OK &&
                   provider->ConvertPrintTicketToDevMode(ticket.get(), 0, nullptr, sizeof back,
                                                         &back) == S_OK &&
                   back.dwCutter == cutter && back.bCutterSend == 1;
        }
    };
    bool firstSame = false;
    bool secondSame = false;
    std::thread first(convert, 1, std::ref(firstSame));
    std::thread second(convert, 2, std::ref(secondSame));
    first.join();
    second.join();
    EXPECT_TRUE(firstSame);
    EXPECT_TRUE(secondSame);
}

}  // namespace
}  // namespace adjustui::road
