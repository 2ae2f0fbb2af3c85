#include "core/file/rescue_key_ring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/item_crypto.h"

namespace tidemark {
namespace {

const std::string kCheck = "2004 05 06 13 45 07";
const std::vector<std::string> kChecks{kCheck, "16 05 06 13 45 07"};

std::string Encrypt(std::string_view password, std::string_view plain,
                    std::string_view check = kCheck) {
    const BlowfishCipher cipher(password);
    return EncryptValue(cipher, check, plain).Str();
}

std::string Password(int i) {
    return "password-" + std::to_string(i);
}

TEST(RescueKeyRing, OpensAValueWithEitherCheckTextAndGivesItsText) {
    RescueKeyRing ring;
    ASSERT_TRUE(ring.AddPassword("secret"));
    ASSERT_TRUE(ring.TryDecrypt(Encrypt("secret", "plain text"), kChecks));
    EXPECT_EQ(ring.Result(), ByteString("plain text"));
    ASSERT_TRUE(ring.TryDecrypt(Encrypt("secret", "older", "16 05 06 13 45 07"), kChecks));
    EXPECT_EQ(ring.Result(), ByteString("older"));
    // A check text of another time, the wrong key, a cut value, no value: all refused.
    EXPECT_FALSE(ring.TryDecrypt(Encrypt("secret", "x", "2004 05 06 13 45 08"), kChecks));
    EXPECT_FALSE(ring.TryDecrypt(Encrypt("other", "x"), kChecks));
    EXPECT_FALSE(ring.TryDecrypt(Encrypt("secret", "x").substr(0, 20), kChecks));
    EXPECT_FALSE(ring.TryDecrypt("", kChecks));
    EXPECT_EQ(ring.Result(), ByteString("older"));
}

TEST(RescueKeyRing, WithoutCheckTextsTheCurrentSlotDecidesAlone) {
    RescueKeyRing ring;
    EXPECT_FALSE(ring.DecryptWithCurrent(Encrypt("first", "a")));  // an empty ring opens nothing
    ring.AddPassword("first");
    ring.AddPassword("second");
    ASSERT_EQ(ring.Current(), 1u);
    ASSERT_TRUE(ring.DecryptWithCurrent(Encrypt("second", "body text")));
    EXPECT_EQ(ring.Result(), ByteString("body text"));
    ASSERT_TRUE(ring.TryDecrypt(Encrypt("first", "title"), kChecks));
    EXPECT_EQ(ring.Current(), 0u);
    // Only the current slot is used, and with no check text any result counts: the other
    // password's value deciphers into noise.
    EXPECT_TRUE(ring.DecryptWithCurrent(Encrypt("second", "body text")));
    EXPECT_NE(ring.Result(), ByteString("body text"));
    EXPECT_FALSE(ring.DecryptWithCurrent("not a multiple of 8"));
    ASSERT_TRUE(ring.DecryptWithCurrent(""));
    EXPECT_EQ(ring.Result(), ByteString(""));
}

TEST(RescueKeyRing, FillsThirtyTwoSlotsThenOverwritesTheOneAfterTheCurrent) {
    RescueKeyRing ring;
    for (int i = 0; i < 32; ++i)
        ASSERT_TRUE(ring.AddPassword(Password(i)));
    EXPECT_EQ(ring.Count(), 32u);
    EXPECT_EQ(ring.Current(), 31u);

    ring.AddPassword("wraps-to-0");  // after slot 31 comes slot 0
    EXPECT_EQ(ring.Count(), 32u);
    EXPECT_EQ(ring.Current(), 0u);
    EXPECT_FALSE(ring.TryDecrypt(Encrypt(Password(0), "gone"), kChecks));
    EXPECT_TRUE(ring.TryDecrypt(Encrypt(Password(1), "kept"), kChecks));

    ASSERT_TRUE(ring.TryDecrypt(Encrypt(Password(7), "x"), kChecks));
    EXPECT_EQ(ring.Current(), 7u);
    ring.AddPassword("into-8");
    EXPECT_EQ(ring.Current(), 8u);
    EXPECT_FALSE(ring.TryDecrypt(Encrypt(Password(8), "gone"), kChecks));
    EXPECT_TRUE(ring.TryDecrypt(Encrypt(Password(9), "kept"), kChecks));
    EXPECT_TRUE(ring.TryDecrypt(Encrypt("wraps-to-0", "kept"), kChecks));
}

TEST(RescueKeyRing, OfferingAPasswordChecksItsLengthStoresItAndTriesTheWholeRing) {
    const std::string title = Encrypt("right-key", "title");
    const RescueEncryptedValue value{title, kChecks};
    using Offer = RescueKeyRing::Offer;
    RescueKeyRing ring;
    EXPECT_EQ(ring.OfferPassword("abc", value), Offer::kTooShort);
    EXPECT_EQ(ring.OfferPassword(std::string(113, 'k'), value), Offer::kTooLong);
    EXPECT_EQ(ring.Count(), 0u);
    EXPECT_EQ(ring.OfferPassword("right-key", value), Offer::kAccepted);
    EXPECT_EQ(ring.Result(), ByteString("title"));
    // A wrong answer is still kept, and the ring as a whole can still open the value.
    EXPECT_EQ(ring.OfferPassword("abcd", RescueEncryptedValue{Encrypt("gone", "t"), kChecks}),
              Offer::kWrong);
    EXPECT_EQ(ring.Count(), 2u);
    EXPECT_EQ(ring.OfferPassword(std::string(112, 'k'), value), Offer::kAccepted);
    EXPECT_EQ(ring.Current(), 0u);
}

}  // namespace
}  // namespace tidemark
