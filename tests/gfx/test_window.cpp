#include "platform/doubles/fake_window.h"
#include "platform/services.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/window.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

using platform::doubles::FakeWindow;

using HeadlessWindowTest = gfx_test::GlTest;

TEST_F(HeadlessWindowTest, PartialViewportCountsYFromTheTop) {
    rt::set_viewport(10, 20, 100, 50);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 10);
    EXPECT_EQ(viewport[1], 410);
    EXPECT_EQ(viewport[2], 100);
    EXPECT_EQ(viewport[3], 50);

    rt::set_viewport(0, 0, 0, 0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
}

TEST_F(HeadlessWindowTest, FullScreenCoversTheDesktopWithoutAModeSwitch) {
    rt::set_screen_mode(641, 479, 1);  // no display offers this mode; none is needed
    EXPECT_TRUE(rt::graphics().fullscreen);
    EXPECT_EQ(testing_support::read_file(file("ErrorLog.txt")).find("No Fullscreen Mode available"),
              std::string::npos);
}

TEST_F(HeadlessWindowTest, MissingExclusiveFullscreenModeFallsBackToAWindow) {
    rt::use_display_settings("", {std::nullopt, true, false});
    platform::services().window->set_preferences(rt::window_preferences());
    rt::set_screen_mode(641, 479, 1);  // no display offers this mode
    rt::use_display_settings("", {});
    platform::services().window->set_preferences(rt::window_preferences());
    EXPECT_FALSE(rt::graphics().fullscreen);
    EXPECT_NE(testing_support::read_file(file("ErrorLog.txt")).find("No Fullscreen Mode available\r\n"),
              std::string::npos);
}

// The multisample ladder halves the count until the window accepts it.
TEST(MultisampleLadder, HalvesTheSampleCount) {
    testing_support::TempDir temp;
    testing_support::install_test_services(temp);
    auto window = std::make_unique<FakeWindow>();
    FakeWindow* fake = window.get();
    platform::services().window = std::move(window);
    rt::GraphicsContext& context = rt::create_graphics_context();

    fake->max_samples = 0;
    EXPECT_EQ(rt::choose_multisample_format(context, 6), 0);
    EXPECT_EQ(fake->sample_requests, (std::vector<int>{6, 3, 1}));

    fake->sample_requests.clear();
    fake->max_samples = 2;
    EXPECT_EQ(rt::choose_multisample_format(context, 8), 2);
    EXPECT_EQ(fake->sample_requests, (std::vector<int>{8, 4, 2}));
}

}  // namespace
