#pragma once
// The Part Two introduction and the descriptions and messages of the Part
// Two locations, in the order a player meets them. Option labels stand
// beside their menus in part_two.cpp.
// Printable ASCII only: the font has glyphs for codes 32 to 127 and nothing else.
#include <string_view>

namespace game::part_two_text {

using Text = std::string_view;

// intro_story_two: four story screens from y 10; the third has a picture at y 330.
inline constexpr Text intro_mission =
    "Previously: V.X., the finest agent of the Ministry of Peculiar Affairs, and Bodkin, his "
    "loyal assistant, were sent on a mission so secret that Bodkin was not told where they "
    "were going until they got there.";
inline constexpr Text intro_beam =
    "Somebody was zapping the leaders of the world with a mysterious beam and leaving them "
    "thoroughly befuddled. The Ministry's boffins traced the beam to an old chateau in a "
    "snowbound forest in the frozen north.";
inline constexpr Text intro_trap =
    "V.X. and Bodkin crept into Chateau Vexmoor, past a bear, a werewolf chef and three "
    "mechanical vampires. But in the vault a clockwork skeleton sprang to life, caught them in "
    "a net and locked them in a cage.";
inline constexpr Text intro_task =
    "Now it is up to you. Escape from the cage, find the machine that makes the beam and "
    "destroy it, before the whole world starts clucking.";
// The cage screen, wrapped at 440 pixels beside the cage.
inline constexpr Text intro_cage =
    "The cage has a combination lock. \"Out of habit,\" you murmur, \"I noted the number on "
    "that skeleton's shoulder bone.\" You turn the dials: 5, 1, 9.";
// The lock screen; still wrapped at 440 pixels.
inline constexpr Text intro_open =
    "Click! The lock springs open. You and Bodkin jump down, just as the coals begin to glow.";

// b01, b02: the dungeon below the cage; wrapped at 440 pixels.
inline constexpr Text b01 =
    "You stand in a dank dungeon under the empty cage. Vexmoor's tools lie about. You can see:";
inline constexpr Text b02 =
    "The dungeon is damp and gloomy. A stone passage leads off into the dark, and water "
    "gurgles along a low tunnel. Bodkin would like it known that he is not scared.";

// b03: the maze, from y 50.
inline constexpr Text b03 =
    "Stone walls and dripping arches on every side. Passages lead off in many directions, and "
    "every one of them looks the same.";

// b04, b05: the pit and the store room behind the padlocked door.
inline constexpr Text b04_locked =
    "You are at the bottom of a deep pit, below a narrow ledge. In the wall is a stout door to "
    "a store room, fastened with a large padlock.";
inline constexpr Text b04_open =
    "You are at the bottom of a deep pit, below a narrow ledge. The door to the store room "
    "stands open, its padlock in two pieces.";
inline constexpr Text b04_padlock =
    "You rattle the door. The padlock is as big as Bodkin's fist and twice as stubborn. It "
    "will have to come off first.";
inline constexpr Text b04_cut =
    "You set to work with the file while Bodkin hums encouragingly. At last the padlock drops "
    "off with a clank and the door swings open.";
inline constexpr Text b05 = "An old store room, full of junk. You can see:";

// b06 to b09: the cobwebbed passage, the spider and the low passage to the pit.
inline constexpr Text b06 =
    "A dusty passage runs beside the maze, hung with cobwebs as thick as curtains. Bodkin "
    "walks very close behind you.";
inline constexpr Text b07 =
    "An enormous spider drops down on a thread, right in front of your nose. It looks very "
    "cross indeed.";
inline constexpr Text b07_again = "The enormous spider hangs in your way, looking very cross.";
inline constexpr Text b07_ignore =
    "It is far too big to ignore. It clicks its fangs, Bodkin squeaks, and you both retreat "
    "into the maze at a brisk walk.";
inline constexpr Text b07_thread =
    "You hold out the thread. The spider snatches it and starts knitting itself a tiny scarf "
    "at once. It waves you past with four of its legs.";
inline constexpr Text b08 =
    "A passage so low that even Bodkin has to stoop. It ends at the edge of a pit, and worn "
    "steps lead up to your left.";
inline constexpr Text b09_fall =
    "Something glints on a ledge across the pit. You lean out for a better look, Bodkin leans "
    "on you for a better look, and down you both go.";

// b10, b11: the cellar with the coffin; wrapped at 600 pixels.
inline constexpr Text b10 = "A cold cellar lit by candles. A coffin stands in the middle of the floor.";
inline constexpr Text b10_stink =
    "The smell of rotten egg is simply too much. Holding your noses, you and Bodkin stagger "
    "back out into the maze.";
inline constexpr Text b10_pegs = "With wooden pegs on your noses, you and Bodkin can just about bear the smell.";
inline constexpr Text b10_heading = "On a little table you can see:";
inline constexpr Text b11_snoring =
    "Loud snores rumble from inside the coffin. Steps lead up, and a bell-rope hangs from the "
    "ceiling.";
inline constexpr Text b11_cape =
    "The coffin lies open. Inside it is a fine black cape with a high collar. A smell of "
    "rotten egg hangs about.";
inline constexpr Text b11_empty = "The coffin lies open and empty. A bell-rope hangs from the ceiling.";
inline constexpr Text b11_duck =
    "You lift the lid. Out leaps a vampire duck in evening dress, flapping its cape and "
    "quacking furiously.";
inline constexpr Text b11_duck_rings =
    "\"Can't a duck get any sleep around here?\" he quacks. He stomps over to the bell-rope and "
    "gives it a mighty tug.";
inline constexpr Text b11_duck_flees =
    "He stops and sniffs. The egg in your pocket has cracked, and a smell of rotten egg fills "
    "the cellar. The duck holds his beak and flaps off up the steps.";
inline constexpr Text b11_trapdoor =
    "The floor opens beneath your feet. You and Bodkin slide down a long chute and land in "
    "another cellar.";

// b12, b13: the tower room and its window.
inline constexpr Text b12_shut_thread =
    "A round room at the top of the tower. The window is shut, and a reel of thread lies "
    "forgotten on the floor.";
inline constexpr Text b12_shut = "A round room at the top of the tower. The window is shut.";
inline constexpr Text b12_open_thread =
    "A round room at the top of the tower. The window stands open to the cold, and a reel of "
    "thread lies forgotten on the floor.";
inline constexpr Text b12_open = "A round room at the top of the tower. The window stands open to the cold.";
inline constexpr Text b13 =
    "The window is shut tight and its catch has rusted solid. Outside runs a narrow ledge, and "
    "far below lies the courtyard.";
inline constexpr Text b13_lever =
    "You slip the crowbar under the frame and heave. With a crack the window flies open, and "
    "cold air rushes in.";

// b14 to b17: the drain, the courtyard and the stables. b14 wraps at 480 pixels.
inline constexpr Text b14 =
    "You stand on a narrow ledge by a rushing drain. The tunnel leads back to the dungeon, and "
    "an iron ladder climbs up to a round cover.";
inline constexpr Text b15 =
    "A snowy courtyard inside the chateau walls. Hay is piled by a stable door, and a round "
    "iron cover hides the drain.";
inline constexpr Text b16 = "A door in the corner of the yard is bolted on the other side. Bodkin knocks. Nobody answers.";
inline constexpr Text b17 = "Old stables with a dusty coach. Among the harness and straw you can see:";

// b18 to b21: the ledge, the library, the secret room and the corridor.
inline constexpr Text b18 =
    "You edge along a narrow ledge high above the courtyard, between the tower window and the "
    "window of a library. Bodkin does not look down.";
inline constexpr Text b18_look_down =
    "You look down. Bodkin looks down too, wobbles, grabs your arm and takes you with him.";
inline constexpr Text b19_shut = "A library lined with books. A book lies open on a desk beside a brass lamp.";
inline constexpr Text b19_open =
    "The library. One bookcase has swung aside to show a secret room behind it. The book still "
    "lies open on the desk.";
inline constexpr Text b19_book =
    "It is a spy novel, The Man in the Mauve Mackintosh. You read a chapter. \"He is not a patch "
    "on you, sir,\" says Bodkin loyally.";
inline constexpr Text b19_crack =
    "Behind one bookcase you feel a draught through a thin crack. It is too dim in here to see "
    "more. Perhaps the lamp would help.";
inline constexpr Text b19_swing =
    "You push the bookcase beside the crack. It swings round with a groan, and you and Bodkin "
    "tumble into a secret room.";
inline constexpr Text b19_lamp =
    "You switch on the lamp. Nothing happens, and the room stays as dim as ever. Somewhere "
    "behind the shelves, though, something goes click.";
inline constexpr Text b20_map = "A small secret room with stone steps going down. An old map lies on the floor.";
inline constexpr Text b20 = "A small secret room with stone steps going down into the dark.";
inline constexpr Text b20_explore =
    "The bookcase swings shut behind you with a thud, and it is pitch dark. Feeling your way, "
    "you find the steps and go down them.";
inline constexpr Text b21 =
    "A long corridor. Stairs lead down, doors lead to the library and a music room, and "
    "portraits of Vexmoors glare from the walls.";
inline constexpr Text b21_panel =
    "You pat the panelling all along the wall, but the secret door has closed without a trace. "
    "Nobody can say where it was.";

// b22 to b24: the nailed door and the cellar beyond.
inline constexpr Text b22_nailed =
    "At the foot of the stairs a cellar door has been nailed shut. Somebody did not want it "
    "opened.";
inline constexpr Text b22_open = "At the foot of the stairs the cellar door stands open.";
inline constexpr Text b22_no_tool = "The nails will not budge for fingers. You need a tool to grip them with.";
inline constexpr Text b22_pliers = "One by one the pliers pull out the nails. The door creaks open.";
inline constexpr Text b23_ladder = "A cold, dark cellar. A ladder leans against the wall, and a doorway leads out.";
inline constexpr Text b23 = "A cold, dark cellar with a doorway leading out.";
inline constexpr Text b23_nailed = "The door in the doorway will not open. It is nailed shut from the other side.";
inline constexpr Text b24_grate =
    "In a corner a grate opens into the dungeon below. It will be a tight squeeze, especially "
    "for Bodkin.";
inline constexpr Text b24_ladder = "A grate in the corner opens into the dungeon. The ladder will never fit through it.";

// b25: the music room; the piano line stands at y 80.
inline constexpr Text b25 = "A music room, thick with dust. You can see:";
inline constexpr Text b25_piano = "a grand piano";
inline constexpr Text b25_too_heavy =
    "You and Bodkin heave at the grand piano. It does not move an inch, and Bodkin plays a "
    "very low note with his elbow. It is far too heavy to carry.";

// b26: the ledge above the pit.
inline constexpr Text b26_key =
    "You are at the top of the ladder, on the ledge above the pit. A key is stuck fast in a "
    "crack in the rock.";
inline constexpr Text b26 =
    "You are at the top of the ladder, on the ledge above the pit. The crack in the rock is "
    "empty now.";
inline constexpr Text b26_jump =
    "You take a run at it. Bodkin takes a run at it too, and at you. You both crash to the "
    "bottom of the pit.";
inline constexpr Text b26_fingers =
    "The key is wedged deep in the crack. Your fingers cannot reach it, and Bodkin's get stuck.";
inline constexpr Text b26_tongs =
    "You fish the key out of the crack with the tongs. It is large and iron, and its label "
    "says CATWALK.";

// b27 to b29: the museum of dinosaurs and its snake.
inline constexpr Text b27_hissing =
    "A museum of dinosaur skeletons, grey with dust. Display cases line the walls, and "
    "somewhere among the bones something hisses.";
inline constexpr Text b27 =
    "A museum of dinosaur skeletons, grey with dust. Display cases line the walls. All is "
    "quiet now.";
inline constexpr Text b27_snake =
    "A huge snake rears up from behind a case, hissing. You and Bodkin dive through the nearest "
    "exit and keep running until you reach the courtyard.";
inline constexpr Text b28_trumpet =
    "You blow a blast on the trumpet. The snake hates it and comes at you, fangs first. You and "
    "Bodkin flee through the nearest exit.";
inline constexpr Text b28_cymbals =
    "You crash the cymbals together. The snake hates it and comes at you, fangs first. You and "
    "Bodkin flee through the nearest exit.";
inline constexpr Text b28_flute = "You play a gentle tune on the flute. The snake rises and sways to the music, charmed.";
inline constexpr Text b28_no_basket =
    "When the music stops, the snake slides back among the bones, still hissing. If only you "
    "had something to put it in.";
inline constexpr Text b28_basket =
    "Still playing, you open the wicker basket. The snake sways inside and curls up, and "
    "Bodkin shuts the lid with a snap.";
inline constexpr Text b29_egg = "The display cases hold bits of bone and, among them, a big old dinosaur egg.";
inline constexpr Text b29 = "The display cases hold nothing but fragments of bone.";

// b30 to b33: the big skeleton.
inline constexpr Text b30 =
    "The tail of a huge skeleton sweeps across the floor. Its backbone rises like a staircase "
    "towards a balcony high above.";
inline constexpr Text b30_bones =
    "Heaps of broken bones lie all over the floor where the big skeleton used to stand. Bodkin "
    "tries not to feel responsible.";
inline constexpr Text b31 =
    "You are halfway up the backbone. The bones creak and shake with every step, and Bodkin "
    "hugs a vertebra.";
inline constexpr Text b32 =
    "You stand on the great skull. A balcony is just within leaping distance, and beneath you "
    "the whole skeleton begins to sway and collapse.";
inline constexpr Text b32_glide =
    "You spread the black cape wide, Bodkin grabs your ankles, and together you glide "
    "gracefully onto the balcony. Behind you the skeleton collapses.";
inline constexpr Text b32_crash =
    "The skeleton falls to pieces beneath you. You and Bodkin crash down onto the floor among "
    "the broken bones.";
inline constexpr Text b33 =
    "You squeeze glue onto bone after bone. Slowly the dinosaur begins to take shape again.";
inline constexpr Text b33_done =
    "At last every bone is back in place. The dinosaur stands tall once more, and Bodkin pats "
    "it on the nose.";

// b34, b35: the balcony and the toad portrait.
inline constexpr Text b34 =
    "A balcony high above the museum, hung with portraits. Through a window you can see a "
    "ledge, far, far below.";
inline constexpr Text b34_crash =
    "There are no stairs. You climb over the rail, lose your grip and land on the museum floor "
    "with Bodkin on top.";
inline constexpr Text b34_jump =
    "You jump and land on the ledge. Then you stumble, Bodkin stumbles into you, and you both "
    "fall off.";
inline constexpr Text b34_rope =
    "You tie the rope to the window and climb down. Just as you reach the ledge the knot comes "
    "loose, and the rope drops neatly into Bodkin's arms.";
inline constexpr Text b35 =
    "A portrait of a portly toad in a velvet coat glares down at you. Beneath the frame is a "
    "small catch.";
inline constexpr Text b35_stiff =
    "The catch is stiff and set deep in the frame. You need something thin and sharp to work "
    "it.";
inline constexpr Text b35_knife =
    "You work the catch with the knife. Click! The painting swings open, you step through with "
    "Bodkin, and it closes behind you.";

// b36: the long fall into the straw.
inline constexpr Text b36_falling = "Down, down you fall, with Bodkin's scarf flapping in your face.";
inline constexpr Text b36_straw =
    "You land in a great heap of straw in the courtyard. Bodkin lands on you. Nothing is broken "
    "except Bodkin's dignity.";

// b37 to b41: the secret passage, the observatory and the beam machine.
inline constexpr Text b37 =
    "A dark secret passage. It branches left and right and goes straight on, and every way "
    "looks the same.";
inline constexpr Text b37_map = "A dark secret passage. According to the map, the way on lies to the right.";
inline constexpr Text b38 =
    "Following the map, you creep along a narrow back way and come out behind the control room "
    "of the beam.";
inline constexpr Text b39 =
    "It was once an observatory. Now a huge machine stands in the middle, pointing up at a slot "
    "in the dome.";
inline constexpr Text b40 =
    "The old observatory, with the great beam machine in the middle. A small door leads out to "
    "a catwalk around the dome.";
inline constexpr Text b40_locked = "You try the door to the catwalk. It is locked.";
inline constexpr Text b41 =
    "The beam generator: a mass of brass, dials and valves. It has two buttons, a red one and "
    "a green one.";
inline constexpr Text b41_nothing = "You press the red button. Nothing happens. The machine is not running.";
inline constexpr Text b41_fire =
    "You press the red button. ZAP! A thin blue beam shoots up through the slot in the dome "
    "and away into the sky.";
inline constexpr Text b41_hint =
    "\"If only we could send it back where it came from, sir,\" says Bodkin, straightening his "
    "bowler in the brass. \"Like a reflection.\"";
inline constexpr Text b41_hum = "You press the green button. The machine shudders and begins to hum.";
inline constexpr Text b41_stop = "You press the green button again. The humming dies away.";

// b42: the catwalk around the dome.
inline constexpr Text b42 =
    "A catwalk runs round the dome, high above the snowy forest. Beside you is the slot in the "
    "roof where the beam comes out.";
inline constexpr Text b42_mirror =
    "A catwalk runs round the dome. Your small mirror sits snugly in the slot in the roof, "
    "facing the machine.";
inline constexpr Text b42_blown_off = "A gust of wind catches you both, and off the catwalk you go.";

// b43: the end of the beam.
inline constexpr Text b43_explosion =
    "The beam hits the mirror and bounces straight back into the machine. BANG! It crumbles to "
    "bits, and a huge pudding from the kitchens falls through the ceiling on top of it.";
inline constexpr Text b43_pudding =
    "A moment later Bodkin climbs out of the pudding, licking his fingers. \"Custard, sir,\" he "
    "says.";

}  // namespace game::part_two_text
