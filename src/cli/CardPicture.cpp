#include "cli/CardPicture.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <memory>

namespace skarnwald::cli {

namespace {

// The card names its font by family; the files come with the program's
// dependencies and are handed to fontconfig directly, so the card looks the
// same whatever fonts the user's configuration prefers.
void AddCardFonts() {
    static const bool added = [] {
        FcInit();
        for (const char* file : {SKARNWALD_CARD_FONT, SKARNWALD_CARD_BOLD_FONT})
            FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(file));
        return true;
    }();
    (void)added;
}

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
struct SurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDestroy {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

std::string TakeMessage(GError* error) {
    std::string message = error ? error->message : "";
    if (error)
        g_error_free(error);
    return message;
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::optional<std::string> CardPng(std::string_view svg, int scale, std::string& error) {
    AddCardFonts();
    GError* failure = nullptr;
    std::unique_ptr<RsvgHandle, GObjectUnref> handle(
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &failure));
    if (!handle) {
        error = TakeMessage(failure);
        return std::nullopt;
    }
    double width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || width < 1 || height < 1) {
        error = "the card has no size";
        return std::nullopt;
    }
    const int pixelsWide = static_cast<int>(std::lround(width * scale));
    const int pixelsHigh = static_cast<int>(std::lround(height * scale));
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsWide, pixelsHigh));
    std::unique_ptr<cairo_t, ContextDestroy> context(cairo_create(surface.get()));
    const RsvgRectangle viewport{0, 0, static_cast<double>(pixelsWide), static_cast<double>(pixelsHigh)};
    if (!rsvg_handle_render_document(handle.get(), context.get(), &viewport, &failure)) {
        error = TakeMessage(failure);
        return std::nullopt;
    }
    std::string png;
    if (cairo_surface_write_to_png_stream(surface.get(), AppendPng, &png) != CAIRO_STATUS_SUCCESS) {
        error = "the picture cannot be encoded";
        return std::nullopt;
    }
    return png;
}

} // namespace skarnwald::cli
