#pragma once
// The story told around the locations: the Part One introduction, the
// adventure's title line and the closing screens after Part Two.
// Printable ASCII only: the font has glyphs for codes 32 to 127 and nothing else.
#include <string_view>

namespace game::story {

// Centred with print_text on the fifth intro screen.
inline constexpr std::string_view title_line = "V.X. AND THE VEXMOOR BEAM";

// intro_story, screen 1, from y 260.
inline constexpr std::string_view intro_summons =
    "London, a wet Tuesday. Deep beneath Whitehall, Sir Aubrey Plunkett, head of the Ministry of "
    "Peculiar Affairs and known to his agents simply as the Chief, sends for his best man, V.X., "
    "and for Bodkin, his loyal and only slightly hopeless assistant.";

// intro_story, screen 2: two paragraphs, from y 260 and y 330.
inline constexpr std::string_view intro_beam_opening = "\"Something dreadful is afoot, V.X.,\" says the Chief.";
inline constexpr std::string_view intro_beam =
    "\"A mysterious beam is striking the leaders of the world. The President sang opera at the "
    "summit, and this morning the Prime Minister tried to knight a teapot.\"";

// intro_story, screen 3, from y 260.
inline constexpr std::string_view intro_warning =
    "\"If this goes on, no treaty will ever be signed and no speech will make sense. The world "
    "will be run by people who think they are chickens. We simply cannot have that. Bodkin, "
    "do stop eating the biscuits.\"";

// intro_story, screen 4, from y 260.
inline constexpr std::string_view intro_forest =
    "\"Our boffins have traced the beam to a remote forest in the frozen north, where an old "
    "chateau stands alone in the snow. You leave tonight, V.X. Take Bodkin with you. Do try to "
    "bring him back.\"";

// intro_story, screen 5, from y 10, above the title line at y 120.
inline constexpr std::string_view intro_accept =
    "\"Leave it to me, Chief,\" says V.X., straightening his tie. Behind him, Bodkin drops his "
    "umbrella.";

// intro_story, screen 6, from y 10.
inline constexpr std::string_view intro_landing =
    "That night a small aeroplane drones over the forest. V.X. and Bodkin float down under "
    "their parachutes and land at the edge of a snowy clearing, Bodkin in only one tree.";

// ending_screen, screen 1: from y 260 (one line) and from y 300.
inline constexpr std::string_view ending_call = "The radio crackles. It is the Chief.";
inline constexpr std::string_view ending_congratulations =
    "\"Splendid work, V.X.! The beam is no more, and the leaders of the world are back to their "
    "usual selves, more or less. Come home at once, both of you. There will be tea, and there "
    "may even be medals.\"";

// ending_screen, screen 2, from y 260.
inline constexpr std::string_view ending_escape =
    "In all the confusion Vexmoor himself slipped away, vowing revenge. But his plans lie in "
    "ruins under a very large pudding, and the world is safe once more. V.X. and Bodkin fly "
    "home in time for tea.";

}  // namespace game::story
