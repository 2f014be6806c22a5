#pragma once
// Descriptions and messages of the Part One locations, in the order a player
// meets them. Option labels stand beside their menus in part_one.cpp.
// Printable ASCII only: the font has glyphs for codes 32 to 127 and nothing else.
#include <array>
#include <string_view>

namespace game::part_one_text {

using Text = std::string_view;

// a01: the snowy clearing.
inline constexpr Text a01 =
    "You and Bodkin stand in a snowy clearing at the edge of the forest. Smoke curls from the "
    "chimney of a little hut, a lone tree stands on a rise, and an old cart track winds away "
    "between the pines.";

// a02: outside the hut; a one-line heading above "You can see:".
inline constexpr Text a02_heading = "Tools lean against the wall of the hut.";

// a03: the owner comes back.
inline constexpr Text a03 =
    "Footsteps crunch through the snow and somebody is whistling. The owner of the hut is "
    "coming back!";

// a04: the lone tree; the owl's text wraps beside the owl at 400 pixels.
inline constexpr Text a04 =
    "A lone oak stands on the rise, its branches heavy with snow. There is a hollow in the "
    "trunk, high above your head.";
inline constexpr Text a04_owl =
    "Something whirrs in the branches. A brass owl with glowing eyes blinks at you, clicks its "
    "beak and clanks away over the trees.";

// a05: up the tree.
inline constexpr Text a05_key =
    "You haul yourself up into the branches, with Bodkin puffing below. Something glints in the "
    "hollow of the trunk: an iron key with a little skull on its handle.";
inline constexpr Text a05_no_key =
    "You perch in the branches of the old oak. The hollow in the trunk is empty now; the skull "
    "key is safe in your pocket.";

// a06: the view from the tree.
inline constexpr Text a06_view =
    "Far away, beyond the forest, the towers of a grim chateau rise out of the snow. A thin "
    "blue beam flickers from its dome. \"That's our man,\" you murmur.";

// a07: before the chateau.
inline constexpr Text a07 =
    "The track ends before a gloomy chateau. A stone bridge crosses the moat to a great oak "
    "door. A sign reads: CHATEAU VEXMOOR. NO HAWKERS, NO SPIES.";

// a08 to a10: deeper and deeper into the forest.
inline constexpr Text a08 = "The pines stand close and dark. Through them you can still see the clearing.";
inline constexpr Text a09 = "Still more trees. Bodkin says he can hear wolves. It is his stomach.";
inline constexpr Text a10 = "Bodkin flops down in a snowdrift, puffing.";
inline constexpr Text a10_rope =
    "You dig where the snow lies in an odd heap and uncover a coil of stout rope. Bodkin says "
    "he knew it was there all along. You take the rope.";

// a11 and a12: inside the hut.
inline constexpr Text a11_garlic =
    "The hut is warm and smells of wood smoke. A kettle sings on the stove and a string of "
    "garlic hangs by the window.";
inline constexpr Text a11 = "The hut is warm and smells of wood smoke. A kettle sings on the stove.";
inline constexpr Text a12 = "Under a rag rug you find a trapdoor. Steps lead down into a cellar.";

// a13: the hut's cellar without a light.
inline constexpr Text a13 = "It is pitch dark down here. Somewhere in the gloom, someone chuckles.";
inline constexpr Text a13_flee =
    "Bodkin lets out a squeak and bolts up the steps. You follow him, purely to keep an eye on "
    "him, of course.";

// a14 to a17: round the moat.
inline constexpr Text a14 =
    "You are on the bank of the moat. Paths lead along the water, back towards the bridge and "
    "into the forest.";
inline constexpr Text a15 =
    "A large brown bear sits in the middle of the bridge. It does not look like a bear that "
    "shares.";
inline constexpr Text a15_splash =
    "The bear rises and lumbers towards you. Bodkin backs away, treads on your foot and knocks "
    "you both off the bridge. Splash!";
inline constexpr Text a16_moat =
    "You land in the icy moat. A grey fin circles towards you: a shark, in a moat! Really, some "
    "people. You swim for the bank, Bodkin overtakes you, and you both haul yourselves out, "
    "dripping.";
inline constexpr Text a17_ashore = "A rowing boat lies upside down on the bank of the moat. It looks very heavy.";
inline constexpr Text a17_afloat = "The rowing boat bobs on the moat, tied to a post below the chateau walls.";
inline constexpr Text a17_stuck =
    "You push and Bodkin pulls. The boat does not move an inch. If only you had something to "
    "roll it on.";
inline constexpr Text a17_launch =
    "You lay the logs in a row and roll the boat down them into the moat. It floats! So, after "
    "a moment, does Bodkin.";

// a18: the woodpile.
inline constexpr Text a18 =
    "A small clearing with a woodpile and an old chopping block. The track leads back towards "
    "the hut.";
inline constexpr Text a18_logs =
    "You swing the axe like a born woodsman. Soon there is a neat stack of round logs, which "
    "Bodkin agrees to carry.";

// a19 to a24: the stream and the lost forest.
inline constexpr Text a19 = "A misty glade beside a chattering stream. Bodkin dips a toe in and regrets it.";
inline constexpr Text a20 =
    "You are lost in the forest. Every tree looks the same, and Bodkin is sure he has seen this "
    "one before.";
inline constexpr Text a21 = "Deeper and deeper. The snow is up to Bodkin's knees, which he mentions often.";
inline constexpr Text a22 =
    "The forest is so thick that hardly any light gets in. Bodkin hums to keep his spirits up.";
inline constexpr Text compass_ahead = "The compass needle points straight ahead.";
inline constexpr Text a23 =
    "A path runs beside the stream. Flat stepping stones cross the water, and a twisty path "
    "climbs into the hills.";
inline constexpr Text a24 =
    "You stand on a stone halfway across the stream. The water here is crystal clear: fresh "
    "spring water from the hills.";
inline constexpr Text a24_ring =
    "As you fill the bottle, something glitters on the stream bed. You fish out a gold ring "
    "with a large green stone and pocket it.";

// a25 to a29: the old mine; a25 has room for one sentence above its heading.
inline constexpr Text a25 = "An old mine gapes in the hillside.";
inline constexpr Text a25_heading = "Mining tools lie about. You can see:";
inline constexpr Text a26 =
    "You stand before the mine. Cold air drifts out of the dark, and paths lead back to the "
    "stream and into the forest.";
inline constexpr Text a27_dark = "It is far too dark to see anything in here. Bodkin holds on to your sleeve.";
inline constexpr Text a27_lit =
    "Your lantern lights a tunnel propped up with old timbers. Shafts lead off into the dark and "
    "a deep pit yawns at your feet.";
inline constexpr Text a28_fall =
    "Oops! You tumble down a pit and land in a heap, with Bodkin on top. Nothing is broken "
    "except Bodkin's dignity.";
inline constexpr Text a28_light = "There is light ahead: an old exit, overgrown with brambles, leads out of the mine.";
inline constexpr Text a29 =
    "You are at the bottom of a dry old well below the mine. A shaft of daylight falls from far "
    "above.";
inline constexpr Text a29_coin_and_bucket = "A gold coin and an old bucket lie in the dust.";
inline constexpr Text a29_bucket = "An old bucket lies in the dust.";
inline constexpr Text a29_coin = "A gold coin lies in the dust.";

// a30, a31, a40: the gorilla at the iron gate.
inline constexpr Text a30 =
    "A cellar ends at an iron gate. Before it sits a huge gorilla, eyeing you with deep "
    "suspicion.";
inline constexpr Text a30_happy =
    "The gorilla sits by the open gate, tickling itself with the feather and grinning from ear "
    "to ear.";
inline constexpr Text a30_flee =
    "The gorilla beats its chest and roars. Bodkin is up the steps before you can say Jack "
    "Robinson, and you, on reflection, follow him.";
inline constexpr Text a31 =
    "The gorilla plants itself in front of the gate. Nobody is getting past, and that is that.";
inline constexpr Text a40_pass =
    "The gorilla strokes its chin with the feather, giggles, and waves you through the gate "
    "like an old friend.";

// a32 to a34: the boat, the kitchen and its chef.
inline constexpr Text a32 =
    "The boat drifts beneath the chateau walls. High above, a window stands open and a smell of "
    "stew wafts out.";
inline constexpr Text a32_jump =
    "You leap, your fingers brush the sill, and you drop back into the moat. \"We could do with "
    "a rope, sir,\" says Bodkin helpfully.";
inline constexpr Text a32_climb =
    "You hook the rope over a gargoyle and climb in at the window. It is a big kitchen. By the "
    "stove a large, hairy chef snores in his chair.";
inline constexpr Text a33_heading = "On the kitchen shelves you can see:";
inline constexpr Text a34_awake = "The hairy chef stirs and sniffs the air. Those are not ordinary whiskers.";
inline constexpr Text a34_leap =
    "The chef springs up with a howl: he is a werewolf! You and Bodkin flee up the stone steps, "
    "two at a time.";
inline constexpr Text a34_flask =
    "The werewolf sniffs the flask, drains it in one gulp, yawns enormously and curls up by the "
    "stove, fast asleep.";
inline constexpr Text a34_asleep = "The werewolf chef snores by the stove, his tail twitching as he dreams.";

// a35: six short lines beside the stair, from x 280.
inline constexpr std::array<Text, 6> a35_lines{
    "Up the tower stair",
    "you run, round and",
    "round and round.",
    "Bodkin puffs along",
    "behind you. Still",
    "the steps go up.",
};

// a36, a37: the chute and the dark below it.
inline constexpr Text a36_chute =
    "Bodkin leans on the wall for a rest. Click! The steps fold flat beneath you, and you both "
    "shoot down a long, dark chute!";
inline constexpr Text a37 = "You land in darkness. Somewhere very close, someone chuckles.";
inline constexpr Text a37_flee =
    "Bodkin yelps and scrambles away up some steps. You follow, and do not stop until you are "
    "back in the snowy clearing.";

// a38, a39: the top of the tower.
inline constexpr Text a38_feather =
    "You reach the top of the tower. A window looks out over the forest, and a narrow ledge "
    "runs along the wall outside. A long white feather lies on the floor.";
inline constexpr Text a38 =
    "You reach the top of the tower. A window looks out over the forest, and a narrow ledge "
    "runs along the wall outside.";
inline constexpr Text a38_take = "You pick up the feather. It is very tickly. Bodkin sneezes.";
inline constexpr Text a39_gust =
    "You edge along the ledge. A gust of wind catches Bodkin's scarf, then Bodkin, then you, "
    "and you all sail down towards the moat.";

// a41, a42: the smugglers' cave, ending with its heading.
inline constexpr Text a41 =
    "Beyond the gate lies a smugglers' cave, long deserted. Crates and barrels are stacked "
    "against the rock. You can see:";
inline constexpr Text a42 =
    "A crack in the cave wall lets in a thin shaft of daylight. It is just wide enough for "
    "Bodkin, if he breathes in.";

// a43: the hermit crab.
inline constexpr Text a43 =
    "A hermit crab the size of an armchair sits under a pine tree. He has only one claw, and he "
    "polishes it with great care.";
inline constexpr Text a43_ignore = "The hermit crab pointedly ignores you and goes on polishing his claw.";
inline constexpr Text a43_flask =
    "The crab snatches the ring, admires it on his claw and hands you a small flask in return. "
    "\"Sleeping draught,\" he clicks.";

// a44: the passage with the switch.
inline constexpr Text a44 =
    "A long stone passage. On the wall is a big switch marked DANGER: HIGH VOLTAGE. Doors lead "
    "to the kitchen and outside.";
inline constexpr Text a44_shock =
    "ZAP! Sparks fly and your hair stands on end. Bodkin says it suits you. Somewhere, machinery "
    "changes its hum.";

// a45, a46: the conservatory and its plant.
inline constexpr Text a45 =
    "A glass conservatory full of tropical plants. In the middle grows an enormous plant with a "
    "mouth full of teeth. A door leads out to the garden.";
inline constexpr Text a45_hot = "It is very hot in here.";
inline constexpr Text a45_chilly = "It is rather chilly in here now.";
inline constexpr Text a45_sluggish = "The plant shivers and yawns. It is far too cold to bother with anybody.";
inline constexpr Text a46 =
    "A green tendril has wrapped itself round your ankle, and the plant is licking its lips.";
inline constexpr Text a46_run =
    "You run on the spot. It is not easy to run anywhere with a plant attached to your leg.";
inline constexpr Text a46_shake =
    "Bodkin grabs the plant by its stalk and shakes it until it lets go. \"Shoo!\" he says "
    "sternly.";

// a47, a48: the garden and the lawn by the moat.
inline constexpr Text a47 =
    "A snowy lawn runs down to the moat. On the path sits a large ginger cat, licking its lips "
    "and looking at you.";
inline constexpr Text a47_milk =
    "The cat sniffs the milk and decides that you look tastier. You leap into the moat rather "
    "than become lunch.";
inline constexpr Text a47_herring =
    "The cat pounces on the red herring and chases it off across the lawn. It does not come "
    "back.";
inline constexpr Text a48 =
    "You are on a lawn at the edge of the moat. The water is dark, cold and rather smelly, but "
    "easy to reach.";
inline constexpr Text a48_bottle =
    "You are not putting smelly moat water into a perfectly good bottle. Bodkin agrees.";
inline constexpr Text a48_bucket = "You fill the bucket with murky moat water. It sloshes about unpleasantly.";

// a49: the mechanical vampires.
inline constexpr Text a49 =
    "Three bats hang from the ceiling. As you pass, they drop, unfold and whirr: they are "
    "mechanical vampires!";
inline constexpr Text a49_menace =
    "The vampires are not impressed. Bodkin whispers that a splash of water might short out "
    "their works.";
inline constexpr Text a49_garlic =
    "The vampires sniff the garlic. Clockwork vampires, it turns out, are rather fond of "
    "garlic.";
inline constexpr Text a49_water =
    "You fling the moat water over them. Fizz! Crackle! BANG! The mechanical vampires "
    "short-circuit and fall to bits.";
inline constexpr Text a49_remains =
    "Bits of mechanical vampire lie smoking on the floor. The passage leads on into a hall.";

// a50, a52: the entrance hall and the wide stairs.
inline constexpr Text a50 =
    "The grand entrance hall of the chateau. Portraits of Vexmoor glare down from every wall. "
    "Dark stairs lead down, wide stairs lead up, and the oak door leads out to the bridge.";
inline constexpr Text a52 =
    "Halfway up the wide stairs you hear footsteps and a cackle on the landing above. Someone "
    "is coming! You had better find another way.";

// a51: the vault, and the end of Part One.
inline constexpr Text a51 =
    "A cold vault below the chateau. A skeleton in rusty chains hangs against the wall, "
    "grinning at nothing in particular.";
inline constexpr Text a51_rattle = "As you look around, the skeleton rattles its chains. Bodkin hides behind you.";
inline constexpr Text a51_locks =
    "The chains are fastened with old padlocks, each with a little skull on it. You would need "
    "a special key to undo them.";
inline constexpr Text a51_number =
    "As you unlock the chains with the skull key, you spot a number scratched on the "
    "skeleton's shoulder bone: 519. Out of habit, you make a note of it.";
// Wrapped at 400 pixels beside the falling net.
inline constexpr Text a51_net =
    "Suddenly a heavy net drops from the ceiling, and you and Bodkin are tangled up like a pair "
    "of kippers!";
// Wrapped at 400 pixels from y 50, above the teaser line at y 270.
inline constexpr Text a51_cage =
    "The skeleton hops down, cackling, and drags you off to the dungeon. It locks you both in "
    "an iron cage over a glowing brazier. \"Master Vexmoor will be delighted,\" it rattles.";
inline constexpr Text a51_teaser = "Can V.X. escape? Find out in Part Two!";

}  // namespace game::part_one_text
