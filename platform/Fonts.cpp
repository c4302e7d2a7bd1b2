#include "Fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {
namespace {

// The layout names Windows fonts; these are the metric-compatible (or at least
// similar) faces that Debian ships in fonts-liberation2 and fonts-dejavu-core.
enum class Face { Sans, Serif, Mono, Decorative };

struct FamilyEntry {
    std::string_view layoutName;
    Face face;
};

constexpr std::array kFamilies{
    FamilyEntry{"Arial", Face::Sans},
    FamilyEntry{"MS Sans Serif", Face::Sans},
    FamilyEntry{"Tahoma", Face::Sans},
    FamilyEntry{"Verdana", Face::Sans},
    FamilyEntry{"Times New Roman", Face::Serif},
    FamilyEntry{"Courier New", Face::Mono},
    FamilyEntry{"Decorative Serif", Face::Decorative},
};

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return SDL_tolower(static_cast<unsigned char>(x)) ==
               SDL_tolower(static_cast<unsigned char>(y));
    });
}

// Font names are case-insensitive on the platform the layout comes from. Any
// name the table does not know is one of the small sans-serif system fonts.
Face faceFor(std::string_view family) {
    for (const FamilyEntry& entry : kFamilies)
        if (sameName(entry.layoutName, family)) return entry.face;
    return Face::Sans;
}

std::string tableFile(Face face, bool bold, bool italic) {
    if (face == Face::Decorative) {
        const char* style = bold ? (italic ? "-BoldItalic" : "-Bold") : (italic ? "-Italic" : "");
        return std::string("/usr/share/fonts/truetype/dejavu/DejaVuSerif") + style + ".ttf";
    }
    const char* family = face == Face::Serif ? "Serif" : face == Face::Mono ? "Mono" : "Sans";
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    return std::string("/usr/share/fonts/truetype/liberation2/Liberation") + family + "-" + style +
           ".ttf";
}

// The family fontconfig should prefer when the table's own file is missing,
// and the generic name that always matches something.
std::pair<const char*, const char*> substituteFamilies(Face face) {
    switch (face) {
        case Face::Serif:
            return {"Liberation Serif", "serif"};
        case Face::Mono:
            return {"Liberation Mono", "monospace"};
        case Face::Decorative:
            return {"DejaVu Serif", "serif"};
        case Face::Sans:
            break;
    }
    return {"Liberation Sans", "sans-serif"};
}

// What fontconfig found: the file, and whether it really is bold / italic
// (otherwise SDL_ttf slants or emboldens it).
struct Substitute {
    std::string file;
    bool bold = false;
    bool italic = false;
};

Substitute askFontconfig(const FontSpec& request) {
    if (!FcInit()) throw std::runtime_error("fontconfig cannot be initialised");
    const auto [preferred, generic] = substituteFamilies(faceFor(request.family));
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) throw std::runtime_error("out of memory while looking up a font");
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(request.family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(preferred));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);

    Substitute found;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            found.file = reinterpret_cast<const char*>(file);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        found.bold = weight >= FC_WEIGHT_DEMIBOLD;
        found.italic = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    if (found.file.empty())
        throw std::runtime_error("No font file found for \"" + request.family + "\"");
    return found;
}

// SDL_ttf for as long as any font or the cache needs it. FreeType is not safe
// to use from two threads at once, so every call into SDL_ttf holds `lock`.
class TtfLibrary {
  public:
    TtfLibrary() {
        if (TTF_Init() != 0)
            throw std::runtime_error(std::string("Cannot start SDL_ttf: ") + TTF_GetError());
    }
    ~TtfLibrary() { TTF_Quit(); }
    TtfLibrary(const TtfLibrary&) = delete;
    TtfLibrary& operator=(const TtfLibrary&) = delete;

    std::mutex lock;
};

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

class TtfFont final : public Font {
  public:
    TtfFont(const FontSpec& request, std::shared_ptr<TtfLibrary> library);
    ~TtfFont() override;
    TtfFont(const TtfFont&) = delete;
    TtfFont& operator=(const TtfFont&) = delete;

    const FontSpec& request() const override { return request_; }
    int lineHeight() const override { return lineHeight_; }
    int ascent() const override { return ascent_; }
    Size measure(std::string_view text) const override;
    void draw(const core::PixelSurface& target, int x, int y, std::string_view text,
              core::PixelWord color, const Rect& clip) const override;

  private:
    // Rendering a line is far dearer than blending it, and the window draws
    // the same captions over and over; so rendered lines are kept, a bounded
    // number of them. Called with the library lock held.
    const SDL_Surface& rendered(std::string_view text) const;

    FontSpec request_;
    std::shared_ptr<TtfLibrary> library_;
    TTF_Font* font_ = nullptr;
    int lineHeight_ = 0;
    int ascent_ = 0;
    mutable std::unordered_map<std::string, SurfacePtr> renderedLines_;
    // Measuring shapes the whole line again; the HUD measures its captions
    // on every frame. Bounded like renderedLines_.
    mutable std::unordered_map<std::string, int> measuredWidths_;
};

TtfFont::TtfFont(const FontSpec& request, std::shared_ptr<TtfLibrary> library)
    : request_(request), library_(std::move(library)) {
    if (request.pixelHeight <= 0)
        throw std::runtime_error("Font \"" + request.family + "\" needs a positive size, not " +
                                 std::to_string(request.pixelHeight));
    Substitute source{fontFileFor(request), request.bold, request.italic};
    if (source.file.empty()) source = askFontconfig(request);

    // At 72 dots per inch one point is one pixel, so the em height, which is
    // what the layout's character height means, is exactly pixelHeight.
    font_ = TTF_OpenFontDPI(source.file.c_str(), request.pixelHeight, 72, 72);
    if (!font_)
        throw std::runtime_error("Cannot open the font " + source.file + ": " + TTF_GetError());
    int style = request.underline ? TTF_STYLE_UNDERLINE : TTF_STYLE_NORMAL;
    if (request.bold && !source.bold) style |= TTF_STYLE_BOLD;
    if (request.italic && !source.italic) style |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(font_, style);
    lineHeight_ = TTF_FontHeight(font_);
    ascent_ = TTF_FontAscent(font_);
}

