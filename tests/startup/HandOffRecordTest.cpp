#include "startup/HandOffRecord.h"

#include <gtest/gtest.h>

using handoff::PackArguments;
using handoff::UnpackArguments;

TEST(HandOffRecord, PacksEachArgumentWithItsNulAndOneMore) {
    auto packed = PackArguments({"C:\\A", "D:\\B.jpg"});
    EXPECT_EQ(std::string(packed.begin(), packed.end()), std::string("C:\\A\0D:\\B.jpg\0\0", 15));

    auto single = PackArguments({"x"});
    EXPECT_EQ(single.size(), 3u);
    EXPECT_EQ(PackArguments({}).size(), 1u);
}

TEST(HandOffRecord, UnpacksWhatWasPackedInOrder) {
    std::vector<std::string> args = {"/photos/a", "/photos/b c.jpg", "ü.bmp"};
    auto packed = PackArguments(args);
    auto back = UnpackArguments({packed.data(), packed.size()});
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, args);
}

TEST(HandOffRecord, StopsAtTheEmptyStringAndIgnoresTrailingBytes) {
    std::string data("a\0\0junk", 7);
    auto back = UnpackArguments(data);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, std::vector<std::string>{"a"});
}

TEST(HandOffRecord, RefusesAListWithoutTerminatorInsideItsBytes) {
    EXPECT_FALSE(UnpackArguments(std::string("abc", 3)));
    EXPECT_FALSE(UnpackArguments(std::string("abc\0", 4)));  // no final empty string
    EXPECT_FALSE(UnpackArguments(std::string_view()));
}
