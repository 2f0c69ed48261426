#include "crawl.h"

#include <algorithm>

#include "scene.h"
#include "tovik.h"

namespace {

constexpr std::int32_t START_X = -300;
constexpr std::int32_t START_Y = -250;
constexpr std::int32_t LINE_SPACING = 50;
constexpr std::int32_t FIRST_LINE_SIZE = 75;
constexpr std::int32_t LINE_SIZE = 50;
constexpr std::int32_t RISE = 15;
constexpr std::int32_t DRIFT = 1;
// A line shrinks from the moment it has risen this high.
constexpr std::int32_t SHRINK_FROM_Y = -225;
constexpr std::int32_t SHRINK = 2;
constexpr std::int32_t SMALLEST_SIZE = 1;

void move_lines(CrawlArray& crawl_x, CrawlArray& crawl_y, CrawlArray& crawl_size) {
    for (int i = 0; i < CRAWL_LINE_COUNT; ++i) {
        crawl_y[i] += RISE;
        crawl_x[i] += DRIFT;
        if (crawl_y[i] >= SHRINK_FROM_Y && crawl_size[i] > SMALLEST_SIZE) {
            crawl_size[i] = std::max(crawl_size[i] - SHRINK, SMALLEST_SIZE);
        }
    }
}

}  // namespace

void init_crawl(CrawlArray& crawl_x, CrawlArray& crawl_y, CrawlArray& crawl_size) {
    for (int i = 0; i < CRAWL_LINE_COUNT; ++i) {
        crawl_x[i] = START_X;
        crawl_y[i] = START_Y - LINE_SPACING * i;
        crawl_size[i] = i == 0 ? FIRST_LINE_SIZE : LINE_SIZE;
    }
}

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
                   const MonkeyArray& monkey_y, const MonkeyArray& monkey_arm) {
    for (int events = 1; events <= CRAWL_EVENT_COUNT; ++events) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        signed char key = 0;
        const EventKind kind = TOVIK_wait_event(&x, &y, &key);
        // After a quit the windows may be gone and no event can come: stop waiting.
        if (kind == TOVIK_QUIT) return CrawlEnd::Quit;
        if (kind == TOVIK_PERIODIC) {
            move_lines(crawl_x, crawl_y, crawl_size);
            draw_scene(moon_x, moon_y, star1_x, star1_y, star1_size, star1_colour, star2_x,
                       star2_y, star2_size, star2_colour, flower_x, flower_y,
                       flower_centre_radius, flower_centre_colour, flower_radius,
                       flower_petal_colour, boat_x, boat_y, boat_half_length, boat_sail_height,
                       butterfly_x, butterfly_y, butterfly_wing, landmark_x, landmark_y,
                       monkey_x, monkey_y, monkey_arm);
        }
        draw_crawl_text(crawl_x, crawl_y, crawl_size);
    }
    return CrawlEnd::Finished;
}

void draw_crawl_text(const CrawlArray& crawl_x, const CrawlArray& crawl_y,
                     const CrawlArray& crawl_size) {
    for (int i = 0; i < CRAWL_LINE_COUNT; ++i) {
        // A value, not the format: a line is drawn as written, '%' and all.
        TOVIK_draw_text(COLOUR_YELLOW, crawl_x[i], crawl_y[i], crawl_size[i], "%s",
                        crawl_lines[static_cast<std::size_t>(i)]);
    }
}