TtfFont::~TtfFont() {
    std::lock_guard guard(library_->lock);
    TTF_CloseFont(font_);
}

Size TtfFont::measure(std::string_view text) const {
    constexpr size_t kKeptWidths = 512;
    if (text.empty()) return Size{0, lineHeight_};
    std::string line(text);
    std::lock_guard guard(library_->lock);
    if (auto it = measuredWidths_.find(line); it != measuredWidths_.end())
        return Size{it->second, lineHeight_};
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(font_, line.c_str(), &width, &height) != 0)
        throw std::runtime_error(std::string("Cannot measure text: ") + TTF_GetError());
    if (measuredWidths_.size() >= kKeptWidths) measuredWidths_.clear();
    measuredWidths_.emplace(std::move(line), width);
    return Size{width, lineHeight_};
}

// Renders in white on transparent: the alpha of each pixel is then the glyph's
// coverage, which draw() blends in the caller's colour.
SurfacePtr renderCoverage(TTF_Font* font, std::string_view text) {
    const std::string line(text);
    SurfacePtr rendered(TTF_RenderUTF8_Blended(font, line.c_str(), SDL_Color{255, 255, 255, 255}));
    if (!rendered) throw std::runtime_error(std::string("Cannot draw text: ") + TTF_GetError());
    if (rendered->format->format == SDL_PIXELFORMAT_ARGB8888) return rendered;
    SurfacePtr converted(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!converted) throw std::runtime_error(std::string("Cannot draw text: ") + SDL_GetError());
    return converted;
}

uint32_t blendChannel(uint32_t over, uint32_t under, uint32_t coverage) {
    return (over * coverage + under * (255 - coverage) + 127) / 255;
}

const SDL_Surface& TtfFont::rendered(std::string_view text) const {
    constexpr size_t kKeptLines = 512;
    const std::string key(text);
    if (auto it = renderedLines_.find(key); it != renderedLines_.end()) return *it->second;
    // Changing texts (the score, the time) would fill it for ever: start afresh.
    if (renderedLines_.size() >= kKeptLines) renderedLines_.clear();
    return *renderedLines_.emplace(key, renderCoverage(font_, text)).first->second;
}

void TtfFont::draw(const core::PixelSurface& target, int x, int y, std::string_view text,
                   core::PixelWord color, const Rect& clip) const {
    if (text.empty()) return;
    std::lock_guard guard(library_->lock);
    const SDL_Surface* glyphs = &rendered(text);
    // Worked out in 64 bits so that a text placed far off the target cannot overflow.
    const int64_t left = std::max<int64_t>({x, clip.left, 0});
    const int64_t top = std::max<int64_t>({y, clip.top, 0});
    const int64_t right = std::min<int64_t>({int64_t{x} + glyphs->w, clip.right, target.width});
    const int64_t bottom = std::min<int64_t>({int64_t{y} + glyphs->h, clip.bottom, target.height});
    if (left >= right || top >= bottom) return;

    const uint32_t red = color.red();
    const uint32_t green = color.green();
    const uint32_t blue = color.blue();
    const auto* source = static_cast<const uint8_t*>(glyphs->pixels);
    for (int64_t ty = top; ty < bottom; ++ty) {
        const auto* coverageRow =
            reinterpret_cast<const uint32_t*>(source + (ty - y) * glyphs->pitch);
        uint32_t* row = target.row(static_cast<int>(ty));
        for (int64_t tx = left; tx < right; ++tx) {
            const uint32_t coverage = coverageRow[tx - x] >> 24;
            if (coverage == 0) continue;
            const core::PixelWord under{row[tx]};
            const uint32_t blended = blendChannel(red, under.red(), coverage) << 16 |
                                     blendChannel(green, under.green(), coverage) << 8 |
                                     blendChannel(blue, under.blue(), coverage);
            if (blended != (under.value & 0x00FFFFFFu)) row[tx] = blended;
        }
    }
}

// The opened fonts of the whole process: the layout asks for the same dozen
// fonts over and over, and opening one reads and parses a file.
class FontCache {
  public:
    std::shared_ptr<const Font> get(const FontSpec& request) {
        std::lock_guard guard(lock_);
        for (const auto& [cachedSpec, font] : fonts_)
            if (cachedSpec == request) return font;
        if (!library_) library_ = std::make_shared<TtfLibrary>();
        std::shared_ptr<const Font> font;
        {
            std::lock_guard ttfGuard(library_->lock);
            font = std::make_shared<TtfFont>(request, library_);
        }
        fonts_.emplace_back(request, font);
        return font;
    }

  private:
    std::mutex lock_;
    std::shared_ptr<TtfLibrary> library_;
    std::vector<std::pair<FontSpec, std::shared_ptr<const Font>>> fonts_;
};

}  // namespace

std::string fontFileFor(const FontSpec& request) {
    std::string file = tableFile(faceFor(request.family), request.bold, request.italic);
    return access(file.c_str(), R_OK) == 0 ? file : std::string();
}

std::shared_ptr<const Font> Font::get(const FontSpec& request) {
    static FontCache cache;
    return cache.get(request);
}

}  // namespace platform
