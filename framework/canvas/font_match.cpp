// Asking fontconfig which file it gives for a family name, as the platform's
// font mapper substitutes a face for a name it does not know.
//
// The machine's configuration is loaded as it stands, and a few rules of our
// own are added to that in-memory copy only (nothing on disk changes): they
// put the faces that share the platform's metrics first, so that the answer
// does not depend on which other fonts are installed or preferred.
#include <fontconfig/fontconfig.h>

#include "canvas/font_cache.h"

namespace tovik::text {

namespace {

// "TOVIK-font" is no real family: the platform's mapper answers it with its
// default sans face, Arial, whose metric twin is Liberation Sans.  The fixed
// face is Courier New's twin.  prepend_first puts them ahead of whatever the
// machine's rules have already placed there.
constexpr const char* OUR_RULES = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="pattern">
    <test name="family"><string>TOVIK-font</string></test>
    <edit name="family" mode="prepend_first" binding="strong"><string>Liberation Sans</string></edit>
  </match>
  <match target="pattern">
    <test name="family"><string>monospace</string></test>
    <edit name="family" mode="prepend_first" binding="strong"><string>Liberation Mono</string></edit>
  </match>
</fontconfig>
)";

FcConfig* config = nullptr;

// One configuration, ours: reading the machine's files and font caches is
// most of what a match costs the first time, so fontconfig's default
// configuration (FcInit) is never loaded beside it.
FcConfig* our_config() {
    if (config != nullptr) return config;
    config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return nullptr;
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(OUR_RULES),
                                       FcTrue) != FcTrue) {
        FcConfigDestroy(config);
        config = nullptr;
    }
    return config;
}

}  // namespace

bool match_font_file(const char* family, std::string& path, int& index) {
    FcConfig* fc = our_config();
    if (fc == nullptr) return false;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    // Added as a plain string: parsing "TOVIK-font" as a font name would read
    // the part after the dash as a size.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fc, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fc, pattern, &result);
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

// Only our configuration goes: fontconfig itself is not finalised, since
// other libraries in the process (SDL's window decorations, the cursor theme
// under Wayland) may still use it, and finalising under them aborts.
void release_font_matcher() {
    if (config != nullptr) FcConfigDestroy(config);
    config = nullptr;
}

}  // namespace tovik::text
