#include "settings/devmode_handler.h"

#include <algorithm>
#include <memory>

#include "settings/settings_store.h"
#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

class DevModeTest : public PrinterTest {
  protected:
    Outcome Run(std::uint32_t mode, const OemDevmode* in, OemDevmode* out) {
        DevModeRequest rq{store, in, out, &bufSize};
        return HandleOemDevMode(mode, &rq, debug);
    }
    OemDevmode Defaulted() {
        OemDevmode b = PatternBlock(0x77);
        EXPECT_EQ(Run(kOemDmDefault, nullptr, &b).result, kS_OK);
        return b;
    }
    // A block the page has applied, every setting in range.
    OemDevmode Applied() {
        OemDevmode b = Defaulted();
        b.bSettingsValid = 1;
        b.lXOffset = -150;
        b.lYOffset = 300;
        b.lSlipCorrection = 12;
        b.dwCutter = 2;
        b.dwPrintSpeed = 9;
        b.dwPrintDensity = 115;
        b.dwCopies = 3;
        b.dwConfigNumber = 4;
        b.lPaperSizeIndex = 2;
        b.lLastPaperIndex = 5;
        b.wSelectedPaperSize = 258;
        b.bCutterSend = 1;
        b.bPassThroughSend = 1;
        AssignField(b.szPassThroughFont, u"Pass Font");
        return b;
    }
    std::uint32_t bufSize = kOemDevmodeSize;
};

