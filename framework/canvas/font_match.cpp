// Asking fontconfig which file it gives for a family name, as the platform's
// font mapper substitutes a face for a name it does not know.
#include <fontconfig/fontconfig.h>

#include "canvas/font_cache.h"

namespace tovik::text {

namespace {
bool started = false;
}  // namespace

bool match_font_file(const char* family, std::string& path, int& index) {
    if (FcInit() != FcTrue) return false;
    started = true;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    // Added as a plain string: parsing "TOVIK-font" as a font name would read
    // the part after the dash as a size.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* file = nullptr;
    bool found = false;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
        path = reinterpret_cast<const char*>(file);
        int i = 0;
        index = FcPatternGetInteger(match, FC_INDEX, 0, &i) == FcResultMatch ? i : 0;
        found = true;
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace tovik::text

namespace tovik::text {

void release_font_matcher() {
    if (started) FcFini();
    started = false;
}

}  // namespace tovik::text
