#include "tickets/ticket_mapping.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/devmode_handler.h"
#include "tests/unit/fixtures.h"

namespace adjustui::tickets {
namespace {

PrinterFacts FactsOf(std::u16string_view model) {
    PrinterFacts facts{ModelCapabilitiesOf(model), {}, {}};
    if (facts.groups.bHasPrintSpeed)
        facts.speeds = PrintSpeedsFor(model);
    return facts;
}

OemDevmode Block() {
    OemDevmode block;
    std::memset(&block, 0, sizeof block);
    block.dwSize = kOemDevmodeSize;
    block.dwSignature = kOemSignature;
    return block;
}

TEST(TicketMapping, OffsetsKeepEveryValueThroughMicrons) {
    const PrinterFacts facts = FactsOf(u"KESTRA VC9");
    for (std::int32_t dots = -300; dots <= 300; ++dots) {
        OemDevmode block = Block();
        block.lXOffset = dots;
        OemDevmode back = Block();
        ApplyTicket(TicketOf(block, facts), facts, back);
        ASSERT_EQ(back.lXOffset, dots);
    }
    OemDevmode block = Block();
    ApplyTicket({{}, {{u"ImageOffsetX", u"85"}, {u"ImageOffsetY", u"25401"}}}, facts, block);
    EXPECT_EQ(block.lXOffset, 1) << "rounded to the nearest 1/300 inch";
    EXPECT_EQ(block.lYOffset, 0) << "beyond one inch: left as it was";
}

TEST(TicketMapping, ChoicesAreThoseThePageShows) {
    const PrinterFacts facts = FactsOf(u"MANTO V9");
    OemDevmode block = Block();
    block.dwPrintSpeed = 1;
    block.bPrintSpeedSend = 1;
    block.dwPrintDensity = 103;
    block.bPrintDensitySend = 1;
    block.dwCutter = 7;
    block.bCutterSend = 0;
    block.dwConfigNumber = 9;
    block.bConfigSend = 1;
    const TicketPart ticket = TicketOf(block, facts);
    EXPECT_EQ(*ticket.Option(u"PrintSpeed"), u"Speed10") << "the speed list's prefix search";
    EXPECT_EQ(*ticket.Option(u"PrintDensity"), u"Density100") << "what the handler corrects to";
    EXPECT_EQ(*ticket.Option(u"Cutter"), kAsSetAtPrinter);
    EXPECT_EQ(*ticket.Option(u"Configuration"), u"Configuration10");
    EXPECT_EQ(ticket.Option(u"SlipCorrection"), nullptr) << "a group the model lacks";
    EXPECT_FALSE(ValidateTicket(ticket, facts).changed);
    EXPECT_FALSE(ticket.mediaSize) << "no custom paper selected";
}

TEST(TicketMapping, ACustomPaperIsChosenByItsCodeOnlyWhenThePrinterHoldsIt) {
    PaperRecord papers[3] = {};
    papers[0] = {{u'A'}, 257, {}, 500, 300};
    papers[1] = {{u'B'}, 257, {}, 800, 900};  // a twin code: the first paper has it
    papers[2] = {{u'C'}, 258, {}, 0, 300};    // no usable size
    PrinterFacts facts = FactsOf(u"KESTRA VC9");
    facts.customPapers.assign(std::begin(papers), std::end(papers));
    OemDevmode block = Block();
    block.wSelectedPaperSize = 257;
    EXPECT_EQ(TicketOf(block, facts).mediaSize, u"CustomPaper257");
    block.wSelectedPaperSize = 258;
    EXPECT_FALSE(TicketOf(block, facts).mediaSize);
    for (const char16_t* chosen : {u"CustomPaper258", u"CustomPaper9", u"Custom"}) {
        TicketPart ticket;
        ticket.mediaSize = chosen;
        EXPECT_FALSE(ChosenCustomPaper(ticket, facts));
        ApplyTicket(ticket, facts, block);
        EXPECT_EQ(block.wSelectedPaperSize, 258);
    }
    TicketPart ticket;
    ticket.mediaSize = u"CustomPaper257";
    EXPECT_EQ(ChosenCustomPaper(ticket, facts)->width, 500);
    ApplyTicket(ticket, facts, block);
    EXPECT_EQ(block.wSelectedPaperSize, 257);
}

// A ticket turned into a devmode is the job's choice: the core driver's next merge keeps what it
// states, and a block it states nothing of keeps following the printer's defaults.
class TicketOnAJob : public adjustui::testing::PrinterTest {
  protected:
    void Run(std::uint32_t mode, const OemDevmode* in, OemDevmode& out) {
        std::uint32_t size = kOemDevmodeSize;
        DevModeRequest request{store, in, &out, &size};
        ASSERT_EQ(HandleOemDevMode(mode, &request, debug).result, kS_OK);
    }
};

TEST_F(TicketOnAJob, WhatATicketStatesOutlivesTheNextMerge) {
    const PrinterFacts facts = FactsOf(u"KESTRA VC9");
    PutDword(value::kCutter, 0);
    PutDword(value::kPrintDensity, 100);
    PutFlag(value::kPrintDensitySend, 1);
    OemDevmode job = Block();
    Run(kOemDmDefault, nullptr, job);

    ApplyTicket({{{u"Stapling", u"None"}}, {{u"Copies", u"3"}}}, facts, job);
    EXPECT_EQ(job.bSettingsValid, 0) << "nothing of the block stated";
    PutDword(value::kPrintDensity, 110);
    Run(kOemDmMerge, &job, job);
    EXPECT_EQ(job.dwPrintDensity, 110u) << "still the printer's defaults";

    ApplyTicket({{{u"Cutter", u"PageCut"}}, {}}, facts, job);
    EXPECT_EQ(job.bSettingsValid, 1);
    PutDword(value::kCutter, 1);
    PutDword(value::kPrintDensity, 120);
    Run(kOemDmMerge, &job, job);
    Run(kOemDmConvert, &job, job);
    EXPECT_EQ(job.dwCutter, 2u);
    EXPECT_EQ(job.bCutterSend, 1);
    EXPECT_EQ(job.dwPrintDensity, 110u) << "the defaults as they were when the ticket was taken";
    EXPECT_EQ(job.bPrintDensitySend, 1);
}

TEST(TicketMapping, ValidationDropsWhatTheModelLacksAndFallsBack) {
    const PrinterFacts facts = FactsOf(u"MANTO 63N-2");
    const TicketPart ticket{{{u"PrintSpeed", u"Speed4"},
                             {u"Cutter", u"Speed4"},
                             {u"Cutter", u"PageCut"},
                             {u"PageRotation180", u"Sideways"}},
                            {{u"SlipCorrectionPercent", u"5"},
                             {u"ImageOffsetX", u"-25400"},
                             {u"ImageOffsetY", u"1e3"},
                             {u"ImageOffsetX", u"7"}}};
    const ValidatedTicket validated = ValidateTicket(ticket, facts);
    EXPECT_TRUE(validated.changed);
    const TicketPart expected{{{u"Cutter", kAsSetAtPrinter}, {u"PageRotation180", u"NotRotated"}},
                              {{u"ImageOffsetX", u"-25400"}, {u"ImageOffsetY", u"0"}}};
    EXPECT_EQ(validated.ticket, expected);
    EXPECT_FALSE(ValidateTicket(validated.ticket, facts).changed);
}

TEST(TicketMapping, IntegersAreDecimalDigitsWithASign) {
    EXPECT_EQ(TicketInteger(u"+5"), 5);
    EXPECT_EQ(TicketInteger(u"-0"), 0);
    EXPECT_EQ(TicketInteger(u"-999999999999999999"), -999999999999999999);
    for (const char16_t* bad : {u"", u"-", u"5 ", u" 5", u"1e3", u"0x10", u"1000000000000000000"})
        EXPECT_FALSE(TicketInteger(bad).has_value()) << std::u16string(bad).size();
}

}  // namespace
}  // namespace adjustui::tickets