bool SameBytes(const OemDevmode& a, const OemDevmode& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(DevModeTest, RefusesUnknownModesAndMissingParameters) {
    OemDevmode out = PatternBlock(0x11);
    for (std::uint32_t mode : {0u, 5u}) {
        const Outcome o = Run(mode, nullptr, &out);
        EXPECT_EQ(o.result, kE_FAIL);
        EXPECT_EQ(o.lastError, kErrorInvalidParameter);
    }
    for (std::uint32_t mode = 1; mode <= 4; ++mode) {
        const Outcome o = HandleOemDevMode(mode, nullptr, debug);
        EXPECT_EQ(o.lastError, kErrorInvalidParameter) << mode;
    }
    EXPECT_TRUE(SameBytes(out, PatternBlock(0x11)));
}

TEST_F(DevModeTest, SizeTouchesNoBlock) {
    OemDevmode in = PatternBlock(1), out = PatternBlock(2);
    bufSize = 0;
    EXPECT_EQ(Run(kOemDmSize, &in, &out).result, kS_OK);
    EXPECT_EQ(bufSize, 1184u);
    EXPECT_TRUE(SameBytes(out, PatternBlock(2)));
    EXPECT_EQ(printer->gets, 0);
}

TEST_F(DevModeTest, DefaultOnEmptyPrinter) {
    const OemDevmode b = Defaulted();
    EXPECT_EQ(b.dwSize, 1184u);
    EXPECT_EQ(b.dwSignature, kOemSignature);
    EXPECT_EQ(b.dwVersion, 2u);
    EXPECT_EQ(b.dwReserved1, 0u);
    EXPECT_EQ(b.dwReserved2, 0u);
    EXPECT_EQ(b.wSelectedPaperSize, 0);
    EXPECT_EQ(b.bSettingsValid, 0);
    EXPECT_EQ(b.dwCopies, 1u);
    EXPECT_EQ(b.lCustomPaperCount, kUnsetSigned);
    EXPECT_EQ(b.lLastPaperIndex, kUnsetSigned);
    EXPECT_EQ(b.dwReserved3, kUnsetValue);
    EXPECT_EQ(b.dwPrintDensity, kUnsetValue);
    EXPECT_EQ(b.bReserved152, 0);
    for (auto z : b.reserved24)
        EXPECT_EQ(z, 0);
    for (auto z : b.reserved120)
        EXPECT_EQ(z, 0);
    // Areas the block carries but never writes.
    for (auto z : b.reserved40)
        EXPECT_EQ(z, 0x77);
    for (auto z : b.reserved72)
        EXPECT_EQ(z, 0x77);
    EXPECT_EQ(b.gap22[0], 0x77);
    EXPECT_EQ(b.trailing[5], 0x77);
    EXPECT_EQ(debug.lines.size(), 1u);
}

TEST_F(DevModeTest, DefaultTakesStoredValues) {
    PutDword(value::kCutter, 1);
    PutDword(value::kPrintSpeed, 8);
    PutFlag(value::kCutterSend, 1);
    const OemDevmode b = Defaulted();
    EXPECT_EQ(b.dwCutter, 1u);
    EXPECT_EQ(b.dwPrintSpeed, 8u);
    EXPECT_EQ(b.bCutterSend, 1);
}

TEST_F(DevModeTest, OutputSmallerThanTheBlockIsNeverWritten) {
    OemDevmode out = PatternBlock(0x33);
    bufSize = 1183;
    const Outcome o = Run(kOemDmDefault, nullptr, &out);
    EXPECT_EQ(o.result, kE_FAIL);
    EXPECT_EQ(o.lastError, kErrorInsufficientBuffer);
    EXPECT_TRUE(SameBytes(out, PatternBlock(0x33)));
}

TEST_F(DevModeTest, MissingBlocksAreAcceptedWithNothingWritten) {
    OemDevmode out = PatternBlock(0x44);
    EXPECT_EQ(Run(kOemDmDefault, nullptr, nullptr).result, kS_OK);
    EXPECT_EQ(Run(kOemDmConvert, nullptr, &out).result, kS_OK);
    EXPECT_EQ(Run(kOemDmMerge, nullptr, &out).result, kS_OK);
    EXPECT_TRUE(SameBytes(out, PatternBlock(0x44)));
}

TEST_F(DevModeTest, ForeignInputGivesResetValuesNotStoredOnes) {
    PutDword(value::kCutter, 1);
    OemDevmode in = Applied();
    in.dwSignature = 0x015A454C;  // bytes 4C 45 5A 01
    for (std::uint32_t mode : {kOemDmConvert, kOemDmMerge}) {
        OemDevmode out = Defaulted();
        out.bSettingsValid = 1;
        out.bPaperFormatSend = 1;
        AssignField(out.szPassThroughFont, u"Old");
        EXPECT_EQ(Run(mode, &in, &out).result, kS_OK);
        EXPECT_EQ(out.dwSignature, kOemSignature);
        EXPECT_EQ(out.dwPrintDensity, 100u);
        EXPECT_EQ(out.dwCopies, 1u);
        for (std::uint32_t v :
             {std::uint32_t(out.lXOffset), std::uint32_t(out.lSlipCorrection), out.dwCutter,
              out.dwPrintSpeed, out.dwConfigNumber, std::uint32_t(out.lPaperSizeIndex),
              std::uint32_t(out.lStdPaperCount), std::uint32_t(out.lCustomPaperCount),
              out.dwReserved3}) {
            EXPECT_EQ(v, 0u);
        }
        EXPECT_EQ(out.szPassThroughFont[0], u'\0');
        EXPECT_EQ(out.bCutterSend, 0);
        EXPECT_EQ(out.bPassThroughSend, 0);
        EXPECT_EQ(out.bSettingsValid, 1) << "kept as supplied";
        EXPECT_EQ(out.bPaperFormatSend, 1) << "kept as supplied";
    }
}

TEST_F(DevModeTest, AppliedInputIsTakenOverByteForByte) {
    const OemDevmode in = Applied();
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevModeTest, MergeBoundsTheReservedValues) {
    OemDevmode in = Applied();
    in.dwReserved1 = 150;
    in.dwReserved2 = 100;
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmMerge, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwReserved1, 0u);
    in.dwReserved1 = 0;
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevModeTest, SignedButNeverAppliedInputYieldsStoredValues) {
    PutDword(value::kPrintSpeed, 6);
    PutDword(value::kCutter, 2);
    PutDword(value::kCopies, 7);
    OemDevmode in = Applied();
    in.bSettingsValid = 0;
    OemDevmode out = Defaulted();
    AssignField(out.szPassThroughFont, u"Own");
    out.wSelectedPaperSize = 9;
    EXPECT_EQ(Run(kOemDmMerge, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwPrintSpeed, 6u) << "the printer's default, as a new devmode takes it";
    EXPECT_EQ(out.dwCutter, 2u);
    EXPECT_EQ(out.dwCopies, 7u);
    EXPECT_EQ(out.wSelectedPaperSize, 0);
    EXPECT_EQ(std::u16string(out.szPassThroughFont), u"Own");
    EXPECT_EQ(out.bSettingsValid, 0);
}

TEST_F(DevModeTest, ShortAppliedInputCopiesOnlyItsBytes) {
    OemDevmode in = Applied();
    in.dwSize = 600;
    in.szPassThroughFont[300] = u'Z';  // byte 754: beyond the input's size
    OemDevmode out = Defaulted();
    out.szPassThroughFont[300] = u'Q';
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwSize, 1184u);
    EXPECT_EQ(std::memcmp(reinterpret_cast<char*>(&out) + 4, reinterpret_cast<char*>(&in) + 4, 596),
              0);
    EXPECT_EQ(out.szPassThroughFont[300], u'Q');
}

