// The story that rises over the landscape before play.
#include "crawl.h"

const std::array<const char*, CRAWL_LINE_COUNT> crawl_lines = {
    "On a night when the moon was a",
    "thin silver smile,",
    " ",
    "the monkeys of Cloud Ridge awoke.",
    "Far below, the lake lay smooth and still,",
    "and each of them longed to be the first in.",
    " ",
    "So they rode the clouds over the valley",
    "and one after another they let go.",
    "But the lake belongs to an old statue,",
    "who loves quiet.",
    " ",
    "Keep her lake calm all through this night:",
    "catch the monkeys before they land,",
    "and let the butterfly sleep till dawn.",
    "Be quick!",
    " ",
    " ",
    "MOONLIGHT MONKEYS!!!",
    "CLICK THEM BEFORE THEY LAND!!",
};
