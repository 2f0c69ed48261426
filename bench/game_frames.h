// The game on the fake platform, some way into play: monkeys in the sky and
// on the ground, one of them exploding; and the crawl halfway up.  The frames
// are drawn as the main loop and the crawl draw them, onto the framework's
// image.  Shared by the benchmarks and the frame timer.
#pragma once

#include "fake/fake_platform.h"
#include "game_main.h"

namespace bench {

struct GameFrames {
    tovik::FakePlatform platform;
    GameState game;
    GameState crawl;

    // Starts the game with seed 1 and draws both frames once, which loads
    // the faces and glyphs as the program's first frames do.
    GameFrames();

    // What the main loop draws after an event with one explosion running.
    void game_frame();
    // What the crawl draws after a periodic event.
    void crawl_frame();
};

}  // namespace bench
