#include "core/plugin_info.h"

#include <gtest/gtest.h>

#include <cstring>

namespace adjustui {
namespace {

TEST(GetInfo, RefusesModesOutsideSignatureVersionAndPublisher) {
    for (std::uint32_t mode : {0u, 2u, 5u}) {
        std::uint32_t buffer = 0, needed = 77;
        const Outcome o = GetInfo(mode, &buffer, sizeof buffer, &needed);
        EXPECT_EQ(o.result, kE_FAIL) << mode;
        EXPECT_EQ(o.lastError, kErrorInvalidParameter) << mode;
        EXPECT_EQ(needed, 77u) << "needed size untouched for mode " << mode;
    }
    std::uint32_t buffer = 0;
    EXPECT_EQ(GetInfo(1, &buffer, 4, nullptr).lastError, kErrorInvalidParameter);
}

TEST(GetInfo, ShortOrMissingBufferReportsFourBytes) {
    std::uint32_t buffer = 0, needed = 0;
    Outcome o = GetInfo(kOemGiGetSignature, &buffer, 3, &needed);
    EXPECT_EQ(o.result, kE_FAIL);
    EXPECT_EQ(o.lastError, kErrorInsufficientBuffer);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(buffer, 0u);
    needed = 0;
    o = GetInfo(kOemGiGetVersion, nullptr, 4, &needed);
    EXPECT_EQ(o.lastError, kErrorInsufficientBuffer);
    EXPECT_EQ(needed, 4u);
}

TEST(GetInfo, AnswersSignatureVersionAndDeclinesPublisher) {
    unsigned char buffer[4] = {};
    std::uint32_t needed = 0;
    EXPECT_EQ(GetInfo(kOemGiGetSignature, buffer, 4, &needed).result, kS_OK);
    const unsigned char zel[4] = {0x4C, 0x45, 0x5A, 0x00};
    EXPECT_EQ(std::memcmp(buffer, zel, 4), 0);
    std::uint32_t version = 0;
    EXPECT_EQ(GetInfo(kOemGiGetVersion, &version, 4, &needed).result, kS_OK);
    EXPECT_EQ(version, 2u);
    const Outcome o = GetInfo(kOemGiGetPublisherInfo, &version, 4, &needed);
    EXPECT_EQ(o.result, kE_FAIL);
    EXPECT_EQ(o.lastError, kErrorNotSupported);
    EXPECT_EQ(needed, 0u);
}

TEST(QueryColorProfile, OtherModesFailWithoutLastErrorAndTouchNothing) {
    char16_t data[16] = {};
    std::uint32_t size = 64, flags = 9;
    const Outcome o = QueryColorProfile(1, data, &size, &flags);
    EXPECT_EQ(o.result, kE_FAIL);
    EXPECT_EQ(o.lastError, 0u);
    EXPECT_EQ(size, 64u);
    EXPECT_EQ(flags, 9u);
}

TEST(QueryColorProfile, AsksForThirtyTwoBytesThenNamesTheFile) {
    char16_t data[16];
    std::fill(std::begin(data), std::end(data), u'#');
    std::uint32_t size = 31, flags = 0;
    Outcome o = QueryColorProfile(kQcpDeviceProfile, data, &size, &flags);
    EXPECT_EQ(o.lastError, kErrorInsufficientBuffer);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(data[0], u'#');
    size = 100;
    EXPECT_EQ(QueryColorProfile(kQcpDeviceProfile, nullptr, &size, &flags).lastError,
              kErrorInsufficientBuffer);
    EXPECT_EQ(size, 32u);

    o = QueryColorProfile(kQcpDeviceProfile, data, &size, &flags);
    EXPECT_EQ(o.result, kS_OK);
    EXPECT_EQ(std::u16string(data), u"OEMPROFILE.icm");
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(flags, kQcpProfileDisk);
    EXPECT_EQ(data[15], u'#') << "only the name and its terminator are written";
}

TEST(QueryColorProfile, MissingSizeOrFlagsIsABadArgumentNotACrash) {
    char16_t data[16];
    std::uint32_t size = 32, flags = 0;
    EXPECT_EQ(QueryColorProfile(kQcpDeviceProfile, data, nullptr, &flags).lastError,
              kErrorInvalidParameter);
    EXPECT_EQ(QueryColorProfile(kQcpDeviceProfile, data, &size, nullptr).lastError,
              kErrorInvalidParameter);
}

}  // namespace
}  // namespace adjustui