TEST_F(DevModeTest, ShortAppliedInputKeepsTheReloadedValuesBeyondIt) {
    PutDword(value::kPaperSizes, 8);
    OemDevmode in = Applied();
    in.dwSize = 100;
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_EQ(out.lXOffset, -150);
    EXPECT_EQ(out.lPaperSizeIndex, 8) << "not judged against a last index the input did not carry";
}

TEST_F(DevModeTest, InputTooShortToCarryTheFlagCountsAsNeverApplied) {
    PutDword(value::kCutter, 1);
    OemDevmode in = Applied();
    in.dwSize = 80;
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwCutter, 1u);
    EXPECT_EQ(out.lXOffset, kUnsetSigned);
}

TEST_F(DevModeTest, HugeSizeCopiesNoMoreThanTheBlock) {
    OemDevmode in = Applied();
    in.dwSize = 0xFFFFFFFF;
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmMerge, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwSize, 1184u);
    EXPECT_EQ(out.dwCopies, 3u);
}

TEST_F(DevModeTest, AppliedInputFromADocumentIsCorrectedAndTerminated) {
    OemDevmode in = Applied();
    in.lXOffset = 301;
    in.lYOffset = -5000;
    in.lSlipCorrection = 101;
    in.dwCutter = 3;
    in.dwPrintSpeed = 13;
    in.dwConfigNumber = 10;
    in.dwPrintDensity = 121;
    in.dwCopies = 0;
    in.lPaperSizeIndex = 6;  // last index 5
    std::fill(std::begin(in.szPassThroughFont), std::end(in.szPassThroughFont), u'A');
    for (std::uint32_t mode : {kOemDmConvert, kOemDmMerge}) {
        OemDevmode out = Defaulted();
        EXPECT_EQ(Run(mode, &in, &out).result, kS_OK);
        EXPECT_EQ(out.lXOffset, 0);
        EXPECT_EQ(out.lYOffset, 0);
        EXPECT_EQ(out.lSlipCorrection, 0);
        EXPECT_EQ(out.dwCutter, 0u);
        EXPECT_EQ(out.dwPrintSpeed, 0u);
        EXPECT_EQ(out.dwConfigNumber, 0u);
        EXPECT_EQ(out.dwPrintDensity, 100u);
        EXPECT_EQ(out.dwCopies, 1u);
        EXPECT_EQ(out.lPaperSizeIndex, 0);
        EXPECT_EQ(BoundedLength(out.szPassThroughFont, kPassThroughFontUnits), 511u);
    }
    // A density the page and the stored defaults refuse is corrected too.
    in = Applied();
    in.dwPrintDensity = 12;
    OemDevmode out = Defaulted();
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_EQ(out.dwPrintDensity, 100u);
}

TEST_F(DevModeTest, CorrectionsKeepUnsetAndInRangeValues) {
    OemDevmode in = Applied();
    in.lXOffset = kUnsetSigned;
    in.dwPrintDensity = kUnsetValue;
    in.lPaperSizeIndex = kUnsetSigned;
    in.dwPrintSpeed = 12;
    OemDevmode out = Defaulted();
    Run(kOemDmMerge, &in, &out);
    EXPECT_EQ(out.lXOffset, kUnsetSigned);
    EXPECT_EQ(out.dwPrintDensity, kUnsetValue);
    EXPECT_EQ(out.lPaperSizeIndex, kUnsetSigned);
    EXPECT_EQ(out.dwPrintSpeed, 12u);
    EXPECT_EQ(out.lYOffset, 300);
}

TEST_F(DevModeTest, OwnSignatureIsJudgedByTheValueNotByTheOutputBlock) {
    // A core driver that hands an unprepared output block still gets the input judged as ours.
    const OemDevmode in = Applied();
    OemDevmode out = PatternBlock(0);
    EXPECT_EQ(Run(kOemDmConvert, &in, &out).result, kS_OK);
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevModeTest, ConvertInPlaceIsSafe) {
    OemDevmode b = Applied();
    const OemDevmode before = b;
    EXPECT_EQ(Run(kOemDmMerge, &b, &b).result, kS_OK);
    EXPECT_TRUE(SameBytes(b, before));
}

// A document's block in a heap block of exactly its stated size, so the sanitizer build catches
// any read past it.
class DocumentBlock {
  public:
    DocumentBlock(const OemDevmode& block, std::uint32_t size)
        : bytes_(std::make_unique<std::byte[]>(size)) {
        std::memcpy(bytes_.get(), &block, std::min<std::size_t>(size, sizeof block));
        std::memcpy(bytes_.get(), &size, std::min<std::size_t>(size, sizeof size));
    }
    const OemDevmode* get() const { return reinterpret_cast<const OemDevmode*>(bytes_.get()); }

  private:
    std::unique_ptr<std::byte[]> bytes_;
};

