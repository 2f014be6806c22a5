#include <cmath>

#include "tests/input/input_fixture.h"

namespace {

using input_tests::InputTest;

constexpr int key_a = 30;
constexpr int key_b = 48;

class KeyboardTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        start();
    }
};

TEST_F(KeyboardTest, KeyCodesWrapModulo256AndEveryReadPolls) {
    input_->press_key(1);
    const int polls = input_->polls;
    EXPECT_EQ(rt::key_down(257), 1.0);
    EXPECT_EQ(rt::key_down(1.9), 1.0);  // truncated
    EXPECT_EQ(rt::key_down(-255), 1.0);
    EXPECT_EQ(rt::key_down(2), 0.0);
    EXPECT_EQ(input_->polls, polls + 4);

    // No frame in between: a wait loop still sees the release.
    input_->release_key(1);
    EXPECT_EQ(rt::key_down(1), 0.0);
    EXPECT_EQ(rt::any_key_down(), 0.0);
    EXPECT_EQ(rt::key_down(std::nan("")), 0.0);
}

TEST_F(KeyboardTest, AHeldKeyIsTypedOnceUntilReleased) {
    EXPECT_EQ(rt::read_typed_char(), "");
    input_->press_key(key_a);
    EXPECT_EQ(rt::read_typed_char(), "a");
    EXPECT_EQ(rt::read_typed_char(), "");
    EXPECT_FALSE(rt::any_key_typed());  // shares the memory of the last character

    input_->release_key(key_a);
    EXPECT_EQ(rt::read_typed_char(), "");
    input_->press_key(key_a);
    EXPECT_TRUE(rt::any_key_typed());
    EXPECT_EQ(rt::read_typed_char(), "");

    // Another key is typed once the first is released; one pressed while it is held is not.
    input_->release_key(key_a);
    input_->press_key(key_b);
    EXPECT_EQ(rt::read_typed_char(), "b");
    input_->release_key(key_b);
    input_->press_key(key_a);
    EXPECT_EQ(rt::read_typed_char(), "a");
    input_->press_key(key_b);  // scanned after "a", which still wins
    EXPECT_EQ(rt::read_typed_char(), "");
}

TEST_F(KeyboardTest, EnterAndBackspaceGiveControlCharactersOtherControlKeysNothing) {
    for (const auto& [code, expected] : {std::pair{28, "\n"}, {156, "\n"}, {14, "\b"}, {57, " "}}) {
        input_->release_all_keys();
        EXPECT_EQ(rt::read_typed_char(), "");
        input_->press_key(code);
        EXPECT_EQ(rt::read_typed_char(), expected) << code;
    }
    // Escape and Tab give characters below 32, which count as nothing.
    for (const int code : {1, 15}) {
        input_->release_all_keys();
        input_->press_key(code);
        EXPECT_EQ(rt::read_typed_char(), "") << code;
    }
    // The modifiers type nothing, whatever the layout says.
    for (const int code : {29, 56, 58, 69, 221}) {
        input_->release_all_keys();
        input_->set_key_character(code, 'x');
        input_->press_key(code);
        EXPECT_EQ(rt::read_typed_char(), "") << code;
    }
}

}  // namespace
