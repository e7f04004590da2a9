// One contract for every PrinterStore: the in-memory store of the native tests must answer as the
// spooler does. Instantiate with a maker that returns a store of a fresh printer without values.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/printer_store.h"

namespace adjustui::testing {

using StoreMaker = std::function<std::unique_ptr<PrinterStore>()>;

class PrinterStoreContract : public ::testing::TestWithParam<StoreMaker> {
  protected:
    void SetUp() override {
        store_ = GetParam()();
        ASSERT_NE(store_, nullptr);
    }
    std::uint32_t Write(const char16_t* name, std::uint32_t type, const void* data,
                        std::size_t size) {
        return store_->SetData(name, type, {static_cast<const std::byte*>(data), size});
    }
    std::unique_ptr<PrinterStore> store_;
};

inline std::span<std::byte> Bytes(void* p, std::size_t n) {
    return {static_cast<std::byte*>(p), n};
}

TEST_P(PrinterStoreContract, MissingValueIsTwoAndLeavesTheDestination) {
    std::array<unsigned char, 8> dest;
    dest.fill(0xAB);
    std::uint32_t needed = 0xDEADBEEF;
    EXPECT_EQ(store_->GetData(u"NOT_THERE", Bytes(dest.data(), dest.size()), needed), 2u);
    for (auto b : dest)
        EXPECT_EQ(b, 0xAB);
}

TEST_P(PrinterStoreContract, ShortBufferIs234WithTheSizeAndLeavesTheDestination) {
    const unsigned char data[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(Write(u"SIX", kRegBinary, data, sizeof data), 0u);
    std::array<unsigned char, 4> dest;
    dest.fill(0xAB);
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"SIX", Bytes(dest.data(), dest.size()), needed), 234u);
    EXPECT_EQ(needed, 6u);
    for (auto b : dest)
        EXPECT_EQ(b, 0xAB);

    needed = 0;
    EXPECT_EQ(store_->GetData(u"SIX", {}, needed), 234u);
    EXPECT_EQ(needed, 6u);
}

TEST_P(PrinterStoreContract, ShorterValueFillsOnlyItsOwnBytes) {
    const unsigned char data[2] = {0x11, 0x22};
    ASSERT_EQ(Write(u"TWO", kRegDword, data, sizeof data), 0u);
    std::array<unsigned char, 4> dest;
    dest.fill(0xAB);
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"TWO", Bytes(dest.data(), dest.size()), needed), 0u);
    EXPECT_EQ(needed, 2u);
    EXPECT_EQ(dest[0], 0x11);
    EXPECT_EQ(dest[1], 0x22);
    EXPECT_EQ(dest[2], 0xAB);
    EXPECT_EQ(dest[3], 0xAB);
}

TEST_P(PrinterStoreContract, TypeIsNotLookedAtAndBinaryCountsReadBack) {
    const std::int32_t count = 3;
    ASSERT_EQ(Write(u"COUNT", kRegBinary, &count, sizeof count), 0u);
    ASSERT_EQ(Write(u"DWORD", kRegDword, &count, sizeof count), 0u);
    // Not followed by a zero unit: the spooler stores a text with its terminator when one follows.
    ASSERT_EQ(Write(u"TEXT", kRegExpandSz, u"Abc", 4), 0u);
    for (const char16_t* name : {u"COUNT", u"DWORD"}) {
        std::int32_t read = 0;
        std::uint32_t needed = 0;
        EXPECT_EQ(store_->GetData(name, Bytes(&read, sizeof read), needed), 0u);
        EXPECT_EQ(read, 3);
        EXPECT_EQ(needed, 4u);
    }
    char16_t text[4] = {u'x', u'x', u'x', u'x'};
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"TEXT", Bytes(text, sizeof text), needed), 0u);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(text[0], u'A');
    EXPECT_EQ(text[1], u'b');
    // What follows a text in the buffer is the spooler's: it may add a terminator there.
}

TEST_P(PrinterStoreContract, OverwriteReplacesBytesAndSize) {
    const unsigned char longer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const unsigned char shorter[3] = {9, 9, 9};
    ASSERT_EQ(Write(u"V", kRegBinary, longer, sizeof longer), 0u);
    ASSERT_EQ(Write(u"V", kRegBinary, shorter, sizeof shorter), 0u);
    std::array<unsigned char, 8> dest{};
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"V", Bytes(dest.data(), dest.size()), needed), 0u);
    EXPECT_EQ(needed, 3u);
    EXPECT_EQ(dest[2], 9);
    EXPECT_EQ(dest[3], 0);
}

