// The opening crawl: twenty lines of story that rise over the standing
// landscape, drifting right and shrinking as they climb.
#pragma once

#include <array>
#include <cstdint>

#include "game_state.h"

constexpr int CRAWL_EVENT_COUNT = 75;

extern const std::array<const char*, CRAWL_LINE_COUNT> crawl_lines;

enum class CrawlEnd {
    Finished,  // all its events were taken
    Quit,      // the player quit: no further event can come
};

// Line 0 at the bottom edge, each further line 50 lower; all at x -300.
void init_crawl(CrawlArray& crawl_x, CrawlArray& crawl_y, CrawlArray& crawl_size);
// Takes CRAWL_EVENT_COUNT events of any kind, or fewer when one of them is the
// quit; each periodic one moves the text and repaints the scene behind it.
CrawlEnd run_crawl(CrawlArray& crawl_x, CrawlArray& crawl_y, CrawlArray& crawl_size,
                   std::int32_t moon_x, std::int32_t moon_y, std::int32_t star1_x,
                   std::int32_t star1_y, std::int32_t star1_size, ColourIndex star1_colour,
                   std::int32_t star2_x, std::int32_t star2_y, std::int32_t star2_size,
                   ColourIndex star2_colour, std::int32_t flower_x, std::int32_t flower_y,
                   std::int32_t flower_centre_radius, ColourIndex flower_centre_colour,
                   std::int32_t flower_radius, ColourIndex flower_petal_colour,
                   std::int32_t boat_x, std::int32_t boat_y, std::int32_t boat_half_length,
                   std::int32_t boat_sail_height, std::int32_t butterfly_x,
                   std::int32_t butterfly_y, std::int32_t butterfly_wing,
                   std::int32_t landmark_x, std::int32_t landmark_y, const MonkeyArray& monkey_x,
                   const MonkeyArray& monkey_y, const MonkeyArray& monkey_arm);
void draw_crawl_text(const CrawlArray& crawl_x, const CrawlArray& crawl_y,
                     const CrawlArray& crawl_size);