TEST_F(DevModeTest, ShortInputIsReadNoFurtherThanItsSizeAndTakesNoHalfField) {
    PutDword(value::kXOffset, 10);
    PutDword(value::kYOffset, 20);
    PutDword(value::kSlipCorrection, 5);
    PutDword(value::kCutter, 1);
    PutDword(value::kPrintSpeed, 3);
    PutDword(value::kPrintDensity, 50);
    PutDword(value::kCopies, 7);
    PutDword(value::kPaperSizes, 4);
    PutDword(value::kConfig, 2);
    OemDevmode never = Applied();
    never.bSettingsValid = 0;
    OemDevmode reloaded = Defaulted();
    ASSERT_EQ(Run(kOemDmConvert, &never, &reloaded).result, kS_OK);

    const OemDevmode in = Applied();
    const std::size_t fields[] = {
        offsetof(OemDevmode, lXOffset),        offsetof(OemDevmode, lYOffset),
        offsetof(OemDevmode, lSlipCorrection), offsetof(OemDevmode, dwCutter),
        offsetof(OemDevmode, dwPrintSpeed),    offsetof(OemDevmode, dwPrintDensity),
        offsetof(OemDevmode, dwCopies),        offsetof(OemDevmode, dwConfigNumber),
        offsetof(OemDevmode, lLastPaperIndex)};
    auto field = [](const OemDevmode& b, std::size_t at) {
        std::uint32_t v;
        std::memcpy(&v, reinterpret_cast<const std::byte*>(&b) + at, sizeof v);
        return v;
    };
    for (std::uint32_t size = 4; size <= 160; ++size) {
        for (std::uint32_t mode : {kOemDmConvert, kOemDmMerge}) {
            const DocumentBlock document(in, size);
            OemDevmode out = Defaulted();
            ASSERT_EQ(Run(mode, document.get(), &out).result, kS_OK) << size;
            if (size <= offsetof(OemDevmode, bSettingsValid))
                continue;
            for (std::size_t at : fields) {
                const bool whole = at + sizeof(std::uint32_t) <= size;
                EXPECT_EQ(field(out, at), field(whole ? in : reloaded, at))
                    << "size " << size << ", field at " << at;
            }
            // An index taken without its list's end is judged against the unset end.
            const std::int32_t index = size >= 116   ? in.lPaperSizeIndex
                                       : size >= 112 ? 0
                                                     : reloaded.lPaperSizeIndex;
            EXPECT_EQ(out.lPaperSizeIndex, index) << "size " << size;
        }
    }
}

TEST_F(DevModeTest, EveryRequestLeavesACompleteHeaderAndATerminatedName) {
    OemDevmode foreign = Applied();
    foreign.dwSignature = 0;
    OemDevmode never = Applied();
    never.bSettingsValid = 0;
    std::fill(std::begin(never.szPassThroughFont), std::end(never.szPassThroughFont), u'A');
    const OemDevmode inputs[] = {Applied(), never, foreign};
    auto unprepared = [] {
        OemDevmode b = PatternBlock(0x5C);
        std::fill(std::begin(b.szPassThroughFont), std::end(b.szPassThroughFont), u'B');
        return b;
    };
    auto complete = [](const OemDevmode& b) {
        return b.dwSize == kOemDevmodeSize && b.dwSignature == kOemSignature &&
               b.dwVersion == kOemVersion &&
               BoundedLength(b.szPassThroughFont, kPassThroughFontUnits) < kPassThroughFontUnits;
    };
    OemDevmode out = unprepared();
    ASSERT_EQ(Run(kOemDmDefault, nullptr, &out).result, kS_OK);
    EXPECT_TRUE(complete(out));
    for (std::uint32_t mode : {kOemDmConvert, kOemDmMerge}) {
        for (const OemDevmode& in : inputs) {
            out = unprepared();
            ASSERT_EQ(Run(mode, &in, &out).result, kS_OK);
            EXPECT_TRUE(complete(out)) << mode << " " << in.dwSignature << in.bSettingsValid;
            OemDevmode same = in;
            ASSERT_EQ(Run(mode, &same, &same).result, kS_OK);
            EXPECT_TRUE(complete(same)) << "in place";
        }
    }
    // What a convert made from an unprepared block is recognised as the plug-in's own next time.
    PutDword(value::kCutter, 2);
    out = unprepared();
    Run(kOemDmConvert, &never, &out);
    out.dwCutter = 1;
    out.bSettingsValid = 1;
    OemDevmode next = Defaulted();
    Run(kOemDmConvert, &out, &next);
    EXPECT_EQ(next.dwCutter, 1u) << "taken over, not reset as foreign";
}

}  // namespace
}  // namespace adjustui::testing