TEST_P(PrinterStoreContract, NamesAreMatchedWithSpacesAndAmpersand) {
    const unsigned char one = 1;
    ASSERT_EQ(Write(u"PAPER FORMAT & SIZE SEND", kRegBinary, &one, 1), 0u);
    unsigned char read = 0;
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"PAPER FORMAT & SIZE SEND", Bytes(&read, 1), needed), 0u);
    EXPECT_EQ(read, 1);
}

TEST_P(PrinterStoreContract, NamesAreMatchedWhateverTheirCase) {
    const std::int32_t one = 1;
    const std::int32_t two = 2;
    ASSERT_EQ(Write(u"print density", kRegBinary, &one, sizeof one), 0u);
    std::int32_t read = 0;
    std::uint32_t needed = 0;
    EXPECT_EQ(store_->GetData(u"PRINT DENSITY", Bytes(&read, sizeof read), needed), 0u);
    EXPECT_EQ(read, 1);
    ASSERT_EQ(Write(u"Print Density", kRegBinary, &two, sizeof two), 0u);
    EXPECT_EQ(store_->GetData(u"print DENSITY", Bytes(&read, sizeof read), needed), 0u);
    EXPECT_EQ(read, 2);
    const auto listed = store_->ListValues();
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->size(), 1u) << "one value, whatever case wrote it";
}

TEST_P(PrinterStoreContract, WriteHandleSeesAndChangesTheSameValues) {
    const std::int32_t seven = 7;
    ASSERT_EQ(Write(u"SHARED", kRegBinary, &seven, sizeof seven), 0u);
    auto writer = store_->OpenForWrite();
    ASSERT_NE(writer, nullptr);
    std::int32_t read = 0;
    std::uint32_t needed = 0;
    EXPECT_EQ(writer->GetData(u"SHARED", Bytes(&read, sizeof read), needed), 0u);
    EXPECT_EQ(read, 7);
    const std::int32_t eight = 8;
    ASSERT_EQ(
        writer->SetData(u"SHARED", kRegBinary, {reinterpret_cast<const std::byte*>(&eight), 4}),
        0u);
    EXPECT_EQ(store_->GetData(u"SHARED", Bytes(&read, sizeof read), needed), 0u);
    EXPECT_EQ(read, 8);
    EXPECT_EQ(writer->DriverName(), store_->DriverName());
}

TEST_P(PrinterStoreContract, DriverNameIsTheInstalledDriver) {
    auto name = store_->DriverName();
    ASSERT_TRUE(name.has_value());
    EXPECT_FALSE(name->empty());
}

TEST_P(PrinterStoreContract, ListingHoldsExactlyWhatEachReadGives) {
    const unsigned char six[6] = {1, 2, 3, 4, 5, 6};
    const std::int32_t count = 3;
    const unsigned char flag = 1;
    ASSERT_EQ(Write(u"SIX", kRegBinary, six, sizeof six), 0u);
    ASSERT_EQ(Write(u"COUNT", kRegBinary, &count, sizeof count), 0u);
    ASSERT_EQ(Write(u"PAPER FORMAT & SIZE SEND", kRegBinary, &flag, 1), 0u);
    ASSERT_EQ(Write(u"TEXT", kRegExpandSz, u"Abc", 6), 0u);
    const auto listed = store_->ListValues();
    ASSERT_TRUE(listed.has_value());
    std::set<std::u16string> names;
    for (const ListedValue& v : *listed) {
        names.insert(v.name);
        std::vector<std::byte> read(v.data.size() + 16);
        std::uint32_t needed = 0;
        ASSERT_EQ(store_->GetData(v.name.c_str(), read, needed), 0u);
        read.resize(needed);
        EXPECT_EQ(read, v.data);
    }
    for (const char16_t* name : {u"SIX", u"COUNT", u"PAPER FORMAT & SIZE SEND", u"TEXT"})
        EXPECT_EQ(names.count(name), 1u);
}

}  // namespace adjustui::testing
